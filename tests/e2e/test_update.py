"""The self-update with real executables under Wine, against the local reference server.

The old launcher (updatecheck, file version 1.0.1.0) is installed in the data folder and runs the
version check; the server offers the real launcher built at 1.0.1.1. The old process downloads it
and hands over, the "-d" instance replaces the installed copy and starts it, and that one starts as
an ordinary launcher, which its debugger trace line shows.
"""
import argparse
import hashlib
import os
import shutil
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from update_log import log_messages  # noqa: E402
from launcher_paths import APPDATA, DATA, INSTALLED, read  # noqa: E402
from wine_session import WineSession, debugger_lines, wait_for  # noqa: E402

ARGS = None
TEMPORARY = APPDATA + r"\cache\yvkolvtmp.exe"
CLOSING = "====================="
ORDINARY_START = "launcher"



def md5_of(path):
    return hashlib.md5(read(path)).hexdigest()


class UpdateTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        os.makedirs(ARGS.work, exist_ok=True)
        cls.session = WineSession(ARGS.scripts, os.path.join(ARGS.work, "update")).__enter__()
        cls.server_dir = os.path.join(cls.session.folder, "server")
        subprocess.run([os.path.join(ARGS.scripts, "devserver"), "start", cls.server_dir,
                        "--answer", "update", "--file", ARGS.new], check=True)
        port = int(read(os.path.join(cls.server_dir, "port")))
        cls.base = "http://127.0.0.1:%d" % port

    @classmethod
    def tearDownClass(cls):
        subprocess.run([os.path.join(ARGS.scripts, "devserver"), "stop", cls.server_dir], check=False)
        cls.session.__exit__(None, None, None)

    def setUp(self):
        for folder in (DATA, APPDATA + r"\cache"):
            shutil.rmtree(self.host(folder), ignore_errors=True)
        os.makedirs(self.host(DATA + r"\res"))
        os.makedirs(self.host(APPDATA + r"\cache"))
        shutil.copy(ARGS.old, self.host(INSTALLED))
        self.trace = os.path.join(self.session.folder, self._testMethodName + ".err")
        # A launcher that went on as an ordinary start shows its login window until it is ended.
        self.addCleanup(self.session.kill, "Radure_YV.exe")

    def host(self, windows_path):
        return self.session.unix_path(windows_path)

    def log(self):
        return log_messages(self.host(DATA + r"\res\update.log"))

    def traces(self):
        return debugger_lines(read(self.trace), "Radure_YV: ") if os.path.exists(self.trace) else []

    def hand_over(self, executable, target):
        """Runs `executable` with the raw line "-d <target>", as the old launcher starts it, to its end."""
        return self.session.run(ARGS.rawlaunch, executable, extra_env={"RAWLAUNCH_LINE": "-d " + target},
                                wine_debug="-all,warn+seh", stderr_path=self.trace)

    def failed_hand_over(self, executable, target):
        """Starts a hand-over that is to fail: its instance goes on as an ordinary start, whose
        login window the test ends once the trace line is there."""
        process = self.session.start(ARGS.rawlaunch, executable, extra_env={"RAWLAUNCH_LINE": "-d " + target},
                                     wine_debug="-all,warn+seh", stderr_path=self.trace,
                                     stdout_path=self.trace + ".out")
        self.assertTrue(wait_for(lambda: ORDINARY_START in self.traces() or process.poll() is not None))
        self.session.kill(os.path.basename(executable))
        process.wait(timeout=60)

    def test_three_process_chain_installs_the_served_launcher(self):
        result = self.session.run(self.host(INSTALLED), self.base, wine_debug="-all,warn+seh",
                                  stderr_path=self.trace)
        self.assertEqual(result.returncode, 0)
        self.assertTrue(wait_for(lambda: len(self.log()) >= 11), self.log())
        # The restarted launcher's login may have added its own check after these lines.
        self.assertTrue(wait_for(lambda: ORDINARY_START in self.traces()), self.traces())

        size = os.path.getsize(ARGS.new)
        download = self.base + "/download/normal/" + os.path.basename(ARGS.new)
        md5 = md5_of(ARGS.new)
        self.assertEqual(self.log()[:11], [
            self.base + "/getClientVersion.php?p=yarvo&g=kolv&v=1.0.1.0",
            "Http QueryInfoStatusCode:200",
            "Server response check version msg:" + download,
            "ExcuUpdate,URL=" + download,
            "Http QueryInfoStatusCode:200",
            "Content length:%d" % size,
            "Finish download,file size=%d" % size,
            "Finish download,file md5=" + md5,
            # the "-d" instance
            "Finish download,current file md5=" + md5,
            "Update success.Current Version:1.0.1.1",
            CLOSING,
        ])
        self.assertEqual(read(self.host(INSTALLED)), read(ARGS.new))
        self.assertEqual(read(self.host(TEMPORARY)), read(ARGS.new))
        # The restarted launcher is the only one that went on as an ordinary start.
        self.assertEqual(self.traces(), [ORDINARY_START])

        requests = read(os.path.join(self.server_dir, "requests.log")).decode("utf-8")
        self.assertIn('"query": "p=yarvo&g=kolv&v=1.0.1.0"', requests)
        self.assertIn('"path": "/download/normal/%s"' % os.path.basename(ARGS.new), requests)

    def test_copy_over_a_target_in_use_fails_and_goes_on_as_a_launcher(self):
        shutil.copy(ARGS.new, self.host(TEMPORARY))
        held_note = os.path.join(self.session.folder, "held.out")
        holder = self.session.start(ARGS.holdfile, self.host(INSTALLED), "8000", stdout_path=held_note)
        try:
            self.assertTrue(wait_for(lambda: b"held" in read(held_note), timeout=30))
            self.failed_hand_over(self.host(TEMPORARY), INSTALLED)
        finally:
            holder.wait(timeout=60)
        # Its own login may have gone on to check for updates after these lines.
        self.assertEqual(self.log()[:2], ["Update failure.Error Code:32", CLOSING])
        self.assertEqual(self.traces(), [ORDINARY_START])
        self.assertEqual(read(self.host(INSTALLED)), read(ARGS.old))

    def test_target_path_with_blanks_is_taken_whole(self):
        target = r"C:\users\root\my games\澜岳 launcher\Radure_YV.exe"
        os.makedirs(os.path.dirname(self.host(target)))
        shutil.copy(ARGS.old, self.host(target))
        shutil.copy(ARGS.new, self.host(TEMPORARY))
        result = self.hand_over(self.host(TEMPORARY), target)
        self.assertEqual(result.returncode, 0)
        self.assertTrue(wait_for(lambda: ORDINARY_START in self.traces()), self.traces())
        self.assertEqual(read(self.host(target)), read(ARGS.new))
        self.assertEqual(self.log()[:3], ["Finish download,current file md5=" + md5_of(ARGS.new),
                                      "Update success.Current Version:1.0.1.1", CLOSING])
        self.assertEqual(read(self.host(INSTALLED)), read(ARGS.old))


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    for option in ("--old", "--new", "--rawlaunch", "--holdfile", "--scripts", "--work"):
        parser.add_argument(option, required=True)
    ARGS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)
