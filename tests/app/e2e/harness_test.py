#!/usr/bin/env python3
"""Checks of the pixel reading the end-to-end tests rely on, so that a hover, press or progress
check cannot pass for the wrong reason: the three button frames are told apart, the fill and
label readers see what a drawn progress page shows, and PNG files survive a round trip.

    harness_test.py <skin folder>
"""

import os
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..", "tools", "lib"))
import varn_x11 as x  # noqa: E402


def page_with(skin, frame):
    """A 454x200 window as the uninstall page would show it, with one frame of the button."""
    page = x.crop(skin.image("bgtop.png"), (0, 0) + x.WINDOW_SIZE)
    return paste(page, skin.button_look(frame), x.BUTTON_UNINSTALL[:2])


def paste(image, part, at):
    rgb = bytearray(image.rgb)
    for y in range(part.height):
        start = ((at[1] + y) * image.width + at[0]) * 3
        rgb[start:start + part.width * 3] = part.rgb[y * part.width * 3:(y + 1) * part.width * 3]
    return x.Image(image.width, image.height, bytes(rgb))


def test_frames_are_told_apart(skin):
    for frame in x.Skin.FRAMES:
        name, score = skin.button_state(page_with(skin, frame))
        assert name == frame and score < 1, (frame, name, score)
        others = [x.difference(skin.button_look(frame), skin.button_look(other))
                  for other in x.Skin.FRAMES if other != frame]
        # Far above the tolerance of 6 that the tests accept for a match.
        assert min(others) > 12, (frame, others)
    assert skin.shows_uninstall_page(page_with(skin, "normal"))
    assert not skin.shows_uninstall_page(x.crop(skin.image("bgtop.png"), (0, 0) + x.WINDOW_SIZE))


def test_fill_and_label(skin):
    page = x.crop(skin.image("bgtop.png"), (0, 0) + x.WINDOW_SIZE)
    left, top, width, height = x.SLIDER
    for fill in (0, 80, 222, 404):
        red = x.Image(fill, height, bytes(x.FILL_COLOUR) * fill * height) if fill else None
        drawn = paste(page, red, (left, top)) if red else page
        assert x.fill_length(drawn) == fill, fill
    background = skin.background(x.PROGRESS_LABEL)
    full = (0, 0) + x.PROGRESS_LABEL[2:]
    assert x.ink_columns(background, full, background) == []
    ink = x.Image(6, 10, bytes([40, 40, 40]) * 60)
    label = paste(background, ink, (40, 5))
    assert x.ink_columns(label, full, background) == list(range(40, 46))


def test_png_round_trip(skin):
    image = x.crop(skin.image("uninstall.png"), (0, 0, 94, 80))
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "frame.png")
        x.save_png(image, path)
        width, height, pixels = x.load_png(path)
    assert (width, height) == (94, 80)
    assert x.crop((width, height, pixels), (0, 0, 94, 80)).rgb == image.rgb


def main():
    skin = x.Skin(sys.argv[1])
    tests = [test_frames_are_told_apart, test_fill_and_label, test_png_round_trip]
    failed = 0
    for test in tests:
        try:
            test(skin)
        except AssertionError as error:
            failed += 1
            print("FAILED %s: %s" % (test.__name__, error))
    print("%d passed, %d failed" % (len(tests) - failed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
