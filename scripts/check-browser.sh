#!/usr/bin/env bash
# The browser extension against the installed program, under a fresh X server (Xvfb):
# first a session through brindlevault-proxy driven by a PyNaCl client
# (scripts/browser_session.py), then Firefox ESR headless with the Debian package of the
# KeePassXC-Browser extension, driven over Marionette (scripts/browser_firefox.py).
# Usage: scripts/check-browser.sh BUILD_FOLDER
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -m 0700 "$scratch/run"
export XDG_RUNTIME_DIR=$scratch/run HOME=$scratch/home XDG_CONFIG_HOME=$scratch/config
mkdir -p "$HOME" "$XDG_CONFIG_HOME/brindlevault"
# The installed program: run from its build folder it would keep its settings there.
cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
printf '[General]\r\nStartLanguage=0\r\n[Navegador]\r\nActivo=1\r\n' \
  >"$XDG_CONFIG_HOME/brindlevault/brindlevault.ini"

master='Maestra-K3y!'
cat >"$scratch/tree.json" <<JSON
{"owner":"Ana Prueba","title":"Pruebas","nodes":[
 {"kind":"category","name":"Correo","picture":3,"children":[
  {"kind":"account","name":"Buzón","userName":"ana","password":"Zq7wPass9Xy",
   "url":"https://mail.example.com","picture":17},
  {"kind":"account","name":"Local","userName":"local-user","password":"Loc4l-Pass",
   "url":"http://127.0.0.1:PORT","picture":17}]}]}
JSON
port=$(/usr/bin/python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
sed -i "s/PORT/$port/" "$scratch/tree.json"
printf '%s\n' "$master" | "$build/bin/brindlevault-cli" create "$scratch/p.bv3" \
  --from "$scratch/tree.json" --password-stdin >/dev/null

timeout 600 xvfb-run -a -s "-screen 0 1280x1024x24" /usr/bin/python3 \
  "$root/scripts/browser_session.py" "$scratch/prefix/bin/brindlevault" \
  "$scratch/prefix/bin/brindlevault-proxy" "$scratch/p.bv3" "$master"
echo "browser session: passed"

# Firefox finds the host program through the manifest the options write.
manifests=$HOME/.mozilla/native-messaging-hosts
mkdir -p "$manifests"
cat >"$manifests/org.keepassxc.keepassxc_browser.json" <<JSON
{"name": "org.keepassxc.keepassxc_browser", "description": "Brindlevault",
 "path": "$scratch/prefix/bin/brindlevault-proxy", "type": "stdio",
 "allowed_extensions": ["keepassxc-browser@keepassxc.org"]}
JSON
timeout 600 xvfb-run -a -s "-screen 0 1280x1024x24" /usr/bin/python3 \
  "$root/scripts/browser_firefox.py" "$scratch/prefix/bin/brindlevault" "$scratch/p.bv3" \
  "$master" "$port"
echo "browser end to end (Firefox): passed"
