"""A Wine session of its own for one end-to-end test: fresh prefix, HOME, XDG folders and display.

Made and ended by scripts/wine-session; programs run through scripts/wine-run.
"""
import os
import re
import subprocess
import tempfile
import time


class WineSession:
    def __init__(self, scripts, folder):
        self.scripts = scripts
        self.folder = os.path.abspath(folder)
        self.env = dict(os.environ, RADURE_WINE_SESSION=self.folder)

    def __enter__(self):
        subprocess.run([os.path.join(self.scripts, "wine-session"), "start", self.folder],
                       check=True, stdout=subprocess.DEVNULL)
        return self

    def __exit__(self, *exc):
        subprocess.run([os.path.join(self.scripts, "wine-session"), "stop", self.folder], check=False)

    @property
    def drive_c(self):
        return os.path.join(self.folder, "prefix", "drive_c")

    def unix_path(self, windows_path):
        """The host path of a C:\\ path inside the prefix."""
        assert windows_path[:3].upper() == "C:\\", windows_path
        return os.path.join(self.drive_c, *windows_path[3:].split("\\"))

    @property
    def display(self):
        with open(os.path.join(self.folder, "env")) as f:
            return re.search(r"DISPLAY='([^']*)'", f.read()).group(1)

    def registry_text(self, key):
        """The key's values as `reg export` writes them (UTF-16 text), or None without the key."""
        exported = self.unix_path(r"C:\windows\temp\export.reg")
        self.run("reg", "export", key, "C:\\windows\\temp\\export.reg", "/y")
        if not os.path.exists(exported):
            return None
        with open(exported, "rb") as f:
            text = f.read().decode("utf-16")
        os.remove(exported)
        return text.replace("\\\\", "\\")

    def run(self, program, *args, extra_env=None, wine_debug="-all", timeout=120, stderr_path=None):
        """Runs a program to its end; answers a CompletedProcess with its output as bytes.

        Output goes through files, not pipes: Wine's desktop process, started by the first
        program that makes a window, inherits them and outlives the program. With stderr_path the
        error output goes to that file, where processes the program starts go on writing."""
        env = dict(self.env, WINEDEBUG=wine_debug, **(extra_env or {}))
        err_file = open(stderr_path, "w+b") if stderr_path else tempfile.TemporaryFile()
        with tempfile.TemporaryFile() as out, err_file as err:
            completed = subprocess.run([os.path.join(self.scripts, "wine-run"), program, *args], env=env,
                                       stdout=out, stderr=err, timeout=timeout)
            out.seek(0)
            err.seek(0)
            completed.stdout, completed.stderr = out.read(), err.read()
        return completed

    def start(self, program, *args, stdout_path, wine_debug="-all", extra_env=None, stderr_path=None):
        """Starts a program and answers its Popen; its output goes to a file, and with stderr_path
        its error output (where Wine reports debugger output) to another."""
        env = dict(self.env, WINEDEBUG=wine_debug, **(extra_env or {}))
        err = open(stderr_path, "wb") if stderr_path else subprocess.DEVNULL
        try:
            with open(stdout_path, "wb") as out:
                return subprocess.Popen([os.path.join(self.scripts, "wine-run"), program, *args], env=env,
                                        stdout=out, stderr=err)
        finally:
            if stderr_path:
                err.close()

    def kill(self, image_name):
        """Ends every process of the session that runs an executable of that file name."""
        self.run("taskkill", "/f", "/im", image_name)

    # --- the display --------------------------------------------------------------------------
    def x_env(self):
        return dict(os.environ, DISPLAY=self.display)

    def launcher_windows(self):
        """The launcher's visible X windows as (id, x, y, width, height), in stacking order."""
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--class", "radure_yv"],
                               env=self.x_env(), capture_output=True, text=True)
        windows = []
        for window in found.stdout.split():
            shell = subprocess.run(["xdotool", "getwindowgeometry", "--shell", window], env=self.x_env(),
                                   capture_output=True, text=True).stdout
            values = dict(line.split("=", 1) for line in shell.split() if "=" in line)
            if values:
                windows.append((window, int(values["X"]), int(values["Y"]), int(values["WIDTH"]),
                                int(values["HEIGHT"])))
        return windows

    def launcher_window_of_size(self, width, height):
        """The launcher's visible window of that size, or None."""
        for window in self.launcher_windows():
            if window[3:] == (width, height):
                return window
        return None

    def press(self, window, *keys):
        """Focuses the X window and presses the keys (xdotool names: Escape, Return, alt+F4)."""
        subprocess.run(["xdotool", "windowfocus", "--sync", window], env=self.x_env(), check=False)
        for key in keys:
            subprocess.run(["xdotool", "key", "--window", window, key], env=self.x_env(), check=True)

    def screenshot(self, path):
        os.makedirs(os.path.dirname(path), exist_ok=True)
        subprocess.run(["import", "-window", "root", path], env=self.x_env(), check=True)


def wait_for(condition, timeout=60):
    """Polls until the condition holds or the time is up; answers its last value."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if condition():
            return True
        time.sleep(0.2)
    return condition()


def debugger_lines(stderr, prefix):
    """The debugger-output lines (OutputDebugString) with the given prefix, as Wine's seh channel
    reports them when WINEDEBUG holds warn+seh."""
    marker = 'OutputDebugStringA "'
    lines = []
    for line in stderr.decode("utf-8", "replace").splitlines():
        at = line.find(marker)
        if at < 0:
            continue
        text = line[at + len(marker):]
        text = text[:text.rfind('"')].replace("\\n", "").replace('\\"', '"').replace("\\\\", "\\")
        if text.startswith(prefix):
            lines.append(text[len(prefix):])
    return lines
