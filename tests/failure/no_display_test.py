#!/usr/bin/env python3
"""The program started where no X server can be reached.

Whatever the reason (no DISPLAY at all, one that names no server, one that
cannot even be parsed), it says so in one line on standard error and ends
with status 1, not by a signal and without leaving a core file.
Run with the program's path.
"""

import os
import subprocess
import sys
import tempfile
import unittest

PROGRAM = None


def unused_display():
    for n in range(300, 400):
        if not os.path.exists("/tmp/.X11-unix/X%d" % n) and not os.path.exists("/tmp/.X%d-lock" % n):
            return ":%d" % n
    raise AssertionError("no free display number between 300 and 400")


def run_without_server(display, qpa_platform):
    env = {k: v for k, v in os.environ.items()
           if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XAUTHORITY")}
    if display is not None:
        env["DISPLAY"] = display
    if qpa_platform is not None:
        env["QT_QPA_PLATFORM"] = qpa_platform
    with tempfile.TemporaryDirectory(prefix="rasterblick-nodisplay-") as cwd:
        result = subprocess.run([PROGRAM], env=env, cwd=cwd, capture_output=True, text=True,
                                timeout=30)
        leftovers = os.listdir(cwd)
    return result, leftovers


class WithoutAnXServer(unittest.TestCase):
    def test_one_line_on_stderr_status_one_no_signal_no_core(self):
        cases = [
            # (what, DISPLAY, QT_QPA_PLATFORM)
            ("DISPLAY unset", None, None),
            ("DISPLAY unset, xcb chosen", None, "xcb"),
            ("DISPLAY names no server", unused_display(), None),
            ("DISPLAY names no server, xcb chosen", unused_display(), "xcb"),
            ("DISPLAY names no server on screen 1", unused_display() + ".1", None),
            ("DISPLAY cannot be parsed", "no-such-display", None),
        ]
        for what, display, qpa in cases:
            with self.subTest(what):
                result, leftovers = run_without_server(display, qpa)
                self.assertGreaterEqual(result.returncode, 0,
                                        "killed by signal %d" % -result.returncode)
                self.assertEqual(result.returncode, 1, result.stderr)
                lines = result.stderr.splitlines()
                self.assertEqual(len(lines), 1, result.stderr)
                self.assertTrue(lines[0].startswith("rasterblick: "), lines[0])
                self.assertIn("display", lines[0])
                if display:
                    self.assertIn(display, lines[0])
                self.assertEqual(result.stdout, "")
                self.assertEqual(leftovers, [], "files left in the working directory")


if __name__ == "__main__":
    PROGRAM = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=2)
