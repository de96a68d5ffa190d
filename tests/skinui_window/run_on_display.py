"""Runs a Windows test program on a private X display (real windows need
one) and passes on its output and exit status."""
import subprocess
import sys

import gui


def main():
    exe, args = sys.argv[1], sys.argv[2:]
    with gui.Display() as display:
        program = display.run_windows(exe, args, stdout=subprocess.PIPE)
        try:
            out, _ = program.popen.communicate(timeout=120)
        except subprocess.TimeoutExpired:
            program.stop()
            print("FAIL: the test program did not finish within 120 s")
            return 1
        sys.stdout.write(out.decode("utf-8", "replace"))
        return program.popen.returncode


if __name__ == "__main__":
    sys.exit(main())
