"""What the uninstaller's window shows at another display scale, read from screenshots: where
the layouts put things, the skin's "@1.5x"/"@2x" images as they should appear, the fill of
the progress slider, and how tall and how finely a label's text is drawn. Pure reading: the
end-to-end case in e2e.py drives the program and judges with these."""

import os
import subprocess

import varn_x11 as x

# The package's program: an earlier "convert" on PATH may be a stand-in.
CONVERT = "/usr/bin/convert"

# Client rectangles (x, y, width, height) at each DPI the tests use: every skin length scaled
# (half a pixel rounds up) and the layouts' sums and shares worked through.
GEOMETRY = {
    144: {"window": (681, 300), "uninstall": (375, 225, 102, 39), "cancel": (515, 225, 102, 39),
          "min": (590, 0, 45, 39), "close": (635, 0, 45, 39), "slider": (38, 241, 606, 5),
          "tip": (38, 269, 135, 30), "percent": (569, 269, 75, 30)},
    192: {"window": (908, 400), "uninstall": (500, 300, 136, 52), "cancel": (686, 300, 136, 52),
          "min": (786, 0, 60, 52), "close": (846, 0, 60, 52), "slider": (50, 320, 808, 6),
          "tip": (50, 356, 180, 40), "percent": (758, 356, 100, 40)},
}
SUFFIX = {144: "@1.5x", 192: "@2x"}
# The title row's sprites: three 30x26 frames.
CAPTION_FRAMES = {"normal": (0, 0, 30, 26), "hot": (0, 26, 30, 52), "pushed": (0, 52, 30, 78)}
RAIL_COLOUR = (229, 231, 235)
# The progress label's text at 96 DPI, as the reference screenshots hold it.
TIP_96 = (25, 178, 90, 20)


def load_image(path):
    """(width, height, RGBA bytes) of a PNG in any colour type (the variants are packed in the
    smallest one), decoded by ImageMagick."""
    size = subprocess.run([CONVERT, path, "-format", "%w %h", "info:"], capture_output=True, text=True, check=True)
    width, height = (int(v) for v in size.stdout.split())
    rgba = subprocess.run([CONVERT, path, "-depth", "8", "RGBA:-"], capture_output=True, check=True).stdout
    return width, height, rgba


def scaled(value, dpi):
    return (value * dpi + 48) // 96


def scaled_box(box, dpi):
    """A source box of a skin image as the program takes it from the image's variant."""
    return tuple(scaled(v, dpi) for v in box)


class ScaledSkin:
    """The skin's variants for one DPI and what the window should show with them."""

    def __init__(self, folder, dpi):
        self.folder, self.dpi, self.images = folder, dpi, {}
        self.geometry = GEOMETRY[dpi]

    def image(self, name):
        variant = name[:-4] + SUFFIX[self.dpi] + ".png"
        if variant not in self.images:
            self.images[variant] = load_image(os.path.join(self.folder, variant))
        return self.images[variant]

    def background(self, box):
        return x.crop(self.image("bgtop.png"), box)

    def button_look(self, frame, which="uninstall", sprite="uninstall.png"):
        box = self.geometry[which]
        frames = CAPTION_FRAMES if which in ("min", "close") else x.Skin.FRAMES
        return x.compose(self.image("bgtop.png"), box[:2], self.image(sprite),
                         scaled_box(frames[frame], self.dpi), box[2:])

    def shows_button(self, shot, frame, which="uninstall", sprite="uninstall.png", tolerance=6):
        if shot is None or (shot.width, shot.height) != self.geometry["window"]:
            return False
        return x.difference(shot.region(self.geometry[which]), self.button_look(frame, which, sprite)) < tolerance


def largest_difference(a, b):
    return max((abs(p - q) for p, q in zip(a.rgb, b.rgb)), default=0)


def edge_faults(shot, skin, which, fill):
    """Where a button's frame is not crisp: every pixel of its left and right edge columns
    between the rounded corners must be the fill itself, and the columns just outside the
    plain background."""
    bx, by, bw, bh = skin.geometry[which]
    background = skin.image("bgtop.png")
    corner = scaled(4, skin.dpi)
    faults = []
    for y in range(by + corner, by + bh - corner):
        for xx, expected in ((bx, fill), (bx + bw - 1, fill)):
            if shot.pixel(xx, y) != expected:
                faults.append(("edge", xx, y, shot.pixel(xx, y), expected))
        for xx in (bx - 1, bx + bw):
            expected = x.crop(background, (xx, y, 1, 1)).pixel(0, 0)
            if shot.pixel(xx, y) != expected:
                faults.append(("outside", xx, y, shot.pixel(xx, y), expected))
    return faults


def fill_length(shot, slider):
    """How many pixels of the slider's middle row carry the fill colour, from its left end."""
    sx, sy, width, height = slider
    count = 0
    for xx in range(sx, sx + width):
        if all(abs(c - f) <= 24 for c, f in zip(shot.pixel(xx, sy + height // 2), x.FILL_COLOUR)):
            count += 1
        else:
            break
    return count


def slider_faults(shot, skin):
    """Where the progress images are not drawn crisp at the scaled size: the fill's left column
    and the rail's right column are their colours in every row of the slider, and the pixels
    just outside the slider are the page's background."""
    sx, sy, width, height = skin.geometry["slider"]
    background = skin.image("bgtop.png")
    faults = []

    def expect(xx, y, colour, what):
        if shot.pixel(xx, y) != colour:
            faults.append((what, xx, y, shot.pixel(xx, y), colour))

    for y in range(sy, sy + height):
        expect(sx, y, x.FILL_COLOUR, "fill's left column")
        expect(sx + width - 1, y, RAIL_COLOUR, "rail's right column")
        for xx in (sx - 1, sx + width):
            expect(xx, y, x.crop(background, (xx, y, 1, 1)).pixel(0, 0), "beside the slider")
    for xx in (sx, sx + width // 2, sx + width - 1):
        for y in (sy - 1, sy + height):
            expect(xx, y, x.crop(background, (xx, y, 1, 1)).pixel(0, 0), "above or below the slider")
    return faults


def ink_rows(region, background):
    """Rows of a region holding text: pixels far from the background image's."""
    return [y for y in range(region.height)
            if any(max(abs(a - b) for a, b in zip(region.pixel(xx, y), background.pixel(xx, y))) > 40
                   for xx in range(region.width))]


def nearest_enlarged(image, width, height):
    """The image stretched to width x height by repeating pixels: what a display scale
    done by the system (or a doubling of the 96 DPI picture) would show."""
    rgb = bytearray()
    for y in range(height):
        sy = y * image.height // height
        for xx in range(width):
            i = (sy * image.width + xx * image.width // width) * 3
            rgb += image.rgb[i:i + 3]
    return x.Image(width, height, bytes(rgb))
