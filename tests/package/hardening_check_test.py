#!/usr/bin/env python3
"""packaging/check-hardening.sh against programs built with and without each
hardening flag: it passes the fully hardened one and names exactly the
property that each weakened build lacks.

    hardening_check_test.py CHECKER C++-COMPILER FIXTURE.cpp
"""

import os
import subprocess
import sys
import tempfile
import unittest

CHECKER = COMPILER = FIXTURE = None

HARDENED = ["-O2", "-D_FORTIFY_SOURCE=2", "-fstack-protector-strong", "-fPIE", "-pie",
            "-Wl,-z,relro", "-Wl,-z,now"]
PROPERTIES = ["PIE", "RELRO", "BIND_NOW", "stack", "fortify"]

# (what is weakened, flags taken out, flags put in, the properties it loses)
WEAKENED = [
    ("no PIE", ["-fPIE", "-pie"], ["-fno-pie", "-no-pie"], {"PIE"}),
    ("no RELRO", ["-Wl,-z,relro"], ["-Wl,-z,norelro"], {"RELRO"}),
    ("lazy binding", ["-Wl,-z,now"], ["-Wl,-z,lazy"], {"BIND_NOW"}),
    ("no stack protector", ["-fstack-protector-strong"], ["-fno-stack-protector"], {"stack"}),
    ("no fortify", ["-D_FORTIFY_SOURCE=2"], ["-U_FORTIFY_SOURCE"], {"fortify"}),
    # _FORTIFY_SOURCE alone does nothing without optimisation.
    ("fortify without optimisation", ["-O2"], ["-O0"], {"fortify"}),
]


def build(directory, name, flags):
    out = os.path.join(directory, name.replace(" ", "-"))
    subprocess.run([COMPILER, *flags, FIXTURE, "-o", out], check=True)
    return out


def check(*files):
    result = subprocess.run(["bash", CHECKER, *files], capture_output=True, text=True)
    missing = {line.split(": ")[-1].split()[0] for line in result.stdout.splitlines()
               if line.endswith(" MISSING")}
    return result.returncode, missing, result.stdout + result.stderr


class CheckHardening(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory(prefix="rasterblick-hardening.")
        cls.hardened = build(cls.tmp.name, "hardened", HARDENED)

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def test_the_hardened_program_has_every_property(self):
        status, missing, out = check(self.hardened)
        self.assertEqual((status, missing), (0, set()), out)
        for prop in PROPERTIES:
            self.assertIn(f"{self.hardened}: {prop} yes", out)

    def test_each_weakened_build_lacks_exactly_its_property(self):
        for name, removed, added, lost in WEAKENED:
            with self.subTest(name):
                flags = [f for f in HARDENED if f not in removed] + added
                status, missing, out = check(build(self.tmp.name, name, flags))
                self.assertEqual(status, 1, out)
                self.assertEqual(missing, lost, out)

    def test_one_weak_file_among_good_ones_fails_the_whole_check(self):
        weak = build(self.tmp.name, "weak", [f for f in HARDENED if f != "-Wl,-z,now"])
        status, missing, out = check(self.hardened, weak, self.hardened)
        self.assertEqual((status, missing), (1, {"BIND_NOW"}), out)
        self.assertIn(f"{weak}: BIND_NOW MISSING", out)

    def test_a_file_that_is_not_elf_fails(self):
        status, _, out = check(FIXTURE)
        self.assertEqual(status, 1, out)
        self.assertIn("not an ELF file", out)


if __name__ == "__main__":
    CHECKER, COMPILER, FIXTURE = sys.argv[1:4]
    unittest.main(argv=sys.argv[:1] + sys.argv[4:], verbosity=2)
