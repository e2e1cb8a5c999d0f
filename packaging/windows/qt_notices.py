#!/usr/bin/python3
"""The third-party parts that Qt compiled into tirvex.exe, and their notices.

The Qt cache that scripts/build-qt-windows keeps records, beside the libraries, every
source file each of Qt's targets compiled (headers and included sources too) and the
folder Qt was built from (qt-source/), whose source archive has attribution files naming
each third-party part. A part is in the program when a file it attributes was compiled into a target the program links; each
such part's notice is its name, version, copyright and licence, with the licence's full
text.

    qt_notices.py list RECORD              the parts' ids, one a line
    qt_notices.py write RECORD LICENCES    writes LICENCES/qt-third-party/<id>.txt, and
                                           LICENCES/LGPL-3.txt and GPL-3.txt
"""
import functools
import gzip
import json
import posixpath
import sys
import tarfile
from pathlib import Path

# Qt's targets that are not linked into tirvex.exe: the test library and the platform
# plugin only the tests use. Everything else the build compiled counts, so that a part a
# later Qt build adds is never left out.
NOT_IN_PROGRAM = {"Test", "QOffscreenIntegrationPlugin"}
# The full texts of the licence Qt is used under and of the licence it builds on, as
# Debian keeps them.
LICENCE_TEXTS = {"LGPL-3.txt": "/usr/share/common-licenses/LGPL-3",
                 "GPL-3.txt": "/usr/share/common-licenses/GPL-3"}


def compiled_files(record):
    files = set()
    with gzip.open(record / "compiled-files.tsv.gz", "rt", encoding="utf-8") as lines:
        for line in lines:
            target, _, path = line.rstrip("\n").partition("\t")
            if target.removesuffix("_init").partition("_resources")[0] not in NOT_IN_PROGRAM:
                files.add(path)
    return files


@functools.lru_cache(maxsize=None)
def source_files(record):
    """The attribution files and every file beside them of Qt's source archive, by path in
    the source tree, read in one pass: the archive is compressed as a whole."""
    wanted = {}
    with tarfile.open(next((record / "qt-source").glob("*.orig.tar.*"))) as archive:
        for member in archive:
            path = member.name.partition("/")[2]
            if member.isfile() and not path.startswith(("tests/", "examples/")) and (
                    path.endswith("qt_attribution.json") or "LICEN" in path.upper()
                    or "/COPY" in path.upper()):
                wanted[path] = archive.extractfile(member).read().decode("utf-8", "replace")
    return wanted


def attributions(record):
    """Every attribution entry of Qt's source, with the folder its file stands in."""
    files = source_files(record)
    for path in sorted(p for p in files if p.endswith("qt_attribution.json")):
        data = json.loads(files[path], strict=False)
        for entry in data if isinstance(data, list) else [data]:
            yield posixpath.dirname(path), entry


def attributed(folder, entry, files):
    """Whether any compiled file is one the entry attributes."""
    base = folder + "/" if folder else ""
    if "Files" in entry:
        wanted = {posixpath.normpath(base + f) for f in entry["Files"].split()}
        return not wanted.isdisjoint(files)
    prefix = posixpath.normpath(base + entry.get("Path", "")) + "/"
    single = prefix[:-1]
    return any(f.startswith(prefix) or f == single for f in files)


def parts(record):
    """(id, folder, entry) of each part compiled into the program, by id."""
    files = compiled_files(record)
    found = {}
    for folder, entry in attributions(record):
        if folder.startswith(("tests/", "util/", "cmake/", "examples/")):
            continue
        if attributed(folder, entry, files):
            found.setdefault(entry["Id"], (folder, entry))
    return [(key, *found[key]) for key in sorted(found)]


def read_source_file(record, folder, name):
    """A licence or copyright file that an attribution in `folder` names."""
    path = posixpath.normpath(f"{folder}/{name.strip()}")
    if path not in source_files(record):
        raise FileNotFoundError(f"{path}, named by the attribution of {folder}")
    return source_files(record)[path]


def notice(record, folder, entry):
    lines = [entry.get("Name", entry["Id"])]
    for label, key in (("Version", "Version"), ("Homepage", "Homepage"), ("Used in", "QtUsage"),
                       ("Licence", "License"), ("SPDX", "LicenseId")):
        if entry.get(key):
            lines.append(f"{label}: {entry[key]}")
    copyright_text = entry.get("Copyright", "").strip()
    if entry.get("CopyrightFile"):
        copyright_text = read_source_file(record, folder, entry["CopyrightFile"]).strip()
    lines += ["", copyright_text, ""]
    names = entry.get("LicenseFiles") or entry.get("LicenseFile", "").split(",")
    for name in filter(str.strip, names):
        lines += ["-" * 72, read_source_file(record, folder, name).rstrip(), ""]
    return "\r\n".join("\n".join(lines).splitlines()) + "\r\n"


def write(record, licences):
    out = licences / "qt-third-party"
    out.mkdir(parents=True, exist_ok=True)
    for key, folder, entry in parts(record):
        (out / f"{key}.txt").write_bytes(notice(record, folder, entry).encode("utf-8"))
    for name, source in LICENCE_TEXTS.items():
        text = Path(source).read_text(encoding="utf-8")
        (licences / name).write_bytes("\r\n".join(text.splitlines()).encode("utf-8") + b"\r\n")


def main():
    command, record = sys.argv[1], Path(sys.argv[2])
    if command == "list":
        for key, _, _ in parts(record):
            print(key)
    elif command == "write":
        write(record, Path(sys.argv[3]))
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
