#!/usr/bin/python3
"""Reads the Windows downloads as Windows would see them, without running anything.

tirvex.exe: a 64-bit windowed (GUI subsystem) program whose imports name only Windows'
own DLLs, stripped, with the icon and the version record (every field as the record's
own test checks it in the generated script). The zip: the program, green.gif beside it,
README.txt in Persian and English with Windows line ends, and the licences.

    check_downloads.py DIST_DIR VERSION
"""
import sys
import zipfile
from pathlib import Path

import pefile

# DLLs every 64-bit Windows has; api-ms-win-* sets are Windows' own too.
WINDOWS_DLLS = {
    "advapi32", "authz", "bcrypt", "comctl32", "comdlg32", "crypt32", "d3d11", "d3d12", "d3d9",
    "dwmapi", "dwrite", "dxgi", "gdi32", "imm32", "iphlpapi", "kernel32", "mpr", "msvcrt",
    "netapi32", "ntdll", "ole32", "oleaut32", "rpcrt4", "secur32", "setupapi", "shcore",
    "shell32", "shlwapi", "ucrtbase", "user32", "userenv", "uxtheme", "version", "winmm",
    "winspool.drv", "ws2_32", "wtsapi32",
}


def version_parts(version):
    major, minor, revision = (int(p) for p in version.split("."))
    return (major, minor, 0, revision), f"{major}.{minor:02d}.{revision:04d}"


def check_exe(path, version):
    failures = []
    pe = pefile.PE(str(path))
    if pe.FILE_HEADER.Machine != pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_AMD64"]:
        failures.append(f"not a 64-bit program (machine {pe.FILE_HEADER.Machine:#x})")
    if pe.OPTIONAL_HEADER.Subsystem != pefile.SUBSYSTEM_TYPE["IMAGE_SUBSYSTEM_WINDOWS_GUI"]:
        failures.append(f"subsystem {pe.OPTIONAL_HEADER.Subsystem}, not the windowed one (2)")

    imports = sorted(entry.dll.decode().lower() for entry in getattr(pe, "DIRECTORY_ENTRY_IMPORT", []))
    foreign = [dll for dll in imports
               if dll.removesuffix(".dll") not in WINDOWS_DLLS and not dll.startswith("api-ms-win-")]
    if foreign:
        failures.append("needs DLLs that Windows does not have: " + ", ".join(foreign))

    debug = [s.Name.rstrip(b"\0").decode() for s in pe.sections if s.Name.startswith(b".debug")]
    if pe.FILE_HEADER.PointerToSymbolTable or debug:
        failures.append("not stripped: " + (", ".join(debug) or "a symbol table"))

    resource_root = getattr(pe, "DIRECTORY_ENTRY_RESOURCE", None)
    resources = {entry.id for entry in resource_root.entries} if resource_root else set()
    if pefile.RESOURCE_TYPE["RT_GROUP_ICON"] not in resources:
        failures.append("no icon")

    fixed_parts, text = version_parts(version)
    if not getattr(pe, "VS_FIXEDFILEINFO", None):
        return failures + ["no version record"]
    fixed = pe.VS_FIXEDFILEINFO[0]
    as_words = lambda ms, ls: (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)
    expected_fixed = {
        "file version": (as_words(fixed.FileVersionMS, fixed.FileVersionLS), fixed_parts),
        "product version": (as_words(fixed.ProductVersionMS, fixed.ProductVersionLS), fixed_parts),
        "operating system": (fixed.FileOS, 0x4),
        "file type": (fixed.FileType, 0x1),
        "file flags": (fixed.FileFlags & fixed.FileFlagsMask, 0),
    }
    for what, (seen, expected) in expected_fixed.items():
        if seen != expected:
            failures.append(f"record {what}: {seen}, not {expected}")

    tables, translations = {}, []
    for info in pe.FileInfo[0] if pe.FileInfo else []:
        if info.Key == b"StringFileInfo":
            for table in info.StringTable:
                tables[table.LangID.decode().upper()] = {k.decode(): v.decode() for k, v in table.entries.items()}
        elif info.Key == b"VarFileInfo":
            for var in info.Var:
                translations.extend(v.decode() if isinstance(v, bytes) else v for v in var.entry.values())
    expected_strings = {
        "CompanyName": "Tirvex developers", "FileDescription": "Tirvex", "FileVersion": text,
        "InternalName": "tirvex", "LegalCopyright": "Copyright (C) 2026 Tirvex developers",
        "OriginalFilename": "tirvex.exe", "ProductName": "Tirvex", "ProductVersion": text,
    }
    if list(tables) != ["040904B0"]:
        failures.append(f"string tables {list(tables)}, not one for 040904B0")
    elif tables["040904B0"] != expected_strings:
        failures.append(f"string table {tables['040904B0']}, not {expected_strings}")
    # pefile writes a translation as "0x0409 0x04b0": language, then code page.
    if [[int(n, 16) for n in t.split()] for t in translations] != [[0x0409, 0x04B0]]:
        failures.append(f"translation {translations}, not 0x0409 with 0x04B0")
    return failures


def check_zip(path, name, built_exe):
    failures = []
    with zipfile.ZipFile(path) as archive:
        names = set(archive.namelist())
        for member in ("tirvex.exe", "green.gif", "README.txt", "licences/Vazirmatn-font.txt", "licences/Qt.txt"):
            if f"{name}/{member}" not in names:
                failures.append(f"the zip has no {name}/{member}")
        if f"{name}/tirvex.exe" in names and archive.read(f"{name}/tirvex.exe") != built_exe.read_bytes():
            failures.append("the zip's tirvex.exe is not the one built")
        if f"{name}/README.txt" in names:
            readme = archive.read(f"{name}/README.txt").decode("utf-8-sig")
            if "\n" in readme.replace("\r\n", ""):
                failures.append("README.txt has lines that do not end in CR LF")
            for needed in ("green.gif", "tirvex.exe", "برای شروع"):
                if needed not in readme:
                    failures.append(f"README.txt does not mention {needed!r}")
    return failures


def main():
    dist, version = Path(sys.argv[1]), sys.argv[2]
    name = f"tirvex-{version}-win64"
    exe = dist / name / "tirvex.exe"
    failures = [f"tirvex.exe: {f}" for f in check_exe(exe, version)]
    if (dist / f"{name}.zip").exists():
        failures += check_zip(dist / f"{name}.zip", name, exe)
    for download in (f"{name}.zip", f"{name}-setup.exe"):
        size = (dist / download).stat().st_size if (dist / download).exists() else 0
        print(f"{download}: {size / 1e6:.1f} MB" if size else f"{download}: missing")
        if not size:
            failures.append(f"{download} is missing")
    print(f"tirvex.exe: {exe.stat().st_size / 1e6:.1f} MB")
    for failure in failures:
        print("FAIL:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
