#!/usr/bin/env python3
"""Start-up time of rasterblick: from starting the process to the moment its
main window reads "Ladevorgang erfolgreich beendet." (the end of loading).

The moment is taken from the accessibility bus: the name-change event of the
label, time-stamped on arrival, so a screen reader would know it as early.
Needs DISPLAY, a session bus with the AT-SPI bus (scripts/lib/x-session.sh
starts both) and openbox. Prints each run and the median.

Given several programs (e.g. rasterblick and bench's bare_qt_window, whose
label changes to the same text), runs them in turn, each round in the
opposite order, after one run of each that is not counted, and prints each
median and their ratio to the last one's.

    bench/startup_time.py build/release/rasterblick [more programs] [runs]
"""

import os
import statistics
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

DONE = "Ladevorgang erfolgreich beendet."


CLOCK_TICKS = os.sysconf("SC_CLK_TCK")


def costs_so_far(pid):
    """Peak resident memory (KiB), CPU time (s) and minor page faults of a
    running process."""
    costs = {"hwm": 0, "cpu": 0.0, "faults": 0}
    try:
        with open("/proc/%d/status" % pid) as f:
            for line in f:
                if line.startswith("VmHWM:"):
                    costs["hwm"] = int(line.split()[1])
        with open("/proc/%d/stat" % pid) as f:
            fields = f.read().rsplit(")", 1)[1].split()
        # minflt, utime and stime are fields 10, 14 and 15 of the whole line.
        costs["faults"] = int(fields[7])
        costs["cpu"] = (int(fields[11]) + int(fields[12])) / CLOCK_TICKS
    except OSError:
        pass
    return costs


def close(process):
    # As the close button does: the window manager asks the window to close.
    windows = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--all", "--pid",
                              str(process.pid), "--name", "^RASTERBLICK$"],
                             capture_output=True, text=True, timeout=20).stdout.split()
    for window in windows:
        subprocess.run(["wmctrl", "-i", "-c", hex(int(window))], check=False)
    try:
        process.wait(timeout=10)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


def one_run(program, extra_env=None):
    """Seconds from the start to the end of loading, and what the process
    had cost by then (costs_so_far)."""
    seen = {}
    started = {}

    def on_name(event):
        try:
            if event.source.name == DONE and "p" in started and "t" not in seen:
                seen["t"] = time.monotonic()
                seen["costs"] = costs_so_far(started["p"].pid)
                pyatspi.Registry.stop()
        except Exception:
            pass

    def start():
        env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", **(extra_env or {}))
        started["t"] = time.monotonic()
        started["p"] = subprocess.Popen([program], env=env, stderr=subprocess.DEVNULL)
        return False

    def give_up():
        pyatspi.Registry.stop()
        return False

    pyatspi.Registry.registerEventListener(on_name, "object:property-change:accessible-name")
    starter = GLib.timeout_add(50, start)
    # Removed after the run: left pending, it would stop a later run's loop.
    guard = GLib.timeout_add(30000, give_up)
    pyatspi.Registry.start()
    pyatspi.Registry.deregisterEventListener(on_name, "object:property-change:accessible-name")
    for source in (starter, guard):
        context_source = GLib.main_context_default().find_source_by_id(source)
        if context_source and not context_source.is_destroyed():
            GLib.source_remove(source)
    if "p" not in started:
        raise SystemExit("%s: the event loop ended before the program was started" % program)
    close(started["p"])
    if "t" not in seen:
        raise SystemExit("%s: the end of loading was not seen" % program)
    return seen["t"] - started["t"], seen["costs"]


def compare(candidates, runs, log=print):
    """Runs each candidate, a (name, program, extra environment) triple,
    `runs` times, interleaved, each round in the opposite order, after one
    run of each that is not counted (it warms the page and font caches).
    Returns for each name a dict of lists, one entry per run: times (s),
    hwm (KiB), cpu (s) and faults."""
    for _, program, extra_env in candidates:
        one_run(program, extra_env)
        time.sleep(0.3)
    results = {name: {"times": [], "hwm": [], "cpu": [], "faults": []}
               for name, _, _ in candidates}
    for i in range(runs):
        order = candidates if i % 2 == 0 else list(reversed(candidates))
        for name, program, extra_env in order:
            seconds, costs = one_run(program, extra_env)
            results[name]["times"].append(seconds)
            for key in ("hwm", "cpu", "faults"):
                results[name][key].append(costs[key])
            log("run %d %-24s %6.1f ms (CPU %3.0f ms, %5d page faults, VmHWM %d KiB)" % (
                i + 1, name, seconds * 1000, costs["cpu"] * 1000, costs["faults"],
                costs["hwm"]))
            time.sleep(0.3)
    return results


def main():
    args = sys.argv[1:]
    runs = int(args.pop()) if len(args) > 1 and args[-1].isdigit() else 7
    if not args:
        raise SystemExit(__doc__)
    candidates = [(os.path.basename(a), os.path.abspath(a), None) for a in args]
    results = compare(candidates, runs)
    base = statistics.median(results[candidates[-1][0]]["times"])
    for name, _, _ in candidates:
        times = results[name]["times"]
        median = statistics.median(times)
        print("%s: start to \"%s\": median %.1f ms over %d runs (min %.1f, max %.1f)" % (
            name, DONE, median * 1000, runs, min(times) * 1000, max(times) * 1000))
        if len(candidates) > 1 and name != candidates[-1][0]:
            print("  ratio to %s: %.2f" % (candidates[-1][0], median / base))


if __name__ == "__main__":
    main()
