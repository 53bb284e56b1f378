#!/usr/bin/env python3
"""The release package as a camera owner downloads it: scripts/package run
once into dist/ and once more from fresh build trees elsewhere; both runs
give the same bytes, the sums check out, each zip and each installer holds
what it should, and without a signing certificate nothing is signed.

    package_test.py            (from the project's top folder)
"""
import hashlib
import os
import shutil
import struct
import subprocess
import time
import unittest
import zipfile

AGAIN = "build/package-again"
ZIPS = ["vellmark-1.1.0.0-windows-x64.zip", "vellmark-1.1.0.0-windows-x86.zip"]
INSTALLERS = ["vellmark-1.1.0.0-windows-x64-setup.exe", "vellmark-1.1.0.0-windows-x86-setup.exe"]
PICTURES = ["about.png", "camera-not-connected.png", "different-camera.png", "step1.png", "step2.png", "step3.png",
            "step4.png", "step5.png", "unfinished-update.png"]
# The installer's pages, in English and German, beside the English pictures.
INSTALLER_PICTURES = [page + "-" + lang + ".png" for page in
                      ["installer-directory", "installer-finish", "installer-welcome", "uninstaller-finish"]
                      for lang in ["de", "en"]]
LANGUAGE_PICTURES = ["about.png", "step1.png", "step2.png", "step3.png", "step4.png", "step5.png"]
TRANSLATIONS = ["de", "es", "fr", "it", "ja", "zh"]
# In the zip's order, sorted by name: the English guide and README, and each
# translation's page, pictures (the steps and the About box, under the English
# names in images/LANG/) and README.
FILES = sorted(
    ["CHANGES.txt", "README.txt", "Vellmark User Guide.html", "vellmark-cli.exe", "vellmark.exe"] +
    ["images/" + picture for picture in PICTURES + INSTALLER_PICTURES] +
    [name for lang in TRANSLATIONS for name in ["README." + lang + ".txt", "Vellmark User Guide." + lang + ".html"]] +
    ["images/" + lang + "/" + picture for lang in TRANSLATIONS for picture in LANGUAGE_PICTURES])
# The PE machine field of each zip's program, and its optional header's magic.
MACHINES = {ZIPS[0]: (0x8664, 0x20B), ZIPS[1]: (0x014C, 0x10B),
            INSTALLERS[0]: (0x8664, 0x20B), INSTALLERS[1]: (0x014C, 0x10B)}
MAX_EXE = 512 * 1024


def pe_header(exe):
    at = struct.unpack_from("<I", exe, 0x3C)[0]
    assert exe[at:at + 4] == b"PE\0\0"
    machine, _, stamp = struct.unpack_from("<HHI", exe, at + 4)
    magic, = struct.unpack_from("<H", exe, at + 24)
    subsystem, = struct.unpack_from("<H", exe, at + 24 + 68)
    return machine, stamp, magic, subsystem


def installer_files(setup):
    """The files an installer puts into the install folder, as 7z lists
    them (the installer's own plug-ins, in $PLUGINSDIR, left out)."""
    listing = subprocess.run(["7z", "l", "-slt", setup], check=True, capture_output=True, text=True).stdout
    paths = [line[len("Path = "):] for line in listing.splitlines() if line.startswith("Path = ")]
    return sorted(path.replace("\\", "/") for path in paths[1:] if not path.startswith("$PLUGINSDIR"))


def installer_file(setup, name):
    return subprocess.run(["7z", "x", "-so", setup, name], check=True, capture_output=True).stdout


def security_directory(exe):
    """The size of the program's certificate table (data directory 4): 0
    for a program without a signature."""
    at = struct.unpack_from("<I", exe, 0x3C)[0]
    magic, = struct.unpack_from("<H", exe, at + 24)
    directories = at + 24 + (112 if magic == 0x20B else 96)
    return struct.unpack_from("<II", exe, directories + 4 * 8)[1]


class Package(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        env = {k: v for k, v in os.environ.items() if not k.startswith("VELLMARK_SIGN_")}
        cls.said = subprocess.run(["scripts/package"], env=env, check=True, capture_output=True, text=True).stdout
        print(cls.said)
        shutil.rmtree(AGAIN, ignore_errors=True)
        subprocess.run(["scripts/package", "--build-root", AGAIN, "--dist", AGAIN + "/dist"], env=env, check=True)
        cls.commit_time = int(subprocess.run(["git", "log", "-1", "--format=%ct"], check=True,
                                             capture_output=True, text=True).stdout)

    def test_a_second_run_from_fresh_trees_gives_the_same_bytes(self):
        for name in ZIPS + INSTALLERS + ["SHA256SUMS"]:
            with self.subTest(name=name), open("dist/" + name, "rb") as first, \
                    open(AGAIN + "/dist/" + name, "rb") as second:
                self.assertEqual(first.read(), second.read())

    def test_the_sums_are_those_of_the_zips_and_installers_in_sha256sum_format(self):
        with open("dist/SHA256SUMS") as sums:
            lines = sums.read().splitlines()
        self.assertEqual(4, len(lines))
        for line, name in zip(lines, ZIPS + INSTALLERS):
            with open("dist/" + name, "rb") as package:
                self.assertEqual(hashlib.sha256(package.read()).hexdigest() + "  " + name, line)
        subprocess.run(["sha256sum", "--check", "--quiet", "SHA256SUMS"], cwd="dist", check=True)

    def test_each_zip_holds_the_program_the_guide_and_the_readme_in_order(self):
        for name in ZIPS:
            with self.subTest(name=name), zipfile.ZipFile("dist/" + name) as package:
                self.assertEqual(FILES, package.namelist())
                for info in package.infolist():
                    self.assertEqual(self.zip_date(), info.date_time)

    def test_each_program_is_a_stripped_gui_program_of_its_architecture(self):
        for name in ZIPS:
            with self.subTest(name=name), zipfile.ZipFile("dist/" + name) as package:
                exe = package.read("vellmark.exe")
                self.assertLessEqual(len(exe), MAX_EXE)
                machine, stamp, magic, subsystem = pe_header(exe)
                self.assertEqual(MACHINES[name], (machine, magic))
                self.assertEqual(2, subsystem)
                self.assertEqual(self.commit_time, stamp)
                self.assertNotIn(b".debug_info", exe)
                self.assertNotIn(os.getcwd().encode(), exe)

    def test_each_installer_is_of_its_architecture_and_holds_the_zips_files_and_an_uninstaller(self):
        for setup, package_name in zip(INSTALLERS, ZIPS):
            with self.subTest(setup=setup), open("dist/" + setup, "rb") as installer, \
                    zipfile.ZipFile("dist/" + package_name) as package:
                exe = installer.read()
                machine, _, magic, subsystem = pe_header(exe)
                self.assertEqual(MACHINES[setup], (machine, magic))
                self.assertEqual(2, subsystem)
                self.assertEqual(0, security_directory(exe))
                self.assertEqual(sorted(FILES + ["Uninstall.exe"]), installer_files("dist/" + setup))
                for name in ("vellmark.exe", "vellmark-cli.exe", "README.txt"):
                    self.assertEqual(package.read(name), installer_file("dist/" + setup, name), name)

    def test_the_release_page_gives_the_limit_that_is_checked(self):
        with open("docs/release.md", encoding="utf-8") as page:
            self.assertIn("`vellmark.exe` (at most 512 KiB, which the package test checks;", page.read())
        self.assertEqual(512 * 1024, MAX_EXE)
    def test_beside_it_the_console_program_of_its_architecture_runs_as_invoked(self):
        for name in ZIPS:
            with self.subTest(name=name), zipfile.ZipFile("dist/" + name) as package:
                exe = package.read("vellmark-cli.exe")
                self.assertLessEqual(len(exe), MAX_EXE)
                machine, stamp, magic, subsystem = pe_header(exe)
                self.assertEqual(MACHINES[name], (machine, magic))
                # IMAGE_SUBSYSTEM_WINDOWS_CUI: a console program.
                self.assertEqual(3, subsystem)
                self.assertEqual(self.commit_time, stamp)
                self.assertIn(b'requestedExecutionLevel level="asInvoker"', exe)
                self.assertNotIn(b"requireAdministrator", exe)
                self.assertNotIn(b".debug_info", exe)

    def test_without_a_certificate_the_programs_are_unsigned_and_the_run_says_so_in_one_line(self):
        self.assertEqual(1, self.said.count("unsigned"), self.said)
        for name in ZIPS:
            with self.subTest(name=name), zipfile.ZipFile("dist/" + name) as package:
                self.assertEqual(0, security_directory(package.read("vellmark.exe")))
                self.assertEqual(0, security_directory(package.read("vellmark-cli.exe")))

    def test_the_release_notes_name_this_version_with_windows_line_ends(self):
        for name in ZIPS:
            with self.subTest(name=name), zipfile.ZipFile("dist/" + name) as package:
                notes = package.read("CHANGES.txt")
                self.assertTrue(notes.startswith(b"Vellmark 1.1.0.0"), notes[:40])
                self.assertEqual(notes.count(b"\n"), notes.count(b"\r\n"))

    def test_the_readme_has_windows_line_ends_and_names_the_guide(self):
        for name in ZIPS:
            with self.subTest(name=name), zipfile.ZipFile("dist/" + name) as package:
                readme = package.read("README.txt")
                self.assertTrue(readme.endswith(b"\r\n"))
                self.assertEqual(readme.count(b"\n"), readme.count(b"\r\n"))
                self.assertIn(b"Vellmark User Guide.html", readme)
                self.assertIn(b"vellmark.exe", readme)
                for words in (b"certutil -hashfile", b"Get-FileHash", b"Digital Signatures", b"64-bit", b"32-bit",
                              b"CHANGES.txt"):
                    self.assertIn(words, readme)

    def test_each_language_has_its_readme_in_utf8_with_windows_line_ends_naming_its_guide(self):
        # A word of each README that only a right UTF-8 reading shows.
        words = {"de": "Benutzerhandbuch", "es": "Guía del usuario", "fr": "Guide de l’utilisateur",
                 "it": "Guida utente", "ja": "ユーザー ガイド", "zh": "用户指南"}
        for name in ZIPS:
            with zipfile.ZipFile("dist/" + name) as package:
                for lang in TRANSLATIONS:
                    with self.subTest(name=name, lang=lang):
                        readme = package.read("README." + lang + ".txt")
                        self.assertTrue(readme.startswith(b"\xef\xbb\xbf"), readme[:8])
                        self.assertEqual(readme.count(b"\n"), readme.count(b"\r\n"))
                        text = readme[3:].decode("utf-8")
                        self.assertIn("Vellmark User Guide." + lang + ".html", text)
                        self.assertIn(words[lang], text)
                        for words_kept in ("certutil -hashfile", "Get-FileHash", "vellmark-cli status",
                                           "CHANGES.txt", "vellmark-1.1.0.0-windows-x64-setup.exe"):
                            self.assertIn(words_kept, text)
                        self.assertIn(b'lang="' + lang.encode() + b'"',
                                      package.read("Vellmark User Guide." + lang + ".html"))

    def zip_date(self):
        # Zip dates count seconds in twos.
        return time.gmtime(self.commit_time - self.commit_time % 2)[:6]


if __name__ == "__main__":
    unittest.main(verbosity=2)
