#!/usr/bin/python3
"""Measures every translated text against its place in the window, in the
fonts the window draws with under Wine: Tahoma of 11 pixels at 96 DPI (13,
16 and 22 at 120, 144 and 192), the captions bold; Japanese and Chinese in
each CJK font installed, and for a font without a bold face made bold the
way GDI does it (one pixel more per character). A text's width is the sum
of its characters' hinted advances from FreeType, outlines only, which is
what Wine's GetTextExtentPoint32 gives (Tahoma's embedded bitmaps, which
other renderers take at 11, 13 and 16 pixels, are narrower); compared with
Wine 8 glyph by glyph and text by text at the four sizes, equal to the pixel
for Tahoma and for each CJK font asked for by name. The
terminal's grid is counted in cells, a wide character two.

Prints each language's tightest margin per place and exits 1 when a text
keeps less than the margin asked for (4 pixels, 0 cells in the terminal);
English, the program's own texts, is shown but not judged.

    tests/i18n/measure_texts.py [--all]    (--all: every text at 96 DPI, not only the tightest)
"""
import ctypes
import pathlib
import re
import sys
import unicodedata

ROOT = pathlib.Path(__file__).resolve().parents[2]
TEXTS = ROOT / "i18n" / "texts"
LANGUAGES = ["en", "de", "fr", "es", "it", "ja", "zh"]
MARGIN = 4

TAHOMA = "/usr/share/wine/fonts/tahoma.ttf"
TAHOMA_BOLD = "/usr/share/wine/fonts/tahomabd.ttf"
# (file, a part of the family name to pick from a collection, the bold file or None)
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
KEY_HELP = [" Tab focus  Enter press  Up/Down mode", " s w n f press  a About  p plug  q quit",
            " Enter: close the box"]
BOXES = ["Error", "The last update of this camera did not finish", "Write the overscan mode again",
         "This camera is different", "Plug in the same camera", "Cannot write Windows Registry",
         "Application requires administrative priviledges", "Run it as Administrator", "Camera not connected",
         "Plug in the camera", "Cannot write camera EEPROM", "Contact technical support", "Cannot save camera backup",
         "Check the disk and try again", "Cannot remove the write permission",
         "It is removed at the next start of the program"]
# The terminal draws the window on a grid of 6-pixel cells, 47 wide: the
# pane's lines from cell 1, its values from cell 18, the action button's
# face "[ text ]" from cell 1 up to the Next button's focus mark at cell 22,
# the Next button's from cell 23; a box line sits in its frame behind a sign,
# in 80 columns.
TERMINAL_PLACES = [("pane lines", STEP_TITLES + STEP_LINES + FINAL_LINES, 46), ("values", VALUES, 29),
                   ("action button", ["Scan camera", "Write Overscan"], 16), ("next button", ["Next ->", "Finish"], 19),
                   ("key help", KEY_HELP, 46), ("box lines", BOXES, 71)]


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


class FreeType:
    """Hinted advances of a face at a pixel size, bitmaps left aside."""
    NO_BITMAP = 8

    def __init__(self):
        self.lib = ctypes.CDLL("libfreetype.so.6")
        self.lib.FT_New_Face.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_long, ctypes.c_void_p]
        self.lib.FT_Set_Pixel_Sizes.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_uint]
        self.lib.FT_Get_Char_Index.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self.lib.FT_Get_Char_Index.restype = ctypes.c_uint
        self.lib.FT_Get_Advance.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int32,
                                            ctypes.POINTER(ctypes.c_long)]
        self.library = ctypes.c_void_p()
        if self.lib.FT_Init_FreeType(ctypes.byref(self.library)):
            raise SystemExit("FreeType does not start")

    def face(self, path, size, part=None):
        """The face of the file whose family names part (any face when None)."""
        for index in range(16):
            face = ctypes.c_void_p()
            if self.lib.FT_New_Face(self.library, path.encode(), index, ctypes.byref(face)):
                break
            # FT_FaceRec: family_name follows five FT_Long fields.
            family = ctypes.c_char_p.from_address(face.value + 40).value.decode()
            if part is None or part in family:
                self.lib.FT_Set_Pixel_Sizes(face, 0, size)
                return face
        raise SystemExit(f"no face {part or ''} in {path}")

    def advance(self, face, char):
        """Pixels, or None when the face has no glyph for the character."""
        index = self.lib.FT_Get_Char_Index(face, ord(char))
        if index == 0:
            return None
        value = ctypes.c_long()
        self.lib.FT_Get_Advance(face, index, self.NO_BITMAP, ctypes.byref(value))
        return value.value / 65536


FREETYPE = None


class Fonts:
    def __init__(self, language, size):
        global FREETYPE
        FREETYPE = FREETYPE or FreeType()
        self.latin = {b: FREETYPE.face(TAHOMA_BOLD if b else TAHOMA, size) for b in (False, True)}
        self.cjk = []  # (regular, bold or None)
        for path, part, bold_path in CJK.get(language, []):
            self.cjk.append((FREETYPE.face(path, size, part),
                             FREETYPE.face(bold_path, size, part) if bold_path else None))

    def width(self, text, bold):
        latin = self.latin[bold]
        widths = [sum(FREETYPE.advance(latin, c) or 0 for c in text)]
        for regular, bold_face in self.cjk:
            face = bold_face if bold and bold_face else regular
            made_bold = 1 if bold and not bold_face else 0
            whole = sum((FREETYPE.advance(face, c) or 0) + made_bold for c in text)
            # Tahoma for what it has, the CJK font for the rest (font linking).
            linked = sum(FREETYPE.advance(latin, c) or (FREETYPE.advance(face, c) or 0) + made_bold for c in text)
            widths += [whole, linked]
        return round(max(widths))


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
        for name, keys, room in TERMINAL_PLACES:
            for key in keys:
                margin = room - cells(tr(key))
                if "terminal " + name not in tight or margin < tight["terminal " + name][0]:
                    tight["terminal " + name] = (margin, 0, tr(key))
        print(f"{language}:")
        for name, (margin, dpi, text) in tight.items():
            terminal = name.startswith("terminal")
            unit = "cells" if terminal else f"px at {dpi} DPI"
            # English is as the program has always shown it: told, not judged.
            short = language != "en" and margin < (0 if terminal else MARGIN)
            failed |= short
            print(f"  {name:22} {margin:4} {unit:13} {'TOO TIGHT ' if short else ''}\"{text}\"")
        missing = [k for k in catalogue if k not in table] if language != "en" else []
        if missing:
            print(f"  untranslated: {len(missing)}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
