#!/usr/bin/env python3
"""Builds the skin tests' archives with real tools.

Usage: make_zip_fixtures.py <output folder> <zip program> <cmake program>

The output folder receives content/ (the loose files every archive holds) and one archive
per tool and option set. Everything is deterministic except the time stamps.
"""
import os
import random
import shutil
import subprocess
import sys
import zipfile

FILES = {
    "install.xml": b'<?xml version="1.0" encoding="utf-8"?>\n'
                   b'<Window size="454,200">\n  <Label name="title" text="Uninstall" />\n</Window>\n',
    "sub/a.txt": b"abc",
    "sub/deep/numbers.txt": b"".join(b"%d\n" % n for n in range(1, 3001)),
    # Incompressible and larger than the reader's 16 KiB input chunk.
    "sub/deep/noise.bin": random.Random(157).randbytes(40000),
    "empty.txt": b"",
}


def write_content(folder):
    for name, data in FILES.items():
        path = os.path.join(folder, *name.split("/"))
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)


def run(args, cwd, stdin=None):
    result = subprocess.run(args, cwd=cwd, input=stdin, stdout=subprocess.PIPE, check=True)
    return result.stdout


def main():
    out, zip_tool, cmake_tool = sys.argv[1:4]
    content = os.path.join(out, "content")
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(content)
    write_content(content)
    names = sorted(FILES)

    def archive(name):
        return os.path.join(out, name)

    # Info-ZIP: deflated with its "UT" time field, stored, without extra fields (-X), and
    # with data descriptors (-fd).
    run([zip_tool, "-q", "-r", archive("infozip_deflate.zip"), "."], content)
    run([zip_tool, "-q", "-r", "-0", archive("infozip_stored.zip"), "."], content)
    run([zip_tool, "-q", "-r", "-X", archive("infozip_noextra.zip"), "."], content)
    run([zip_tool, "-q", "-r", "-fd", archive("infozip_descriptor.zip"), "."], content)
    # Written to a pipe, zip cannot seek back and puts sizes in data descriptors.
    streamed = run([zip_tool, "-q", "-", *names], content)
    with open(archive("infozip_stream.zip"), "wb") as f:
        f.write(streamed)
    # Standard input becomes an entry named "-".
    piped = run([zip_tool, "-q", "-", "-"], content, stdin=FILES["sub/deep/numbers.txt"])
    with open(archive("infozip_stdin.zip"), "wb") as f:
        f.write(piped)

    run([cmake_tool, "-E", "tar", "cf", archive("cmake.zip"), "--format=zip", *names], content)

    for suffix, method in (("deflate", zipfile.ZIP_DEFLATED), ("stored", zipfile.ZIP_STORED)):
        with zipfile.ZipFile(archive("python_%s.zip" % suffix), "w", method) as z:
            for name in names:
                z.writestr(name, FILES[name])


if __name__ == "__main__":
    main()
