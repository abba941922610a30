#!/usr/bin/env python3
"""What rasterblick costs while it sits in the selection view with both logo
pulses running: CPU time over a window of seconds (as a share of one core),
its resident memory at the start and the end of that window and its peak
(VmHWM). Any step in resident memory during the window is printed with the
mappings that grew, read from /proc/PID/smaps.

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


def status_kib(pid, key):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith(key + ":"):
                return int(line.split()[1])
    return 0


def mappings(pid):
    """Resident KiB per mapping, keyed by address range and name."""
    result = {}
    key = None
    with open("/proc/%d/smaps" % pid) as f:
        for line in f:
            head = line.split()
            if "-" in head[0] and not head[0].endswith(":"):
                key = "%s %s" % (head[0], head[5] if len(head) > 5 else "[anon]")
            elif head[0] == "Rss:":
                result[key] = int(head[1])
    return result


def grown(before, after):
    """Lines naming each mapping whose resident size changed."""
    lines = []
    for key in sorted(set(before) | set(after)):
        delta = after.get(key, 0) - before.get(key, 0)
        if delta:
            lines.append("%+6d KiB  %s" % (delta, key))
    return lines


def open_selection_view(process):
    """Clicks "Start" in the main window of the running program."""
    window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--all", "--pid",
                             str(process.pid), "--name", "^RASTERBLICK$"],
                            capture_output=True, text=True, timeout=30).stdout.split()[0]
    # Loading ends well within this; the button shows only then.
    time.sleep(1.0)
    # "Start" lies at (16, 136) in the client area, 169 x 25 pixels.
    subprocess.run(["xdotool", "mousemove", "--window", window, "100", "148", "click", "1"],
                   check=True)
    subprocess.run(["xdotool", "mousemove", "0", "0"], check=True)


def measure(program, seconds, settle=10.0, env=None, also=None, log=print):
    """Returns cpu (s), elapsed (s), rss_before, rss_after and hwm (KiB) of
    `seconds` in the selection view, after `settle` seconds there, the
    number of threads at its start and end, and in
    also_cpu the CPU seconds that the processes named in `also` (name: pid,
    e.g. the X server that paints for it) took meanwhile."""
    also = also or {}
    process = subprocess.Popen([program], env=env, stderr=subprocess.DEVNULL)
    try:
        open_selection_view(process)
        # First paints fill the toolkit's caches.
        time.sleep(settle)
        pid = process.pid
        cpu_before = cpu_seconds(pid)
        threads_before = status_kib(pid, "Threads")
        also_before = {name: cpu_seconds(other) for name, other in also.items()}
        rss_before = status_kib(pid, "VmRSS")
        maps_before = mappings(pid)
        started = time.monotonic()
        last_rss = rss_before
        while time.monotonic() - started < seconds:
            time.sleep(min(1.0, max(0.0, seconds - (time.monotonic() - started))))
            rss = status_kib(pid, "VmRSS")
            if rss != last_rss:
                log("  at %4.1f s resident memory %+d KiB (now %d KiB, %d threads)" % (
                    time.monotonic() - started, rss - last_rss, rss, status_kib(pid, "Threads")))
                last_rss = rss
        elapsed = time.monotonic() - started
        cpu = cpu_seconds(pid) - cpu_before
        result = {
            "cpu": cpu,
            "elapsed": elapsed,
            "rss_before": rss_before,
            "rss_after": status_kib(pid, "VmRSS"),
            "hwm": status_kib(pid, "VmHWM"),
            "threads": (threads_before, status_kib(pid, "Threads")),
            "also_cpu": {name: cpu_seconds(other) - also_before[name]
                         for name, other in also.items()},
        }
        for line in grown(maps_before, mappings(pid)):
            log("  mapping " + line)
        return result
    finally:
        process.terminate()
        process.wait()


def main():
    program = os.path.abspath(sys.argv[1])
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 60.0
    r = measure(program, seconds)
    print("selection view, both pulses, %.0f s: CPU %.2f s = %.2f %% of one core" % (
        r["elapsed"], r["cpu"], 100.0 * r["cpu"] / r["elapsed"]))
    print("resident memory: %d KiB at the start, %d KiB at the end (%+d KiB), peak %d KiB" % (
        r["rss_before"], r["rss_after"], r["rss_after"] - r["rss_before"], r["hwm"]))
    print("threads: %d at the start, %d at the end" % r["threads"])


if __name__ == "__main__":
    main()
