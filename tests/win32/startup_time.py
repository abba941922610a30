#!/usr/bin/env python3
"""Start-up time of the Windows program under Wine: from starting
rasterblick.exe to the moment its main window shows "Ladevorgang erfolgreich
beendet." (the end of loading). window-reader.exe, started just before the
program, watches the window every 5 ms and ends when it sees the text. Prints
each run and the median.

    startup_time.py rasterblick.exe window-reader.exe [runs]

Needs DISPLAY (with a window manager), wine on PATH and a WINEPREFIX whose
wineserver already runs (scripts/test-windows.sh --startup-time does all that).
"""

import os
import statistics
import subprocess
import sys
import time

from Xlib import X, display, protocol

DONE = "Ladevorgang erfolgreich beendet."


def wine_env():
    env = dict(os.environ)
    env.setdefault("WINEDEBUG", "-all")
    env.setdefault("WINEDLLOVERRIDES", "mscoree,mshtml=")
    return env


def close_main_window():
    d = display.Display()
    try:
        root = d.screen().root
        name_atom = d.intern_atom("WM_NAME")
        for child in root.query_tree().children:
            for w in [child] + child.query_tree().children:
                prop = w.get_full_property(name_atom, X.AnyPropertyType)
                if prop and prop.value in (b"RASTERBLICK", "RASTERBLICK"):
                    protocols = d.intern_atom("WM_PROTOCOLS")
                    delete = d.intern_atom("WM_DELETE_WINDOW")
                    w.send_event(protocol.event.ClientMessage(
                        window=w, client_type=protocols,
                        data=(32, [delete, X.CurrentTime, 0, 0, 0])), event_mask=0)
                    d.flush()
                    return True
        return False
    finally:
        d.close()


def one_run(program, reader):
    env = wine_env()
    watch = subprocess.Popen(["wine", reader, "RASTERBLICK", "--wait-for", DONE, "60000"],
                             env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    # The watcher is a Wine program too: give it its start before the clock runs.
    time.sleep(1.0)
    started = time.monotonic()
    run = subprocess.Popen(["wine", program], env=env, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL)
    status = watch.wait(timeout=90)
    seconds = time.monotonic() - started
    deadline = time.monotonic() + 20
    while run.poll() is None and time.monotonic() < deadline:
        close_main_window()
        time.sleep(0.3)
    if run.poll() is None:
        run.kill()
    run.wait()
    if status != 0:
        raise SystemExit("the end of loading was not seen")
    return seconds


def main():
    if len(sys.argv) < 3:
        raise SystemExit(__doc__)
    program, reader = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 7
    times = []
    for i in range(runs):
        seconds = one_run(program, reader)
        times.append(seconds)
        print("run %d: %.1f ms" % (i + 1, seconds * 1000))
        time.sleep(0.3)
    print("start to \"%s\" under Wine: median %.1f ms over %d runs (min %.1f, max %.1f)" % (
        DONE, statistics.median(times) * 1000, runs, min(times) * 1000, max(times) * 1000))


if __name__ == "__main__":
    main()
