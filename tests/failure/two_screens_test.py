#!/usr/bin/env python3
"""The program on a desktop of two monitors, the primary one on the right.

Run inside tests/failure/in-x-session.sh with a screen of 3200x1200
(RB_X_SCREEN) and the program's path. The screen is split with RandR into a
1280 x 1024 monitor on the left and the primary 1920 x 1200 one on its
right. The readout names the primary monitor's size, and `Start` and the
frames stand at its centre. RB_SCREENSHOT=FILE keeps a picture of the desktop
with two frames shown.
"""

import os
import re
import subprocess
import sys
import time
import unittest

import pyatspi

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from desktop import accessible_nodes, press, wait_for, windows_named  # noqa: E402

PROGRAM = None
LEFT = (0, 0, 1280, 1024)
PRIMARY = (1280, 0, 1920, 1200)


def run(*args):
    return subprocess.run(list(args), capture_output=True, text=True, check=True).stdout


def split_screen():
    def geometry(rect):
        x, y, w, h = rect
        # Sizes in millimetres as for a 96 dpi monitor.
        return "%d/%dx%d/%d+%d+%d" % (w, w * 254 // 960, h, h * 254 // 960, x, y)

    # The left monitor takes the one output over; the primary one has none.
    run("xrandr", "--setmonitor", "left", geometry(LEFT), "screen")
    run("xrandr", "--setmonitor", "*right", geometry(PRIMARY), "none")
    return run("xrandr", "--listmonitors")


def client_rect(window):
    """The window's inside on the screen: x, y, width, height."""
    out = run("xwininfo", "-id", str(window))
    value = lambda key: int(re.search(key + r":\s+(-?\d+)", out).group(1))
    return (value("Absolute upper-left X"), value("Absolute upper-left Y"), value("Width"),
            value("Height"))


class OnTwoMonitors(unittest.TestCase):
    def setUp(self):
        out = run("xdpyinfo")
        self.assertRegex(out, r"dimensions:\s+3200x1200 pixels", "run with RB_X_SCREEN=3200x1200x24")
        monitors = split_screen()
        self.assertIn("Monitors: 2", monitors)
        self.assertRegex(monitors, r"\*right 1920/\d+x1200/\d+\+1280\+0")

    def start_program(self):
        env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        process = subprocess.Popen([PROGRAM], env=env, stderr=subprocess.PIPE, text=True)

        def stop():
            if process.poll() is None:
                process.kill()
            process.wait()
            process.stderr.close()

        self.addCleanup(stop)

        def find():
            for app in pyatspi.Registry.getDesktop(0):
                try:
                    if app is not None and app.get_process_id() == process.pid:
                        return next((w for w in app if w is not None and w.name == "RASTERBLICK"),
                                    None)
                except Exception:
                    pass
            return None

        return wait_for("the main window on the accessibility bus", find)

    def assert_centred_on_primary(self, rect, slack, what):
        px, py, pw, ph = PRIMARY
        x, y, w, h = rect
        self.assertLessEqual(abs((x + w / 2) - (px + pw / 2)), slack, "%s at %r" % (what, rect))
        self.assertLessEqual(abs((y + h / 2) - (py + ph / 2)), slack, "%s at %r" % (what, rect))

    def test_readout_start_and_frames_belong_to_the_primary_monitor(self):
        main = self.start_program()
        labels = lambda: [n.name for n in accessible_nodes(main, "label")]
        wait_for("the end of loading", lambda: "Ladevorgang erfolgreich beendet." in labels())
        readouts = [t for t in labels() if t.startswith("Aktuelle Bildschirmauflösung: ")]
        self.assertEqual(readouts, ["Aktuelle Bildschirmauflösung: 1920 x 1200"])

        # Centred is the window with its frame; the inside may sit off by the
        # title bar and the borders the window manager adds.
        start = wait_for("Start on the screen", lambda: windows_named("RASTERBLICK"))[0]
        self.assert_centred_on_primary(client_rect(start), 40, "Start")

        press(next(n for n in accessible_nodes(main, "push button") if n.name == "Start"))
        toggles = wait_for("the toggles", lambda: [
            n for n in accessible_nodes(main, "check box") if n.getState().contains(pyatspi.STATE_SHOWING)])
        shown = []
        for toggle in toggles:
            name = "Form%d" % (toggles.index(toggle) + 1)
            with self.subTest(name):
                press(toggle)
                frame = wait_for(name + " shown", lambda: windows_named(name))[0]
                time.sleep(0.3)
                rect = client_rect(frame)
                # Frameless and exactly centred: no slack.
                self.assert_centred_on_primary(rect, 0.5, name)
                press(toggle)
                wait_for(name + " hidden", lambda: not windows_named(name))

        screenshot = os.environ.get("RB_SCREENSHOT")
        if screenshot:
            for toggle in (toggles[0], toggles[4]):
                press(toggle)
            wait_for("two frames", lambda: windows_named("Form1") and windows_named("Form5"))
            time.sleep(0.5)
            run("import", "-window", "root", screenshot)


if __name__ == "__main__":
    PROGRAM = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=2)
