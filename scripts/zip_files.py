#!/usr/bin/env python3
"""Writes every file below a folder into a zip that depends on nothing but
the files' contents: names in sorted order, each dated SOURCE_DATE_EPOCH,
no owners or permissions of this machine.

    zip_files.py ZIP FOLDER
"""
import os
import sys
import time
import zipfile


def entries(folder):
    names = []
    for root, _, files in os.walk(folder):
        for name in files:
            path = os.path.join(root, name)
            names.append(os.path.relpath(path, folder).replace(os.sep, "/"))
    return sorted(names)


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: zip_files.py ZIP FOLDER")
    out, folder = sys.argv[1], sys.argv[2]
    # A zip date is of 1980 or later and counts seconds in twos: an odd
    # second would be stored one lower, so the date says so itself.
    epoch = max(int(os.environ["SOURCE_DATE_EPOCH"]), 315532800)
    stamp = time.gmtime(epoch - epoch % 2)[:6]
    with zipfile.ZipFile(out, "w") as archive:
        for name in entries(folder):
            info = zipfile.ZipInfo(name, date_time=stamp)
            info.create_system = 0
            info.external_attr = 0
            info.compress_type = zipfile.ZIP_DEFLATED
            with open(os.path.join(folder, name), "rb") as source:
                archive.writestr(info, source.read(), compresslevel=9)


if __name__ == "__main__":
    main()
