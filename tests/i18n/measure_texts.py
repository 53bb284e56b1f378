#!/usr/bin/python3
"""Measures every translated text against its place in the window, in the
fonts the window draws with under Wine: Tahoma of 11 pixels at 96 DPI (13,
16 and 22 at 120, 144 and 192), the captions bold; Japanese and Chinese in
a CJK font, measured in each one installed and, for fonts without a bold
face, made bold the way GDI does it (one pixel more per character). The
terminal's lines are counted in cells, a wide character two.

Prints each language's tightest margin per place and exits 1 when a text
keeps less than the margin asked for (4 pixels, 0 cells in the terminal).

    tests/i18n/measure_texts.py [--all]    (--all: every text, not only the tightest)
"""
import pathlib
import re
import sys
import unicodedata

from PIL import ImageFont

ROOT = pathlib.Path(__file__).resolve().parents[2]
TEXTS = ROOT / "i18n" / "texts"
LANGUAGES = ["en", "de", "fr", "es", "it", "ja", "zh"]
MARGIN = 4

TAHOMA = "/usr/share/wine/fonts/tahoma.ttf"
TAHOMA_BOLD = "/usr/share/wine/fonts/tahomabd.ttf"
# (file, face name part, has a bold file of its own)
CJK = {
    "ja": [("/usr/share/fonts/truetype/wqy/wqy-microhei.ttc", None, None),
           ("/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc", "JP",
            "/usr/share/fonts/opentype/noto/NotoSansCJK-Bold.ttc")],
    "zh": [("/usr/share/fonts/truetype/wqy/wqy-microhei.ttc", None, None),
           ("/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc", "SC",
            "/usr/share/fonts/opentype/noto/NotoSansCJK-Bold.ttc")],
}

# dpi: font pixels, pane width, label right edge, values' x, button text from..to, chooser width
SCALES = {
    96: (11, 256, 92, 100, 4, 120, 156),
    120: (13, 320, 115, 125, 5, 150, 195),
    144: (16, 384, 138, 150, 6, 180, 234),
    192: (22, 512, 184, 200, 8, 240, 312),
}

STEP_TITLES = ["Step 1:", "Step 2:", "Step 3:", "Step 4:", "Step 5:"]
STEP_LINES = ["Connect camera and click [Scan camera] button", "Unplug camera power",
              "Connect camera again and click [Scan camera]", "Define Overscan mode", "Camera update successful."]
FINAL_LINES = ["Changes will take effect after camera is", "unplugged from power and plugged again."]
BUTTONS = ["Scan camera", "Next ->", "Write Overscan", "Finish"]
CHOOSER = ["Disabled", "Enabled", "Original"]
LABELS = ["Camera type:", "Camera ID:", "Overscan:"]
VALUES = ["Not connected", "Cannot be configured", "Driver not installed", "Enabled", "Disabled"]
TERMINAL = [" Tab focus  Enter press  Up/Down mode", " s w n f press  a About  p plug  q quit",
            " Enter: close the box"]
TERMINAL_COLUMNS = 46  # the window's grid: its inner width in 6-pixel cells, and two


def places(s):
    """(name, texts, bold, x, right edge) of each place at one scale."""
    font, pane, labels, values, b0, b1, chooser = s
    arrow = round(23 * font / 11)  # the drop button and the borders
    return [("step titles", STEP_TITLES, True, 0, pane), ("step lines", STEP_LINES, False, 0, pane),
            ("final lines", FINAL_LINES, True, 0, pane), ("buttons", BUTTONS, False, b0, b1),
            ("chooser", CHOOSER, False, 0, chooser - arrow), ("labels", LABELS, False, 0, labels),
            ("values", VALUES, True, values, pane)]


def read_table(language):
    """{english: translated} of a table file; the catalogue maps each text to itself."""
    source = (TEXTS / f"{language}.cpp").read_text(encoding="utf-8")
    string = r'"((?:[^"\\]|\\.)*)"'
    if language == "en":
        return {t: t for t in re.findall(r"^\s*" + string + r",\s*$", source, re.M)}
    return dict(re.findall(r"\{" + string + r",\s*" + string + r"\}", source))


class Fonts:
    def __init__(self, language, size):
        self.size = size
        self.latin = {b: ImageFont.truetype(TAHOMA_BOLD if b else TAHOMA, size) for b in (False, True)}
        self.cjk = []  # (regular, bold or None)
        for path, face, bold_path in CJK.get(language, []):
            self.cjk.append((self.face(path, face, size), self.face(bold_path, face, size) if bold_path else None))

    @staticmethod
    def face(path, part, size):
        for index in range(16):
            try:
                font = ImageFont.truetype(path, size, index=index)
            except OSError:
                break
            if part is None or part in " ".join(font.getname()):
                return font
        raise SystemExit(f"no face {part} in {path}")

    def width(self, text, bold):
        widths = [round(self.latin[bold].getlength(text))]
        for regular, bold_face in self.cjk:
            whole = (bold_face or regular).getlength(text) if bold else regular.getlength(text)
            if bold and not bold_face:
                whole += len(text)
            # Tahoma for what it has, the CJK font for the rest (font linking).
            linked = sum(self.latin[bold].getlength(c) if ord(c) < 0x250 else
                         ((bold_face or regular).getlength(c) + (bold and not bold_face)) for c in text)
            widths += [round(whole), round(linked)]
        return max(widths)


def cells(text):
    return sum(2 if unicodedata.east_asian_width(c) in "WF" else 1 for c in text)


def main():
    show_all = "--all" in sys.argv
    catalogue = read_table("en")
    failed = False
    for language in LANGUAGES:
        table = read_table(language)
        tr = lambda key: table.get(key) or key
        tight = {}
        for dpi, s in SCALES.items():
            fonts = Fonts(language, s[0])
            for name, keys, bold, x, right in places(s):
                for key in keys:
                    margin = right - x - fonts.width(tr(key), bold)
                    if show_all and dpi == 96:
                        print(f"  {language} {name:12} {margin:4} px  {tr(key)}")
                    if name not in tight or margin < tight[name][0]:
                        tight[name] = (margin, dpi, tr(key))
        for key in TERMINAL:
            margin = TERMINAL_COLUMNS - cells(tr(key))
            if "terminal" not in tight or margin < tight["terminal"][0]:
                tight["terminal"] = (margin, 0, tr(key))
        print(f"{language}:")
        for name, (margin, dpi, text) in tight.items():
            unit = "cells" if name == "terminal" else f"px at {dpi} DPI"
            short = margin < (0 if name == "terminal" else MARGIN)
            failed |= short
            print(f"  {name:12} {margin:4} {unit:13} {'TOO TIGHT ' if short else ''}\"{text}\"")
        missing = [k for k in catalogue if k not in table] if language != "en" else []
        if missing:
            print(f"  untranslated: {len(missing)}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
