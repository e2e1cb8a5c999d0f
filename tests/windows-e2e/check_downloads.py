#!/usr/bin/python3
"""Reads the Windows downloads as Windows would see them, without running anything.

tirvex.exe: a 64-bit windowed (GUI subsystem) program whose imports name only Windows'
own DLLs, stripped, with the icon and the version record (every field as the record's
own test checks it in the generated script), naming no folder of the machine that built
it. The zip: the program, green.gif beside it, README.txt in Persian and English with
Windows line ends, and the licences: the LGPLv3 and GPLv3 texts, Qt's notice and a notice
for every third-party part the Qt build reports compiled into the program, and a written
offer of Qt's source for three years. Beside the downloads, and nothing else: the
relinking kit, Qt's source with its recipe, the zip of all three for a USB stick, and
SHA256SUMS, which matches them.

    check_downloads.py DIST_DIR VERSION QT_RECORD STAGED_FOLDER FOLDER...
FOLDER: folders of this machine (the tree, the build, Qt's cache) that the program must
not name; the home folder is added.
"""
import hashlib
import os
import re
import sys
import zipfile
import xml.etree.ElementTree as ElementTree
from pathlib import Path

import pefile

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "packaging" / "windows"))
import qt_notices  # noqa: E402

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


WINDOWS_10_AND_11 = "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"


def check_manifest(pe, resource_root):
    """The one manifest Windows reads at start (type 24, id 1), as Windows parses it."""
    kinds = {entry.id: entry for entry in resource_root.entries} if resource_root else {}
    ids = [entry.id for entry in kinds[24].directory.entries] if 24 in kinds else []
    if ids != [1]:
        return [f"manifests {ids}, not one with id 1"]
    data = kinds[24].directory.entries[0].directory.entries[0].data.struct
    root = ElementTree.fromstring(pe.get_data(data.OffsetToData, data.Size))
    local = lambda name: [e for e in root.iter() if e.tag.rpartition("}")[2] == name]
    seen = {
        "execution level": [e.get("level") for e in local("requestedExecutionLevel")],
        "supported systems": [e.get("Id") for e in local("supportedOS")],
        "DPI awareness": [e.text for e in local("dpiAwareness")] + [e.text for e in local("dpiAware")],
    }
    expected = {"execution level": ["asInvoker"], "supported systems": [WINDOWS_10_AND_11],
                "DPI awareness": ["PerMonitorV2"]}
    return [f"manifest {what}: {seen[what]}, not {expected[what]}" for what in expected if seen[what] != expected[what]]


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

    failures += check_manifest(pe, resource_root)

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


def check_paths(path, folders):
    """Folders of the building machine named anywhere in the program, as Latin-1 or UTF-16."""
    data = path.read_bytes()
    found = []
    for folder in sorted(set(folders)):
        for encoded in (folder.encode(), folder.encode("utf-16-le")):
            if encoded in data:
                at = data.index(encoded)
                context = data[max(0, at - 40):at + len(encoded) + 40].decode("latin-1", "replace")
                found.append(f"names {folder!r}: ...{context!r}...")
                break
    return found


def check_licences(names, name, record):
    failures = []
    prefix = f"{name}/licences/"
    for member in ("LGPL-3.txt", "GPL-3.txt", "Qt.txt", "Qt-source-offer.txt", "Vazirmatn-font.txt"):
        if prefix + member not in names:
            failures.append(f"the zip has no licences/{member}")
    shipped = {n[len(prefix + "qt-third-party/"):-4] for n in names
               if n.startswith(prefix + "qt-third-party/") and n.endswith(".txt")}
    reported = {key for key, _, _ in qt_notices.parts(record)}
    # The parts any Qt build of ours compiles in: an empty report is a broken one.
    for part in ("freetype", "harfbuzz-ng", "libjpeg", "libpng", "pcre2", "zlib"):
        if part not in reported:
            failures.append(f"the Qt build reports no {part}: its record cannot be read")
    for part in sorted(reported - shipped):
        failures.append(f"no notice for {part}, which Qt compiled into the program")
    for part in sorted(shipped - reported):
        failures.append(f"a notice for {part}, which the Qt build does not report")
    return failures


def check_notice_texts(archive, name):
    """Each third-party notice carries its licence's text, unless the part is in the
    public domain."""
    failures = []
    for member in archive.namelist():
        if member.startswith(f"{name}/licences/qt-third-party/") and member.endswith(".txt"):
            text = archive.read(member).decode("utf-8")
            if "-" * 72 not in text and "Public Domain" not in text:
                failures.append(f"{member} carries no licence text")
    return failures


def check_zip(path, name, built_exe, record):
    failures = []
    with zipfile.ZipFile(path) as archive:
        names = set(archive.namelist())
        for member in ("tirvex.exe", "green.gif", "README.txt"):
            if f"{name}/{member}" not in names:
                failures.append(f"the zip has no {name}/{member}")
        failures += check_licences(names, name, record) + check_notice_texts(archive, name)
        failures += check_offer(archive, name)
        if f"{name}/tirvex.exe" in names and archive.read(f"{name}/tirvex.exe") != built_exe.read_bytes():
            failures.append("the zip's tirvex.exe is not the one built")
        if f"{name}/README.txt" in names:
            readme = archive.read(f"{name}/README.txt").decode("utf-8-sig")
            if "\n" in readme.replace("\r\n", ""):
                failures.append("README.txt has lines that do not end in CR LF")
            for needed in ("green.gif", "tirvex.exe", "برای شروع", "LGPLv3", "relink.zip",
                           "Windows 10 or later, 64-bit", "ویندوز ۱۰ یا جدیدتر، ۶۴ بیتی"):
                if needed not in readme:
                    failures.append(f"README.txt does not mention {needed!r}")
    return failures


def check_offer(archive, name):
    """The written offer: filled in, and valid three years from the release."""
    member = f"{name}/licences/Qt-source-offer.txt"
    if member not in archive.namelist():
        return []
    text = archive.read(member).decode("utf-8-sig")
    failures = [f"the offer leaves {m} unfilled" for m in sorted(set(re.findall(r"@[A-Z_]+@", text)))]
    dates = re.search(r"three years from (\d{4})(-\d\d-\d\d) \(until (\d{4})(-\d\d-\d\d)\)", text)
    if not dates or int(dates[3]) - int(dates[1]) != 3 or dates[2] not in (dates[4], "-02-29"):
        failures.append("the offer does not run three years from the release")
    return failures


def check_dist(dist, name):
    """DIST holds what a vendor publishes, each file named in SHA256SUMS with its checksum."""
    published = {f"{name}.zip", f"{name}-setup.exe", f"{name}-relink.zip",
                 f"{name}-with-qt-source.zip", "qt-source", "SHA256SUMS"}
    present = {p.name for p in dist.iterdir()}
    failures = [f"dist/ holds {n}, which is not published" for n in sorted(present - published)]
    failures += [f"dist/ has no {n}" for n in sorted(published - present)]
    source = sorted(p.name for p in (dist / "qt-source").glob("*"))
    for needed in (".dsc", ".orig.tar.xz", ".debian.tar.xz", "configure-options.txt", "build-qt",
                   "mingw-w64-x86_64.cmake"):
        if not any(n.endswith(needed) for n in source):
            failures.append(f"qt-source/ has no {needed}: {source}")
    files = {p.relative_to(dist).as_posix() for p in dist.rglob("*") if p.is_file()} - {"SHA256SUMS"}
    listed = {}
    if (dist / "SHA256SUMS").exists():
        for line in (dist / "SHA256SUMS").read_text().splitlines():
            digest, _, file = line.partition("  ")
            listed[file] = digest
    for file in sorted(files | set(listed)):
        if file not in files or file not in listed:
            failures.append(f"SHA256SUMS and dist/ differ on {file}")
        elif hashlib.sha256((dist / file).read_bytes()).hexdigest() != listed[file]:
            failures.append(f"SHA256SUMS gives {file} another checksum")
    stick = dist / f"{name}-with-qt-source.zip"
    if stick.exists():
        names = set(zipfile.ZipFile(stick).namelist())
        stem = stick.stem
        for member in (f"{name}/tirvex.exe", f"{name}/licences/Qt-source-offer.txt",
                       f"{name}-relink.zip", *(f"qt-source/{n}" for n in source)):
            if f"{stem}/{member}" not in names:
                failures.append(f"{stick.name} has no {member}")
    return failures


def main():
    dist, version, record, staged = Path(sys.argv[1]), sys.argv[2], Path(sys.argv[3]), Path(sys.argv[4])
    folders = [f for f in sys.argv[5:] + [os.environ.get("HOME", "")] if len(f) > 1]
    name = f"tirvex-{version}-win64"
    exe = staged / "tirvex.exe"
    failures = [f"tirvex.exe: {f}" for f in check_exe(exe, version) + check_paths(exe, folders)]
    if (dist / f"{name}.zip").exists():
        failures += check_zip(dist / f"{name}.zip", name, exe, record)
    failures += check_dist(dist, name)
    for download in (f"{name}.zip", f"{name}-setup.exe", f"{name}-relink.zip", f"{name}-with-qt-source.zip"):
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
