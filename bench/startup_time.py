#!/usr/bin/env python3
"""Start-up time of the real game on a pseudo-terminal: from exec to the first bytes
written, and to the first line of the title drawn. Usage: startup_time.py BINARY [RUNS].
The game runs with --mute unless VEXAMOR_ARGS says otherwise (VEXAMOR_ARGS= for sound)."""
import os
import pty
import select
import signal
import statistics
import sys
import time


def measure(binary):
    start = time.monotonic()
    pid, fd = pty.fork()
    if pid == 0:
        os.environ["TERM"] = "xterm-256color"
        os.execv(binary, [binary] + os.environ.get("VEXAMOR_ARGS", "--mute").split())
    first_output = first_banner = None
    seen = b""
    deadline = start + 5
    while first_banner is None and time.monotonic() < deadline:
        ready, _, _ = select.select([fd], [], [], 0.05)
        if not ready:
            continue
        try:
            chunk = os.read(fd, 65536)
        except OSError:
            break
        now = time.monotonic()
        if first_output is None:
            first_output = now
        seen += chunk
        if b".--." in seen:
            first_banner = now
    os.kill(pid, signal.SIGTERM)
    os.waitpid(pid, 0)
    os.close(fd)
    return (first_output - start) * 1000, (first_banner - start) * 1000


def main():
    binary = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 20
    results = [measure(binary) for _ in range(runs)]
    for label, index in (("first output", 0), ("first banner line", 1)):
        values = [r[index] for r in results]
        print(f"{label}: median {statistics.median(values):.1f} ms, max {max(values):.1f} ms over {runs} runs")


if __name__ == "__main__":
    main()
