#!/usr/bin/env python3
"""The user guide's page as the package carries it: rendered from docs/ by
scripts/render-guide, every picture and link on it resolves, and every
text the program shows in a box or in its window stands in it word for
word.

    user_guide_test.py SOURCE_DIR WORK_DIR
"""
import html.parser
import os
import re
import shutil
import subprocess
import sys
import unittest

SOURCE, WORK = sys.argv[1], sys.argv[2]
PAGE = "Vellmark User Guide.html"

# Every message box of the program: its title and its lines, as shown.
BOX_TEXTS = [
    "About configuration tool",
    "Overscan v1.1",
    "1.1.0.0",
    "Copyright (C) 2009-2026 Kestrane",
    "Error",
    "Application requires administrative priviledges",
    "Run it as Administrator",
    "Cannot write Windows Registry",
    "This camera is different",
    "Plug in the same camera",
    "Camera not connected",
    "Plug in the camera",
    "Cannot write camera EEPROM",
    "Contact technical support",
    "Cannot save camera backup",
    "Check the disk and try again",
]
# The window's texts that the guide explains.
WINDOW_TEXTS = [
    "Step 1:", "Connect camera and click [Scan camera] button", "Scan camera", "Next ->",
    "Step 2:", "Unplug camera power",
    "Step 3:", "Connect camera again and click [Scan camera]",
    "Step 4:", "Define Overscan mode", "Write Overscan", "Disabled", "Enabled", "Original",
    "Step 5:", "Camera update successful.", "Changes will take effect after camera is",
    "unplugged from power and plugged again.", "Finish",
    "Not connected", "Cannot be configured", "About...",
]
# What the program leaves on the PC, by name.
REGISTRY_TEXTS = [
    "AllowEEPROMWrite",
    "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\<driver>\\Parameters",
    "HKEY_CURRENT_USER\\Software\\Kestrane\\Vellmark\\Window",
    "XPos", "YPos",
    'reg delete "HKCU\\Software\\Kestrane\\Vellmark" /f',
    "%ProgramData%\\Vellmark\\Backups\\PRODUCTID-CAMERAID.txt",
    "%ProgramData%\\Vellmark\\Logs",
    'rmdir /s /q "%ProgramData%\\Vellmark"',
]
STEP_PICTURES = ["images/step1.png", "images/step2.png", "images/step3.png", "images/step4.png", "images/step5.png"]


class Page(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.links, self.pictures, self.ids, self.words = [], [], set(), []

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if "id" in attrs:
            self.ids.add(attrs["id"])
        if tag == "a" and "href" in attrs:
            self.links.append(attrs["href"])
        if tag == "img":
            self.pictures.append((attrs.get("src", ""), attrs.get("alt", "")))
        if tag == "link" and "href" in attrs:
            self.links.append(attrs["href"])

    def handle_data(self, data):
        if self.lasttag != "style":
            self.words.append(data)

    def text(self):
        # The text as a reader sees it, in one line.
        return re.sub(r"\s+", " ", "".join(self.words))


class UserGuide(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        shutil.rmtree(WORK, ignore_errors=True)
        subprocess.run(["bash", os.path.join(SOURCE, "scripts", "render-guide"), WORK], check=True)
        cls.page = Page()
        with open(os.path.join(WORK, PAGE), encoding="utf-8") as source:
            cls.page.feed(source.read())
        cls.text = cls.page.text()

    def test_every_box_text_stands_in_the_guide_word_for_word(self):
        for text in BOX_TEXTS:
            with self.subTest(text=text):
                self.assertIn('"' + text + '"', self.text)

    def test_the_window_texts_and_registry_names_stand_in_the_guide(self):
        for text in WINDOW_TEXTS + REGISTRY_TEXTS:
            with self.subTest(text=text):
                self.assertIn(text, self.text)

    def test_every_picture_is_a_png_beside_the_page_with_a_description(self):
        self.assertGreaterEqual(len(self.page.pictures), 8)
        for source, description in self.page.pictures:
            with self.subTest(picture=source):
                self.assertNotRegex(source, r"^(/|[a-z]+:)")
                with open(os.path.join(WORK, source), "rb") as picture:
                    self.assertEqual(b"\x89PNG\r\n\x1a\n", picture.read(8))
                self.assertTrue(description.strip())

    def test_each_step_has_its_picture(self):
        sources = [source for source, _ in self.page.pictures]
        for picture in STEP_PICTURES:
            self.assertIn(picture, sources)

    def test_every_link_resolves_within_the_page_or_beside_it(self):
        self.assertTrue(self.page.links)
        for link in self.page.links:
            with self.subTest(link=link):
                if link.startswith("#"):
                    self.assertIn(link[1:], self.page.ids)
                else:
                    self.assertNotRegex(link, r"^(/|[a-z]+:)")
                    self.assertTrue(os.path.isfile(os.path.join(WORK, link)))

    def test_the_page_has_the_guide_title(self):
        with open(os.path.join(WORK, PAGE), encoding="utf-8") as page:
            self.assertIn("<title>Vellmark User Guide</title>", page.read())


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
