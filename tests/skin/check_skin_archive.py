#!/usr/bin/env python3
"""Checks the packed skin archive: the exact entry list, well-formed UTF-8 layouts, the
names the program looks up, that every image a layout names is either present and
large enough for the part the layout takes from it, or one of the known absent ones, and
that every image's "@1.5x" and "@2x" variants are there at the size the program scales the
image to (half a pixel rounds up), with no chunk that could carry a time.

Usage: check_skin_archive.py <skin.zip>
Prints "N passed, N failed" last; exits non-zero on any failure.
"""
import re
import struct
import sys
import xml.etree.ElementTree as ET
import zipfile

LAYOUTS = ["install.xml", "default.xml", "configpage.xml", "installingpage.xml",
           "finishpage.xml", "uninstallpage.xml", "uninstallingpage.xml",
           "uninstallfinishpage.xml", "msgBox.xml"]
IMAGES = ["bgtop.png", "cancel.png", "cancel1.png", "close.png", "close1.png", "min.png",
          "min1.png", "msgWarning.png", "ok.png", "process_bottom.png", "process_top.png",
          "uninstall.png", "uninstall1.png", "uninstall2.png", "uninstall3.png",
          "uninst_ok.png", "uninst_process_bottom.png", "uninst_process_top.png"]
# Named by install pages and the scroll bar defaults, deliberately not shipped.
ABSENT = {"checkbox.png", "edit.png", "arrow_down.png", "finish.png", "scroll.png",
          "scroll1.png"}
# Sizes the layouts are drawn for (sprite strips and stretched rails).
SIZES = {"min1.png": (30, 78), "close1.png": (30, 78), "uninstall.png": (94, 80),
         "cancel.png": (94, 80), "uninst_ok.png": (93, 96), "bgtop.png": (454, 200),
         "uninst_process_bottom.png": (404, 3), "uninst_process_top.png": (404, 3)}
# Scales of the variants, as DPI: the program scales a length v to (v * dpi + 48) // 96.
VARIANTS = {"@1.5x": 144, "@2x": 192}
# Only these chunks may be in a variant (no time, text or tool names).
ESSENTIAL_CHUNKS = {b"IHDR", b"PLTE", b"tRNS", b"IDAT", b"IEND"}
LOOKED_UP = ["wizard_setup_tab", "slr_uninst_progress", "un_progress_pos", "btn_close",
             "btn_min", "btn_uninstall", "btn_cancle"]
PAGES = ["configpage.xml", "installingpage.xml", "finishpage.xml", "uninstallpage.xml",
         "uninstallingpage.xml", "uninstallfinishpage.xml"]

passed = failed = 0


def check(ok, what):
    global passed, failed
    if ok:
        passed += 1
    else:
        failed += 1
        print("FAIL:", what)


def png_size(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        return None
    return struct.unpack(">II", data[16:24])


def variant(name, suffix):
    return name[:-4] + suffix + ".png"


def chunk_names(data):
    names, pos = [], 8
    while pos + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        names.append(kind)
        pos += 12 + length
    return names


def image_refs(name, value):
    """(file, source rectangle or None) named by one attribute, if it is an image."""
    pairs = dict(re.findall(r"(\w+)\s*=\s*'([^']*)'", value))
    if pairs.get("file"):
        src = pairs.get("source")
        return [(pairs["file"], tuple(int(n) for n in src.split(",")) if src else None)]
    if name.lower().endswith("image") and value and "=" not in value:
        return [(value, None)]
    return []


def main():
    archive = zipfile.ZipFile(sys.argv[1])
    names = archive.namelist()
    variants = [variant(img, suffix) for img in IMAGES for suffix in VARIANTS]
    check(sorted(names) == sorted(LAYOUTS + IMAGES + variants),
          f"archive entries {sorted(names)}")
    check(len(names) == len(set(names)), "duplicate entries")

    sizes = {}
    for img in IMAGES:
        if img in names:
            sizes[img] = png_size(archive.read(img))
            check(sizes[img] is not None, f"{img} is a PNG")
    for img, size in SIZES.items():
        check(sizes.get(img) == size, f"{img} is {size[0]}x{size[1]}, not {sizes.get(img)}")
    for img in IMAGES:
        for suffix, dpi in VARIANTS.items():
            name = variant(img, suffix)
            if name not in names or not sizes.get(img):
                continue
            data = archive.read(name)
            expected = tuple((v * dpi + 48) // 96 for v in sizes[img])
            check(png_size(data) == expected, f"{name} is {png_size(data)}, not {expected}")
            check(set(chunk_names(data)) <= ESSENTIAL_CHUNKS, f"{name} chunks {chunk_names(data)}")

    docs = {}
    for layout in LAYOUTS:
        if layout not in names:
            continue
        data = archive.read(layout)
        try:
            data.decode("utf-8")
            docs[layout] = ET.fromstring(data)
            check(True, layout)
        except (UnicodeDecodeError, ET.ParseError) as e:
            check(False, f"{layout}: {e}")

    if "install.xml" in docs:
        root = docs["install.xml"]
        tab = root.find(".//TabLayout[@name='wizard_setup_tab']")
        check(tab is not None and [i.get("source") for i in tab] == PAGES,
              "wizard_setup_tab includes the six pages in order")
    found = {e.get("name") for d in docs.values() for e in d.iter() if e.get("name")}
    for n in LOOKED_UP:
        check(n in found, f"control {n} exists")

    for layout, root in docs.items():
        for elem in root.iter():
            attrs = dict(elem.attrib)
            if elem.tag == "Default":
                attrs = dict(re.findall(r'(\w+)="([^"]*)"', elem.get("value", "")))
            for attr, value in attrs.items():
                for img, src in image_refs(attr, value):
                    where = f"{layout}: {elem.tag} {elem.get('name', '')} {attr}"
                    if img in ABSENT:
                        check(img not in names, f"{where}: {img} should stay absent")
                        continue
                    check(img in sizes, f"{where}: {img} is missing")
                    if img in sizes and src and sizes[img]:
                        w, h = sizes[img]
                        check(0 <= src[0] < src[2] <= w and 0 <= src[1] < src[3] <= h,
                              f"{where}: source {src} outside {img} ({w}x{h})")
                        if elem.get("height") and elem.tag == "Button":
                            check(src[3] - src[1] == int(elem.get("height")),
                                  f"{where}: frame height differs from the button's")

    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
