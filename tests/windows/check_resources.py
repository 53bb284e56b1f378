#!/usr/bin/env python3
"""Reads the resources of the built program and checks them: the manifest's
execution level, DPI awareness and supported Windows versions, the icon
group "DEFAULT_ICON" (sizes, colour depth, masks that match the alpha
channel), the version record, and the import table: the functions that not
every supported Windows has are looked up at run time, never imported.

    check_resources.py PATH/vellmark.exe
"""
import struct
import sys
import xml.etree.ElementTree as ElementTree

import pefile

RT_ICON, RT_GROUP_ICON, RT_MANIFEST = 3, 14, 24

# Icon images in the group's order: size, and the pixels that are wholly
# transparent (the 256 pixel image is PNG and has no mask).
ICONS = [(256, None), (48, 696), (32, 284), (16, 68)]

FIXED = {
    "FileVersionMS": 0x00010001,
    "FileVersionLS": 0x00000000,
    "ProductVersionMS": 0x00010001,
    "ProductVersionLS": 0x00000000,
    "FileFlagsMask": 0x3F,
    "FileFlags": 0,
    "FileOS": 0x00040004,
    "FileType": 1,
    "FileSubtype": 0,
}
STRINGS = {
    "CodeStyle": "Ansi",
    "CompanyName": "Kestrane",
    "FileDescription": "Brenn Camera OverScan Contiguration Tool",
    "FileVersion": "1.1.0.0",
    "InternalName": "vellmark",
    "LegalCopyright": "Copyright (C) 2009-2026 Kestrane",
    "OriginalFilename": "vellmark.exe",
    "ProductName": "Vellmark",
    "ProductVersion": "1.1.0.0",
}

failures = []


def check(ok, what, got=None):
    print(("PASS: " if ok else "FAIL: ") + what + ("" if ok or got is None else " -- got %r" % (got,)))
    if not ok:
        failures.append(what)


def resources(pe, kind):
    """The entries of one resource type: name or id to the data bytes."""
    found = {}
    for entry in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        if entry.id != kind:
            continue
        for named in entry.directory.entries:
            key = str(named.name) if named.name is not None else named.id
            language = named.directory.entries[0]
            rva, size = language.data.struct.OffsetToData, language.data.struct.Size
            found[key] = pe.get_data(rva, size)
    return found


def check_manifest(pe):
    manifests = resources(pe, RT_MANIFEST)
    check(list(manifests) == [1], "one manifest, number 1", list(manifests))
    if 1 not in manifests:
        return
    root = ElementTree.fromstring(manifests[1])
    levels = [e for e in root.iter() if e.tag.endswith("requestedExecutionLevel")]
    check(len(levels) == 1, "the manifest requests one execution level", len(levels))
    for level in levels:
        check(level.get("level") == "requireAdministrator", "execution level requireAdministrator", level.get("level"))
        check(level.get("uiAccess") == "false", "uiAccess false", level.get("uiAccess"))
    check_scaling_and_systems(root)


# The Windows versions the manifest names, and the scaling it declares.
SUPPORTED_OS = [
    "{e2011457-1546-43c5-a5fe-008deee3d3f0}",  # Vista
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  # 7
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  # 8
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  # 8.1
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  # 10 and 11
]
DPI_SETTINGS = {
    "{http://schemas.microsoft.com/SMI/2016/WindowsSettings}dpiAwareness": "PerMonitorV2",
    "{http://schemas.microsoft.com/SMI/2005/WindowsSettings}dpiAware": "true",
}


def check_scaling_and_systems(root):
    settings = {e.tag: (e.text or "").strip() for e in root.iter() if e.tag in DPI_SETTINGS}
    check(settings == DPI_SETTINGS, "per-monitor v2 DPI awareness, system-aware before it", settings)
    systems = [e.get("Id") for e in root.iter() if e.tag.endswith("}supportedOS")]
    check(systems == SUPPORTED_OS, "the supported Windows versions, Vista to 11", systems)


def check_masked_image(size, transparent, data):
    header = struct.unpack_from("<IiiHH", data)
    check(header == (40, size, 2 * size, 1, 32), "%d px image: 32-bit colour with its mask" % size, header)
    pixels = data[40:40 + 4 * size * size]
    mask = data[40 + 4 * size * size:]
    row = (size + 31) // 32 * 4
    check(len(mask) == row * size, "%d px image: a whole mask" % size, len(mask))
    mismatched, clear, set_bits = 0, 0, 0
    for y in range(size):
        for x in range(size):
            alpha_clear = pixels[4 * (y * size + x) + 3] == 0
            bit = mask[y * row + x // 8] >> (7 - x % 8) & 1 if len(mask) == row * size else 0
            clear += alpha_clear
            set_bits += bit
            mismatched += alpha_clear != bool(bit)
    check(clear == transparent, "%d px image: %d transparent pixels" % (size, transparent), clear)
    check(set_bits == transparent and mismatched == 0, "%d px image: the mask is set exactly where alpha is 0" % size,
          (set_bits, mismatched))


def check_icons(pe):
    groups = resources(pe, RT_GROUP_ICON)
    check(list(groups) == ["DEFAULT_ICON"], "one icon group, DEFAULT_ICON", list(groups))
    if "DEFAULT_ICON" not in groups:
        return
    group = groups["DEFAULT_ICON"]
    count = struct.unpack_from("<HHH", group)[2]
    entries = [struct.unpack_from("<BBBBHHIH", group, 6 + 14 * i) for i in range(count)]
    check([(e[0], e[1], e[5]) for e in entries] == [(0, 0, 32), (48, 48, 32), (32, 32, 32), (16, 16, 32)],
          "the group holds 256, 48, 32 and 16 px images of 32 bits", entries)
    images = resources(pe, RT_ICON)
    for (size, transparent), entry in zip(ICONS, entries):
        data = images.get(entry[7], b"")
        if size == 256:
            png = data[:8] == b"\x89PNG\r\n\x1a\n" and struct.unpack_from(">4sIIBB", data, 12)
            check(png == (b"IHDR", 256, 256, 8, 6), "256 px image: PNG of 8-bit RGBA", png)
        else:
            check_masked_image(size, transparent, data)


def check_version(pe):
    fixed = pe.VS_FIXEDFILEINFO[0]
    got = {name: getattr(fixed, name) for name in FIXED}
    check(got == FIXED, "the version record's fixed part", got)
    translations, tables = [], {}
    for info in pe.FileInfo[0]:
        for var in getattr(info, "Var", []):
            translations += [var.entry[b"Translation"]] if b"Translation" in var.entry else []
        for table in getattr(info, "StringTable", []):
            tables[table.LangID.decode()] = {k.decode(): v.decode() for k, v in table.entries.items()}
    check(translations == ["0x0409 0x04e4"], "translation language 0x0409, code page 0x04E4", translations)
    check(list(tables) == ["040904e4"], "one string table, 040904e4", list(tables))
    check(tables.get("040904e4") == STRINGS, "every string of table 040904e4", tables.get("040904e4"))


# Functions newer than the oldest supported Windows, which the program finds
# with GetProcAddress so that it starts without them.
LOOKED_UP_AT_RUN_TIME = ["SetDefaultDllDirectories", "SetProcessMitigationPolicy"]


def check_imports(pe):
    pe.parse_data_directories(directories=[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_IMPORT"]])
    imported = [symbol.name.decode() for entry in getattr(pe, "DIRECTORY_ENTRY_IMPORT", [])
                for symbol in entry.imports if symbol.name]
    check("CreateFileA" in imported, "the import table is read", len(imported))
    for name in LOOKED_UP_AT_RUN_TIME:
        check(name not in imported, "no static import of " + name)


def main(path):
    pe = pefile.PE(path)
    check_manifest(pe)
    check_icons(pe)
    check_version(pe)
    check_imports(pe)
    print("%d failed" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
