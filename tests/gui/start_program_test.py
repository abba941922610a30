#!/usr/bin/env python3
"""The program as a person meets it, on a real X server with a window manager.

Starts rasterblick, reads its window through the accessibility bus (AT-SPI) as
a screen reader would, presses "Start", switches frames on and off, and closes
the main window. Run with the program's path; needs DISPLAY, a session bus
with the AT-SPI bus, and openbox.
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

import pyatspi

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from desktop import accessible_nodes, press, wait_for, windows_named  # noqa: E402

PROGRAM = None


def screen_size():
    out = subprocess.run(["xdpyinfo"], capture_output=True, text=True, check=True).stdout
    width, height = re.search(r"dimensions:\s+(\d+)x(\d+) pixels", out).groups()
    return int(width), int(height)


def window_size(window):
    out = subprocess.run(["xwininfo", "-id", str(window)], capture_output=True, text=True).stdout
    width = int(re.search(r"Width: (\d+)", out).group(1))
    height = int(re.search(r"Height: (\d+)", out).group(1))
    return width, height


class Program:
    """One run of the program and its accessible tree."""

    def __init__(self, env=None, cwd=None):
        env = dict(env or os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        self.process = subprocess.Popen([PROGRAM], env=env, cwd=cwd, stderr=subprocess.PIPE,
                                        text=True)
        self.app = wait_for("the program on the accessibility bus", self._find_app, timeout=20)

    def _find_app(self):
        for app in pyatspi.Registry.getDesktop(0):
            try:
                if app is not None and app.name == "rasterblick" and app.get_process_id() == self.process.pid:
                    return app
            except Exception:
                pass
        return None

    def main_window(self):
        for window in self.app:
            if window is not None and window.name == "RASTERBLICK":
                return window
        raise AssertionError("no main window on the accessibility bus")

    def nodes(self, role):
        """The nodes of that role in the main window (the frames have their own)."""
        return accessible_nodes(self.main_window(), role)

    def named(self, name):
        """The node of that name in the main window, whatever its role."""
        found = []

        def walk(node):
            try:
                if node.name == name:
                    found.append(node)
                for child in node:
                    walk(child)
            except Exception:
                pass

        walk(self.main_window())
        if not found:
            raise AssertionError("nothing named %r" % name)
        return found[0]

    @staticmethod
    def click(node):
        """A real left click in the middle of the node, through the X server."""
        box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        x, y = box.x + box.width // 2, box.y + box.height // 2
        subprocess.run(["xdotool", "mousemove", str(x), str(y)], check=True)
        time.sleep(0.3)
        subprocess.run(["xdotool", "click", "1"], check=True)

    def texts(self, role):
        return [n.name for n in self.nodes(role)]

    def node(self, role, name):
        for n in self.nodes(role):
            if n.name == name:
                return n
        raise AssertionError("no %s named %r" % (role, name))

    @staticmethod
    def showing(node):
        return node.getState().contains(pyatspi.STATE_SHOWING)

    @staticmethod
    def checked(node):
        return node.getState().contains(pyatspi.STATE_CHECKED)

    @staticmethod
    def press(node):
        press(node)

    def close_main_window(self):
        # As the close button does: the window manager asks the window to close.
        window = wait_for("the main window", lambda: windows_named("RASTERBLICK"))[0]
        subprocess.run(["wmctrl", "-i", "-c", hex(window)], check=True)

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self.process.stderr.close()

    def finish(self, timeout=10):
        try:
            return self.process.wait(timeout=timeout)
        finally:
            if self.process.poll() is None:
                self.process.kill()
                self.process.wait()


class StartProgram(unittest.TestCase):
    def test_readout_start_toggles_and_exit(self):
        width, height = screen_size()
        program = Program()
        self.addCleanup(program.kill)
        readout = "Aktuelle Bildschirmauflösung: %d x %d" % (width, height)
        wait_for("the readout", lambda: readout in program.texts("label"))
        self.assertIn("Ladevorgang erfolgreich beendet.", program.texts("label"))
        start = program.node("push button", "Start")
        self.assertTrue(program.showing(start))
        toggles = [n for n in program.nodes("check box")]
        self.assertEqual([t.name for t in toggles],
                         ["640 x 480", "800 x 600", "1024 x768", "1152 x 864", "1280 x 1024",
                          "1600 x 1200"])
        self.assertFalse(any(program.showing(t) for t in toggles))
        # The frames are loaded but none is shown yet.
        self.assertEqual(windows_named("Form2"), [])

        program.press(start)
        wait_for("six toggles", lambda: all(program.showing(t) for t in program.nodes("check box")))
        # The readout and the button are gone; the logo covers the first note.
        readout_label = [n for n in program.nodes("label") if n.name == readout][0]
        self.assertFalse(program.showing(readout_label))
        self.assertFalse(program.showing(start))

        toggle = program.node("check box", "800 x 600")
        program.press(toggle)
        frame = wait_for("the 800 x 600 frame", lambda: windows_named("Form2"))[0]
        self.assertEqual(window_size(frame), (800, 600))
        self.assertTrue(program.checked(toggle))
        program.press(toggle)
        wait_for("the frame hidden", lambda: windows_named("Form2") == [])

        # Closing the main window with frames shown ends the program cleanly.
        program.press(program.node("check box", "640 x 480"))
        program.press(program.node("check box", "1600 x 1200"))
        wait_for("two frames", lambda: windows_named("Form1") and windows_named("Form6"))
        program.close_main_window()
        self.assertEqual(program.finish(), 0)
        for name in ["RASTERBLICK"] + ["Form%d" % i for i in range(1, 7)]:
            self.assertEqual(windows_named(name, only_visible=False), [], name)

    def test_selection_view_comes_by_itself_after_ten_seconds(self):
        program = Program()
        self.addCleanup(program.kill)
        wait_for("loading to end",
                 lambda: "Ladevorgang erfolgreich beendet." in program.texts("label"))
        loaded = time.monotonic()
        toggles = program.nodes("check box")
        wait_for("the selection view", lambda: all(program.showing(t) for t in toggles),
                 timeout=20)
        waited = time.monotonic() - loaded
        # The timer's ten seconds, give or take the polling and a busy machine.
        self.assertGreater(waited, 8.0)
        self.assertFalse(program.showing(program.node("push button", "Start")))
        program.close_main_window()
        self.assertEqual(program.finish(), 0)


# Stands in for the desktop's opener: writes where it was started from and
# its arguments, one a line, to $RB_OPENER_LOG.
OPENER_STUB = """#!/bin/sh
{
    printf 'parent=%s\\n' "$(cat /proc/$PPID/comm 2>/dev/null)"
    printf 'count=%s\\n' "$#"
    for argument in "$@"; do printf 'argument=%s\\n' "$argument"; done
} > "$RB_OPENER_LOG.part" && mv "$RB_OPENER_LOG.part" "$RB_OPENER_LOG"
"""


class HomePageAndFiles(unittest.TestCase):
    def test_logo_hands_the_url_to_the_opener_as_its_one_argument_and_no_file_is_written(self):
        scratch = tempfile.mkdtemp(prefix="rasterblick-home.")
        self.addCleanup(shutil.rmtree, scratch, True)
        home, work, tools = (os.path.join(scratch, d) for d in ("home", "work", "tools"))
        for d in (home, work, tools):
            os.mkdir(d)
        opener = os.path.join(tools, "xdg-open")
        with open(opener, "w") as f:
            f.write(OPENER_STUB)
        os.chmod(opener, 0o755)
        log = os.path.join(scratch, "opener.log")
        # A home and a working directory of its own, empty: whatever the
        # program wrote would be found there.
        env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"),
                   XDG_CACHE_HOME=os.path.join(home, ".cache"),
                   XDG_DATA_HOME=os.path.join(home, ".local", "share"),
                   XDG_STATE_HOME=os.path.join(home, ".local", "state"),
                   PATH=tools + os.pathsep + os.environ.get("PATH", ""), RB_OPENER_LOG=log)
        env.pop("XDG_CURRENT_DESKTOP", None)
        env.pop("DESKTOP_SESSION", None)
        program = Program(env=env, cwd=work)
        self.addCleanup(program.kill)
        wait_for("loading to end",
                 lambda: "Ladevorgang erfolgreich beendet." in program.texts("label"))
        program.press(program.node("push button", "Start"))
        logo = program.named("www.rasterblick.example")
        wait_for("the logo", lambda: program.showing(logo))
        program.click(logo)
        wait_for("the opener to run", lambda: os.path.exists(log), timeout=15)
        with open(log) as f:
            lines = f.read().splitlines()
        self.assertEqual(lines[1:], ["count=1", "argument=http://www.rasterblick.example"])
        self.assertNotIn(lines[0], ["parent=sh", "parent=bash", "parent=dash"],
                         "the opener was started through a shell")

        program.close_main_window()
        self.assertEqual(program.finish(), 0)
        written = [os.path.relpath(os.path.join(d, n), scratch)
                   for top in (home, work) for d, dirs, files in os.walk(top)
                   for n in dirs + files]
        self.assertEqual(written, [])


class WithoutADisplay(unittest.TestCase):
    def test_says_so_in_one_line_and_exits_with_status_one(self):
        env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
        result = subprocess.run([PROGRAM], env=env, capture_output=True, text=True, timeout=20)
        self.assertEqual(result.returncode, 1)
        lines = [l for l in result.stderr.splitlines() if l.strip()]
        self.assertEqual(len(lines), 1, result.stderr)
        self.assertIn("display", lines[0])


if __name__ == "__main__":
    PROGRAM = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=2)
