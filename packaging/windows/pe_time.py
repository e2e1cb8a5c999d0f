#!/usr/bin/python3
"""Sets the time stamp in a Windows program's PE header, so that a program built from the
same commit is the same file: the installer's header (and with it the uninstaller's) is
stamped with SOURCE_DATE_EPOCH this way, before the installer computes its checksum.

    pe_time.py EXE SECONDS
"""
import sys

import pefile


def main():
    path, seconds = sys.argv[1], int(sys.argv[2])
    pe = pefile.PE(path)
    pe.FILE_HEADER.TimeDateStamp = seconds
    data = pe.write()
    pe.close()
    with open(path, "wb") as out:
        out.write(data)


if __name__ == "__main__":
    main()
