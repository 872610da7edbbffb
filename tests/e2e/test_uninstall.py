"""Both uninstall stages with the real launcher under Wine and Xvfb.

Each test first installs as a normal start does (the install-only helper run as Radure_YV.exe,
then the real launcher put in its place), then starts the first stage the way the uninstall
shortcut does, answers the message box with real key presses and looks at what is left.
"""
import argparse
import os
import shutil
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from launcher_paths import APPDATA, DATA, GAME_MENU, INSTALLED, PROGRAMS, RECORD_KEY, UNINSTALL_KEY  # noqa: E402
from wine_session import WineSession, wait_for  # noqa: E402

ARGS = None
TEMPORARY = APPDATA + r"\cache\yvtstmpu.exe"


class UninstallTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        os.makedirs(ARGS.screenshots, exist_ok=True)
        cls.session = WineSession(ARGS.scripts, os.path.join(ARGS.work, "uninstall")).__enter__()

    @classmethod
    def tearDownClass(cls):
        cls.session.__exit__(None, None, None)

    def host(self, windows_path):
        return self.session.unix_path(windows_path)

    def setUp(self):
        for folder in (DATA, APPDATA + r"\cache", PROGRAMS + r"\岚栖网"):
            shutil.rmtree(self.host(folder), ignore_errors=True)
        shutil.rmtree(self.trash(), ignore_errors=True)
        helper = self.host(r"C:\dl\Radure_YV.exe")
        os.makedirs(os.path.dirname(helper), exist_ok=True)
        shutil.copy(ARGS.installstep, helper)
        self.assertEqual(self.session.run(helper).returncode, 0)
        shutil.copy(ARGS.exe, self.host(INSTALLED))
        with open(self.host(DATA + r"\res\update.log"), "wb") as f:
            f.write("x".encode("utf-16-le"))
        self.assertTrue(os.path.exists(self.desktop_link()))
        self.assertIsNotNone(self.session.registry_text(UNINSTALL_KEY))

    def desktop_link(self):
        return os.path.join(self.session.folder, "home", "Desktop", "岚栖网《澜岳》.lnk")

    def trash(self):
        return os.path.join(self.session.folder, "home", ".local", "share", "Trash", "files")

    def uninstall(self, executable, key, screenshot=None):
        """Starts the first stage as the shortcut does ("<exe>" -u), presses `key` in the box and
        answers the first stage's exit code."""
        out = os.path.join(self.session.folder, "first-stage.out")
        first = self.session.start(ARGS.rawlaunch, self.host(executable), stdout_path=out,
                                   extra_env={"RAWLAUNCH_LINE": '"%s" -u' % executable})
        self.assertTrue(wait_for(self.session.launcher_windows), "no message box")
        window = self.session.launcher_windows()[0][0]
        time.sleep(1)  # let it paint
        if screenshot:
            self.session.screenshot(os.path.join(ARGS.screenshots, screenshot))
        self.session.press(window, key)
        return first.wait(timeout=60)

    def test_escape_leaves_everything(self):
        self.assertEqual(self.uninstall(INSTALLED, "Escape", "uninstall-question.png"), 0)
        time.sleep(2)
        self.assertTrue(os.path.exists(self.host(INSTALLED)))
        self.assertTrue(os.path.exists(self.desktop_link()))
        self.assertTrue(os.path.exists(self.host(GAME_MENU + r"\澜岳.lnk")))
        self.assertTrue(os.path.exists(self.host(DATA + r"\res\systemset.ini")))
        self.assertIsNotNone(self.session.registry_text(UNINSTALL_KEY))
        self.assertFalse(os.path.exists(self.host(TEMPORARY)))  # no second stage was started

    def test_enter_removes_the_launcher_and_keeps_the_data_folder(self):
        self.assertEqual(self.uninstall(INSTALLED, "Return"), 0)
        self.assertTrue(wait_for(lambda: not os.path.exists(self.host(PROGRAMS + r"\岚栖网"))))
        self.assertTrue(wait_for(lambda: not os.path.exists(self.host(INSTALLED))))
        self.assertFalse(os.path.exists(self.desktop_link()))
        self.assertFalse(os.path.exists(self.host(DATA + r"\res")))
        self.assertIsNone(self.session.registry_text(UNINSTALL_KEY))
        # Left in place: the copy that ran the second stage, the data folder, the per-user record.
        self.assertTrue(os.path.exists(self.host(TEMPORARY)))
        self.assertTrue(os.path.isdir(self.host(DATA)))
        self.assertIsNotNone(self.session.registry_text(RECORD_KEY))
        # The shortcuts and res went to the recycle bin; the executable did not.
        trashed = os.listdir(self.trash())
        for name in ("岚栖网《澜岳》.lnk", "澜岳.lnk", "卸载-澜岳.lnk", "res"):
            self.assertIn(name, trashed)
        self.assertNotIn("Radure_YV.exe", trashed)

    def test_foreign_file_keeps_the_start_menu_folders(self):
        with open(self.host(GAME_MENU + r"\readme.txt"), "w") as f:
            f.write("not the launcher's")
        self.assertEqual(self.uninstall(INSTALLED, "Return"), 0)
        self.assertTrue(wait_for(lambda: not os.path.exists(self.host(INSTALLED))))
        self.assertTrue(wait_for(lambda: not os.path.exists(self.host(GAME_MENU + r"\澜岳.lnk"))))
        time.sleep(1)
        self.assertTrue(os.path.exists(self.host(GAME_MENU + r"\readme.txt")))

    def test_first_stage_from_elsewhere_removes_that_copy(self):
        elsewhere = r"C:\games\Radure_YV.exe"
        os.makedirs(self.host(r"C:\games\res"), exist_ok=True)
        shutil.copy(ARGS.exe, self.host(elsewhere))
        self.assertEqual(self.uninstall(elsewhere, "Return"), 0)
        self.assertTrue(wait_for(lambda: not os.path.exists(self.host(elsewhere))))
        self.assertTrue(wait_for(lambda: not os.path.exists(self.host(r"C:\games\res"))))
        self.assertTrue(os.path.exists(self.host(INSTALLED)))
        self.assertTrue(os.path.exists(self.host(DATA + r"\res\systemset.ini")))


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    for option in ("--exe", "--installstep", "--rawlaunch", "--scripts", "--work", "--screenshots"):
        parser.add_argument(option, required=True)
    ARGS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)
