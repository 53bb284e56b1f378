#!/usr/bin/env python3
"""The translated user guides as the package carries them: each page
rendered by scripts/render-guide beside the English one, in its language,
its pictures its own (images/LANG/), every link resolving, and every text of
the window and the boxes that the guide explains standing in it exactly as
that language's table (i18n/texts/LANG.cpp) has it; a box the guide quotes
in bold is one the table knows.

    translated_guides_test.py SOURCE_DIR WORK_DIR
"""
import os
import re
import shutil
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from user_guide_test import BOX_TEXTS, WINDOW_TEXTS, REGISTRY_TEXTS, Page  # noqa: E402

SOURCE, WORK = sys.argv[1], sys.argv[2]
# Each language's quotation marks around a text of the program, and its page's title.
LANGUAGES = {
    "de": ("„", "“", "Vellmark Benutzerhandbuch"),
    "fr": ("« ", " »", "Vellmark Guide de l’utilisateur"),
    "es": ("«", "»", "Vellmark Guía del usuario"),
    "it": ("«", "»", "Vellmark Guida utente"),
    "ja": ("「", "」", "Vellmark ユーザー ガイド"),
    "zh": ("“", "”", "Vellmark 用户指南"),
}
# Shown in English in every language: the window's title and the version.
KEPT = ["Overscan v1.1", "1.1.0.0", "Copyright (C) 2009-2026 Kestrane"]
# The console program's lines that the guides show, with their values.
CONSOLE_TEXTS = [
    ("Unplug the power of camera {1} now.", "468253"),
    ("Plug camera {1} in again.", "468253"),
    ("Changes will take effect after camera is unplugged from power and plugged again.",),
    ("the camera {1} is already {2}: nothing written", "468253", "Enabled"),
    ("run it from an administrator's command prompt",),
    ("the camera refused the write: unplug its power after the permission is granted, then write again",),
]
# Each language's pictures: the steps and the About box (the Wine test shoots the other boxes in English only).
PICTURES = ["step1.png", "step2.png", "step3.png", "step4.png", "step5.png", "about.png"]
LITERAL = r'"(?:[^"\\]|\\.)*"'


def table(lang):
    """The translations of a language's table by their English text."""
    with open(os.path.join(SOURCE, "i18n", "texts", lang + ".cpp"), encoding="utf-8") as source:
        code = re.sub(r"//[^\n]*", "", source.read())

    def text(literals):
        return "".join(bytes(part[1:-1].replace('\\"', '"'), "utf-8").decode("unicode_escape").encode(
            "latin-1").decode("utf-8") for part in re.findall(LITERAL, literals))
    pairs = re.findall(r"\{\s*((?:" + LITERAL + r"\s*)+),\s*((?:" + LITERAL + r"\s*)+)\}", code)
    # As the program looks them up: the first pair of an English text counts.
    translations = {}
    for english, translated in pairs:
        translations.setdefault(text(english), text(translated))
    return translations


class TranslatedGuides(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        shutil.rmtree(WORK, ignore_errors=True)
        subprocess.run(["bash", os.path.join(SOURCE, "scripts", "render-guide"), WORK], check=True)
        cls.pages, cls.texts = {}, {}
        for lang in LANGUAGES:
            page = Page()
            with open(os.path.join(WORK, "Vellmark User Guide." + lang + ".html"), encoding="utf-8") as source:
                cls.pages[lang] = source.read()
            page.feed(cls.pages[lang])
            cls.texts[lang] = page

    def translation(self, lang, english):
        translations = table(lang)
        self.assertIn(english, translations, lang + " has no translation")
        return translations[english]

    def test_every_box_text_stands_in_its_guide_in_quotes_as_the_table_has_it(self):
        for lang, (opening, closing, _) in LANGUAGES.items():
            text = self.texts[lang].text()
            for english in BOX_TEXTS:
                with self.subTest(lang=lang, text=english):
                    shown = english if english in KEPT else self.translation(lang, english)
                    self.assertTrue(opening + shown + closing in text, shown + " is not quoted in the guide")

    def test_the_window_texts_as_the_table_has_them_and_the_registry_names_stand_in_each_guide(self):
        for lang in LANGUAGES:
            text = self.texts[lang].text()
            for english in WINDOW_TEXTS:
                with self.subTest(lang=lang, text=english):
                    shown = self.translation(lang, english)
                    self.assertTrue(shown in text, shown + " is not in the guide")
            for name in REGISTRY_TEXTS:
                with self.subTest(lang=lang, text=name):
                    self.assertTrue(name in text, name + " is not in the guide")

    def test_the_console_programs_lines_stand_in_each_guide_as_it_prints_them(self):
        for lang in LANGUAGES:
            text = self.texts[lang].text()
            for english, *values in CONSOLE_TEXTS:
                with self.subTest(lang=lang, text=english):
                    shown = self.translation(lang, english)
                    for place, value in enumerate(values, 1):
                        shown = shown.replace("{%d}" % place, value)
                    self.assertTrue(shown in text, shown + " is not in the guide")

    def test_every_box_quoted_in_bold_is_one_the_table_knows(self):
        for lang, (opening, closing, _) in LANGUAGES.items():
            with open(os.path.join(SOURCE, "docs", "user-guide." + lang + ".md"), encoding="utf-8") as source:
                boxes = re.findall(r"^\*\*(.+?)\*\*", source.read(), re.M)
            self.assertGreaterEqual(len(boxes), 7, lang)
            known = set(table(lang).values()) | set(KEPT)
            for box in boxes:
                for quoted in re.findall(re.escape(opening.strip()) + r"\s*(.+?)\s*" + re.escape(closing.strip()), box):
                    with self.subTest(lang=lang, text=quoted):
                        self.assertIn(quoted, known)

    def test_each_guide_shows_its_own_pictures_of_every_step_and_the_about_box(self):
        for lang in LANGUAGES:
            pictures = self.texts[lang].pictures
            self.assertEqual(sorted("images/" + lang + "/" + name for name in PICTURES),
                             sorted(source for source, _ in pictures), lang)
            for source, description in pictures:
                with self.subTest(lang=lang, picture=source):
                    with open(os.path.join(WORK, source), "rb") as picture:
                        self.assertEqual(b"\x89PNG\r\n\x1a\n", picture.read(8))
                    self.assertTrue(description.strip())

    def test_every_link_resolves_within_the_page_or_beside_it(self):
        for lang in LANGUAGES:
            page = self.texts[lang]
            self.assertGreaterEqual(len(page.links), 10, lang)
            for link in page.links:
                with self.subTest(lang=lang, link=link):
                    if link.startswith("#"):
                        self.assertIn(link[1:], page.ids)
                    else:
                        self.assertNotRegex(link, r"^(/|[a-z]+:)")
                        self.assertTrue(os.path.isfile(os.path.join(WORK, link)))

    def test_each_page_has_its_language_and_title(self):
        for lang, (_, _, title) in LANGUAGES.items():
            with self.subTest(lang=lang):
                self.assertIn('lang="' + lang + '"', self.pages[lang])
                self.assertIn("<title>" + title + "</title>", self.pages[lang])


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
