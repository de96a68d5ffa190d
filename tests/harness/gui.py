"""GUI test harness: a private X display, Windows programs under Wine, and
xdotool/import to drive and photograph their windows.

Everything started here is stopped here, by PID; nothing else is touched.

    with Display() as display:
        app = display.run_windows(exe, ["-arg"])
        window = display.wait_window("Melodrix", pid=None, timeout=60)
        display.click(window, 10, 10)
        display.screenshot("out.png")
        app.stop()
"""
import os
import shutil
import subprocess
import tempfile
import time


def _free_display():
    for number in range(90, 200):
        if not os.path.exists(f"/tmp/.X{number}-lock") and not os.path.exists(f"/tmp/.X11-unix/X{number}"):
            return number
    raise RuntimeError("no free X display number between :90 and :199")


class WindowsProcess:
    """A program started under Wine; stop() ends it and only it."""

    def __init__(self, popen):
        self.popen = popen

    @property
    def pid(self):
        return self.popen.pid

    def wait(self, timeout):
        return self.popen.wait(timeout=timeout)

    def running(self):
        return self.popen.poll() is None

    def stop(self, timeout=10):
        if self.popen.poll() is not None:
            return self.popen.returncode
        self.popen.terminate()
        try:
            return self.popen.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            self.popen.kill()
            return self.popen.wait(timeout=timeout)


class Display:
    def __init__(self, width=1024, height=768):
        self.width, self.height = width, height
        self.number = None
        self.xvfb = None
        self.started = []

    # -- lifetime -----------------------------------------------------------
    def __enter__(self):
        for _ in range(5):
            self.number = _free_display()
            self.xvfb = subprocess.Popen(
                ["Xvfb", f":{self.number}", "-screen", "0", f"{self.width}x{self.height}x24", "-nolisten", "tcp"],
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            deadline = time.time() + 10
            while time.time() < deadline:
                if self.xvfb.poll() is not None:
                    break  # lost the race for this number; try another
                if subprocess.run(["xdpyinfo", "-display", self.env["DISPLAY"]],
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0:
                    return self
                time.sleep(0.1)
            self._stop_xvfb()
        raise RuntimeError("Xvfb did not start")

    def __exit__(self, *exc):
        for process in reversed(self.started):
            process.stop()
        self._stop_xvfb()

    def _stop_xvfb(self):
        if self.xvfb and self.xvfb.poll() is None:
            self.xvfb.terminate()
            try:
                self.xvfb.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.xvfb.kill()
                self.xvfb.wait()

    @property
    def env(self):
        env = dict(os.environ)
        env["DISPLAY"] = f":{self.number}"
        return env

    # -- programs -----------------------------------------------------------
    def run_windows(self, exe, args=(), cwd=None, env=None, stdout=subprocess.DEVNULL):
        """Starts a Windows program under Wine on this display."""
        command = [os.environ["MELODRIX_WINE_RUN"], "--prefix", os.environ["MELODRIX_WINE_PREFIX"], exe, *args]
        full_env = self.env
        full_env.update(env or {})
        process = WindowsProcess(subprocess.Popen(command, cwd=cwd, env=full_env, stdout=stdout,
                                                  stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL))
        self.started.append(process)
        return process

    # -- windows ------------------------------------------------------------
    def _xdotool(self, *args, check=True):
        result = subprocess.run(["xdotool", *args], env=self.env, capture_output=True, text=True)
        if check and result.returncode != 0:
            raise RuntimeError(f"xdotool {' '.join(args)} failed: {result.stderr.strip()}")
        return result.stdout.strip()

    def find_windows(self, name):
        out = self._xdotool("search", "--onlyvisible", "--name", f"^{name}$", check=False)
        return [int(w) for w in out.split()] if out else []

    def wait_window(self, name, timeout=60):
        """The id of the first visible top-level window with exactly this title."""
        deadline = time.time() + timeout
        while time.time() < deadline:
            found = self.find_windows(name)
            if found:
                return found[0]
            time.sleep(0.2)
        raise TimeoutError(f"no window named {name!r} within {timeout} s")

    def geometry(self, window):
        """(x, y, width, height) of a window on the screen."""
        values = {}
        for line in self._xdotool("getwindowgeometry", "--shell", str(window)).splitlines():
            key, _, value = line.partition("=")
            values[key] = int(value)
        return values["X"], values["Y"], values["WIDTH"], values["HEIGHT"]

    def click(self, window, x, y, button=1):
        """Clicks at (x, y) relative to the window's top-left corner."""
        self._xdotool("mousemove", "--window", str(window), str(x), str(y))
        time.sleep(0.1)
        self._xdotool("click", str(button))

    def key(self, window, *keys):
        self._xdotool("key", "--window", str(window), *keys)

    def type_text(self, window, text):
        self._xdotool("type", "--window", str(window), text)

    # -- pictures -----------------------------------------------------------
    def screenshot(self, path):
        subprocess.run(["import", "-display", self.env["DISPLAY"], "-window", "root", path], check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return path

    def pixels(self, path):
        """(width, height, rows) of a screenshot; rows[y][x] = (r, g, b)."""
        ppm = path + ".ppm"
        subprocess.run(["convert", path, "-depth", "8", ppm], check=True)
        with open(ppm, "rb") as f:
            data = f.read()
        os.unlink(ppm)
        parts = data.split(maxsplit=4)
        width, height = int(parts[1]), int(parts[2])
        raster = parts[4]
        rows = [[tuple(raster[(y * width + x) * 3:(y * width + x) * 3 + 3]) for x in range(width)]
                for y in range(height)]
        return width, height, rows


def artifacts_dir(name):
    """A folder for screenshots that survives the test (inside the build tree)."""
    base = os.path.join(os.environ.get("MELODRIX_BUILD_DIR", tempfile.gettempdir()), "test-artifacts", name)
    shutil.rmtree(base, ignore_errors=True)
    os.makedirs(base)
    return base


def windows_path(path):
    """The Wine (Z:) form of a Unix path."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")
