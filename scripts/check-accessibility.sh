#!/usr/bin/env bash
# Walks the program as a screen reader does: under a fresh X server (Xvfb) with a private
# session bus and the accessibility bus (at-spi2-core), scripts/accessibility_walk.py reads the
# accessible tree of the main window and of every dialog, reached with the keyboard alone.
# It fails on a focusable control without a name and on any appearance of the master password
# or an account password.
# Usage: scripts/check-accessibility.sh BUILD_FOLDER
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -m 0700 "$scratch/run"
export XDG_RUNTIME_DIR=$scratch/run HOME=$scratch/home XDG_CONFIG_HOME=$scratch/config
mkdir -p "$HOME"
# The installed program: run from its build folder it would keep its settings there.
cmake --install "$build" --prefix "$scratch/prefix" >/dev/null

master='Maestra-K3y!'
account_password='Zq7wPass9Xy'
answer='Rex4Respuesta'
seed='GEZDGNBVGY3TQOJQGEZA'  # a two-step seed: only the edit dialog's notes box shows it
cat >"$scratch/tree.json" <<EOF
{"owner":"Ana Prueba","title":"Pruebas","nodes":[
 {"kind":"category","name":"Correo","description":"Cuentas de correo","picture":3,"children":[
  {"kind":"group","name":"Personal","picture":24,"children":[
   {"kind":"account","name":"Buzón","userName":"ana","password":"$account_password",
    "question":"Mascota","answer":"$answer","mail":"ana@example.com",
    "url":"https://mail.example.com","accountType":"Acceso a e-mail",
    "notes":"PIN 4321\r\nTOTP: $seed","picture":17}]}]}]}
EOF
printf '%s\n' "$master" | "$build/bin/brindlevault-cli" create "$scratch/p.bv3" \
  --from "$scratch/tree.json" --password-stdin >/dev/null

# The accessibility bus is started before the program, which looks for it once at start.
timeout 300 dbus-run-session -- xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  launcher=/usr/libexec/at-spi-bus-launcher
  "$launcher" --launch-immediately >/dev/null 2>&1 & bus=$!
  for k in $(seq 100); do
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
      >/dev/null 2>&1 && break
    sleep 0.1
  done
  status=0
  /usr/bin/python3 "$@" || status=$?
  kill $bus 2>/dev/null || true
  exit $status' walk "$root/scripts/accessibility_walk.py" "$scratch/prefix/bin/brindlevault" \
  "$scratch/p.bv3" "$master" "$account_password" "$answer" "$seed"
