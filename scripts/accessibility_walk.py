#!/usr/bin/python3
"""Walks the program as a screen reader does (AT-SPI): the first-run language picker, the log-in
box, the main window with an account on show, and every dialog its menus open, each reached
with the keyboard alone and closed with Escape. Fails on a focusable control without a name, on
a secret anywhere in the accessible tree, on a dialog the keyboard cannot reach or Escape cannot
close.

Usage: accessibility_walk.py PROGRAM PROFILE MASTER_PASSWORD SECRET...
Runs under an X server (DISPLAY) with the accessibility bus up; xdotool types the keys."""

import os
import re
import subprocess
import sys
import time

import pyatspi

program, profile, master = sys.argv[1], sys.argv[2], sys.argv[3]
secrets = [master] + sys.argv[4:]
# A name that is only the control's internal name tells a listener nothing.
INTERNAL_NAME = re.compile(r"^(Act[A-Z]|Btn[A-Z]|Ed_|lbl[A-Z]|Op_|CB[A-Z])\w*$")
# Boxes that show an account's values in clear on screen may be read aloud: the edit dialog's
# (its notes box holds the two-step seed line).
SHOWN_BOXES = {"Contraseña:", "Respuesta secreta:", "Password:", "Secret answer:",
               "Notas adicionales:", "Additional notes:"}

ITEM_ROLES = {"table cell", "list item", "tree item", "table column header", "table row header"}

totals = {"shown": 0, "tabs": 0, "items": 0, "objects": 0, "focusable": 0, "unnamed": 0, "secrets": 0, "windows": 0}
failures = []


def fail(text):
    failures.append(text)
    print("accessibility: " + text, file=sys.stderr)


def texts_of(node):
    found = [node.name or "", node.description or ""]
    try:
        text = node.queryText()
        found.append(text.getText(0, text.characterCount))
    except NotImplementedError:
        pass
    return found


def walk(node, window, depth=0):
    """Counts and checks node and everything below it."""
    if depth > 40:
        return
    totals["objects"] += 1
    role = node.getRoleName()
    states = node.getState()
    name = (node.name or "").strip()
    if role in ITEM_ROLES:
        # Rows of a list, table or tree: the file dialog's empty size and date cells among them.
        totals["items"] += 1
    elif states.contains(pyatspi.STATE_FOCUSABLE) and states.contains(pyatspi.STATE_SHOWING):
        totals["focusable"] += 1
        if not name or INTERNAL_NAME.match(name):
            totals["unnamed"] += 1
            fail(f"{window}: focusable {role} without a name ({name!r})")
    shown_box = role in ("text", "entry") and name in SHOWN_BOXES and window.startswith("Editar")
    for text in texts_of(node):
        for secret in secrets:
            if secret in text and shown_box:
                totals["shown"] += 1  # on screen in the edit dialog: may be read
            elif secret in text:
                totals["secrets"] += 1
                fail(f"{window}: a secret in the {role} {name!r}")
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            walk(child, window, depth + 1)


def find(node, role):
    """The first node of that role below node, depth first."""
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is None:
            continue
        if child.getRoleName() == role:
            return child
        found = find(child, role)
        if found:
            return found
    return None


def application(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        try:
            if app is not None and app.get_process_id() == pid:
                return app
        except Exception:
            continue
    return None


def showing_windows(app):
    windows = []
    for i in range(app.childCount):
        window = app.getChildAtIndex(i)
        if window is not None and window.getState().contains(pyatspi.STATE_SHOWING):
            windows.append(window)
    return windows


def wait_for(condition, what, seconds=15):
    end = time.time() + seconds
    while time.time() < end:
        result = condition()
        if result:
            return result
        time.sleep(0.2)
    raise TimeoutError(what)


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=False, timeout=20,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def focus_window(pid, title):
    """Gives the X input focus to our window of that title (there is no window manager)."""
    result = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid), "--name",
                             "^" + re.escape(title) + "$"],
                            capture_output=True, text=True, timeout=20)
    ids = result.stdout.split()
    if ids:
        xdotool("windowfocus", "--sync", ids[-1])
        time.sleep(0.3)


def keys(pid, title, *sequence):
    focus_window(pid, title)
    for key in sequence:
        xdotool("key", "--clearmodifiers", key)
        time.sleep(0.25)


def type_text(pid, title, text):
    focus_window(pid, title)
    xdotool("type", "--delay", "30", text)


def new_window(app, before):
    """The window that is showing now and was not before."""
    names = {w.name for w in before}
    for window in showing_windows(app):
        if window.name not in names:
            return window
    return None


def visit(app, window):
    title = window.name or ""
    totals["windows"] += 1
    if not title.strip():
        fail(f"a {window.getRoleName()} without a name")
    walk(window, title or window.getRoleName())
    return title


def focusable_controls(node, found, depth=0):
    """The focusable, showing, enabled controls below node (no items of lists and trees)."""
    if depth > 40:
        return found
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is None:
            continue
        states = child.getState()
        role = child.getRoleName()
        if (role not in ITEM_ROLES and states.contains(pyatspi.STATE_FOCUSABLE)
                and states.contains(pyatspi.STATE_SHOWING) and states.contains(pyatspi.STATE_ENABLED)):
            found.append(child)
        if role not in ITEM_ROLES:
            focusable_controls(child, found, depth + 1)
    return found


def position(node):
    x, y = node.queryComponent().getPosition(pyatspi.DESKTOP_COORDS)
    return x, y


def check_tab_order(pid, window):
    """Tab reaches every control of the window, in the order a reader's eye goes: down a
    column, or on to a column at the right."""
    title = window.name
    controls = focusable_controls(window, [])
    # Tab visits one button of a set of radio buttons (the arrows move between them), the
    # text box of an editable list rather than the list, and no label.
    wanted = {position(c) for c in controls
              if c.getRoleName() not in ("radio button", "label")
              and not focusable_controls(c, [])}
    visited = []
    for _ in range(len(controls) + 2):
        keys(pid, title, "Tab")
        focused = [c for c in focusable_controls(window, [])
                   if c.getState().contains(pyatspi.STATE_FOCUSED)]
        if not focused:
            continue
        place = position(focused[-1])  # the innermost: the text box inside a list
        if visited and place == visited[0]:
            break
        visited.append(place)
    missing = wanted - set(visited)
    if missing:
        fail(f"{title}: Tab never reaches {len(missing)} of its {len(wanted)} controls")
    # The first control after the wrap may come anywhere: compare the run from the top.
    start = visited.index(min(visited, key=lambda p: (p[1], p[0]))) if visited else 0
    run = visited[start:] + visited[:start]
    for (x0, y0), (x1, y1) in zip(run, run[1:]):
        if y1 < y0 - 8 and x1 <= x0:
            fail(f"{title}: Tab goes back up from ({x0},{y0}) to ({x1},{y1})")
    totals["tabs"] += len(visited)


def dialog(pid, app, main_title, opening, before=None, then=None):
    """Opens a dialog with the keys of opening, walks it, then closes it with Escape."""
    before = before or showing_windows(app)
    keys(pid, main_title, *opening)
    try:
        window = wait_for(lambda: new_window(app, before), f"the dialog of {opening}", 10)
    except TimeoutError:
        fail(f"keys {' '.join(opening)} open no window")
        if os.environ.get("BV_WALK_SHOTS"):
            subprocess.run(["import", "-window", "root",
                            os.path.join(os.environ["BV_WALK_SHOTS"], "-".join(opening) + ".png")])
        keys(pid, main_title, "Escape")  # a menu left open would take the next keys
        return
    time.sleep(0.5)
    title = window.name
    if then:
        then(title)
        time.sleep(0.5)
        # The keys may have led on to another window (a file dialog to what it opens).
        window = wait_for(lambda: new_window(app, before), f"the window after {opening}", 10)
        title = window.name
    visit(app, window)
    check_tab_order(pid, window)
    keys(pid, title, "Escape")
    try:
        wait_for(lambda: title not in {w.name for w in showing_windows(app)}, "closing", 10)
    except TimeoutError:
        fail(f"Escape does not close {title!r}")
        keys(pid, title, "Escape")


def xclip(*args):
    result = subprocess.run(["xclip", "-o", *args], capture_output=True, text=True, timeout=20)
    return result.stdout


def check_x11_copy(pid, title):
    """F1 copies the user name as every copy of a field is made: to the clipboard alone (not
    the primary selection that a middle click pastes), marked for clipboard managers."""
    keys(pid, title, "F1")
    time.sleep(0.5)
    if xclip("-selection", "clipboard") != "ana":
        fail("F1 did not copy the user name to the X11 clipboard")
    if "x-kde-passwordManagerHint" not in xclip("-selection", "clipboard", "-t", "TARGETS").split():
        fail("the X11 copy lacks the hint that keeps clipboard managers from recording it")
    if "ana" in xclip("-selection", "primary"):
        fail("the copy reached the X11 primary selection")
    keys(pid, title, "F10")  # empties it again


def main():
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    child = subprocess.Popen([program, profile], env=env,
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    pid = child.pid
    try:
        app = wait_for(lambda: application(pid), "the program on the accessibility bus", 90)
        # First run: the language picker, then the log-in box for the profile.
        picker = wait_for(lambda: [w for w in showing_windows(app) if w.getRoleName() == "dialog"],
                          "the language picker")[0]
        time.sleep(0.5)
        picker_title = visit(app, picker)
        keys(pid, picker_title, "Return")
        login = wait_for(lambda: [w for w in showing_windows(app)
                                  if w.getRoleName() == "dialog" and w.name != picker_title],
                         "the log-in box")[0]
        time.sleep(0.5)
        login_title = login.name
        type_text(pid, login_title, master)
        time.sleep(0.3)
        visit(app, login)  # with the master password typed
        keys(pid, login_title, "Return")
        main_window = wait_for(lambda: [w for w in showing_windows(app) if " - [" in (w.name or "")],
                               "the open profile")[0]
        main_title = main_window.name
        # The account: Tab brings the focus to the tree, '*' opens every branch, End is the account.
        tree = find(main_window, "tree")

        def focus_tree():
            for _ in range(12):
                if tree.getState().contains(pyatspi.STATE_FOCUSED):
                    return
                keys(pid, main_title, "Tab")
            fail("Tab does not reach the account tree")

        focus_tree()
        keys(pid, main_title, "Home", "asterisk", "End")
        time.sleep(1)
        check_x11_copy(pid, main_title)
        visit(app, main_window)

        def on_tree(*sequence):
            focus_tree()
            return ["Menu", *sequence]

        # The tree's context menu (the Menu key), on the account and then on its group.
        dialog(pid, app, main_title, on_tree("e"))                     # edit the account
        dialog(pid, app, main_title, on_tree("l"))                     # delete it? (No)
        dialog(pid, app, main_title, on_tree("c", "Return"))           # new category
        keys(pid, main_title, "Up")
        dialog(pid, app, main_title, on_tree("g"))                     # new group
        dialog(pid, app, main_title, on_tree("c", "c", "Return"))      # new account
        dialog(pid, app, main_title, on_tree("e"))                     # edit the group
        dialog(pid, app, main_title, ["ctrl+b"])                       # search
        dialog(pid, app, main_title, ["ctrl+alt+g"],
               then=lambda t: keys(pid, t, "Return"))                  # generator, generated
        dialog(pid, app, main_title, ["alt+h", "s"])                   # password health
        dialog(pid, app, main_title, ["alt+o", "c"])                   # options
        dialog(pid, app, main_title, ["alt+o", "a"])                   # change password
        dialog(pid, app, main_title, ["alt+o", "e"])                   # profile owner, title
        dialog(pid, app, main_title, ["alt+y", "c"])                   # about
        # Export: the file dialog, then the new file's password.
        target = os.path.join(os.path.dirname(profile), "exported.kdbx")
        dialog(pid, app, main_title, ["alt+a", "e"])                   # the file dialog
        dialog(pid, app, main_title, ["alt+a", "e"],
               then=lambda t: (type_text(pid, t, target), keys(pid, t, "Return")))
        dialog(pid, app, main_title, ["ctrl+n"])                       # new profile
        dialog(pid, app, main_title, ["ctrl+a"])                       # open (file dialog)
    except TimeoutError as error:
        fail(f"timed out waiting for {error}")
    finally:
        child.kill()
        child.wait(timeout=10)
    print("accessibility: {windows} windows, {objects} objects, {focusable} focusable controls, "
          "{unnamed} without a name, {items} items, {secrets} secrets ({shown} shown values read), {tabs} Tab stops".format(**totals))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
