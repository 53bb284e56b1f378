#!/usr/bin/env python3
"""Puts the screenshots of a run on one contact sheet: each one cut to what
differs from the desktop's background (the window with its frame, and any
message box), with its file name above it, in the order they were taken.

    contact_sheet.py SHOTS_DIR OUTPUT.png
"""
import os
import sys

from PIL import Image, ImageChops, ImageDraw

COLUMNS = 4
MARGIN = 12
LABEL = 14


def cut(path):
    image = Image.open(path).convert("RGB")
    background = Image.new("RGB", image.size, image.getpixel((image.width - 1, image.height - 1)))
    box = ImageChops.difference(image, background).getbbox() or (0, 0, image.width, image.height)
    left, top, right, bottom = box
    return image.crop((max(left - 8, 0), max(top - 8, 0), min(right + 8, image.width), min(bottom + 8, image.height)))


def main(folder, output):
    names = [n for n in os.listdir(folder) if n.endswith(".png") and n != os.path.basename(output)]
    names.sort(key=lambda n: (os.path.getmtime(os.path.join(folder, n)), n))
    if not names:
        print("no screenshots in " + folder)
        return 1
    shots = [(name, cut(os.path.join(folder, name))) for name in names]
    cell_w = max(shot.width for _, shot in shots) + MARGIN
    cell_h = max(shot.height for _, shot in shots) + MARGIN + LABEL
    rows = (len(shots) + COLUMNS - 1) // COLUMNS
    sheet = Image.new("RGB", (COLUMNS * cell_w + MARGIN, rows * cell_h + MARGIN), (255, 255, 255))
    draw = ImageDraw.Draw(sheet)
    for index, (name, shot) in enumerate(shots):
        x = MARGIN + (index % COLUMNS) * cell_w
        y = MARGIN + (index // COLUMNS) * cell_h
        draw.text((x, y), name[:-4], fill=(0, 0, 0))
        sheet.paste(shot, (x, y + LABEL))
    sheet.save(output)
    print("contact sheet: %s (%d screenshots)" % (output, len(shots)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
