#!/usr/bin/env python3
"""Runs a Wine command and relays its output until the command itself ends.

Wine starts helper processes (the desktop process, conhost) from whichever
program first needs them, and they inherit that program's standard streams.
A caller that waits for the end of those streams, like ctest, would wait for
the helpers too. This relay owns the program's pipes instead: it copies them
live, and once the program has exited and its last output is drained, it
leaves with the program's exit status, whatever the helpers still hold.

usage: wine-relay.py <wine64> <program> [args...]
"""
import os
import selectors
import signal
import subprocess
import sys


def main(argv):
    child = subprocess.Popen(argv, stdout=subprocess.PIPE, stderr=subprocess.PIPE)

    def forward(signum, _frame):
        child.send_signal(signum)

    for signum in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
        signal.signal(signum, forward)

    targets = {child.stdout.fileno(): sys.stdout.fileno(), child.stderr.fileno(): sys.stderr.fileno()}
    selector = selectors.DefaultSelector()
    for fd in targets:
        selector.register(fd, selectors.EVENT_READ)
    while selector.get_map():
        exited = child.poll() is not None
        events = selector.select(timeout=0.1)
        for key, _ in events:
            data = os.read(key.fd, 65536)
            if data:
                os.write(targets[key.fd], data)
            else:
                selector.unregister(key.fd)
        if exited and not events:
            break  # the program is gone and quiet; helpers may keep the pipes
    return child.wait()


if __name__ == "__main__":
    code = main(sys.argv[1:])
    sys.exit(code if code >= 0 else 128 - code)
