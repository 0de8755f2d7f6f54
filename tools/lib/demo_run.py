#!/usr/bin/env python3
"""One run of the real uninstaller for tools/demo: starts it, saves a screenshot of each page
it shows (the uninstall page, then the progress page half-way), and either clicks
"btn_uninstall" itself (--click) or waits for the person at the display to do so.

    demo_run.py --skin DIR --shots DIR [--click] <loader> <uninstall.exe as Windows path>
Prints what happened; the exit status is the uninstaller's."""

import argparse
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import varn_x11 as x  # noqa: E402


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--skin", required=True)
    parser.add_argument("--shots", required=True)
    parser.add_argument("--click", action="store_true")
    parser.add_argument("loader")
    parser.add_argument("uninstaller")
    args = parser.parse_args()
    os.makedirs(args.shots, exist_ok=True)
    skin = x.Skin(args.skin)

    if args.click:
        x.park_pointer()
    process = subprocess.Popen([args.loader, args.uninstaller], stdin=subprocess.DEVNULL,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    # Searched rather than caught as it maps: a window manager may wrap it in a frame first.
    window = x.find_window(x.UNINSTALLER_TITLE, timeout=60.0)
    page = skin.wait_uninstall_page(window)
    first = os.path.join(args.shots, "uninstall-page.png")
    x.save_png(page, first)
    print("  the window shows its uninstall page: %s" % first)

    if args.click:
        print("  clicking the uninstall button ...")
        x.click_centre(window, x.BUTTON_UNINSTALL)
    else:
        print("  click the uninstall button (卸载) in the window titled 卸载程序 ...")

    # The progress page: keep the last look before half-way and the first one past it.
    saved = None
    while process.poll() is None:
        shot = x.screenshot(window)
        if shot is None or (shot.width, shot.height) != x.WINDOW_SIZE:
            time.sleep(x.POLL)
            continue
        fill = x.fill_length(shot)
        if saved is None and fill >= x.SLIDER[2] // 2:
            saved = os.path.join(args.shots, "progress-page.png")
            x.save_png(shot, saved)
            print("  the progress page, half-way: %s" % saved)
        time.sleep(x.POLL)
    code = process.wait()
    if saved is None:
        print("  the window was closed before the uninstall ran half-way")
    print("  the uninstaller ended with exit code %d" % code)
    return code


if __name__ == "__main__":
    sys.exit(main())
