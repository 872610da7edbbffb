"""The login window as a player meets it: the real launcher under Wine and Xvfb, each class in a
fresh prefix, against the local reference server on the port the test launchers are built with.

Wine has no HTML engine here: the login page is requested but never shown, so the popup keeps its
loading picture, and the page's failure starts the version check as its first document would.
"""
import argparse
import os
import re
import shutil
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from update_log import log_messages  # noqa: E402
from launcher_paths import DATA, GAME_MENU, INSTALLED, UNINSTALL_KEY, read  # noqa: E402
from wine_session import WineSession, debugger_lines, wait_for  # noqa: E402

ARGS = None
DOWNLOADED = r"C:\users\root\Downloads\Radure_YV.exe"
LOGIN_SIZE = (970, 695)
POPUP_SIZE = (619, 422)
BOX_SIZE = (258, 112)
LOGIN_PAGE = re.compile(r'"path": "/client/gamecode/kolv/mac/((?:[0-9A-F]{2}-){5}[0-9A-F]{2})?/"')



def pixel(png, x, y):
    """The (red, green, blue) of one pixel of a screenshot."""
    text = subprocess.run(["convert", png, "-crop", "1x1+%d+%d" % (x, y), "-depth", "8", "txt:-"],
                          capture_output=True, text=True, check=True).stdout
    return tuple(int(v) for v in re.search(r"\((\d+),(\d+),(\d+)", text).groups())


class LoginSession:
    """A fresh session with the server on the launchers' port and a launcher started as a player
    starts a freshly downloaded copy."""
    name = None
    server_options = []

    @classmethod
    def setUpClass(cls):
        os.makedirs(ARGS.work, exist_ok=True)
        cls.session = WineSession(ARGS.scripts, os.path.join(ARGS.work, cls.name)).__enter__()
        cls.server_dir = os.path.join(cls.session.folder, "server")
        subprocess.run([os.path.join(ARGS.scripts, "devserver"), "start", cls.server_dir,
                        "--port", str(ARGS.port), *cls.server_options], check=True)
        cls.base = "http://127.0.0.1:%d" % ARGS.port
        downloaded = cls.session.unix_path(DOWNLOADED)
        os.makedirs(os.path.dirname(downloaded), exist_ok=True)
        shutil.copy(ARGS.exe, downloaded)
        cls.trace = os.path.join(cls.session.folder, "launcher.err")
        cls.launcher = cls.session.start(downloaded, wine_debug="-all,warn+seh", stderr_path=cls.trace,
                                         stdout_path=os.path.join(cls.session.folder, "launcher.out"))

    @classmethod
    def tearDownClass(cls):
        subprocess.run([os.path.join(ARGS.scripts, "devserver"), "stop", cls.server_dir], check=False)
        cls.session.__exit__(None, None, None)

    def host(self, windows_path):
        return self.session.unix_path(windows_path)

    def requests(self):
        path = os.path.join(self.server_dir, "requests.log")
        return read(path).decode("utf-8") if os.path.exists(path) else ""

    def traces(self):
        return debugger_lines(read(self.trace), "Radure_YV: ")

    def log(self):
        return log_messages(self.host(DATA + r"\res\update.log"))


class LoginWindowTest(LoginSession, unittest.TestCase):
    name = "login"
    server_options = ["--answer", "none"]

    def login_and_popup(self):
        self.assertTrue(wait_for(lambda: self.session.launcher_window_of_size(*POPUP_SIZE)
                                 and self.session.launcher_window_of_size(*LOGIN_SIZE)),
                        self.session.launcher_windows())
        return self.session.launcher_window_of_size(*LOGIN_SIZE), self.session.launcher_window_of_size(*POPUP_SIZE)

    def test_1_a_normal_start_installs_and_asks_for_the_login_page_with_the_adapter(self):
        self.assertTrue(wait_for(lambda: LOGIN_PAGE.search(self.requests())), self.requests())
        # The page fails without an HTML engine; that failure starts the one version check.
        self.assertTrue(wait_for(lambda: "v=1.0.1.0" in self.requests()), self.requests())
        self.assertEqual(self.requests().count("getClientVersion.php"), 1)
        self.assertEqual(self.log()[:3], [self.base + "/getClientVersion.php?p=yarvo&g=kolv&v=1.0.1.0",
                                          "Http QueryInfoStatusCode:200", "Server response check version msg:-1"])

        self.assertEqual(read(self.host(INSTALLED)), read(ARGS.exe))
        self.assertTrue(os.path.exists(self.host(DATA + r"\res\systemset.ini")))
        self.assertTrue(os.path.exists(os.path.join(self.session.folder, "home", "Desktop", "岚栖网《澜岳》.lnk")))
        for link in ("澜岳.lnk", "卸载-澜岳.lnk"):
            self.assertTrue(os.path.exists(self.host(GAME_MENU + "\\" + link)), link)
        self.assertIn(INSTALLED, self.session.registry_text(UNINSTALL_KEY) or "")
        self.assertEqual(self.traces(), ["launcher"])

    def test_2_the_popup_floats_over_the_dark_panel(self):
        login, popup = self.login_and_popup()
        self.assertEqual((popup[1] - login[1], popup[2] - login[2]), (326, 168))
        time.sleep(1)  # let the buttons paint
        shot = os.path.join(ARGS.screenshots, "login.png")
        self.session.screenshot(shot)
        x, y = popup[1], popup[2]
        # The popup's green is see-through: the login picture shows there, never the key colour.
        self.assertNotEqual(pixel(shot, x + 20, y + 20), (0, 255, 0))
        self.assertNotEqual(pixel(shot, x + 610, y + 60), (0, 255, 0))
        # Its panel is dark; its buttons sit at the top right.
        self.assertLess(sum(pixel(shot, x + 100, y + 300)), 120)
        self.assertNotEqual(pixel(shot, x + 619 - 11, y + 11), pixel(shot, x + 619 - 11, y + 40))

    def test_3_keys_never_close_it_and_quitting_asks_first(self):
        login, popup = self.login_and_popup()
        for window in (login, popup):
            self.session.press(window[0], "Escape", "Return", "space")
        time.sleep(2)
        self.assertIsNone(self.session.launcher_window_of_size(*BOX_SIZE))
        self.assertIsNone(self.launcher.poll())

        # Alt+F4 asks; Escape in the question keeps everything.
        self.session.press(login[0], "alt+F4")
        self.assertTrue(wait_for(lambda: self.session.launcher_window_of_size(*BOX_SIZE), timeout=30))
        time.sleep(1)
        self.session.screenshot(os.path.join(ARGS.screenshots, "login-quit-question.png"))
        self.session.press(self.session.launcher_window_of_size(*BOX_SIZE)[0], "Escape")
        self.assertTrue(wait_for(lambda: not self.session.launcher_window_of_size(*BOX_SIZE), timeout=30))
        time.sleep(1)
        self.assertIsNone(self.launcher.poll())
        self.login_and_popup()

        # Confirmed, the launcher ends with exit code 0 and nothing else opens.
        self.session.press(login[0], "alt+F4")
        self.assertTrue(wait_for(lambda: self.session.launcher_window_of_size(*BOX_SIZE), timeout=30))
        self.session.press(self.session.launcher_window_of_size(*BOX_SIZE)[0], "Return")
        self.assertEqual(self.launcher.wait(timeout=60), 0)
        self.assertEqual(self.traces(), ["launcher"])


class LoginUpdateTest(LoginSession, unittest.TestCase):
    name = "login-update"

    @classmethod
    def setUpClass(cls):
        cls.server_options = ["--answer", "update", "--file", ARGS.new, "--current-version", "1.0.1.1"]
        super().setUpClass()

    def test_the_page_navigation_runs_the_whole_update_chain(self):
        # The downloaded 1.0.1.0 installs itself, its login page fails and starts the check, the
        # served 1.0.1.1 is downloaded and handed over, and the installed copy starts afresh.
        self.assertEqual(self.launcher.wait(timeout=120), 0)
        self.assertTrue(wait_for(lambda: self.traces() == ["launcher", "launcher"]), self.traces())
        self.assertTrue(wait_for(lambda: os.path.exists(self.host(INSTALLED))
                                 and read(self.host(INSTALLED)) == read(ARGS.new)))
        download = self.base + "/download/normal/" + os.path.basename(ARGS.new)
        log = self.log()
        self.assertEqual(log[:11], [
            self.base + "/getClientVersion.php?p=yarvo&g=kolv&v=1.0.1.0",
            "Http QueryInfoStatusCode:200",
            "Server response check version msg:" + download,
            "ExcuUpdate,URL=" + download,
            "Http QueryInfoStatusCode:200",
            "Content length:%d" % os.path.getsize(ARGS.new),
            "Finish download,file size=%d" % os.path.getsize(ARGS.new),
            "Finish download,file md5=" + log[7].split("=", 1)[1],
            "Finish download,current file md5=" + log[7].split("=", 1)[1],
            "Update success.Current Version:1.0.1.1",
            "=====================",
        ])
        # The restarted copy shows the login again and is told it is current.
        self.assertTrue(wait_for(lambda: "v=1.0.1.1" in self.requests()), self.requests())
        self.assertEqual(len(LOGIN_PAGE.findall(self.requests())), 2)
        self.assertTrue(wait_for(lambda: self.session.launcher_window_of_size(*LOGIN_SIZE)))


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    for option in ("--exe", "--new", "--port", "--scripts", "--work", "--screenshots"):
        parser.add_argument(option, required=True)
    ARGS, rest = parser.parse_known_args()
    ARGS.port = int(ARGS.port)
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)
