"""Start-up under a real X display: the stand-in main window is 600x400 and
visible, and a second copy of the installer exits with -1 without a window."""
import os
import sys
import time

import gui

EXE = os.path.join(os.environ["MELODRIX_BUILD_DIR"], "installer", "Melodrix.exe")
BLUE = (0x2D, 0x8C, 0xF0)


def bounding_box(rows, colour):
    xs, ys = [], []
    for y, row in enumerate(rows):
        for x, pixel in enumerate(row):
            if pixel == colour:
                xs.append(x)
                ys.append(y)
    if not xs:
        return None
    return min(xs), min(ys), max(xs) - min(xs) + 1, max(ys) - min(ys) + 1


def main():
    failures = []
    out = gui.artifacts_dir("startup_gui")
    with gui.Display() as display:
        first = display.run_windows(EXE)
        window = display.wait_window("Melodrix", timeout=90)
        time.sleep(1.0)  # let the first paint land
        _, _, width, height = display.geometry(window)
        if (width, height) != (600, 400):
            failures.append(f"window geometry {width}x{height}, expected 600x400")
        shot = display.screenshot(os.path.join(out, "first.png"))
        _, _, rows = display.pixels(shot)
        box = bounding_box(rows, BLUE)
        if box is None or box[2:] != (600, 400):
            failures.append(f"painted area {box}, expected a 600x400 window")

        second = display.run_windows(EXE)
        code = second.wait(timeout=60)
        # wine reports the Windows exit code -1 as 255
        if code != 255:
            failures.append(f"second copy exited with {code}, expected 255 (-1)")
        if len(display.find_windows("Melodrix")) != 1:
            failures.append("the second copy showed a window")
        if not first.running():
            failures.append("the first copy ended when the second started")

        display.key(window, "Escape")
        try:
            code = first.wait(timeout=30)
            if code != 0:
                failures.append(f"first copy exited with {code} after its window closed, expected 0")
        except Exception:
            failures.append("first copy did not end after its window was closed")
    for failure in failures:
        print("FAIL:", failure)
    print(f"screenshot: {shot}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
