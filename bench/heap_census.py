#!/usr/bin/env python3
"""Which large heap blocks rasterblick holds in the selection view, counted by
bench's allocation_census library (LD_PRELOAD): every block of 256 KiB or
more that is live, how many such blocks were made since the start, and the
most bytes they held at once. Tells whether each frame picture is held once.

    bench/heap_census.py build/release/rasterblick build/release/bench/liballocation_census.so

Needs DISPLAY with a window manager (scripts/lib/x-session.sh starts one).
"""

import os
import signal
import subprocess
import sys
import tempfile
import time

# Imports its neighbour without leaving a compiled copy in the tree.
sys.dont_write_bytecode = True
from idle_cost import open_selection_view  # noqa: E402


def take(program, library, settle=3.0):
    """Returns live (list of block sizes), made, peak_live_bytes, untracked."""
    with tempfile.TemporaryDirectory() as folder:
        report = os.path.join(folder, "census.txt")
        env = dict(os.environ, LD_PRELOAD=os.path.abspath(library), RB_ALLOCATION_CENSUS=report)
        process = subprocess.Popen([program], env=env, stderr=subprocess.DEVNULL)
        try:
            open_selection_view(process)
            time.sleep(settle)
            process.send_signal(signal.SIGUSR1)
            deadline = time.monotonic() + 10
            text = ""
            while not text.endswith("end\n") and time.monotonic() < deadline:
                time.sleep(0.1)
                if os.path.exists(report):
                    with open(report) as f:
                        text = f.read()
        finally:
            process.terminate()
            process.wait()
    if not text.endswith("end\n"):
        raise SystemExit("the allocation census was not written (is LD_PRELOAD honoured?)")
    result = {"live": []}
    for line in text.splitlines():
        name, _, value = line.partition(" ")
        if name == "live":
            result["live"].append(int(value))
        elif value:
            result[name] = int(value)
    return result


def main():
    r = take(os.path.abspath(sys.argv[1]), sys.argv[2])
    print("live blocks of 256 KiB or more: %s" % sorted(r["live"]))
    print("made since the start: %d, most live at once: %d bytes" % (r["made"],
                                                                     r["peak_live_bytes"]))


if __name__ == "__main__":
    main()
