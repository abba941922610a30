#!/usr/bin/env python3
"""What rasterblick costs while it sits in the selection view with both logo
pulses running: CPU time over a window of seconds (as a share of one core) and
its resident memory at the start and the end of that window.

    bench/idle_cost.py build/release/rasterblick [seconds]

Needs DISPLAY with a window manager (scripts/lib/x-session.sh starts one).
"""

import os
import subprocess
import sys
import time

CLOCK_TICKS = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    # utime and stime are fields 14 and 15 of the whole line.
    return (int(fields[11]) + int(fields[12])) / CLOCK_TICKS


def resident_kib(pid):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def main():
    program = os.path.abspath(sys.argv[1])
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 60.0
    process = subprocess.Popen([program], stderr=subprocess.DEVNULL)
    try:
        window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^RASTERBLICK$"],
                                capture_output=True, text=True, timeout=30).stdout.split()[0]
        time.sleep(1.0)
        # "Start" lies at (16, 136) in the client area, 169 x 25 pixels.
        subprocess.run(["xdotool", "mousemove", "--window", window, "100", "148", "click", "1"],
                       check=True)
        subprocess.run(["xdotool", "mousemove", "0", "0"], check=True)
        # Let the selection view settle: first paints fill the toolkit's caches.
        time.sleep(10.0)
        cpu_before = cpu_seconds(process.pid)
        rss_before = resident_kib(process.pid)
        started = time.monotonic()
        time.sleep(seconds)
        elapsed = time.monotonic() - started
        cpu_used = cpu_seconds(process.pid) - cpu_before
        rss_after = resident_kib(process.pid)
        print("selection view, both pulses, %.0f s: CPU %.2f s = %.2f %% of one core" % (
            elapsed, cpu_used, 100.0 * cpu_used / elapsed))
        print("resident memory: %d KiB at the start, %d KiB at the end (%+d KiB)" % (
            rss_before, rss_after, rss_after - rss_before))
    finally:
        process.terminate()
        process.wait()


if __name__ == "__main__":
    main()
