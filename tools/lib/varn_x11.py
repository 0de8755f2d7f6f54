"""Driving Wine windows from the X side: finding them, real input through xdotool, and
screenshots read as pixels. Shared by the end-to-end tests, tools/demo and the benchmarks.
Nothing here waits a fixed time: every wait polls a condition with a deadline."""

import ctypes
import ctypes.util
import os
import select
import struct
import subprocess
import time
import zlib

UNINSTALLER_TITLE = "卸载程序"
FAILURE_TITLE = "VarnUI"
FAILURE_TEXT = "加载资源文件失败"

# Geometry of the skin, in client coordinates of the 454x200 window.
WINDOW_SIZE = (454, 200)
# Uninstall page: a 105-pixel filler, then the button row at 150 (padding 45 above it).
BUTTON_UNINSTALL = (250, 150, 68, 26)
BUTTON_CANCEL = (343, 150, 68, 26)
# Title row: a 393-pixel container, then "btn_min" and "btn_close", 30 by 26 each.
BUTTON_MIN = (393, 0, 30, 26)
BUTTON_CLOSE = (423, 0, 30, 26)
# Progress page: a 125-pixel filler, the slider at 25 with padding 35, 404 by 3.
SLIDER = (25, 160, 404, 3)
# The label row at 178 (padding 15 below the slider); "un_progress_pos" is its right end.
PROGRESS_LABEL = (379, 178, 50, 20)
FILL_COLOUR = (219, 76, 76)

POLL = 0.02


class Timeout(Exception):
    pass


def wait_until(condition, timeout, what):
    """Polls `condition` until it returns something true; that value is returned."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Timeout("timed out after %.1f s waiting for %s" % (timeout, what))
        time.sleep(POLL)


def xdotool(*args, check=True):
    try:
        # "--sync" steps wait for the X server's answer, which a stuck window may never give.
        result = subprocess.run(["xdotool"] + [str(a) for a in args], capture_output=True, text=True, timeout=30)
    except subprocess.TimeoutExpired:
        raise Timeout("xdotool %s did not finish" % " ".join(map(str, args)))
    if check and result.returncode != 0:
        raise RuntimeError("xdotool %s failed: %s" % (" ".join(map(str, args)), result.stderr.strip()))
    return result.stdout


def visible_windows(title):
    """X ids of the mapped windows whose name is exactly `title`."""
    out = xdotool("search", "--onlyvisible", "--name", "^%s$" % title, check=False)
    return [int(line) for line in out.split()]


def find_window(title, timeout=30.0):
    return wait_until(lambda: (visible_windows(title) or [None])[0], timeout, "a window titled %r" % title)


def wait_no_window(title, timeout=20.0):
    # X ids are reused: a later search must not find a window of the previous run.
    wait_until(lambda: not visible_windows(title), timeout, "the window %r to go" % title)


def geometry(window):
    values = {}
    for line in xdotool("getwindowgeometry", "--shell", window).split():
        name, _, value = line.partition("=")
        values[name] = int(value) if value.lstrip("-").isdigit() else value
    return values["X"], values["Y"], values["WIDTH"], values["HEIGHT"]


def display_size():
    width, height = xdotool("getdisplaygeometry").split()
    return int(width), int(height)


def window_pid(window):
    return int(xdotool("getwindowpid", window).strip())


def move_mouse(window, x, y):
    xdotool("mousemove", "--window", window, x, y)


def mouse_down():
    xdotool("mousedown", 1)


def mouse_up():
    xdotool("mouseup", 1)


def park_pointer():
    """Moves the pointer to the screen's bottom-right corner, off any window a test starts:
    the in-process window tests open theirs at the top-left, and a pointer resting there
    would send them moves of its own."""
    width, height = (int(v) for v in xdotool("getdisplaygeometry").split())
    xdotool("mousemove", width - 1, height - 1)


def click(window, x, y):
    xdotool("mousemove", "--window", window, x, y, "click", 1)


def click_centre(window, box):
    click(window, box[0] + box[2] // 2, box[1] + box[3] // 2)


def press_keys(window, *keys):
    """Real key presses to `window`, which first gets the input focus."""
    xdotool("windowfocus", "--sync", window)
    xdotool("key", "--clearmodifiers", *keys)


class Image:
    """RGB pixels, row by row."""

    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb = width, height, rgb

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.rgb[i:i + 3])

    def region(self, box):
        x0, y0, w, h = box
        rows = [self.rgb[((y0 + y) * self.width + x0) * 3:((y0 + y) * self.width + x0 + w) * 3] for y in range(h)]
        return Image(w, h, b"".join(rows))


def screenshot(window):
    """The window's pixels, or None when the window went away meanwhile. Read straight from
    the X server (a few milliseconds), since the progress page changes every 300 ms."""
    return _connection().capture(window)


def save_png(image, path):
    """Writes an Image as an 8-bit RGB PNG."""
    rows = b"".join(b"\0" + image.rgb[y * image.width * 3:(y + 1) * image.width * 3] for y in range(image.height))

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    header = struct.pack(">IIBBBBB", image.width, image.height, 8, 2, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows, 9)) +
                chunk(b"IEND", b""))


def load_png(path):
    """8-bit RGB or RGBA, non-interlaced PNG as (width, height, RGBA bytes)."""
    with open(path, "rb") as f:
        data = f.read()
    pos, chunks, header = 8, [], None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            chunks.append(body)
        pos += 12 + length
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in (2, 6) or interlace:
        raise ValueError("unsupported PNG %s" % path)
    channels = 4 if colour == 6 else 3
    raw = zlib.decompress(b"".join(chunks))
    stride = width * channels
    out, previous, pos = bytearray(), bytearray(stride), 0
    for _ in range(height):
        kind, line = raw[pos], bytearray(raw[pos + 1:pos + 1 + stride])
        pos += 1 + stride
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up = previous[i]
            corner = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + left) & 255
            elif kind == 2:
                line[i] = (line[i] + up) & 255
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                line[i] = (line[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else corner)) & 255
        out += line if channels == 4 else b"".join(bytes(line[i:i + 3]) + b"\xff" for i in range(0, stride, 3))
        previous = line
    return width, height, bytes(out)


def compose(background, background_box, sprite, source, size):
    """What the window shows where `source` (x0, y0, x1, y1) of an RGBA sprite is drawn over the
    background image (width, height, RGBA) at `background_box`, stretched to `size`."""
    bw, _, bpixels = background
    sw, _, spixels = sprite
    x0, y0, x1, y1 = source
    width, height = size
    out = bytearray()
    for y in range(height):
        for x in range(width):
            sx = x0 + x * (x1 - x0) // width
            sy = y0 + y * (y1 - y0) // height
            si = (sy * sw + sx) * 4
            bi = ((background_box[1] + y) * bw + background_box[0] + x) * 4
            alpha = spixels[si + 3]
            for c in range(3):
                out.append((spixels[si + c] * alpha + bpixels[bi + c] * (255 - alpha) + 127) // 255)
    return Image(width, height, bytes(out))


def difference(a, b):
    """Mean absolute difference per channel of two images of one size."""
    return sum(abs(p - q) for p, q in zip(a.rgb, b.rgb)) / max(1, len(a.rgb))


def fill_length(image):
    """How many pixels of the slider's row carry the fill colour, from its left end."""
    x0, y0, width, height = SLIDER
    y = y0 + height // 2
    count = 0
    for x in range(x0, x0 + width):
        if all(abs(c - f) <= 24 for c, f in zip(image.pixel(x, y), FILL_COLOUR)):
            count += 1
        else:
            break
    return count


def ink_columns(image, box, background):
    """Columns of `box` holding pixels that differ from `background` (an image of the same box)."""
    region = image.region(box)
    columns = []
    for x in range(region.width):
        if any(max(abs(a - b) for a, b in zip(region.pixel(x, y), background.pixel(x, y))) > 40
               for y in range(region.height)):
            columns.append(x)
    return columns


def crop(image, box):
    """A box of an RGBA image (width, height, pixels) as an RGB Image."""
    width, _, pixels = image
    x0, y0, w, h = box
    out = bytearray()
    for y in range(y0, y0 + h):
        for x in range(x0, x0 + w):
            i = (y * width + x) * 4
            out += pixels[i:i + 3]
    return Image(w, h, bytes(out))


class Skin:
    """The skin's images, and what the window should show with them."""

    FRAMES = {"normal": (0, 0, 68, 26), "hot": (0, 27, 68, 53), "pushed": (0, 54, 94, 80)}
    HEADING = (0, 32, 380, 110)

    def __init__(self, folder):
        self.folder, self.images = folder, {}

    def image(self, name):
        if name not in self.images:
            self.images[name] = load_png(os.path.join(self.folder, name))
        return self.images[name]

    def background(self, box):
        return crop(self.image("bgtop.png"), box)

    def button_look(self, frame, box=BUTTON_UNINSTALL, sprite="uninstall.png"):
        return compose(self.image("bgtop.png"), box[:2], self.image(sprite), self.FRAMES[frame], box[2:])

    def button_state(self, shot, box=BUTTON_UNINSTALL, sprite="uninstall.png"):
        """The frame of the button the screenshot shows and its distance; (None, inf) without one."""
        if shot is None or (shot.width, shot.height) != WINDOW_SIZE:
            return None, float("inf")
        region = shot.region(box)
        scores = {name: difference(region, self.button_look(name, box, sprite)) for name in self.FRAMES}
        best = min(scores, key=scores.get)
        return best, scores[best]

    def shows_button(self, shot, frame, box=BUTTON_UNINSTALL, sprite="uninstall.png"):
        name, score = self.button_state(shot, box, sprite)
        return name == frame and score < 6

    def shows_uninstall_page(self, shot):
        # The button may be hot already when the pointer rests where it shows.
        return (self.shows_button(shot, "normal") or self.shows_button(shot, "hot")) and \
            difference(shot.region(self.HEADING), self.background(self.HEADING)) < 3

    def wait_button(self, window, frame, timeout=15.0):
        wait_until(lambda: self.shows_button(screenshot(window), frame), timeout,
                   "btn_uninstall to show its %s frame" % frame)

    def wait_uninstall_page(self, window, timeout=30.0):
        return wait_until(lambda: (lambda s: s if self.shows_uninstall_page(s) else None)(screenshot(window)),
                          timeout, "the uninstall page")



class _XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int)]


class _XWindowAttributes(ctypes.Structure):
    _fields_ = [("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int), ("height", ctypes.c_int),
                ("border_width", ctypes.c_int), ("depth", ctypes.c_int), ("visual", ctypes.c_void_p),
                ("root", ctypes.c_ulong), ("class_", ctypes.c_int), ("bit_gravity", ctypes.c_int),
                ("win_gravity", ctypes.c_int), ("backing_store", ctypes.c_int),
                ("backing_planes", ctypes.c_ulong), ("backing_pixel", ctypes.c_ulong),
                ("save_under", ctypes.c_int), ("colormap", ctypes.c_ulong), ("map_installed", ctypes.c_int),
                ("map_state", ctypes.c_int), ("all_event_masks", ctypes.c_long),
                ("your_event_mask", ctypes.c_long), ("do_not_propagate_mask", ctypes.c_long),
                ("override_redirect", ctypes.c_int), ("screen", ctypes.c_void_p)]


def _xlib():
    lib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    p, ul, i = ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int
    signatures = {
        "XOpenDisplay": (p, [ctypes.c_char_p]), "XCloseDisplay": (i, [p]), "XDefaultRootWindow": (ul, [p]),
        "XSelectInput": (i, [p, ul, ctypes.c_long]), "XConnectionNumber": (i, [p]), "XPending": (i, [p]),
        "XNextEvent": (i, [p, p]), "XFlush": (i, [p]), "XSync": (i, [p, i]),
        "XInternAtom": (ul, [p, ctypes.c_char_p, i]), "XFree": (i, [p]), "XSetErrorHandler": (p, [p]),
        "XGetWindowProperty": (i, [p, ul, ul, ctypes.c_long, ctypes.c_long, i, ul, ctypes.POINTER(ul),
                                   ctypes.POINTER(i), ctypes.POINTER(ul), ctypes.POINTER(ul), ctypes.POINTER(p)]),
        "XGetImage": (ctypes.POINTER(_XImage), [p, ul, i, i, ctypes.c_uint, ctypes.c_uint, ul, i]),
        "XDestroyImage": (i, [ctypes.POINTER(_XImage)]),
        "XGetWindowAttributes": (i, [p, ul, ctypes.POINTER(_XWindowAttributes)]),
    }
    for name, (result, args) in signatures.items():
        getattr(lib, name).restype = result
        getattr(lib, name).argtypes = args
    return lib


_IGNORE_ERRORS = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)(lambda display, error: 0)


class XConnection:
    """One connection to the X server through libX11. A window may be gone by the time it is
    read; X errors are therefore ignored and show as empty results."""

    MAP_NOTIFY = 19
    SUBSTRUCTURE_NOTIFY_MASK = 1 << 19
    Z_PIXMAP = 2

    def __init__(self):
        self.x = _xlib()
        self.x.XSetErrorHandler(ctypes.cast(_IGNORE_ERRORS, ctypes.c_void_p))
        self.display = self.x.XOpenDisplay(None)
        if not self.display:
            raise RuntimeError("cannot open the X display %s" % os.environ.get("DISPLAY"))
        self.net_wm_name = self.x.XInternAtom(self.display, b"_NET_WM_NAME", 0)
        self.event = ctypes.create_string_buffer(192)

    def close(self):
        if self.display:
            self.x.XCloseDisplay(self.display)
            self.display = None

    def name(self, window):
        ul, i, p = ctypes.c_ulong, ctypes.c_int, ctypes.c_void_p
        kind, fmt, count, after, data = ul(), i(), ul(), ul(), p()
        status = self.x.XGetWindowProperty(self.display, window, self.net_wm_name, 0, 256, 0, 0, ctypes.byref(kind),
                                           ctypes.byref(fmt), ctypes.byref(count), ctypes.byref(after),
                                           ctypes.byref(data))
        if status != 0 or not data.value:
            return ""
        text = ctypes.string_at(data.value, count.value).decode("utf-8", "replace")
        self.x.XFree(data)
        return text

    def capture(self, window):
        attributes = _XWindowAttributes()
        if not self.x.XGetWindowAttributes(self.display, window, ctypes.byref(attributes)):
            return None
        width, height = attributes.width, attributes.height
        image = self.x.XGetImage(self.display, window, 0, 0, width, height, 0xFFFFFFFF, self.Z_PIXMAP)
        if not image:
            return None
        try:
            xi = image.contents
            if xi.bits_per_pixel != 32:
                raise RuntimeError("unexpected X pixel format: %d bits" % xi.bits_per_pixel)
            raw = ctypes.string_at(xi.data, xi.bytes_per_line * height)
        finally:
            self.x.XDestroyImage(image)
        if xi.bytes_per_line != width * 4:
            raw = b"".join(raw[y * xi.bytes_per_line:y * xi.bytes_per_line + width * 4] for y in range(height))
        rgb = bytearray(width * height * 3)
        rgb[0::3], rgb[1::3], rgb[2::3] = raw[2::4], raw[1::4], raw[0::4]
        return Image(width, height, bytes(rgb))


_shared = None


def _connection():
    global _shared
    if _shared is None:
        _shared = XConnection()
    return _shared


class MapWatch(XConnection):
    """Tells, event-driven, when a top-level window with a given name is mapped: listens for
    MapNotify on the root window, so nothing is polled. Open it before starting the program,
    so that no map can slip by."""

    def __init__(self):
        super().__init__()
        root = self.x.XDefaultRootWindow(self.display)
        self.x.XSelectInput(self.display, root, self.SUBSTRUCTURE_NOTIFY_MASK)
        self.x.XSync(self.display, 0)

    def wait_mapped(self, title, timeout=30.0):
        """(window, time.monotonic() of the map) of the first window named `title` mapped since."""
        fd = self.x.XConnectionNumber(self.display)
        deadline = time.monotonic() + timeout
        while True:
            while self.x.XPending(self.display):
                self.x.XNextEvent(self.display, self.event)
                at = time.monotonic()
                if int.from_bytes(self.event.raw[0:4], "little") != self.MAP_NOTIFY:
                    continue
                # XMapEvent: type, serial, send_event, display, event, window (64-bit layout).
                window = int.from_bytes(self.event.raw[40:48], "little")
                if self.name(window) == title:
                    return window, at
            left = deadline - time.monotonic()
            if left <= 0:
                raise Timeout("no window named %r was mapped within %.0f s" % (title, timeout))
            select.select([fd], [], [], left)
