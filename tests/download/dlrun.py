"""Runs tools/dltool under Wine and parses its event lines."""
import os
import subprocess
import time

WINE_RUN = os.environ.get("MELODRIX_WINE_RUN", "")
PREFIX = os.environ.get("MELODRIX_WINE_PREFIX", "")
BUILD = os.environ.get("MELODRIX_BUILD_DIR", "")
DLTOOL = os.path.join(BUILD, "tools", "dltool", "dltool.exe")


def win_path(unix_path):
    return "Z:" + unix_path.replace("/", "\\")


class Run:
    def __init__(self, rc, events, seconds, stderr):
        self.rc, self.events, self.seconds, self.stderr = rc, events, seconds, stderr

    def codes(self, progress=False):
        return [c for c, _, _ in self.events if progress or c != 1002]

    def progress(self):
        return [v for c, v, _ in self.events if c == 1002]

    def __repr__(self):
        return f"Run(rc={self.rc}, {self.seconds:.1f}s, events={self.events}, stderr={self.stderr[-300:]!r})"


def run_dltool(download_type, url, target, env=None, timeout=120, log=None):
    full_env = dict(os.environ)
    if env:
        full_env.update(env)
    cmd = [WINE_RUN, "--prefix", PREFIX, DLTOOL] + ([f"-log={win_path(log)}"] if log else []) + [f"-type={download_type}", url, win_path(target) if target else ""]
    started = time.monotonic()
    proc = subprocess.run(cmd, capture_output=True, timeout=timeout, env=full_env)
    seconds = time.monotonic() - started
    events = []
    for line in proc.stdout.decode("utf-8", "replace").splitlines():
        code, _, rest = line.partition(" ")
        value, _, text = rest.partition(" ")
        try:
            events.append((int(code), float(value), text))
        except ValueError:
            pass
    return Run(proc.returncode, events, seconds, proc.stderr.decode("utf-8", "replace"))
