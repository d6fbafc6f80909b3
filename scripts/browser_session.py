#!/usr/bin/python3
"""A browser's session with the running program, through the installed brindlevault-proxy,
driven by a PyNaCl client as the KeePassXC-Browser extension drives it: associate (allowing
it in the program's dialog), test-associate, logins for a matching and a foreign address,
generate-password, set-login, lock-database, and the errors of a closed profile and of a
connection the program does not know. xdotool answers the program's dialogs.

Usage: browser_session.py PROGRAM PROXY PROFILE MASTER_PASSWORD"""

import os
import re
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests",
                                "extension"))
from nacl_client import Client, b64, random_bytes  # noqa: E402

program, proxy, profile, master = sys.argv[1:5]
failures = []


def check(condition, what):
    print(("ok: " if condition else "FAILED: ") + what)
    if not condition:
        failures.append(what)


def window_ids(pid, title):
    result = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid), "--name",
                             title], capture_output=True, text=True, timeout=20)
    return result.stdout.split()


def wait_window(pid, title, seconds=20):
    end = time.time() + seconds
    while time.time() < end:
        ids = window_ids(pid, title)
        if ids:
            return ids[-1]
        time.sleep(0.2)
    raise TimeoutError("no window " + title)


def keys_to(pid, title, *sequence, text=None):
    window = wait_window(pid, title)
    time.sleep(0.4)
    subprocess.run(["xdotool", "windowfocus", "--sync", window], timeout=20, check=False)
    time.sleep(0.3)
    if text is not None:
        subprocess.run(["xdotool", "type", "--delay", "30", text], timeout=60, check=False)
    for key in sequence:
        subprocess.run(["xdotool", "key", "--clearmodifiers", key], timeout=20, check=False)
        time.sleep(0.3)


def log_in(pid):
    # The log-in box's title is the profile's file name.
    keys_to(pid, re.escape(os.path.basename(profile)), "Return", text=master)
    wait_window(pid, r" - \[")


QUESTION = "^Integraci"  # the questions' title, "Integración con el navegador"


def allow(pid, *extra):
    return lambda: keys_to(pid, QUESTION, *extra, "alt+p")


def error_code(reply):
    return reply.get("errorCode")


def main():
    env = dict(os.environ, QT_QPA_PLATFORM="xcb")
    child = subprocess.Popen([program, profile], env=env)
    pid = child.pid
    try:
        client = Client([proxy, "keepassxc-browser@keepassxc.org"])
        wait_window(pid, re.escape(os.path.basename(profile)))
        # The log-in box is up: the profile is closed, and the program says so at once.
        client.change_keys()
        _, reply = client.call({"action": "get-databasehash"})
        check(error_code(reply) == "1", "a closed profile answers 'not opened'")
        log_in(pid)

        # Too long for the proxy: refused there, and the connection keeps serving.
        client.send_raw(b" " * (1024 * 1024 + 1))
        check(error_code(client.reply()) == "13", "a message over 1 MiB is refused")
        opened, reply = client.call({"action": "get-databasehash"})
        check(opened is not None and len(opened.get("hash", "")) == 64, "get-databasehash")
        opened = client.associate(meanwhile=allow(pid))
        check(opened.get("id") == "Navegador", "associate, allowed in the dialog")
        opened, _ = client.call({"action": "test-associate", "id": client.name,
                                 "key": b64(bytes(client.id_key.public_key))})
        check(opened is not None and opened.get("success") == "true", "test-associate")

        # The account's site asks once, remembered.
        opened, reply = client.call({"action": "get-logins", "url": "https://mail.example.com/in",
                                     "keys": client.keys()}, meanwhile=allow(pid, "alt+r"))
        entries = opened["entries"] if opened else []
        check([(e["login"], e["password"]) for e in entries] == [("ana", "Zq7wPass9Xy")],
              "get-logins for the account's address")
        opened, _ = client.call({"action": "get-logins", "url": "https://mail.example.com/",
                                 "keys": client.keys()})
        check(opened is not None and len(opened["entries"]) == 1, "the remembered site asks nothing")
        _, reply = client.call({"action": "get-logins", "url": "https://mail.example.com.evil.net",
                                "keys": client.keys()})
        check(error_code(reply) == "15", "a foreign address gets nothing")

        opened, _ = client.call({"action": "generate-password"})
        password = opened["entries"][0]["password"] if opened else ""
        check(len(password) == 20, "generate-password")

        # A browser the program does not know.
        stranger = Client([proxy, "keepassxc-browser@keepassxc.org"])
        stranger.change_keys()
        stranger.name = "Navegador"
        _, reply = stranger.call({"action": "get-logins", "url": "https://mail.example.com",
                                  "keys": stranger.keys()})
        check(error_code(reply) == "8", "an unknown connection gets nothing")
        _, reply = stranger.call({"action": "test-associate", "id": "Navegador",
                                  "key": b64(random_bytes(32))})
        check(error_code(reply) == "8", "an unknown key does not pass test-associate")
        stranger.close()

        # Locking without unsaved changes closes the profile and tells the browser.
        _, reply = client.call({"action": "lock-database"})
        check(error_code(reply) == "1", "lock-database")
        time.sleep(1)
        _, reply = client.call({"action": "get-logins", "url": "https://mail.example.com",
                                "keys": client.keys()})
        check(error_code(reply) == "1", "nothing is answered from a closed profile")
        check("database-locked" in client.notices, "the browser is told the profile closed")
        log_in(pid)

        opened, reply = client.call({"action": "set-login", "url": "https://shop.example.org/x?y",
                                     "login": "ana", "password": "Neu-Pass-1"},
                                    meanwhile=lambda: keys_to(pid, QUESTION, "alt+g"))
        check(opened is not None and opened.get("error") == "success", "set-login")
        opened, _ = client.call({"action": "get-logins", "url": "https://shop.example.org",
                                 "keys": client.keys()}, meanwhile=allow(pid))
        check(opened is not None and opened["entries"][0]["password"] == "Neu-Pass-1",
              "the saved login is given back")
        _, reply = client.call({"action": "lock-database"})
        check(error_code(reply) == "6", "lock-database refuses with unsaved changes")
        client.close()
    finally:
        child.terminate()
        try:
            child.wait(timeout=10)
        except subprocess.TimeoutExpired:
            child.kill()
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
