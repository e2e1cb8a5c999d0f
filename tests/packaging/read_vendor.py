#!/usr/bin/env python3
"""Reads a file that a vendor's values were written into back with a parser of its format
and compares each value with the vendor file's own, exactly:
    read_vendor.py VALUES KIND FILE
VALUES is vendor-values.txt of a build (FIELD=<the value as CMake read it, in hex>).
KIND names the format of FILE:
    literals   FIELD=value lines printed by a program compiled with vendor.h
    metainfo   the AppStream metadata
    copyright  the Debian copyright file
    cpack      NAME=<hex> lines of the variables CPack writes into the Debian control file
    offer      the written offer of Qt's source
    exe        a Windows program's version record (tirvex.exe)
    setup      the installer's version record
    registry   a .reg export of the uninstall entry
Prints what differs and exits 1, or says what it read."""
import sys
import xml.etree.ElementTree as ElementTree


def deb822(text):
    """The paragraphs of a Debian control-style file, each a dict of its fields."""
    paragraphs, fields, last = [], {}, None
    for line in text.splitlines() + [""]:
        if not line.strip():
            if fields:
                paragraphs.append(fields)
            fields, last = {}, None
        elif line[0] in " \t":
            fields[last] += "\n" + line[1:]
        else:
            last, _, value = line.partition(":")
            fields[last] = value.strip()
    return paragraphs


def reg_values(text):
    """The string values of a .reg export, unescaped (\\\\ and \\")."""
    values = {}
    for line in text.splitlines():
        if not line.startswith('"') or '"="' not in line:
            continue
        name, _, rest = line[1:].partition('"="')
        value, i = "", 0
        while rest[i] != '"':
            if rest[i] == "\\":
                i += 1
            value += rest[i]
            i += 1
        values[name] = value
    return values


def version_strings(path):
    import pefile
    pe = pefile.PE(path)
    strings = {}
    for info in getattr(pe, "FileInfo", []):
        for entry in info:
            for table in getattr(entry, "StringTable", []):
                strings.update({k.decode(): v.decode("utf-8") for k, v in table.entries.items()})
    return strings


def main(values_path, kind, path):
    v = {}
    for line in open(values_path, encoding="ascii").read().split():
        field, _, hexed = line.partition("=")
        v[field] = bytes.fromhex(hexed).decode("utf-8")
    read = {}  # what the file says -> what the vendor file says
    if kind == "literals":
        for line in open(path, encoding="utf-8").read().splitlines():
            field, _, value = line.partition("=")
            read[field] = (value, v[field])
    elif kind == "metainfo":
        root = ElementTree.parse(path).getroot()
        read["id"] = (root.findtext("id"), v["APPSTREAM_ID"])
        read["developer_name"] = (root.findtext("developer_name"), v["NAME"])
        read["homepage"] = (root.find("url[@type='homepage']").text, v["HOMEPAGE"])
        for image in root.iter("image"):
            read["screenshot"] = (image.text.rpartition("/docs/screenshots/")[0], v["HOMEPAGE"])
    elif kind == "copyright":
        header, *files = deb822(open(path, encoding="utf-8").read())
        read["Upstream-Contact"] = (header.get("Upstream-Contact"), v["MAINTAINER"])
        read["Source"] = (header.get("Source"), v["HOMEPAGE"])
        for n, paragraph in enumerate(p for p in files if p.get("Files") in ("*", "debian/*")):
            read[f"Copyright {n}"] = (paragraph.get("Copyright"), "2026 " + v["NAME"])
    elif kind == "cpack":
        cpack = {}
        for line in open(path, encoding="ascii").read().split():
            name, _, hexed = line.partition("=")
            cpack[name] = bytes.fromhex(hexed).decode("utf-8")
        for name, field in (("CPACK_PACKAGE_VENDOR", "NAME"), ("CPACK_PACKAGE_CONTACT", "MAINTAINER"),
                            ("CPACK_DEBIAN_PACKAGE_MAINTAINER", "MAINTAINER"),
                            ("CPACK_DEBIAN_PACKAGE_HOMEPAGE", "HOMEPAGE")):
            read[name] = (cpack.get(name), v[field])
    elif kind == "offer":
        lines = open(path, encoding="utf-8").read().splitlines()
        indented = [line[2:] for line in lines if line.startswith("  ")]
        read["address"] = (indented.count(v["ADDRESS"]), 2)
        read["e-mail"] = (indented.count("رایانامه: " + v["EMAIL"]) + indented.count("E-mail: " + v["EMAIL"]), 2)
        text = "\n".join(lines)
        read["name"] = (text.count(v["NAME"] + " "), 2)
        read["homepage"] = (text.count(v["HOMEPAGE"] + "."), 2)
    elif kind in ("exe", "setup"):
        strings = version_strings(path)
        read["CompanyName"] = (strings.get("CompanyName"), v["NAME"])
        mark = "Copyright (C) 2026 " if kind == "exe" else "© 2026 "
        read["LegalCopyright"] = (strings.get("LegalCopyright"), mark + v["NAME"])
    elif kind == "registry":
        raw = open(path, "rb").read()
        values = reg_values(raw.decode("utf-16") if raw[:2] == b"\xff\xfe" else raw.decode("utf-8"))
        read["Publisher"] = (values.get("Publisher"), v["NAME"])
        read["URLInfoAbout"] = (values.get("URLInfoAbout"), v["HOMEPAGE"])
    else:
        sys.exit(f"read_vendor.py: no such kind {kind}")
    wrong = {k: (got, want) for k, (got, want) in read.items() if got != want}
    for k, (got, want) in wrong.items():
        print(f"FAIL: {path}: {k} is {got!r}, not {want!r}")
    if wrong or not read:
        sys.exit(1)
    print(f"{kind}: {', '.join(read)} read back exactly")


if __name__ == "__main__":
    main(*sys.argv[1:])
