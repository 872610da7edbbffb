"""The installation step as real launchers run it, in a fresh Wine session: which copy ends up
installed when launchers of other versions and names start, and where the shortcuts point."""
import argparse
import os
import shutil
import sys
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from launcher_paths import APPDATA, DATA, read  # noqa: E402
from wine_session import WineSession  # noqa: E402

ARGS = None
STEPS = {}



def mentions(link_path, text):
    """Whether a shell link names the text, in either of the encodings links store paths in."""
    data = read(link_path)
    return text.encode("utf-16-le") in data or text.encode("ascii") in data


class InstallationTest(unittest.TestCase):
    def setUp(self):
        self.session = WineSession(ARGS.scripts, os.path.join(ARGS.work, "installation-" + self._testMethodName))
        self.session.__enter__()
        self.addCleanup(self.session.__exit__, None, None, None)

    def start(self, version, folder, name="Radure_YV.exe"):
        """Puts the helper of that version at C:\\<folder>\\<name> and runs it to its end."""
        windows_path = "C:\\%s\\%s" % (folder, name)
        host = self.session.unix_path(windows_path)
        os.makedirs(os.path.dirname(host), exist_ok=True)
        shutil.copy(STEPS[version], host)
        result = self.session.run(host)
        self.assertEqual(result.returncode, 0, result.stderr[-2000:])
        return host

    def data(self, *parts):
        return self.session.unix_path("\\".join([DATA] + list(parts)))

    def start_menu(self, name):
        return self.session.unix_path(
            APPDATA + r"\Microsoft\Windows\Start Menu\Programs\岚栖网\澜岳" + "\\" + name)

    def desktop_link(self):
        return os.path.join(self.session.folder, "home", "Desktop", "岚栖网《澜岳》.lnk")

    def settings(self):
        return read(self.data("res", "systemset.ini")).decode("gbk")

    def test_newer_replaces_and_older_does_not(self):
        first = self.start("1.0.1.0", "dl1")
        self.assertEqual(read(self.data("Radure_YV.exe")), read(first))
        self.assertIn("firststart=0", self.settings())
        self.assertIn("start=1001", self.settings())
        self.assertTrue(os.path.exists(self.desktop_link()))
        desktop_before = os.stat(self.desktop_link()).st_mtime_ns

        with open(self.data("res", "systemset.ini"), "r+b") as f:  # mark the first-start step due again
            text = f.read().replace(b"firststart=0", b"firststart=1")
            f.seek(0)
            f.write(text)
        newer = self.start("1.0.1.1", "dl2")
        self.assertEqual(read(self.data("Radure_YV.exe")), read(newer))
        self.assertIn("firststart=0", self.settings())

        self.start("1.0.0.9", "dl3")
        self.assertEqual(read(self.data("Radure_YV.exe")), read(newer))
        self.assertTrue(mentions(self.start_menu("澜岳.lnk"), DATA + "\\Radure_YV.exe"))
        self.assertEqual(os.stat(self.desktop_link()).st_mtime_ns, desktop_before)

    def test_installed_copy_without_version_is_replaced(self):
        self.start("none", "dl1")
        older = self.start("1.0.0.9", "dl2")
        self.assertEqual(read(self.data("Radure_YV.exe")), read(older))

    def test_another_file_name_installs_a_second_copy(self):
        self.start("1.0.1.0", "dl1")
        other = self.start("1.0.1.0", "dl2", "Other.exe")
        self.assertEqual(read(self.data("Other.exe")), read(other))
        self.assertTrue(os.path.exists(self.data("Radure_YV.exe")))
        for link in ("澜岳.lnk", "卸载-澜岳.lnk"):
            self.assertTrue(mentions(self.start_menu(link), DATA + "\\Other.exe"), link)
        self.assertTrue(mentions(self.desktop_link(), DATA + "\\Radure_YV.exe"))
        record = self.session.registry_text(r"HKCU\Software\岚栖网澜岳\Other\岚栖网澜岳")
        self.assertIn('"Path"="%s\\Other.exe"' % DATA, record)
        self.assertIn('"UninstallString"="%s\\Other.exe -u"' % DATA, record)
        entry = self.session.registry_text(r"HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\岚栖网澜岳")
        self.assertIn('"Path"="%s\\Radure_YV.exe"' % DATA, entry)  # an existing entry is kept


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    parser.add_argument("--installstep", action="append", required=True, help="VERSION=PATH")
    parser.add_argument("--scripts", required=True)
    parser.add_argument("--work", required=True)
    ARGS, rest = parser.parse_known_args()
    STEPS = dict(item.split("=", 1) for item in ARGS.installstep)
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)
