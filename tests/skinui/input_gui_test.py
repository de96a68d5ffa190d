"""Real mouse and keyboard input (xdotool) on a skinned window: a button
clicks only when released inside, a check box toggles, Tab walks the tab
stops in tree order and wraps, and hover reaches the controls."""
import os
import queue
import subprocess
import sys
import threading
import time

import gui

EXE = os.path.join(os.environ["MELODRIX_BUILD_DIR"], "tests", "skinui", "skinui_input_probe.exe")


class Probe:
    def __init__(self, display):
        self.display = display
        self.app = display.run_windows(EXE, stdout=subprocess.PIPE)
        self.lines = queue.Queue()
        threading.Thread(target=self._read, daemon=True).start()
        self.window = display.wait_window("InputProbe", timeout=90)

    def _read(self):
        for raw in self.app.popen.stdout:
            self.lines.put(raw.decode("utf-8", "replace").strip())

    def collect(self, seconds=0.8):
        time.sleep(seconds)
        seen = []
        while not self.lines.empty():
            seen.append(self.lines.get())
        return seen

    def xdo(self, *args):
        self.display._xdotool(*[str(a) for a in args])


def check(condition, message, failures):
    print(("ok   " if condition else "FAIL ") + message)
    if not condition:
        failures.append(message)


def main():
    failures = []
    with gui.Display() as display:
        probe = Probe(display)
        probe.collect(1.5)  # windowinit, the first focus

        display.click(probe.window, 150, 25)
        seen = probe.collect()
        check("click go" in seen, f"press and release inside the button clicks: {seen}", failures)
        check("mouseenter go" in seen, f"hover reaches the button: {seen}", failures)

        probe.xdo("mousemove", "--window", probe.window, 150, 25)
        time.sleep(0.2)
        probe.xdo("mousedown", 1)
        time.sleep(0.2)
        probe.xdo("mousemove", "--window", probe.window, 150, 175)
        time.sleep(0.2)
        probe.xdo("mouseup", 1)
        seen = probe.collect()
        check("click go" not in seen and "click closebtn" not in seen,
              f"released outside: no click: {seen}", failures)

        display.click(probe.window, 150, 75)
        seen = probe.collect()
        check("selectchanged agree" in seen, f"the check box says it changed: {seen}", failures)
        check("mouseleave go" in seen, f"leaving the button reaches it: {seen}", failures)

        focus_order = []
        for _ in range(4):
            display.key(probe.window, "Tab")
            focus_order += [line.split()[1] for line in probe.collect(0.5) if line.startswith("setfocus")]
        check(len(focus_order) == 4 and all(
            focus_order[i + 1] == {"go": "agree", "agree": "closebtn", "closebtn": "go"}[focus_order[i]]
            for i in range(3)), f"Tab walks go, agree, closebtn and wraps: {focus_order}", failures)

        probe.xdo("mousemove", "--window", probe.window, 150, 100)
        time.sleep(0.3)
        display.click(probe.window, 150, 125)
        seen = probe.collect()
        try:
            probe.app.popen.wait(timeout=20)
            closed = True
        except subprocess.TimeoutExpired:
            closed = False
        check(closed, f"the close button ends the program: {seen}", failures)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
