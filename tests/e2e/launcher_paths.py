"""Where the launcher keeps its things inside a test prefix (user root), as Windows paths."""

APPDATA = r"C:\users\root\AppData\Roaming"
DATA = APPDATA + r"\yarvo\kolv"
INSTALLED = DATA + r"\Radure_YV.exe"
PROGRAMS = APPDATA + r"\Microsoft\Windows\Start Menu\Programs"
GAME_MENU = PROGRAMS + r"\岚栖网\澜岳"
UNINSTALL_KEY = r"HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\岚栖网澜岳"
RECORD_KEY = r"HKCU\Software\岚栖网澜岳\Radure_YV\岚栖网澜岳"


def read(path):
    with open(path, "rb") as f:
        return f.read()
