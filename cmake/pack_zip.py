#!/usr/bin/env python3
"""Packs files into a zip archive that depends on their names and contents alone: entries in
the order given, no time stamps (every entry dated 1980-01-01, the format's first day), no
owner or permission bits, no extra fields. Each entry is deflated when that makes it smaller
and stored otherwise (images are compressed already).

    pack_zip.py OUTPUT.zip FILE...   (names are stored as given, relative to the current folder)
"""
import os
import sys
import zipfile
import zlib

EPOCH = (1980, 1, 1, 0, 0, 0)


def deflated_size(data):
    packer = zlib.compressobj(9, zlib.DEFLATED, -15)
    return len(packer.compress(data) + packer.flush())


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    output, names = sys.argv[1], sys.argv[2:]
    partial = output + ".partial"
    with zipfile.ZipFile(partial, "w") as archive:
        for name in names:
            with open(name, "rb") as f:
                data = f.read()
            entry = zipfile.ZipInfo(name.replace(os.sep, "/"), date_time=EPOCH)
            entry.create_system = 0
            entry.external_attr = 0
            if deflated_size(data) < len(data):
                entry.compress_type = zipfile.ZIP_DEFLATED
                archive.writestr(entry, data, compresslevel=9)
            else:
                entry.compress_type = zipfile.ZIP_STORED
                archive.writestr(entry, data)
    os.replace(partial, output)
    return 0


if __name__ == "__main__":
    sys.exit(main())
