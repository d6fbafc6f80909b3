#!/usr/bin/python3
"""Waits until a window of a running program shows on the accessibility bus, whatever window
system the program draws on (the Wayland stage cannot ask the compositor).

Usage: accessible_window.py PID TITLE_REGEX [active|inactive] [SECONDS]
Exits 0 once a showing window of that program has a matching title (and, when asked, holds or
does not hold the keyboard focus); 1 when none does in time (30 seconds unless given)."""

import re
import sys
import time

import pyatspi


def windows_of(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        try:
            if app is None or app.get_process_id() != pid:
                continue
        except Exception:
            continue
        for j in range(app.childCount):
            window = app.getChildAtIndex(j)
            if window is not None:
                yield window


def matches(window, title, focus):
    states = window.getState()
    if not states.contains(pyatspi.STATE_SHOWING) or not title.search(window.name or ""):
        return False
    if focus == "active":
        return states.contains(pyatspi.STATE_ACTIVE)
    if focus == "inactive":
        return not states.contains(pyatspi.STATE_ACTIVE)
    return True


def main():
    pid, title = int(sys.argv[1]), re.compile(sys.argv[2])
    focus = sys.argv[3] if len(sys.argv) > 3 else ""
    seconds = float(sys.argv[4]) if len(sys.argv) > 4 else 30
    end = time.time() + seconds
    while time.time() < end:
        try:
            if any(matches(w, title, focus) for w in windows_of(pid)):
                return 0
        except Exception:
            pass  # the program is still starting or a window just went away
        time.sleep(0.2)
    names = []
    try:
        names = [w.name for w in windows_of(pid)]
    except Exception:
        pass
    print(f"no {focus} window {sys.argv[2]!r} of {pid} (windows: {names})", file=sys.stderr)
    return 1


if __name__ == "__main__":
    sys.exit(main())
