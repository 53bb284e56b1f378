#!/usr/bin/env python3
"""Draws the program's icon, a camera body carrying a sensor whose active
area is framed by its overscan border, and writes it as an icon file with
256 (PNG), 48, 32 and 16 pixel images in 32-bit colour.

    python3 resources/make_icon.py resources/vellmark.ico
"""
import struct
import sys
import zlib

SIZES = (256, 48, 32, 16)
SAMPLES = 4  # per axis, for smooth edges

BODY = (44, 56, 76)
BODY_EDGE = (24, 32, 46)
BORDER = (232, 164, 44)  # the overscan band
ACTIVE = (48, 176, 196)
GRID = (30, 120, 140)
LENS_RING = (200, 206, 214)


def in_round_rect(u, v, x0, y0, x1, y1, r):
    if u < x0 or u > x1 or v < y0 or v > y1:
        return False
    cx = min(max(u, x0 + r), x1 - r)
    cy = min(max(v, y0 + r), y1 - r)
    return (u - cx) ** 2 + (v - cy) ** 2 <= r * r


def colour_at(u, v):
    """The colour at a point of the unit square, or None where transparent."""
    if in_round_rect(u, v, 0.30, 0.08, 0.70, 0.26, 0.04) or in_round_rect(u, v, 0.05, 0.18, 0.95, 0.88, 0.11):
        if not in_round_rect(u, v, 0.08, 0.21, 0.92, 0.85, 0.09) and v > 0.2:
            return BODY_EDGE
        if 0.24 <= u <= 0.76 and 0.28 <= v <= 0.80:
            if not (0.27 <= u <= 0.73 and 0.31 <= v <= 0.77):
                return LENS_RING
            if not (0.34 <= u <= 0.66 and 0.38 <= v <= 0.70):
                return BORDER
            cell = 0.32 / 4
            gu = (u - 0.34) % cell
            gv = (v - 0.38) % cell
            if gu < 0.012 or gv < 0.012:
                return GRID
            return ACTIVE
        if 0.78 <= u <= 0.86 and 0.26 <= v <= 0.31:
            return BORDER
        return BODY
    return None


def render(size):
    """Rows of (r, g, b, a), top row first."""
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    c = colour_at((x + (sx + 0.5) / SAMPLES) / size, (y + (sy + 0.5) / SAMPLES) / size)
                    if c is not None:
                        acc[0] += c[0]
                        acc[1] += c[1]
                        acc[2] += c[2]
                        acc[3] += 1
            n = SAMPLES * SAMPLES
            if acc[3] == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append((acc[0] // acc[3], acc[1] // acc[3], acc[2] // acc[3], 255 * acc[3] // n))
        rows.append(row)
    return rows


def png(rows):
    size = len(rows)
    raw = b"".join(b"\x00" + bytes(c for px in row for c in px) for row in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def mask(rows):
    """The AND mask, bottom row first: a set bit, most significant first,
    where the pixel is wholly transparent; rows padded to 32 bits."""
    size = len(rows)
    mask_row = ((size + 31) // 32) * 4
    out = b""
    for row in reversed(rows):
        bits = bytearray(mask_row)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        out += bytes(bits)
    return out


def dib(rows):
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    return header + pixels + mask(rows)


def main(path):
    images = [png(render(s)) if s == 256 else dib(render(s)) for s in SIZES]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(SIZES, images):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "vellmark.ico")
