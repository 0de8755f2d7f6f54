"""Writes the window tests' fixtures into a folder: a two-size icon (16x16 and 32x32,
32 bits per pixel) and a skin archive whose layout includes a second file."""
import os
import struct
import sys
import zipfile


def icon_image(size, rgb):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    mask_row = ((size + 31) // 32) * 4
    return header + bytes(rgb + (255,)) * (size * size) + bytes(mask_row * size)


def write_icon(path):
    images = [icon_image(16, (0, 0, 255)), icon_image(32, (0, 255, 0))]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((16, 32), images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


def write_skin(path):
    window = ('<?xml version="1.0" encoding="utf-8"?>\n'
              '<Window size="240,120" caption="0,0,0,30">\n'
              '  <VerticalLayout><Include source="pages/page.xml"/></VerticalLayout>\n'
              '</Window>\n')
    page = '<Windows><Button name="fromarchive" height="30"/></Windows>\n'
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as archive:
        archive.writestr("window.xml", window)
        archive.writestr("pages/page.xml", page)


if __name__ == "__main__":
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    write_icon(os.path.join(folder, "window_test.ico"))
    write_skin(os.path.join(folder, "window_skin.zip"))
