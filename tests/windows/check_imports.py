#!/usr/bin/env python3
"""Reads the import tables of the built programs: every library they import
is one of Windows' KnownDLLs, which the loader takes from System32 alone,
never from the program's folder (where a planted version.dll, say, would
run with the program's rights before any of its code); none is loaded
lazily; and the functions that not every supported Windows has are looked
up at run time, never imported.

    check_imports.py PROGRAM.exe...
"""
import os
import sys

import pefile

# KnownDLLs on every Windows the programs support, Vista to 11 (the
# registry's Session Manager\\KnownDLLs), as far as a program of this kind
# might import them. version.dll, comctl32.dll, uxtheme.dll and oleacc.dll,
# for instance, are not among them.
KNOWN_DLLS = {
    "advapi32.dll", "comdlg32.dll", "gdi32.dll", "imm32.dll", "kernel32.dll", "msvcrt.dll", "ole32.dll",
    "oleaut32.dll", "rpcrt4.dll", "setupapi.dll", "shell32.dll", "shlwapi.dll", "user32.dll", "ws2_32.dll",
}
# Functions newer than the oldest supported Windows.
LOOKED_UP_AT_RUN_TIME = ["SetDefaultDllDirectories", "SetProcessMitigationPolicy"]

failures = []


def check(ok, what, got=None):
    print(("PASS: " if ok else "FAIL: ") + what + ("" if ok or got is None else " -- got %r" % (got,)))
    if not ok:
        failures.append(what)


def check_program(path):
    name = os.path.basename(path)
    pe = pefile.PE(path, fast_load=True)
    pe.parse_data_directories(directories=[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_IMPORT"],
                                           pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT"]])
    entries = getattr(pe, "DIRECTORY_ENTRY_IMPORT", [])
    libraries = sorted(entry.dll.decode().lower() for entry in entries)
    functions = [symbol.name.decode() for entry in entries for symbol in entry.imports if symbol.name]
    check("kernel32.dll" in libraries and "CreateFileA" in functions, name + ": the import table is read", libraries)
    others = [library for library in libraries if library not in KNOWN_DLLS]
    check(not others, name + ": every imported library is a KnownDLL", others)
    delayed = [entry.dll.decode() for entry in getattr(pe, "DIRECTORY_ENTRY_DELAY_IMPORT", [])]
    check(not delayed, name + ": no library is delay-loaded", delayed)
    for function in LOOKED_UP_AT_RUN_TIME:
        check(function not in functions, name + ": no static import of " + function)


def main(paths):
    for path in paths:
        check_program(path)
    print("%d failed" % len(failures))
    return 1 if failures or not paths else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
