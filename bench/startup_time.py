#!/usr/bin/env python3
"""Start-up time of rasterblick: from starting the process to the moment its
main window reads "Ladevorgang erfolgreich beendet." (the end of loading).

The moment is taken from the accessibility bus: the name-change event of the
label, time-stamped on arrival, so a screen reader would know it as early.
Needs DISPLAY, a session bus with the AT-SPI bus (scripts/lib/x-session.sh
starts both) and openbox. Prints each run and the median.

    bench/startup_time.py build/release/rasterblick [runs]
"""

import os
import statistics
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

DONE = "Ladevorgang erfolgreich beendet."


def close(process):
    # As the close button does: the window manager asks the window to close.
    windows = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name",
                              "^RASTERBLICK$"], capture_output=True, text=True,
                             timeout=20).stdout.split()
    for window in windows:
        subprocess.run(["wmctrl", "-i", "-c", hex(int(window))], check=False)
    try:
        process.wait(timeout=10)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


def one_run(program):
    seen = {}
    started = {}

    def on_name(event):
        try:
            if event.source.name == DONE and "t" not in seen:
                seen["t"] = time.monotonic()
                pyatspi.Registry.stop()
        except Exception:
            pass

    def start():
        env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        started["t"] = time.monotonic()
        started["p"] = subprocess.Popen([program], env=env, stderr=subprocess.DEVNULL)
        return False

    def give_up():
        pyatspi.Registry.stop()
        return False

    pyatspi.Registry.registerEventListener(on_name, "object:property-change:accessible-name")
    GLib.timeout_add(50, start)
    GLib.timeout_add(30000, give_up)
    pyatspi.Registry.start()
    pyatspi.Registry.deregisterEventListener(on_name, "object:property-change:accessible-name")
    close(started["p"])
    if "t" not in seen:
        raise SystemExit("the end of loading was not seen")
    return seen["t"] - started["t"]


def main():
    program = os.path.abspath(sys.argv[1])
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 7
    times = []
    for i in range(runs):
        seconds = one_run(program)
        times.append(seconds)
        print("run %d: %.1f ms" % (i + 1, seconds * 1000))
        time.sleep(0.3)
    print("start to \"%s\": median %.1f ms over %d runs (min %.1f, max %.1f)" % (
        DONE, statistics.median(times) * 1000, runs, min(times) * 1000, max(times) * 1000))


if __name__ == "__main__":
    main()
