#!/usr/bin/env python3
"""Writes the installer's file list for makensis from the folder the zip
holds: the macro VellmarkInstallFiles that puts each file into $INSTDIR,
VellmarkRemoveFiles that deletes those files alone, and VELLMARK_SIZE_KB,
their size for Apps & features. Files in sorted order, so that the same
folder gives the same installer.

A subfolder's files are deleted only when the subfolder is a folder of its
own and no link (a reparse point, or gone): the uninstaller never follows a
link out of the install folder. The emptied folders are removed last
without /r, so that anything else left in them stays.

    installer_files.py FOLDER OUT.nsh
"""
import os
import sys


def entries(folder):
    names = []
    for root, _, files in os.walk(folder):
        for name in files:
            names.append(os.path.relpath(os.path.join(root, name), folder).replace(os.sep, "\\"))
    return sorted(names)


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: installer_files.py FOLDER OUT.nsh")
    folder, out = sys.argv[1], sys.argv[2]
    names = entries(folder)
    size = sum(os.path.getsize(os.path.join(folder, name.replace("\\", os.sep))) for name in names)
    subfolders = sorted({name.rsplit("\\", 1)[0] for name in names if "\\" in name})
    lines = ["; Written by scripts/installer_files.py: the files of the installer.",
             "!define VELLMARK_SIZE_KB %d" % ((size + 1023) // 1024), "", "!macro VellmarkInstallFiles"]
    for sub in [""] + subfolders:
        lines.append('  SetOutPath "$INSTDIR%s"' % ("\\" + sub if sub else ""))
        for name in names:
            if name.rsplit("\\", 1)[0] == sub if sub else "\\" not in name:
                lines.append('  File "%s"' % os.path.abspath(os.path.join(folder, name.replace("\\", os.sep))))
    lines += ['  SetOutPath "$INSTDIR"', "!macroend", "", "!macro VellmarkRemoveFiles"]
    lines += ['  Delete "$INSTDIR\\%s"' % name for name in names if "\\" not in name]
    for sub in subfolders:
        # FILE_ATTRIBUTE_REPARSE_POINT, and all bits set for a folder that is not there.
        lines.append("  System::Call 'kernel32::GetFileAttributesW(w \"$INSTDIR\\%s\") i .r0'" % sub)
        lines.append("  IntOp $0 $0 & 0x400")
        lines.append("  ${If} $0 = 0")
        lines += ['    Delete "$INSTDIR\\%s"' % name for name in names if name.rsplit("\\", 1)[0] == sub]
        lines.append("  ${EndIf}")
    lines += ['  RMDir "$INSTDIR\\%s"' % sub for sub in reversed(subfolders)]
    lines += ["!macroend", ""]
    with open(out, "w", encoding="utf-8") as nsh:
        nsh.write("\n".join(lines))


if __name__ == "__main__":
    main()
