#!/usr/bin/python3
"""Zips a folder the same way every time: entries in sorted order, each with the time of
SOURCE_DATE_EPOCH (when set) and fixed permissions, so that the same files give the same
zip on any machine, in any folder.

    reproducible_zip.py ZIP FOLDER    the zip holds FOLDER's own name as its top folder
"""
import os
import sys
import time
import zipfile
from pathlib import Path


def entry_time(path):
    epoch = os.environ.get("SOURCE_DATE_EPOCH")
    seconds = int(epoch) if epoch else int(path.stat().st_mtime)
    # A zip's times start in 1980 and carry no time zone: UTC, as Windows shows it.
    return time.gmtime(max(seconds, 315532800))[:6]


def main():
    out, folder = Path(sys.argv[1]), Path(sys.argv[2])
    paths = sorted([folder, *folder.rglob("*")], key=lambda p: p.relative_to(folder.parent).as_posix())
    tmp = out.with_suffix(".zip.part")
    with zipfile.ZipFile(tmp, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
        for path in paths:
            name = path.relative_to(folder.parent).as_posix()
            info = zipfile.ZipInfo(name + "/" if path.is_dir() else name, entry_time(path))
            info.create_system = 0  # as a Windows zip: no Unix owner or mode bits
            if path.is_dir():
                info.external_attr = 0x10  # the directory attribute
                archive.writestr(info, b"")
            else:
                info.compress_type = zipfile.ZIP_DEFLATED
                archive.writestr(info, path.read_bytes(), compresslevel=9)
    tmp.replace(out)


if __name__ == "__main__":
    main()
