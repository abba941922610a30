#!/usr/bin/env python3
"""The Windows program as a person meets it, under Wine on an X server with a
window manager.

Starts rasterblick.exe, reads the main window with window-reader.exe (Wine
has no accessibility bus), presses "Start", shows the 800 x 600 frame and
checks it on the X server: size, always on top, shaped to its band, clicks
through its inside, moves when its band is dragged; hides it again, clicks
the logo (a stub xdg-open receives the URL) and closes the main window.

    program_test.py rasterblick.exe window-reader.exe

Needs DISPLAY (with openbox), wine on PATH and WINEPREFIX made by wineboot.
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

from Xlib import X, display, protocol
from Xlib.ext import shape

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from desktop import wait_for, windows_named  # noqa: E402

PROGRAM = None
READER = None

READY = "Ladevorgang erfolgreich beendet."
TOGGLES = ["640 x 480", "800 x 600", "1024 x768", "1152 x 864", "1280 x 1024", "1600 x 1200"]
HOME_PAGE = "http://www.rasterblick.example"
# Form2 as frames/FrameCatalogue.h makes it: 800 x 600, band 13 at the top,
# 14 at the bottom, 13 left and right.
FRAME = {"name": "Form2", "width": 800, "height": 600, "top": 13, "bottom": 14, "left": 13,
         "right": 13}


def wine_env(extra_path=None):
    env = dict(os.environ)
    env.setdefault("WINEDEBUG", "-all")
    env.setdefault("WINEDLLOVERRIDES", "mscoree,mshtml=")
    if extra_path:
        env["PATH"] = extra_path + os.pathsep + env.get("PATH", "")
    return env


def screen_size():
    out = subprocess.run(["xdpyinfo"], capture_output=True, text=True, check=True).stdout
    width, height = re.search(r"dimensions:\s+(\d+)x(\d+) pixels", out).groups()
    return int(width), int(height)


def geometry(window):
    out = subprocess.run(["xwininfo", "-id", str(window)], capture_output=True, text=True,
                         check=True).stdout
    number = lambda label: int(re.search(label + r":\s+(-?\d+)", out).group(1))
    return (number("Absolute upper-left X"), number("Absolute upper-left Y"), number("Width"),
            number("Height"))


def net_wm_state(window):
    return subprocess.run(["xprop", "-id", str(window), "_NET_WM_STATE"], capture_output=True,
                          text=True).stdout


def xdotool(*args):
    subprocess.run(["xdotool"] + [str(a) for a in args], check=True)


class Control:
    def __init__(self, line):
        fields = line.split("\t")
        self.handle, self.cls = fields[0], fields[1]
        self.visible = fields[2] == "1"
        self.checked = {"1": True, "0": False}.get(fields[3])
        self.left, self.top, self.right, self.bottom = (int(v) for v in fields[4:8])
        self.text = fields[8] if len(fields) > 8 else ""

    def centre(self):
        return (self.left + self.right) // 2, (self.top + self.bottom) // 2


class Program:
    """One run of rasterblick.exe and what can be read of its main window."""

    def __init__(self, tmp):
        self.tmp = tmp
        self.log = open(os.path.join(tmp, "rasterblick.log"), "w")
        self.process = subprocess.Popen(["wine", PROGRAM], env=wine_env(tmp),
                                        stdout=self.log, stderr=subprocess.STDOUT)

    def controls(self):
        """The main window and its controls, or [] while it is not there."""
        # Through a file: Wine's helper processes may hold a pipe open.
        with tempfile.TemporaryFile(dir=self.tmp) as out:
            status = subprocess.run(["wine", READER, "RASTERBLICK"], env=wine_env(), stdout=out,
                                    stderr=subprocess.DEVNULL).returncode
            if status != 0:
                return []
            out.seek(0)
            text = out.read().decode("utf-8", "replace")
        return [Control(line) for line in text.replace("\r", "").splitlines() if line]

    def named(self, cls, text):
        found = [c for c in self.controls() if c.cls == cls and c.text == text]
        if not found:
            raise AssertionError("no %s %r in the main window" % (cls, text))
        return found[0]

    def labels(self):
        return [c.text for c in self.controls() if c.cls == "Static" and c.visible]

    def finish(self, timeout=20):
        try:
            return self.process.wait(timeout=timeout)
        finally:
            self.kill()

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self.log.close()

    def output(self):
        with open(os.path.join(self.tmp, "rasterblick.log"), errors="replace") as f:
            return f.read()


class ClickCatcher:
    """A plain X window below every other window: what a click reaches when it
    goes through a frame's inside."""

    def __init__(self, x, y, width, height):
        self.display = display.Display()
        screen = self.display.screen()
        self.window = screen.root.create_window(
            x, y, width, height, 0, screen.root_depth, X.InputOutput, X.CopyFromParent,
            background_pixel=screen.black_pixel, override_redirect=True,
            event_mask=X.ButtonPressMask)
        self.window.map()
        self.window.configure(stack_mode=X.Below)
        self.display.sync()

    def presses(self):
        count = 0
        self.display.sync()
        while self.display.pending_events():
            if self.display.next_event().type == X.ButtonPress:
                count += 1
        return count

    def close(self):
        self.window.destroy()
        self.display.close()


def shape_rectangles(window):
    d = display.Display()
    try:
        w = d.create_resource_object("window", window)
        reply = w.shape_get_rectangles(shape.SK.Bounding)
        return [(r.x, r.y, r.width, r.height) for r in reply.rectangles]
    finally:
        d.close()


def send_close(window):
    """What the close button of the window manager does: WM_DELETE_WINDOW."""
    d = display.Display()
    try:
        w = d.create_resource_object("window", window)
        protocols = d.intern_atom("WM_PROTOCOLS")
        delete = d.intern_atom("WM_DELETE_WINDOW")
        event = protocol.event.ClientMessage(window=w, client_type=protocols,
                                             data=(32, [delete, X.CurrentTime, 0, 0, 0]))
        w.send_event(event, event_mask=0)
        d.flush()
    finally:
        d.close()


def inside(rects, x, y):
    return any(rx <= x < rx + rw and ry <= y < ry + rh for rx, ry, rw, rh in rects)


class WindowsProgram(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.mkdtemp(prefix="rasterblick-win-")
        self.addCleanup(shutil.rmtree, self.tmp, True)
        self.opened = os.path.join(self.tmp, "opened")
        stub = os.path.join(self.tmp, "xdg-open")
        with open(stub, "w") as f:
            f.write("#!/bin/sh\nprintf '%%s\\n' \"$*\" >> '%s'\n" % self.opened)
        os.chmod(stub, 0o755)

    def test_readout_start_frame_logo_and_exit(self):
        width, height = screen_size()
        program = Program(self.tmp)
        self.addCleanup(program.kill)

        # Loading ends with the note and the readout of the X screen.
        readout = "Aktuelle Bildschirmauflösung: %d x %d" % (width, height)
        wait_for("the end of loading", lambda: READY in program.labels(), timeout=60)
        self.assertIn(readout, program.labels())
        self.assertEqual(len(windows_named("RASTERBLICK")), 1)
        # The window system lists the controls top first: each lies above
        # those made before it.
        toggles = [c for c in program.controls() if c.checked is not None][::-1]
        self.assertEqual([t.text for t in toggles], TOGGLES)
        self.assertFalse(any(t.visible for t in toggles))
        self.assertEqual(windows_named(FRAME["name"]), [])

        start = program.named("Button", "Start")
        self.assertTrue(start.visible)
        xdotool("mousemove", *start.centre(), "click", 1)
        wait_for("the six toggles", lambda: all(
            c.visible for c in program.controls() if c.checked is not None))
        self.assertFalse(program.named("Button", "Start").visible)
        self.assertNotIn(readout, program.labels())

        # The 800 x 600 frame: exactly that size, above, shaped to its band.
        xdotool("mousemove", *program.named("Button", "800 x 600").centre(), "click", 1)
        frame = wait_for("the frame", lambda: windows_named(FRAME["name"]))[0]
        self.assertTrue(program.named("Button", "800 x 600").checked)
        x, y, w, h = geometry(frame)
        self.assertEqual((w, h), (FRAME["width"], FRAME["height"]))
        self.assertIn("_NET_WM_STATE_ABOVE", net_wm_state(frame))
        self.check_band(shape_rectangles(frame))

        # A click in the inside reaches the window beneath; one on the band does not.
        catcher = ClickCatcher(x - 20, y - 20, w + 40, h + 40)
        self.addCleanup(catcher.close)
        time.sleep(0.3)
        xdotool("mousemove", x + FRAME["left"] + 30, y + FRAME["top"] + 30, "click", 1)
        wait_for("the click through the inside", lambda: catcher.presses() == 1, timeout=5)

        # Dragged by its band, the frame moves by the pointer's travel.
        xdotool("mousemove", x + w // 2, y + 5, "mousedown", 1)
        time.sleep(0.3)
        for _ in range(8):
            xdotool("mousemove_relative", "--", 15, 10)
            time.sleep(0.05)
        time.sleep(0.3)
        xdotool("mouseup", 1)
        wait_for("the frame moved", lambda: geometry(frame)[:2] == (x + 120, y + 80), timeout=5)
        self.assertEqual(catcher.presses(), 0)
        self.assertIn("_NET_WM_STATE_ABOVE", net_wm_state(frame))

        # Switched off again: the frame goes.
        xdotool("mousemove", *program.named("Button", "800 x 600").centre(), "click", 1)
        wait_for("the frame hidden", lambda: windows_named(FRAME["name"]) == [])

        # The logo opens the home page with the desktop's opener.
        logo = program.named("RasterblickPicture", "www.rasterblick.example")
        self.assertTrue(logo.visible)
        xdotool("mousemove", *logo.centre(), "click", 1)
        opened = wait_for("the opener", self.opened_urls, timeout=30)
        # Wine's winebrowser writes the URL in its normal form, with the root
        # path "/" that an empty path of an http URL means.
        self.assertIn(opened, [[HOME_PAGE], [HOME_PAGE + "/"]])

        # Closing the main window, with a frame shown, ends the program with 0.
        xdotool("mousemove", *program.named("Button", "640 x 480").centre(), "click", 1)
        wait_for("the 640 x 480 frame", lambda: windows_named("Form1"))
        send_close(windows_named("RASTERBLICK")[0])
        self.assertEqual(program.finish(), 0, program.output())
        for name in ["RASTERBLICK"] + ["Form%d" % i for i in range(1, 7)]:
            self.assertEqual(windows_named(name), [], name)

    def opened_urls(self):
        if not os.path.exists(self.opened):
            return []
        with open(self.opened) as f:
            return f.read().split()

    def check_band(self, rects):
        f = FRAME
        covered = sum(rw * rh for _, _, rw, rh in rects)
        inner = (f["width"] - f["left"] - f["right"]) * (f["height"] - f["top"] - f["bottom"])
        # The band without pixel (0, 0), the key colour.
        self.assertEqual(covered, f["width"] * f["height"] - inner - 1)
        xs = [rx for rx, _, _, _ in rects] + [rx + rw for rx, _, rw, _ in rects]
        ys = [ry for _, ry, _, _ in rects] + [ry + rh for _, ry, _, rh in rects]
        self.assertEqual((min(xs), min(ys), max(xs), max(ys)), (0, 0, f["width"], f["height"]))
        for px, py, expected in [
                (0, 0, False), (1, 0, True), (f["width"] - 1, f["height"] - 1, True),
                (f["left"] - 1, f["height"] // 2, True), (f["left"], f["height"] // 2, False),
                (f["width"] // 2, f["top"] - 1, True), (f["width"] // 2, f["top"], False),
                (f["width"] - f["right"], f["height"] // 2, True),
                (f["width"] // 2, f["height"] - f["bottom"], True),
                (f["width"] // 2, f["height"] // 2, False)]:
            self.assertEqual(inside(rects, px, py), expected, (px, py))


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    PROGRAM, READER = sys.argv[1], sys.argv[2]
    unittest.main(argv=[sys.argv[0]] + sys.argv[3:], verbosity=2)
