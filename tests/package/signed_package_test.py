#!/usr/bin/env python3
"""The signed release package: scripts/package run twice with a throwaway
signing certificate; each program's, each installer's and each
uninstaller's Authenticode signature verifies against the throwaway
authority and no other, carries the commit's time, and both runs give the
same bytes. The signed programs are left unpacked in
build/package-signed/programs/ARCH/ for the Wine test to start.

    signed_package_test.py            (from the project's top folder)
"""
import os
import shutil
import subprocess
import sys
import time
import unittest
import zipfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from package_test import INSTALLERS, MAX_EXE, installer_file, security_directory  # noqa: E402
from signing_keys import make_keys  # noqa: E402

WORK = "build/package-signed"
ZIPS = {"x64": "vellmark-1.1.0.0-windows-x64.zip", "x86": "vellmark-1.1.0.0-windows-x86.zip"}


def verify(program, authority):
    return subprocess.run(["osslsigncode", "verify", "-CAfile", authority, "-in", program],
                          capture_output=True, text=True)


class SignedPackage(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        shutil.rmtree(WORK, ignore_errors=True)
        cls.authority, cert, key = make_keys(WORK + "/keys", "Vellmark Throwaway")
        cls.stranger = make_keys(WORK + "/other-keys", "Someone Else")[0]
        env = dict(os.environ, VELLMARK_SIGN_CERT=cert, VELLMARK_SIGN_KEY=key)
        env.pop("VELLMARK_SIGN_TIMESTAMP", None)
        cls.said = []
        for dist in ("dist", "dist-again"):
            run = subprocess.run(["scripts/package", "--dist", WORK + "/" + dist], env=env, check=True,
                                 capture_output=True, text=True)
            cls.said.append(run.stdout)
        cls.commit_time = int(subprocess.run(["git", "log", "-1", "--format=%ct"], check=True,
                                             capture_output=True, text=True).stdout)
        for arch, name in ZIPS.items():
            os.makedirs(WORK + "/programs/" + arch)
            with zipfile.ZipFile(WORK + "/dist/" + name) as package, \
                    open(WORK + "/programs/" + arch + "/vellmark.exe", "wb") as program:
                program.write(package.read("vellmark.exe"))
        # Each installer, and the uninstaller it writes, beside its program.
        for arch, setup in zip(ZIPS, INSTALLERS):
            shutil.copy(WORK + "/dist/" + setup, WORK + "/programs/" + arch + "/setup.exe")
            with open(WORK + "/programs/" + arch + "/Uninstall.exe", "wb") as uninstaller:
                uninstaller.write(installer_file(WORK + "/dist/" + setup, "Uninstall.exe"))

    def program(self, arch, name="vellmark.exe"):
        return WORK + "/programs/" + arch + "/" + name

    def signed(self):
        return [self.program(arch, name) for arch in ZIPS for name in ("vellmark.exe", "setup.exe", "Uninstall.exe")]

    def test_each_program_and_installer_verifies_against_the_authority_that_issued_its_certificate(self):
        for program in self.signed():
            with self.subTest(program=program):
                result = verify(program, self.authority)
                self.assertEqual(0, result.returncode, result.stdout + result.stderr)
                self.assertIn("Signature verification: ok", result.stdout)
                self.assertIn("Subject: /CN=Vellmark Throwaway Signing", result.stdout)

    def test_another_authority_does_not_vouch_for_them(self):
        for program in self.signed():
            with self.subTest(program=program):
                self.assertNotEqual(0, verify(program, self.stranger).returncode)

    def test_the_signature_carries_the_commits_time(self):
        when = time.strftime("%b %e %H:%M:%S %Y GMT", time.gmtime(self.commit_time))
        for program in self.signed():
            with self.subTest(program=program):
                self.assertIn("Signing time: " + when, verify(program, self.authority).stdout)

    def test_two_signed_runs_give_the_same_bytes(self):
        for name in list(ZIPS.values()) + INSTALLERS + ["SHA256SUMS"]:
            with self.subTest(name=name), open(WORK + "/dist/" + name, "rb") as first, \
                    open(WORK + "/dist-again/" + name, "rb") as second:
                self.assertEqual(first.read(), second.read())

    def test_the_signed_programs_keep_within_the_size_and_say_nothing_of_being_unsigned(self):
        for arch in ZIPS:
            with self.subTest(arch=arch), open(self.program(arch), "rb") as program:
                exe = program.read()
                self.assertLessEqual(len(exe), MAX_EXE)
                self.assertGreater(security_directory(exe), 1000)
        for said in self.said:
            self.assertNotIn("unsigned", said)


if __name__ == "__main__":
    unittest.main(verbosity=2)
