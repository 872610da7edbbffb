"""The real launcher under Wine: every command-line form reaches its mode.

Each mode traces one line first (debugger output): that is how the test sees from outside which
mode a process took. The child game window is not in this build and ends after its line; an
ordinary start shows the login window, which the test ends once its line is there. The hand-over
and the two uninstall stages have tests of their own.
"""
import argparse
import os
import shutil
import sys
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from wine_session import WineSession, debugger_lines, wait_for  # noqa: E402

ARGS = None
INSTALLED = r"C:\users\Public\yarvo dir\Radure_YV.exe"
LAUNCHER = ["launcher"]


class DispatchTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        os.makedirs(ARGS.work, exist_ok=True)
        cls.session = WineSession(ARGS.scripts, os.path.join(ARGS.work, "dispatch")).__enter__()
        target = cls.session.unix_path(INSTALLED)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        shutil.copy(ARGS.exe, target)

    @classmethod
    def tearDownClass(cls):
        cls.session.__exit__(None, None, None)

    def launch(self, program, *args, image, extra_env=None):
        """Starts a process and answers its exit code (None for an ordinary start, which the test
        ends by the launcher's file name `image`), its trace lines and the end of Wine's output."""
        trace = os.path.join(self.session.folder, "dispatch.err")
        process = self.session.start(program, *args, extra_env=extra_env, wine_debug="-all,warn+seh",
                                     stdout_path=os.path.join(self.session.folder, "dispatch.out"),
                                     stderr_path=trace)

        def traces():
            with open(trace, "rb") as f:
                return debugger_lines(f.read(), "Radure_YV: ")

        wait_for(lambda: traces() or process.poll() is not None, timeout=120)
        code = None
        if traces() == LAUNCHER:
            self.session.kill(image)
            process.wait(timeout=60)
        else:
            code = process.wait(timeout=120)
        with open(trace, "rb") as f:
            return code, traces(), f.read()[-3000:]

    def launch_line(self, raw_line):
        return self.launch(ARGS.rawlaunch, INSTALLED, image="Radure_YV.exe",
                           extra_env={"RAWLAUNCH_LINE": raw_line})

    def test_forms(self):
        quoted = '"%s"' % INSTALLED
        cases = [
            (quoted, LAUNCHER),
            (quoted + " 1", LAUNCHER),
            ("-d", LAUNCHER),
            # A hand-over whose copy fails goes on as an ordinary start.
            ("-d C:\\nowhere\\Radure_YV.exe", LAUNCHER),
            (quoted + " -frameWnd=1234 -gameurl=http://127.0.0.1/play?svname=a b",
             ["game window in frame 1234 for http://127.0.0.1/play?svname=a b (not in this build)"]),
            (quoted + " -frameWnd=1234", LAUNCHER),
            (quoted + " -frameWnd=0 -gameurl=x", LAUNCHER),
            (quoted + " -frameWnd= 1234 -gameurl=x", LAUNCHER),
            (quoted + " -framewnd=1234 -gameurl=x", LAUNCHER),
            (quoted + " -gameurl=http://127.0.0.1/", LAUNCHER),
        ]
        for raw_line, expected in cases:
            with self.subTest(line=raw_line):
                code, traces, stderr = self.launch_line(raw_line)
                self.assertEqual(traces, expected, stderr.decode("utf-8", "replace"))
                if expected != LAUNCHER:
                    self.assertEqual(code, 0, stderr.decode("utf-8", "replace"))

    def test_started_from_a_shell_without_switch(self):
        # Wine's own start: the line is the program path, as a shortcut would give it.
        _, traces, stderr = self.launch(ARGS.exe, "1", image=os.path.basename(ARGS.exe))
        self.assertEqual(traces, LAUNCHER, stderr.decode("utf-8", "replace"))


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    for option in ("--exe", "--rawlaunch", "--scripts", "--work"):
        parser.add_argument(option, required=True)
    ARGS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)
