#!/usr/bin/env python3
"""The program in a Wayland session: it must run through XWayland.

Run inside tests/failure/in-wayland-session.sh (weston, XWayland, AT-SPI) with
the program's path. With WAYLAND_DISPLAY, DISPLAY and XDG_SESSION_TYPE=wayland
set and QT_QPA_PLATFORM unset, the program ends its loading (read over AT-SPI
as a screen reader would), and a frame it shows is an X window on XWayland
with a SHAPE region that cuts its inside away.
"""

import os
import re
import subprocess
import sys
import time
import unittest

import pyatspi
from Xlib import display as xdisplay
from Xlib.ext import shape

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from desktop import accessible_nodes, press, wait_for, windows_named  # noqa: E402

PROGRAM = None
READY = "Ladevorgang erfolgreich beendet."


class InAWaylandSession(unittest.TestCase):
    def setUp(self):
        for name in ("WAYLAND_DISPLAY", "DISPLAY"):
            self.assertTrue(os.environ.get(name), name + " is not set: run in in-wayland-session.sh")
        self.assertEqual(os.environ.get("XDG_SESSION_TYPE"), "wayland")
        self.assertTrue(os.path.exists(os.path.join(os.environ["XDG_RUNTIME_DIR"],
                                                    os.environ["WAYLAND_DISPLAY"])))
        self.x = xdisplay.Display()
        self.addCleanup(self.x.close)
        self.assertTrue(self.x.has_extension("SHAPE"))

    def start_program(self):
        env = {k: v for k, v in os.environ.items() if k != "QT_QPA_PLATFORM"}
        env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        process = subprocess.Popen([PROGRAM], env=env, stderr=subprocess.PIPE, text=True)
        self.addCleanup(self.stop, process)

        def find():
            for app in pyatspi.Registry.getDesktop(0):
                try:
                    if app is not None and app.get_process_id() == process.pid:
                        return app
                except Exception:
                    pass
            if process.poll() is not None:
                raise AssertionError("the program ended with status %d: %s"
                                     % (process.returncode, process.stderr.read()))
            return None

        return process, wait_for("the program on the accessibility bus", find)

    @staticmethod
    def stop(process):
        if process.poll() is None:
            process.kill()
        process.wait()
        process.stderr.close()

    def test_loads_through_xwayland_and_shows_a_shaped_x_window(self):
        process, app = self.start_program()
        main = wait_for("the main window", lambda: next(
            (w for w in app if w is not None and w.name == "RASTERBLICK"), None))
        labels = lambda: [n.name for n in accessible_nodes(main, "label")]
        wait_for("the ready text", lambda: READY in labels())
        # The readout names XWayland's screen, the output weston made.
        screen = self.x.screen()
        readout = "Aktuelle Bildschirmauflösung: %d x %d" % (screen.width_in_pixels,
                                                              screen.height_in_pixels)
        self.assertIn(readout, labels())
        # The main window is an X client of XWayland, not a Wayland surface.
        self.assertTrue(windows_named("RASTERBLICK"), "no main window on XWayland")

        press(next(n for n in accessible_nodes(main, "push button") if n.name == "Start"))
        toggle = wait_for("the 640 x 480 toggle", lambda: next(
            (n for n in accessible_nodes(main, "check box")
             if n.name == "640 x 480" and n.getState().contains(pyatspi.STATE_SHOWING)), None))
        press(toggle)
        frame_id = wait_for("the frame on XWayland", lambda: windows_named("Form1"))[0]
        frame = self.x.create_resource_object("window", frame_id)

        geometry = frame.get_geometry()
        self.assertEqual((geometry.width, geometry.height), (640, 480))
        self.assertTrue(frame.shape_query_extents().bounding_shaped)
        rects = frame.shape_get_rectangles(shape.SK.Bounding).rectangles

        def covered(x, y):
            return any(r.x <= x < r.x + r.width and r.y <= y < r.y + r.height for r in rects)

        self.assertTrue(covered(320, 4), "the top band is not part of the window")
        self.assertTrue(covered(4, 240), "the left band is not part of the window")
        self.assertFalse(covered(320, 240), "the inside is not cut away")
        self.assertFalse(covered(0, 0), "the top-left pixel is not cut away")
        self.assertIsNone(process.poll(), "the program ended")


if __name__ == "__main__":
    PROGRAM = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=2)
