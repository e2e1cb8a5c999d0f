#!/usr/bin/env python3
"""Reads a file that a vendor's values were written into back with a parser of its format
and compares each value with the vendor file's own, exactly:
    read_vendor.py VALUES KIND FILE
VALUES: vendor-values.txt of a build (FIELD=<the value as CMake read it, in hex>). KIND:
literals (FIELD=value lines printed by a program compiled with vendor.h), metainfo,
copyright, cpack (NAME=<hex> lines of CPack's variables), offer, exe or setup (a Windows
program's version record), registry (a .reg export of the uninstall entry)."""
import sys
import xml.etree.ElementTree as ElementTree


def hex_lines(path):
    pairs = (line.partition("=") for line in open(path, encoding="ascii").read().split())
    return {name: bytes.fromhex(hexed).decode("utf-8") for name, _, hexed in pairs}


def deb822(text):
    """The paragraphs of a Debian control-style file, each a dict of its fields."""
    paragraphs = [{}]
    for line in text.splitlines():
        if not line.strip():
            paragraphs.append({})
        elif line[0] in " \t":
            paragraphs[-1][last] += "\n" + line[1:]
        else:
            last, _, value = line.partition(":")
            paragraphs[-1][last] = value.strip()
    return [p for p in paragraphs if p]


def reg_values(text):
    """The string values of a .reg export, with \\\\ and \\" unescaped."""
    values = {}
    for line in text.splitlines():
        name, sep, rest = line[1:].partition('"="')
        if line.startswith('"') and sep:
            value, escaped = "", False
            for c in rest:
                if c == '"' and not escaped:
                    break
                escaped = c == "\\" and not escaped
                value += "" if escaped else c
            values[name] = value
    return values


def main(values_path, kind, path):
    v = hex_lines(values_path)
    text = lambda: open(path, encoding="utf-8").read()
    if kind == "literals":
        read = {f: (value, v[f]) for f, _, value in (l.partition("=") for l in text().splitlines())}
    elif kind == "metainfo":
        root = ElementTree.parse(path).getroot()
        read = {"id": (root.findtext("id"), v["APPSTREAM_ID"]),
                "developer_name": (root.findtext("developer_name"), v["NAME"]),
                "homepage": (root.find("url[@type='homepage']").text, v["HOMEPAGE"])}
        for image in root.iter("image"):
            read["screenshot"] = (image.text.rpartition("/docs/screenshots/")[0], v["HOMEPAGE"])
    elif kind == "copyright":
        header, *files = deb822(text())
        read = {"Upstream-Contact": (header.get("Upstream-Contact"), v["MAINTAINER"]),
                "Source": (header.get("Source"), v["HOMEPAGE"])}
        for n, paragraph in enumerate(p for p in files if p.get("License") == "LicenseRef-proprietary"):
            read[f"Copyright {n}"] = (paragraph.get("Copyright"), "2026 " + v["NAME"])
    elif kind == "cpack":
        cpack = hex_lines(path)
        read = {name: (cpack.get(name), v[field]) for name, field in (
            ("CPACK_PACKAGE_VENDOR", "NAME"), ("CPACK_PACKAGE_CONTACT", "MAINTAINER"),
            ("CPACK_DEBIAN_PACKAGE_MAINTAINER", "MAINTAINER"), ("CPACK_DEBIAN_PACKAGE_HOMEPAGE", "HOMEPAGE"))}
    elif kind == "offer":
        lines = text().splitlines()
        indented = [line[2:] for line in lines if line.startswith("  ")]
        read = {"address": (indented.count(v["ADDRESS"]), 2),
                "e-mail": (indented.count("رایانامه: " + v["EMAIL"]) + indented.count("E-mail: " + v["EMAIL"]), 2),
                "name": ("\n".join(lines).count(v["NAME"] + " "), 2),
                "homepage": ("\n".join(lines).count(v["HOMEPAGE"] + "."), 2)}
    elif kind in ("exe", "setup"):
        import pefile
        strings = {}
        for info in pefile.PE(path).FileInfo[0]:
            for table in getattr(info, "StringTable", []):
                strings.update({k.decode(): v.decode("utf-8") for k, v in table.entries.items()})
        mark = "Copyright (C) 2026 " if kind == "exe" else "© 2026 "
        read = {"CompanyName": (strings.get("CompanyName"), v["NAME"]),
                "LegalCopyright": (strings.get("LegalCopyright"), mark + v["NAME"])}
    elif kind == "registry":
        raw = open(path, "rb").read()
        values = reg_values(raw.decode("utf-16") if raw[:2] == b"\xff\xfe" else raw.decode("utf-8"))
        read = {"Publisher": (values.get("Publisher"), v["NAME"]),
                "URLInfoAbout": (values.get("URLInfoAbout"), v["HOMEPAGE"])}
    else:
        sys.exit(f"read_vendor.py: no such kind {kind}")
    wrong = [f"FAIL: {path}: {k} is {got!r}, not {want!r}" for k, (got, want) in read.items() if got != want]
    print("\n".join(wrong) or f"{kind}: {', '.join(read)} read back exactly")
    sys.exit(1 if wrong or not read else 0)


if __name__ == "__main__":
    main(*sys.argv[1:])
