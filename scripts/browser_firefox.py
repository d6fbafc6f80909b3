#!/usr/bin/python3
"""Firefox ESR headless with the Debian package of the KeePassXC-Browser extension, against
the running program with a profile open: the extension connects (allowed in the program's
dialog) and fills a login page served on 127.0.0.1 with the account's user name and
password; the same page on another origin stays empty; once the profile is closed (the
extension's own lock button) it no longer fills. Firefox is driven over its Marionette
protocol; xdotool answers the program's dialogs.

Usage: browser_firefox.py PROGRAM PROFILE MASTER_PASSWORD PORT"""

import http.server
import json
import os
import re
import shutil
import socket
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from browser_session import keys_to, wait_window  # noqa: E402

program, profile, master, port = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
EXTENSION = "/usr/share/webext/keepassxc-browser"
EXTENSION_ID = "keepassxc-browser@keepassxc.org"
INTERNAL_ID = "7c6a3b1e-5d2f-4f8a-9b0c-2e4d6f8a0b1c"
QUESTION = "^Integraci"
PAGE = b"""<!DOCTYPE html><html><head><title>Sign in</title></head><body>
<form action="/done" method="post"><input type="text" id="user" name="user" autocomplete="username">
<input type="password" id="pass" name="pass" autocomplete="current-password">
<button type="submit">Sign in</button></form></body></html>"""


class Page(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        self.send_response(200)
        self.send_header("Content-Type", "text/html")
        self.end_headers()
        self.wfile.write(PAGE)

    def log_message(self, *args):
        pass


class Marionette:
    """Just enough of Firefox's Marionette protocol: length-prefixed JSON commands."""

    def __init__(self, marionette_port):
        end = time.time() + 60
        while True:
            try:
                self.sock = socket.create_connection(("127.0.0.1", marionette_port), timeout=5)
                break
            except OSError:
                if time.time() > end:
                    raise
                time.sleep(0.3)
        self.sock.settimeout(120)
        self.buffer = b""
        self.next_id = 0
        self.read()  # the greeting

    def read(self):
        while b":" not in self.buffer:
            self.buffer += self.sock.recv(65536)
        length, _, rest = self.buffer.partition(b":")
        while len(rest) < int(length):
            rest += self.sock.recv(65536)
        self.buffer = rest[int(length):]
        return json.loads(rest[:int(length)])

    def command(self, name, parameters=None):
        self.next_id += 1
        data = json.dumps([0, self.next_id, name, parameters or {}]).encode()
        self.sock.sendall(str(len(data)).encode() + b":" + data)
        while True:
            reply = self.read()
            if reply[0] == 1 and reply[1] == self.next_id:
                if reply[2]:
                    raise RuntimeError("%s: %s" % (name, reply[2]))
                return reply[3]

    def go(self, url):
        self.command("WebDriver:Navigate", {"url": url})

    def script(self, source):
        return self.command("WebDriver:ExecuteScript", {"script": source, "args": []})["value"]

    def click(self, selector):
        element = self.command("WebDriver:FindElement", {"using": "css selector", "value": selector})
        element_id = list(element["value"].values())[0]
        self.command("WebDriver:ElementClick", {"id": element_id})


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def form_values(marionette):
    return marionette.script(
        "return [document.getElementById('user').value, document.getElementById('pass').value];")


def wait_values(marionette, wanted, seconds=20):
    end = time.time() + seconds
    values = None
    while time.time() < end:
        values = form_values(marionette)
        if values == wanted:
            return values
        time.sleep(0.5)
    return values


failures = []


def check(condition, what):
    print(("ok: " if condition else "FAILED: ") + what)
    if not condition:
        failures.append(what)


def main():
    server = http.server.ThreadingHTTPServer(("127.0.0.1", port), Page)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    firefox_profile = tempfile.mkdtemp(prefix="firefox-", dir=os.environ["HOME"])
    marionette_port = free_port()
    with open(os.path.join(firefox_profile, "user.js"), "w") as prefs:
        for name, value in (("marionette.port", marionette_port),
                            ("extensions.webextensions.uuids",
                             json.dumps({EXTENSION_ID: INTERNAL_ID})),
                            ("browser.shell.checkDefaultBrowser", False),
                            ("browser.startup.homepage_override.mstone", "ignore"),
                            ("datareporting.policy.dataSubmissionEnabled", False),
                            ("app.update.enabled", False)):
            prefs.write("user_pref(%s, %s);\n" % (json.dumps(name), json.dumps(value)))

    child = subprocess.Popen([program, profile], env=dict(os.environ, QT_QPA_PLATFORM="xcb"))
    firefox = None
    try:
        keys_to(child.pid, re.escape(os.path.basename(profile)), "Return", text=master)
        wait_window(child.pid, r" - \[")
        firefox = subprocess.Popen(["firefox-esr", "--headless", "--marionette",
                                    "--remote-allow-system-access", "--no-remote",
                                    "--profile", firefox_profile],
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        marionette = Marionette(marionette_port)
        marionette.command("WebDriver:NewSession", {"capabilities": {}})
        marionette.command("Addon:Install", {"path": EXTENSION, "temporary": True})
        time.sleep(2)
        base = "moz-extension://%s/" % INTERNAL_ID

        # Connect from the popup; the program asks, Permitir.
        marionette.go(base + "popups/popup.html")
        time.sleep(2)
        answer = threading.Thread(target=keys_to, args=(child.pid, QUESTION, "alt+p"))
        answer.start()
        marionette.click("#connect-button")
        answer.join()
        time.sleep(2)

        # Fill a single entry on its own.
        marionette.go(base + "options/options.html")
        time.sleep(1)
        if not marionette.script("return document.getElementById('autoFillSingleEntry').checked;"):
            marionette.script("document.getElementById('autoFillSingleEntry').click();")
        time.sleep(1)

        # The page of the account: the program asks for the site once (recordar, Permitir).
        answer = threading.Thread(target=keys_to,
                                  args=(child.pid, QUESTION, "alt+r", "alt+p"))
        answer.start()
        marionette.go("http://127.0.0.1:%d/login" % port)
        answer.join()
        values = wait_values(marionette, ["local-user", "Loc4l-Pass"])
        check(values == ["local-user", "Loc4l-Pass"], "the account's page fills: %s" % values)

        marionette.go("http://localhost:%d/login" % port)
        time.sleep(4)
        values = form_values(marionette)
        check(values == ["", ""], "another origin stays empty: %s" % values)

        # Closed from the extension's popup: the page no longer fills.
        marionette.go(base + "popups/popup.html")
        time.sleep(2)
        marionette.click("#lock-database-button")
        # The program offers its log-in box again, as after the idle lock.
        wait_window(child.pid, re.escape(os.path.basename(profile)))
        marionette.go("http://127.0.0.1:%d/login" % port)
        time.sleep(4)
        values = form_values(marionette)
        check(values == ["", ""], "a closed profile fills nothing: %s" % values)
        marionette.command("Marionette:Quit", {"flags": ["eForceQuit"]})
    finally:
        if firefox:
            try:
                firefox.wait(timeout=20)
            except subprocess.TimeoutExpired:
                firefox.kill()
        child.terminate()
        try:
            child.wait(timeout=10)
        except subprocess.TimeoutExpired:
            child.kill()
        server.shutdown()
        shutil.rmtree(firefox_profile, ignore_errors=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
