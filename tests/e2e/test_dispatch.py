"""The real launcher under Wine: every command-line form reaches its mode.

Modes this build does not provide yet end after their trace line (the hand-over and the two
uninstall stages have tests of their own); the trace (debugger output) is
how the test sees from outside which mode a process took.
"""
import argparse
import os
import shutil
import sys
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from wine_session import WineSession, debugger_lines  # noqa: E402

ARGS = None
INSTALLED = r"C:\users\Public\yarvo dir\Radure_YV.exe"


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

    def launch(self, raw_line):
        result = self.session.run(ARGS.rawlaunch, INSTALLED, extra_env={"RAWLAUNCH_LINE": raw_line},
                                  wine_debug="-all,warn+seh")
        return result.returncode, debugger_lines(result.stderr, "Radure_YV: "), result.stderr[-3000:]

    def test_forms(self):
        quoted = '"%s"' % INSTALLED
        cases = [
            (quoted, ["launcher (not in this build)"]),
            (quoted + " 1", ["launcher (not in this build)"]),
            ("-d", ["launcher (not in this build)"]),
            # A hand-over whose copy fails goes on as an ordinary start.
            ("-d C:\\nowhere\\Radure_YV.exe", ["launcher (not in this build)"]),
            (quoted + " -frameWnd=1234 -gameurl=http://127.0.0.1/play?svname=a b",
             ["game window in frame 1234 for http://127.0.0.1/play?svname=a b (not in this build)"]),
            (quoted + " -frameWnd=1234", ["launcher (not in this build)"]),
            (quoted + " -frameWnd=0 -gameurl=x", ["launcher (not in this build)"]),
            (quoted + " -frameWnd= 1234 -gameurl=x", ["launcher (not in this build)"]),
            (quoted + " -framewnd=1234 -gameurl=x", ["launcher (not in this build)"]),
            (quoted + " -gameurl=http://127.0.0.1/", ["launcher (not in this build)"]),
        ]
        for raw_line, expected in cases:
            with self.subTest(line=raw_line):
                code, traces, stderr = self.launch(raw_line)
                self.assertEqual(code, 0, stderr.decode("utf-8", "replace"))
                self.assertEqual(traces, expected)

    def test_started_from_a_shell_without_switch(self):
        # Wine's own start: the line is the program path, as a shortcut would give it.
        result = self.session.run(ARGS.exe, "1", wine_debug="-all,warn+seh")
        self.assertEqual(result.returncode, 0)
        self.assertEqual(debugger_lines(result.stderr, "Radure_YV: "), ["launcher (not in this build)"])


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    for option in ("--exe", "--rawlaunch", "--scripts", "--work"):
        parser.add_argument(option, required=True)
    ARGS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)
