"""The shadow of a real window under Wine, from screenshots: the demo
window (white, 600x400, round corners) has a red colour shadow of size 10
with no offset. The test moves, shrinks, grows, hides, shows, minimises and
restores it through the demo's command file and checks that the red ring
follows. A second run gives the demo a red nine-grid image instead (image
mode, 10 pixels beyond each side) and checks that ring."""
import os
import struct
import sys
import time
import zlib

import gui

EXE = os.path.join(os.environ["MELODRIX_BUILD_DIR"], "tools", "shadowdemo", "shadowdemo.exe")
SIZE = 10  # the demo's shadow size: the shadow window is the parent grown by 10 on each side


def is_red(pixel):
    r, g, b = pixel
    return r >= 200 and g <= 40 and b <= 40


def is_white(pixel):
    return min(pixel) >= 240


def is_black(pixel):
    return max(pixel) <= 10


class Demo:
    def __init__(self, display, folder, image=None):
        self.display = display
        self.folder = folder
        self.commands = os.path.join(folder, "commands.txt")
        self.state_file = self.commands + ".state"
        open(self.commands, "w").close()
        if os.path.exists(self.state_file):
            os.remove(self.state_file)  # left by an earlier run in this folder
        self.number = 0
        args = [gui.windows_path(self.commands)] + ([gui.windows_path(image)] if image else [])
        self.app = display.run_windows(EXE, args)
        display.wait_window("ShadowDemo", timeout=90)

    def run(self, command):
        """Runs one command and returns the demo's state after it."""
        self.number += 1
        with open(self.commands, "a") as f:
            f.write(f"{self.number} {command}\n")
        deadline = time.time() + 20
        while time.time() < deadline:
            state = self.state()
            if state and state["number"] == self.number:
                time.sleep(0.6)  # let the X server show the result
                return state
            time.sleep(0.05)
        raise TimeoutError(f"the demo did not run {command!r}")

    def state(self):
        try:
            with open(self.state_file) as f:
                values = [int(v) for v in f.read().split()]
        except (OSError, ValueError):
            return None
        if len(values) != 10:
            return None
        return {"number": values[0], "parent": tuple(values[1:5]), "shadow": tuple(values[5:9]),
                "visible": values[9] == 1}

    def shot(self, name):
        path = self.display.screenshot(os.path.join(self.folder, name + ".png"))
        return self.display.pixels(path)[2]


def write_red_png(path, size=30):
    raw = b"".join(b"\x00" + bytes([255, 0, 0, 255]) * size for _ in range(size))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def ring_problems(rows, parent, fades=True):
    """What is wrong with the red ring around the parent rectangle (l, t, r, b; r and b exclusive)."""
    left, top, right, bottom = parent
    mid_x, mid_y = (left + right) // 2, (top + bottom) // 2
    checks = [
        ("inside the parent", (mid_x, mid_y), is_white),
        ("left shadow", (left - 3, mid_y), is_red),
        ("right shadow", (right + 2, mid_y), is_red),
        ("top shadow", (mid_x, top - 3), is_red),
        ("bottom shadow", (mid_x, bottom + 2), is_red),
        ("beyond the left shadow", (left - SIZE - 3, mid_y), is_black),
        ("beyond the right shadow", (right + SIZE + 2, mid_y), is_black),
        ("beyond the top shadow", (mid_x, top - SIZE - 3), is_black),
        ("beyond the bottom shadow", (mid_x, bottom + SIZE + 2), is_black),
    ]
    problems = []
    for what, (x, y), test in checks:
        if not test(rows[y][x]):
            problems.append(f"{what} at {x},{y} is {rows[y][x]}")
    # The colour shadow fades outward: darker red further from the parent.
    outer, inner = rows[mid_y][left - SIZE + 1][0], rows[mid_y][left - 2][0]
    if fades and not outer < inner:
        problems.append(f"no fade on the left: red {outer} outside, {inner} near the parent")
    return problems


def red_count(rows):
    return sum(1 for row in rows for pixel in row if is_red(pixel))


def main():
    failures = []
    folder = gui.artifacts_dir("shadow_gui")

    def expect(condition, message):
        if not condition:
            failures.append(message)

    def expect_ring(state, name, fades=True):
        expect(state["visible"], f"{name}: the shadow window is hidden")
        l, t, r, b = state["parent"]
        expect(state["shadow"] == (l - SIZE, t - SIZE, r + SIZE, b + SIZE),
               f"{name}: shadow window {state['shadow']} around parent {state['parent']}")
        for problem in ring_problems(demo.shot(name), state["parent"], fades):
            failures.append(f"{name}: {problem}")

    def expect_no_shadow(state, name):
        expect(not state["visible"], f"{name}: the shadow window is still shown")
        count = red_count(demo.shot(name))
        expect(count == 0, f"{name}: {count} red pixels on the screen")

    with gui.Display() as display:
        demo = Demo(display, folder)
        expect_ring(demo.run("move 200 150"), "start")
        moved = demo.run("move 300 250")
        expect_ring(moved, "moved")
        rows = demo.shot("moved-old-place")
        expect(is_black(rows[300][197]), f"moved: the old shadow is still drawn ({rows[300][197]})")
        expect_ring(demo.run("size 400 300"), "shrunk")
        expect_ring(demo.run("size 640 420"), "grown")
        expect_no_shadow(demo.run("hide"), "hidden")
        expect_ring(demo.run("show"), "shown")
        expect_no_shadow(demo.run("minimize"), "minimised")
        expect_ring(demo.run("restore"), "restored")
        demo.run("quit")
        try:
            code = demo.app.wait(timeout=30)
            expect(code == 0, f"the demo exited with {code}")
        except Exception:
            failures.append("the demo did not end after quit")

    image = os.path.join(folder, "red.png")
    write_red_png(image)
    with gui.Display() as display:
        demo = Demo(display, folder, image)
        expect_ring(demo.run("move 200 150"), "image-start", fades=False)
        expect_ring(demo.run("move 260 200"), "image-moved", fades=False)
        expect_ring(demo.run("size 500 300"), "image-shrunk", fades=False)
        demo.run("quit")
        demo.app.wait(timeout=30)

    for failure in failures:
        print("FAIL:", failure)
    print("screenshots:", folder)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
