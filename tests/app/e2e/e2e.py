#!/usr/bin/env python3
"""End-to-end tests of the real uninstall.exe: a demo installation in the test prefix, real X
input through xdotool on the harness's display, results read from outside (X geometry,
screenshot pixels, exit codes, the files and the registry). Run by CTest under tools/test,
which exports the prefix, the display and the Wine loader.

    e2e.py <case> --tools DIR --skin DIR --product EXE --probe EXE --accclient EXE
           [--uninstaller EXE] [--no-skin EXE] [--bad-skin EXE] [--reference DIR]

The "pixels" case compares screenshots with the ones in --reference; with
VARN_WRITE_REFERENCE=1 in the environment it writes them there instead.
"""

import argparse
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..", "tools", "lib"))
import varn_dpi  # noqa: E402
import varn_x11 as x  # noqa: E402
import e2e_dpi  # noqa: E402

INSTALLED_UNINSTALLER = r"C:\Program Files\Varnholt\uninstall.exe"
PERCENTS = [20, 40, 55, 70, 80, 90, 100]
# The platform's accessibility roles and states that accclient reports as numbers.
ROLE_CLIENT, ROLE_PROPERTYPAGE, ROLE_PUSHBUTTON, ROLE_PAGETABLIST = 0x0A, 0x26, 0x2B, 0x3C
STATE_INVISIBLE, STATE_FOCUSABLE = 0x8000, 0x100000


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


class Rig:
    def __init__(self, args):
        self.args = args
        self.loader = os.environ.get("VARN_WINE_LOADER")
        check(self.loader and os.environ.get("WINEPREFIX") and os.environ.get("DISPLAY"),
              "run through tools/test: the Wine prefix, loader and display are not set")
        self.shell_libs = "source '%s/wine.sh'; source '%s/demo_install.sh'; " % (args.tools, args.tools)
        self.product_pid = None
        self.processes = []
        self.skin = x.Skin(args.skin)
        self.references = {}
        self.use_prefix()

    def use_prefix(self):
        """Reads the installation's layout in the prefix the environment names."""
        self.layout = dict(line.split("=", 1) for line in self.bash("varn_demo_print_layout").splitlines())
        # A crash must end the program with a code, not wait behind a dialog.
        subprocess.run([self.loader, "reg", "add", r"HKCU\Software\Wine\WineDbg", "/v", "ShowCrashDialog",
                        "/t", "REG_DWORD", "/d", "0", "/f"], capture_output=True)

    def reference(self, path):
        """A stored screenshot as (width, height, RGB bytes)."""
        if path not in self.references:
            width, height, rgba = x.load_png(path)
            rgb = bytearray(width * height * 3)
            rgb[0::3], rgb[1::3], rgb[2::3] = rgba[0::4], rgba[1::4], rgba[2::4]
            self.references[path] = (width, height, bytes(rgb))
        return self.references[path]

    def bash(self, script, *args):
        result = subprocess.run(["bash", "-c", self.shell_libs + script, "e2e"] + list(args),
                                capture_output=True, text=True)
        check(result.returncode == 0, "shell step failed: %s\n%s" % (script, result.stderr))
        return result.stdout

    # The installation

    def install(self):
        out = self.bash('varn_demo_install "$1" "$2"; varn_demo_start_product; echo "$demo_product_pid"',
                        self.args.uninstaller, self.args.product)
        self.product_pid = int(out.split()[-1])

    def remove(self):
        pid = self.product_pid or ""
        self.bash('demo_product_pid="$1"; varn_demo_remove', str(pid))
        self.product_pid = None

    def key_present(self):
        return subprocess.run([self.loader, "reg", "query", self.layout["demo_key"]],
                              capture_output=True).returncode == 0

    def product_running(self):
        return self.product_pid is not None and os.path.exists("/proc/%d" % self.product_pid) and \
            not open("/proc/%d/stat" % self.product_pid).read().split(") ")[-1].startswith("Z")

    # The program

    def launch(self, exe):
        x.wait_no_window(x.UNINSTALLER_TITLE)
        x.wait_no_window(x.FAILURE_TITLE)
        # The pointer stays where the last case left it: off the window, no button starts hot.
        x.park_pointer()
        self.stderr_path = os.path.join(os.environ.get("HOME", "/tmp"), "e2e-stderr.txt")
        self.stderr = open(self.stderr_path, "w")
        process = subprocess.Popen([self.loader, exe], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                   stderr=self.stderr)
        self.processes.append(process)
        return process

    def end_all(self):
        """Ends whatever a failed case left running, and parks the pointer for later tests."""
        for process in self.processes:
            if process.poll() is None:
                process.kill()
                process.wait()
        x.park_pointer()

    def finish(self, process, expected_code, timeout=30.0):
        try:
            code = process.wait(timeout)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()
            raise Failure("the program did not end within %.0f s" % timeout)
        self.stderr.close()
        errors = open(self.stderr_path, errors="replace").read()
        # Wine reports a crash as "wine: Unhandled page fault ... starting debugger...".
        check("Unhandled" not in errors and "starting debugger" not in errors,
              "the program crashed:\n%s" % errors[-2000:])
        check(not any_winedbg(), "a crash handler (winedbg) is running")
        check(code == expected_code, "exit code %s, expected %s" % (code, expected_code))

    def probe(self, *args):
        command = [self.loader, self.args.probe] + list(args)
        started = time.monotonic()
        result = subprocess.run(command, capture_output=True, text=True)
        waited = time.monotonic() - started
        # A "find" that failed long before its wait was over never searched: the probe did not
        # start (seen once on a loaded machine). It is given one more start.
        if args[0] == "find" and result.returncode != 0 and waited < int(args[2]) / 2000.0:
            result = subprocess.run(command, capture_output=True, text=True)
        return result

    def acc(self, *args):
        """accclient's lines (UTF-8) and exit code."""
        result = subprocess.run([self.loader, self.args.accclient] + list(args), capture_output=True, timeout=120)
        return result.stdout.decode("utf-8", "replace").splitlines(), result.returncode

    def focus(self):
        """The name of the object with the keyboard focus, as a screen reader reads it."""
        lines, _ = self.acc("focus", x.UNINSTALLER_TITLE)
        return next((line[len("focus "):] for line in lines if line.startswith("focus ")), None)

    def open_window(self, exe):
        """Starts the uninstaller and waits for its uninstall page to be painted."""
        process = self.launch(exe)
        window = x.find_window(x.UNINSTALLER_TITLE)
        self.skin.wait_uninstall_page(window)
        return process, window

    def start_uninstall(self, window):
        x.click_centre(window, x.BUTTON_UNINSTALL)
        x.wait_until(lambda: (lambda shot: shot is not None and x.fill_length(shot) > 0)(x.screenshot(window)),
                     15.0, "the progress page")


def any_winedbg():
    for pid in os.listdir("/proc"):
        if pid.isdigit():
            try:
                if b"winedbg" in open("/proc/%s/cmdline" % pid, "rb").read():
                    return True
            except OSError:
                pass
    return False


# Cases


def case_uninstall(rig):
    """The main job: window, page, keys and button frames, the progress run, the exit and
    what is left of the installation afterwards."""
    rig.install()
    try:
        check(rig.product_running(), "the product's stand-in did not start")
        process = rig.launch(INSTALLED_UNINSTALLER)
        window = x.find_window(x.UNINSTALLER_TITLE)
        left, top, width, height = x.geometry(window)
        check((width, height) == x.WINDOW_SIZE, "window is %dx%d" % (width, height))
        # No window manager on the harness's display: the work area is the whole screen.
        screen_w, screen_h = x.display_size()
        expected = (screen_w // 2 - width // 2, screen_h // 2 - height // 2)
        check((left, top) == expected, "window at %d,%d, centred would be %d,%d" % ((left, top) + expected))

        rig.skin.wait_uninstall_page(window)
        rig.skin.wait_button(window, "normal")

        # Escape must not close it. Posted messages go before input, so once the hover that
        # follows shows, a close caused by the key would already have happened.
        x.press_keys(window, "Escape")
        bx, by, bw, bh = x.BUTTON_UNINSTALL
        x.move_mouse(window, bx + bw // 2, by + bh // 2)
        try:
            rig.skin.wait_button(window, "hot")
        finally:
            check(process.poll() is None and x.visible_windows(x.UNINSTALLER_TITLE), "Escape closed the window")
        x.mouse_down()
        rig.skin.wait_button(window, "pushed")
        x.mouse_up()

        samples = sample_progress(window, process)
        rig.finish(process, 0)
        check_progress(rig, samples)

        # The hidden shell removes the installation folder after the exit.
        x.wait_until(lambda: not os.path.exists(rig.layout["demo_install"]), 20.0,
                     "the installation folder to be removed")
        for name in ("demo_userdata", "demo_startmenu"):
            check(not os.path.exists(rig.layout[name]), "%s is still there" % rig.layout[name])
        check(not os.path.exists(os.path.join(rig.layout["demo_desktop"], "Varnholt.lnk")),
              "the desktop shortcut is still there")
        check(not rig.key_present(), "the uninstall key is still there")
        check(not rig.product_running(), "the product's process still runs")
        for kept in (os.path.join(rig.layout["demo_drive"], "Program Files", "Neighbour", "keep.txt"),
                     os.path.join(rig.layout["demo_desktop"], "Other.lnk")):
            check(os.path.exists(kept), "a neighbour was removed: %s" % kept)
    finally:
        rig.remove()


def sample_progress(window, process):
    """Screenshots as fast as they come until the process ends: (fill, label pixels) pairs."""
    samples = []
    deadline = time.monotonic() + 60.0
    while process.poll() is None and time.monotonic() < deadline:
        shot = x.screenshot(window)
        if shot is None or shot.width < 454:
            continue
        samples.append((x.fill_length(shot), shot.region(x.PROGRESS_LABEL)))
        time.sleep(0.005)
    return samples


def check_progress(rig, samples):
    """The slider passes the seven reports in order, and the label changes with it, through
    seven distinct texts, the widest last."""
    width = x.SLIDER[2]
    percents = []
    for fill, label in samples:
        if fill == 0:
            continue
        percent = min(PERCENTS, key=lambda p: abs(width * p // 100 - fill))
        check(abs(width * percent // 100 - fill) <= 3, "slider fill of %d pixels matches no report" % fill)
        percents.append((percent, label))
    order = [p for p, _ in percents]
    check(order == sorted(order), "the slider went back: %s" % order)
    seen = sorted(set(order))
    check(seen == PERCENTS, "slider states seen: %s (samples: %d)" % (seen, len(samples)))
    labels = {}
    for percent, label in percents:
        labels.setdefault(percent, {}).setdefault(label.rgb, [0, label])[0] += 1
    texts = {p: max(counts.values(), key=lambda v: v[0])[1] for p, counts in labels.items()}
    check(len({t.rgb for t in texts.values()}) == len(PERCENTS), "the label does not change with every report")
    background = rig.skin.background(x.PROGRESS_LABEL)
    full = (0, 0) + x.PROGRESS_LABEL[2:]
    ink20 = x.ink_columns(texts[20], full, background)
    ink100 = x.ink_columns(texts[100], full, background)
    check(ink20 and ink100, "the label shows no text")
    # Right-aligned: "100%" reaches further left than "20%", and both end at the same place.
    check(ink100[0] < ink20[0] and abs(ink100[-1] - ink20[-1]) <= 2,
          "the label's texts are not right-aligned: 20%% at %s, 100%% at %s" % (ink20[0], ink100[0]))
    print("progress: %d screenshots, %s per state" % (len(samples), [order.count(p) for p in PERCENTS]))


def close_by(window, how):
    if how == "btn_close":
        x.click_centre(window, x.BUTTON_CLOSE)
    elif how == "btn_cancle":
        x.click_centre(window, x.BUTTON_CANCEL)
    else:
        x.press_keys(window, "alt+F4")


def case_close(rig):
    """btn_cancle, btn_close and Alt+F4 end the program with 0: on the uninstall page, leaving
    the installation alone, and while the uninstall runs."""
    rig.install()
    try:
        for how in ("btn_cancle", "btn_close", "alt+F4"):
            process, window = rig.open_window(INSTALLED_UNINSTALLER)
            close_by(window, how)
            rig.finish(process, 0)
            check(rig.key_present() and os.path.exists(rig.layout["demo_install"]),
                  "closing by %s touched the installation" % how)
        for how in ("btn_close", "alt+F4"):
            rig.install()
            process, window = rig.open_window(INSTALLED_UNINSTALLER)
            rig.start_uninstall(window)
            close_by(window, how)
            rig.finish(process, 0)
            # The run stops where it was: the folders go only after the report of 70.
            check(os.path.exists(rig.layout["demo_install"]),
                  "the uninstall went on to the installation folder after %s" % how)
    finally:
        rig.remove()


def case_drag(rig):
    """Dragging the page's background moves the window by the same distance."""
    rig.install()
    try:
        process, window = rig.open_window(INSTALLED_UNINSTALLER)
        left, top, _, _ = x.geometry(window)
        x.move_mouse(window, 120, 120)
        x.mouse_down()
        for _ in range(6):
            x.xdotool("mousemove_relative", "--", 10, -5)
        x.mouse_up()
        x.wait_until(lambda: x.geometry(window)[:2] == (left + 60, top - 30), 15.0,
                     "the window to move by 60,-30 (it is at %s, was at %d,%d)" % (x.geometry(window)[:2], left, top))
        x.click_centre(window, x.BUTTON_CANCEL)
        rig.finish(process, 0)
    finally:
        rig.remove()


def parse_nodes(lines):
    """accclient's "node" lines: (depth, role, state, (x, y, w, h), name)."""
    nodes = []
    for line in lines:
        if line.startswith("node "):
            fields = line.split(" ", 8)
            depth, role, state = int(fields[1]), int(fields[2]), int(fields[3], 16)
            nodes.append((depth, role, state, tuple(int(v) for v in fields[4:8]), fields[8] if len(fields) > 8 else ""))
    return nodes


def check_uninstall_page_listing(nodes):
    """The page as a reader lists it: the client area, the named buttons where they show,
    the wizard's pages with one shown, every shown object inside the window."""
    check(nodes and nodes[0][1] == ROLE_CLIENT and nodes[0][4] == x.UNINSTALLER_TITLE and
          nodes[0][3] == (0, 0) + x.WINDOW_SIZE, "the client object is %s" % (nodes[:1],))
    for name, box in (("卸载", x.BUTTON_UNINSTALL), ("取消", x.BUTTON_CANCEL), ("最小化", x.BUTTON_MIN),
                      ("关闭", x.BUTTON_CLOSE)):
        found = [n for n in nodes if n[1] == ROLE_PUSHBUTTON and n[4] == name]
        check(len(found) == 1, "push buttons named %s: %d" % (name, len(found)))
        _, _, state, rect, _ = found[0]
        check(rect == box, "%s is at %s, shown at %s" % (name, rect, box))
        check(state & STATE_FOCUSABLE and not state & STATE_INVISIBLE, "%s has state %#x" % (name, state))
    tabs = [i for i, n in enumerate(nodes) if n[1] == ROLE_PAGETABLIST]
    check(len(tabs) == 1, "page tab lists: %d" % len(tabs))
    depth = nodes[tabs[0]][0]
    pages = [n for n in nodes[tabs[0] + 1:] if n[0] == depth + 1 and n[1] == ROLE_PROPERTYPAGE]
    shown = [n for n in pages if not n[2] & STATE_INVISIBLE]
    check(len(pages) == 6 and len(shown) == 1, "pages: %d, shown: %d" % (len(pages), len(shown)))
    for _, _, state, (left, top, width, height), name in nodes:
        if not state & STATE_INVISIBLE:
            check(left >= 0 and top >= 0 and left + width <= x.WINDOW_SIZE[0] and top + height <= x.WINDOW_SIZE[1],
                  "%r lies outside the window: %s" % (name, (left, top, width, height)))


def percents_read(lines, kind):
    values = [line.split(" ", 1)[1] for line in lines if line.startswith(kind + " ")]
    check(all(v.endswith("%") and v[:-1].isdigit() for v in values), "%s lines: %s" % (kind, values))
    return [int(v[:-1]) for v in values]


def check_removed(rig):
    x.wait_until(lambda: not os.path.exists(rig.layout["demo_install"]), 20.0,
                 "the installation folder to be removed")
    check(not rig.key_present(), "the uninstall key is still there")


def case_accessible(rig):
    """A screen reader in another process lists the uninstall page, presses "卸载" through its
    default action and reads the progress rise to 100 until the process ends."""
    rig.install()
    try:
        process, window = rig.open_window(INSTALLED_UNINSTALLER)
        lines, code = rig.acc("uninstall", x.UNINSTALLER_TITLE, "卸载")
        check(code == 0 and "pressed" in lines, "accclient ended with %s:\n%s" % (code, "\n".join(lines[-20:])))
        check_uninstall_page_listing(parse_nodes(lines))
        values = percents_read(lines, "value")
        check(values == PERCENTS, "progress values read: %s" % values)
        heard = percents_read(lines, "event")
        check(heard and heard == sorted(heard) and set(heard) <= set(PERCENTS) and heard[-1] == 100,
              "progress changes announced: %s" % heard)
        check(lines[-1] == "ended 0", "last line: %s" % lines[-1])
        rig.finish(process, 0)
        check_removed(rig)
        print("accessible: %d objects listed, values %s, %d announcements" %
              (len(parse_nodes(lines)), values, len(heard)))
    finally:
        rig.remove()


def case_keys(rig):
    """Keys alone: Tab moves the focus through "取消" to "卸载", Space presses it and the
    uninstall runs to its end."""
    rig.install()
    try:
        process, window = rig.open_window(INSTALLED_UNINSTALLER)
        seen = [rig.focus()]
        while len(seen) <= 8 and not (seen[-1] == "卸载" and "取消" in seen):
            previous = seen[-1]
            x.press_keys(window, "Tab")
            # The key goes through X; a reader's question may overtake it.
            x.wait_until(lambda: rig.focus() != previous, 10.0, "the focus to move from %s" % previous)
            seen.append(rig.focus())
        check(seen[-1] == "卸载" and "取消" in seen, "the focus went %s" % seen)
        x.press_keys(window, "space")
        x.wait_until(lambda: (lambda shot: shot is not None and x.fill_length(shot) > 0)(x.screenshot(window)),
                     15.0, "the progress page")
        rig.finish(process, 0)
        check_removed(rig)
        print("keys: focus went %s" % seen)
    finally:
        rig.remove()


def reference_path(rig, name):
    return os.path.join(rig.args.reference, name + ".png")


def same_as_reference(rig, shot, name):
    """True when the screenshot equals the stored one pixel for pixel; with
    VARN_WRITE_REFERENCE=1 it is stored instead."""
    path = reference_path(rig, name)
    if os.environ.get("VARN_WRITE_REFERENCE") == "1":
        x.save_png(shot, path)
        return True
    width, height, pixels = rig.reference(path)
    return (shot.width, shot.height) == (width, height) and shot.rgb == pixels


def case_pixels(rig):
    """At 96 DPI both pages look exactly as they did before the window learnt other display
    scales: the uninstall page at rest, and the progress page at every report."""
    rig.install()
    try:
        process, window = rig.open_window(INSTALLED_UNINSTALLER)
        rig.skin.wait_button(window, "normal")
        # A paint may still be under way when the page first shows: the picture settles.
        x.wait_until(lambda: (lambda shot: shot is not None and same_as_reference(rig, shot, "uninstall-page"))(
            x.screenshot(window)), 10.0, "the uninstall page to look as it did")
        rig.start_uninstall(window)
        shots = {}
        deadline = time.monotonic() + 60.0
        while process.poll() is None and time.monotonic() < deadline:
            shot = x.screenshot(window)
            if shot is None or (shot.width, shot.height) != x.WINDOW_SIZE:
                continue
            fill = x.fill_length(shot)
            percent = min(PERCENTS, key=lambda p: abs(x.SLIDER[2] * p // 100 - fill))
            if fill and abs(x.SLIDER[2] * percent // 100 - fill) <= 3:
                shots.setdefault(percent, {}).setdefault(shot.rgb, [0, shot])[0] += 1
            time.sleep(0.005)
        rig.finish(process, 0)
        check(sorted(shots) == PERCENTS, "progress states seen: %s" % sorted(shots))
        for percent in PERCENTS:
            # The picture a report leaves on the screen is the one seen most often.
            shot = max(shots[percent].values(), key=lambda v: v[0])[1]
            if os.environ.get("VARN_WRITE_REFERENCE") == "1":
                same_as_reference(rig, shot, "progress-%d" % percent)
            else:
                check(any(same_as_reference(rig, s, "progress-%d" % percent) for _, s in shots[percent].values()),
                      "the progress page at %d%% does not look as it did" % percent)
        check_removed(rig)
    finally:
        rig.remove()


def case_scaled(rig, dpi):
    """The window on a display scaled to dpi, in a prefix of its own: the window's size, the
    buttons where the layouts scaled them, drawn from the skin's variants with crisp edges,
    the labels' text as tall as their fonts are scaled and drawn at the display's resolution,
    the progress images at the scaled size, a real click on the uninstall button's scaled
    place, and the whole uninstall."""
    skin = e2e_dpi.ScaledSkin(rig.args.skin, dpi)
    geometry = skin.geometry
    prefix = varn_dpi.DpiPrefix(rig.args.tools)
    prefix.enter(dpi)
    try:
        rig.use_prefix()
        rig.install()
        try:
            process = rig.launch(INSTALLED_UNINSTALLER)
            window = x.find_window(x.UNINSTALLER_TITLE)
            check(x.geometry(window)[2:] == geometry["window"],
                  "window is %dx%d at %d DPI" % (x.geometry(window)[2:] + (dpi,)))
            shot = x.wait_until(lambda: (lambda s: s if skin.shows_button(s, "normal") else None)(
                x.screenshot(window)), 30.0, "the uninstall page at %d DPI" % dpi)
            # Kept beside the test for the README's picture of the page at this scale.
            os.makedirs("screenshots", exist_ok=True)
            x.save_png(shot, os.path.join("screenshots", "uninstall-page-%d.png" % dpi))
            check_scaled_page(rig, skin, window, shot)
            check_scaled_listing(rig, geometry)

            # The uninstall button's place at 96 DPI is left of its scaled centre: the click
            # lands on the button only where the layout scaled it to.
            bx, by, bw, bh = geometry["uninstall"]
            x.move_mouse(window, bx + bw // 2, by + bh // 2)
            x.wait_until(lambda: skin.shows_button(x.screenshot(window), "hot"), 15.0, "the hot frame")
            x.click(window, bx + bw // 2, by + bh // 2)
            slider = geometry["slider"]
            progress = x.wait_until(lambda: (lambda s: s if s is not None and (s.width, s.height) == geometry[
                "window"] and e2e_dpi.fill_length(s, slider) > 0 else None)(x.screenshot(window)), 15.0,
                "the progress page at %d DPI" % dpi)
            faults = e2e_dpi.slider_faults(progress, skin)
            check(not faults, "progress images not crisp at the scaled size: %s" % faults[:4])
            check_scaled_text(rig, skin, progress)
            rig.finish(process, 0, timeout=60.0)
            check_removed(rig)
        finally:
            rig.remove()
    finally:
        prefix.leave()


def check_scaled_page(rig, skin, window, shot):
    for which, sprite, fill in (("uninstall", "uninstall.png", x.FILL_COLOUR),
                                ("cancel", "cancel.png", (205, 208, 214))):
        look = skin.button_look("normal", which, sprite)
        worst = e2e_dpi.largest_difference(shot.region(skin.geometry[which]), look)
        check(worst <= 3, "%s is not its scaled image drawn 1:1 (a pixel off by %d)" % (which, worst))
        faults = e2e_dpi.edge_faults(shot, skin, which, fill)
        check(not faults, "%s's edges are not crisp: %s" % (which, faults[:4]))
    for which, sprite in (("min", "min1.png"), ("close", "close1.png")):
        worst = e2e_dpi.largest_difference(shot.region(skin.geometry[which]),
                                           skin.button_look("normal", which, sprite))
        check(worst <= 3, "%s is not its scaled image (a pixel off by %d)" % (which, worst))


def check_scaled_listing(rig, geometry):
    """A reader finds the buttons where they show: their places in real pixels."""
    lines, code = rig.acc("list", x.UNINSTALLER_TITLE)
    nodes = parse_nodes(lines)
    for name, which in (("卸载", "uninstall"), ("取消", "cancel"), ("最小化", "min"), ("关闭", "close")):
        found = [n[3] for n in nodes if n[1] == ROLE_PUSHBUTTON and n[4] == name]
        check(found == [geometry[which]], "%s is listed at %s, shown at %s" % (name, found, geometry[which]))


def check_scaled_text(rig, skin, shot):
    """The progress label's text is as tall as at 96 DPI times the scale, and drawn at the
    display's resolution: far from the 96 DPI picture enlarged."""
    box = skin.geometry["tip"]
    region = shot.region(box)
    rows = e2e_dpi.ink_rows(region, skin.background(box))
    reference = x.Image(*rig.reference(reference_path(rig, "progress-20")))
    region96 = reference.region(e2e_dpi.TIP_96)
    rows96 = e2e_dpi.ink_rows(region96, rig.skin.background(e2e_dpi.TIP_96))
    check(rows and rows96, "no text in the progress label")
    height, height96 = rows[-1] - rows[0] + 1, rows96[-1] - rows96[0] + 1
    expected = height96 * skin.dpi / 96.0
    check(abs(height - expected) <= 2, "text %d pixels tall at %d DPI, %d at 96" % (height, skin.dpi, height96))
    enlarged = e2e_dpi.nearest_enlarged(region96, box[2], box[3])
    check(x.difference(region, enlarged) > 2.0, "the text is the 96 DPI picture enlarged (difference %.2f)" %
          x.difference(region, enlarged))
    print("text at %d DPI: %d pixels tall (%d at 96), %.2f from the enlarged 96 DPI picture" %
          (skin.dpi, height, height96, x.difference(region, enlarged)))


def case_bad_skin(rig):
    """A skin archive without a loadable "install.xml": the failure box, then exit code 1."""
    process = rig.launch(rig.args.bad_skin)
    box = x.find_window(x.FAILURE_TITLE)
    found = rig.probe("find", x.FAILURE_TITLE, "5000")
    check(found.returncode == 0 and ("text " + x.FAILURE_TEXT) in found.stdout,
          "the box does not say %s: %s" % (x.FAILURE_TEXT, found.stdout))
    check(not x.visible_windows(x.UNINSTALLER_TITLE), "the main window showed beside the box")
    x.press_keys(box, "Return")
    rig.finish(process, 1)


def case_no_skin(rig):
    """No skin resource at all: a window without controls and no message."""
    process = rig.launch(rig.args.no_skin)
    found = rig.probe("find", x.UNINSTALLER_TITLE, "20000")
    check(found.returncode == 0 and found.stdout.startswith("visible 1"),
          "no visible window titled %s: exit %s, %s %s" % (x.UNINSTALLER_TITLE, found.returncode, found.stdout,
                                                           found.stderr[-500:]))
    check("text " not in found.stdout, "the window has child windows: %s" % found.stdout)
    # Nothing should come: look for a box for a while, as long as a box takes to show.
    deadline = time.monotonic() + 1.5
    while time.monotonic() < deadline:
        check(not x.visible_windows(x.FAILURE_TITLE), "a message box showed")
        check(process.poll() is None, "the program ended by itself")
        time.sleep(x.POLL)
    check(rig.probe("close", x.UNINSTALLER_TITLE).returncode == 0, "the window went away")
    rig.finish(process, 0)


def windows_path(rig, unix):
    return "C:\\" + os.path.relpath(unix, rig.layout["demo_drive"]).replace("/", "\\")


def keep_folder(folder):
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "keep.txt"), "w") as f:
        f.write("keep")


def kept(folder):
    try:
        return open(os.path.join(folder, "keep.txt")).read() == "keep"
    except OSError:
        return False


def deep_branch(folder, length):
    """Nested folders below `folder` down to a file whose Windows path has `length` characters."""
    path = folder
    while len(path) - len(folder) < length:
        path = os.path.join(path, "runtime%d" % (len(path) % 10))
    os.makedirs(path)
    with open(os.path.join(path, "module.dll"), "w") as f:
        f.write("deep")


def run_uninstall(rig, exe):
    process, window = rig.open_window(exe)
    x.click_centre(window, x.BUTTON_UNINSTALL)
    rig.finish(process, 0, timeout=60.0)


SHELL_FOLDERS = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders"


def case_stored_paths(rig):
    """Paths as the system stores them: an installation folder and a per-user folder named
    outside the ANSI code page, each beside the folders their narrow forms would name, a branch
    deeper than 260 characters, and "DisplayIcon" quoted with an icon index. The product's
    folders go, its program is stopped, the namesakes stay."""
    program_files = os.path.join(rig.layout["demo_drive"], "Program Files")
    install = os.path.join(program_files, "Varnholt \u03a9mega")
    scratch = os.path.join(rig.layout["demo_drive"], "varne2e")
    local = os.path.join(scratch, "Local \u6f22\u5b57")
    user_folder = os.path.join(local, "{5b1e07c4-93a2-4d6f-8c15-e2f0a9d34b71}")
    # The best-fit form of the installation folder, and names the question-mark forms match.
    namesakes = [os.path.join(program_files, "Varnholt Omega"), os.path.join(program_files, "Varnholt qmega"),
                 os.path.join(scratch, "Local qq", "{5b1e07c4-93a2-4d6f-8c15-e2f0a9d34b71}")]
    reg = [rig.loader, "reg"]
    query = subprocess.run(reg + ["query", SHELL_FOLDERS, "/v", "Local AppData"], capture_output=True, text=True)
    previous = query.stdout.split("REG_EXPAND_SZ", 1)[-1].strip() if "REG_EXPAND_SZ" in query.stdout else None
    try:
        rig.bash('varn_demo_install "$1" "$2"', rig.args.uninstaller, rig.args.product)
        os.rename(rig.layout["demo_install"], install)
        deep_branch(os.path.join(install, "runtime"), 400)
        os.makedirs(os.path.join(user_folder, "cache"))
        with open(os.path.join(user_folder, "cache", "1.bin"), "w") as f:
            f.write("cache")
        for folder in namesakes:
            keep_folder(folder)
        exe = windows_path(rig, os.path.join(install, "Varnholt.exe"))
        key = rig.layout["demo_key"]
        for name, value in (("DisplayIcon", '"%s",0' % exe), ("InstallLocation", windows_path(rig, install))):
            subprocess.run(reg + ["add", key, "/v", name, "/d", value, "/f"], capture_output=True, check=True)
        subprocess.run(reg + ["add", SHELL_FOLDERS, "/v", "Local AppData", "/t", "REG_EXPAND_SZ", "/d",
                              windows_path(rig, local), "/f"], capture_output=True, check=True)
        product = subprocess.Popen([rig.loader, exe], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        rig.processes.append(product)
        x.wait_until(lambda: any_process("Varnholt.exe"), 15.0, "the product's stand-in to start")

        run_uninstall(rig, windows_path(rig, os.path.join(install, "uninstall.exe")))
        x.wait_until(lambda: not os.path.exists(install), 20.0, "the installation folder to be removed")
        check(not os.path.exists(user_folder), "the per-user folder is still there")
        check(product.poll() is not None, "the product's process still runs")
        for folder in namesakes:
            check(kept(folder), "a folder the narrow form names was touched: %s" % folder)
    finally:
        if previous is None:
            subprocess.run(reg + ["delete", SHELL_FOLDERS, "/v", "Local AppData", "/f"], capture_output=True)
        else:
            subprocess.run(reg + ["add", SHELL_FOLDERS, "/v", "Local AppData", "/t", "REG_EXPAND_SZ", "/d", previous,
                                  "/f"], capture_output=True)
        for folder in [install, scratch, namesakes[0], namesakes[1]]:
            subprocess.run(["rm", "-rf", folder])
        rig.remove()


def case_held_file(rig):
    """A file another program holds without delete sharing: the run still ends with 0, everything
    else goes, the restart list holds exactly what is left (files first, folders after what
    they hold), and Wine's restart carries it out."""
    rig.install()
    install = rig.layout["demo_install"]
    held = os.path.join(install, "data", "levels", "1", "file1.dat")
    holder = subprocess.Popen([rig.loader, rig.args.probe, "hold", windows_path(rig, held), "120000"],
                              stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    rig.processes.append(holder)
    try:
        check(holder.stdout.readline().strip() == b"held", "the holder could not open the file")
        before = rig.probe("pending").stdout.splitlines()
        run_uninstall(rig, INSTALLED_UNINSTALLER)
        # The shell's removal after the exit stops at the held file; it is given its time.
        time.sleep(3.0)
        pending = [line[len("delete "):] for line in rig.probe("pending").stdout.splitlines()[len(before):]]
        left = [windows_path(rig, os.path.join(top, name)) for top, dirs, files in os.walk(install)
                for name in dirs + files] + [windows_path(rig, install)]
        check(windows_path(rig, held) in left, "the held file is gone")
        # The uninstaller's own file is scheduled with its folder; the shell may have taken it.
        own = windows_path(rig, os.path.join(install, "uninstall.exe"))
        expected = [p for p in pending if p != own or p in left]
        check(sorted(left) == sorted(expected), "left %s, scheduled %s" % (sorted(left), pending))
        for i, path in enumerate(pending):
            inside = [p for p in pending if p.startswith(path + "\\")]
            check(all(pending.index(p) < i for p in inside), "%s is scheduled before what it holds" % path)
        check(not rig.key_present(), "the uninstall key is still there")

        holder.kill()
        holder.wait()
        subprocess.run([rig.loader, "wineboot", "-r"], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=60)
        check(not os.path.exists(install), "the restart left the installation folder")
        check(rig.probe("pending").stdout.strip() == "", "the restart list is not empty after the restart")
    finally:
        rig.remove()


def any_process(image):
    for pid in os.listdir("/proc"):
        if pid.isdigit():
            try:
                if image.encode() in open("/proc/%s/cmdline" % pid, "rb").read():
                    return True
            except OSError:
                pass
    return False


CASES = {"uninstall": case_uninstall, "pixels": case_pixels, "scaled144": lambda rig: case_scaled(rig, 144),
         "scaled192": lambda rig: case_scaled(rig, 192), "close": case_close, "drag": case_drag,
         "accessible": case_accessible, "keys": case_keys, "bad_skin": case_bad_skin, "no_skin": case_no_skin,
         "stored_paths": case_stored_paths, "held_file": case_held_file}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("case", choices=sorted(CASES))
    for option in ("tools", "skin", "product", "probe", "accclient", "uninstaller", "no-skin", "bad-skin",
                   "reference"):
        parser.add_argument("--" + option)
    args = parser.parse_args()
    started = time.monotonic()
    rig = Rig(args)
    try:
        CASES[args.case](rig)
    except (Failure, x.Timeout) as error:
        print("FAILED %s: %s" % (args.case, error))
        return 1
    finally:
        rig.end_all()
    print("passed %s in %.1f s" % (args.case, time.monotonic() - started))
    return 0


if __name__ == "__main__":
    sys.exit(main())
