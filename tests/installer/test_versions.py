#!/usr/bin/env python3
"""The version resources of the programs and of the setup program carry the
project version and the product's names.

    test_versions.py <version> <product> <company> <exe>...
"""
import os
import struct
import sys


def resource_section(data):
    """(bytes, virtual address) of the PE file's .rsrc section."""
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    count = struct.unpack_from("<H", data, pe + 6)[0]
    optional = struct.unpack_from("<H", data, pe + 20)[0]
    table = pe + 24 + optional
    for i in range(count):
        name, _, va, size, raw = struct.unpack_from("<8sIIII", data, table + 40 * i)
        if name.rstrip(b"\0") == b".rsrc":
            return data[raw:raw + size], va
    raise ValueError("no resource section")


def version_block(data):
    """The raw VS_VERSIONINFO resource (type 16, first name, first language)."""
    rsrc, va = resource_section(data)

    def entries(offset):
        named, ids = struct.unpack_from("<HH", rsrc, offset + 12)
        return [struct.unpack_from("<II", rsrc, offset + 16 + 8 * i) for i in range(named + ids)]

    for ident, target in entries(0):
        if ident == 16:
            names = entries(target & 0x7FFFFFFF)
            langs = entries(names[0][1] & 0x7FFFFFFF)
            rva, size = struct.unpack_from("<II", rsrc, langs[0][1])
            return rsrc[rva - va:rva - va + size]
    raise ValueError("no version resource")


def parse(block, offset=0):
    """One node of the version tree: (key, value, children)."""
    length, vlen, kind = struct.unpack_from("<HHH", block, offset)
    end = offset + length
    p = offset + 6
    q = p
    while block[q:q + 2] != b"\0\0":
        q += 2
    key = block[p:q].decode("utf-16-le")
    p = (q + 2 + 3) & ~3
    if kind == 1:
        value = block[p:p + 2 * vlen].decode("utf-16-le").rstrip("\0")
        p += 2 * vlen
    else:
        value = block[p:p + vlen]
        p += vlen
    children = []
    p = (p + 3) & ~3
    while p < end:
        child, p = parse(block, p)
        children.append(child)
        p = (p + 3) & ~3
    return (key, value, children), end


def strings(node):
    key, value, children = node
    out = {}
    for child in children:
        if child[0] == "StringFileInfo":
            for table in child[2]:
                for s in table[2]:
                    out[s[0]] = s[1]
    return out


def quad(text):
    """"1.2" -> (1, 2, 0, 0); None for text that is not a version."""
    parts = text.split(".")
    if not 1 <= len(parts) <= 4 or not all(p.isdigit() for p in parts):
        return None
    return tuple(int(p) for p in parts + ["0"] * (4 - len(parts)))


def main():
    version, product, company, *exes = sys.argv[1:]
    numbers = quad(version)
    failures = 0
    for exe in exes:
        name = os.path.basename(exe)
        with open(exe, "rb") as f:
            root, _ = parse(version_block(f.read()))
        fixed = root[1]
        ms, ls = struct.unpack_from("<II", fixed, 8)
        pms, pls = struct.unpack_from("<II", fixed, 16)
        got = strings(root)
        checks = [
            ("file version numbers", (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF), numbers),
            ("product version numbers", (pms >> 16, pms & 0xFFFF, pls >> 16, pls & 0xFFFF), numbers),
            ("ProductName", got.get("ProductName"), product),
            ("CompanyName", got.get("CompanyName"), company),
            ("OriginalFilename", got.get("OriginalFilename"), name),
            ("FileVersion", quad(got.get("FileVersion", "")), numbers),
            ("ProductVersion", quad(got.get("ProductVersion", "")), numbers),
            ("LegalCopyright names the maker", company in got.get("LegalCopyright", ""), True),
            ("FileDescription names the product", product in got.get("FileDescription", ""), True),
        ]
        for what, have, want in checks:
            ok = have == want
            failures += not ok
            print("%s %s: %s%s" % ("ok  " if ok else "FAIL", name, what, "" if ok else " (%r, not %r)" % (have, want)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
