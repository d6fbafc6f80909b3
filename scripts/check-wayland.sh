#!/usr/bin/env bash
# Runs the installed program natively on Wayland: Weston's X11 backend inside Xvfb (unlike its
# headless backend it has an input seat, so clients can own the clipboard), the program with
# QT_QPA_PLATFORM=wayland and no X display. Keys typed into Weston's X window with xdotool reach
# the program as Wayland input; the accessibility bus tells which window shows and has the
# focus; wl-paste reads the clipboard back. (scripts/check-accessibility.sh checks a copy on X11.)
# Checks: start and log-in box, a profile opened, F2 copies the password with the hint that
# keeps clipboard managers from recording it and nothing in the primary selection, the timed
# clearing with and without the focus, the clearing on exit while another client has the
# focus, the window size and maximized state restored (not the position: Wayland does not let a
# program place its own window).
# Usage: scripts/check-wayland.sh BUILD_FOLDER [SCREENSHOT.png]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

if [ "${1:-}" != --inside ]; then
  build=$(cd "$1" && pwd)
  scratch=$(mktemp -d)
  trap '[ -n "${BV_KEEP:-}" ] || rm -rf "$scratch"' EXIT
  cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
  timeout 600 dbus-run-session -- xvfb-run -a -s "-screen 0 1280x1024x24" \
    bash ${BV_TRACE:+-x} "$root/scripts/check-wayland.sh" --inside "$scratch" "${2:-}"
  exit
fi

scratch=$2 screenshot=$3
program=$scratch/prefix/bin/brindlevault
mkdir -m 0700 "$scratch/run"
export XDG_RUNTIME_DIR=$scratch/run HOME=$scratch/home XDG_CONFIG_HOME=$scratch/config
mkdir -p "$HOME" "$XDG_CONFIG_HOME/brindlevault"
settings=$XDG_CONFIG_HOME/brindlevault/brindlevault.ini
fail() {
  echo "check-wayland: $*" >&2
  [ -z "${BV_SHOT_ON_FAIL:-}" ] || import -window root "$BV_SHOT_ON_FAIL"
  exit 1
}
pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; }
trap cleanup EXIT

master='Maestra-K3y!' secret='Zq7wPass9Xy'
printf '{"owner":"Ana","title":"Pruebas","nodes":[{"kind":"category","name":"Correo","children":[
  {"kind":"account","name":"Buzon","userName":"ana","password":"%s","picture":17}]}]}' "$secret" \
  >"$scratch/tree.json"
printf '%s\n' "$master" | "$scratch/prefix/bin/brindlevault-cli" create "$scratch/p.bv3" \
  --from "$scratch/tree.json" --password-stdin >/dev/null

# The accessibility bus, then the compositor.
launcher=/usr/libexec/at-spi-bus-launcher
"$launcher" --launch-immediately >/dev/null 2>&1 & pids+=($!)
weston --backend=x11-backend.so --socket=bv-wayland --width=1024 --height=768 --idle-time=0 \
  >"$scratch/weston.log" 2>&1 & pids+=($!)
for k in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/bv-wayland" ] && break; sleep 0.1; done
[ -S "$XDG_RUNTIME_DIR/bv-wayland" ] || fail "weston did not start: $(tail -n 3 "$scratch/weston.log")"
export WAYLAND_DISPLAY=bv-wayland
sleep 1

window() { /usr/bin/python3 "$root/scripts/accessible_window.py" "$@"; }
keys() { for key in "$@"; do xdotool key "$key"; sleep 0.3; done; }
clipboard() { timeout 10 wl-paste --no-newline "$@" 2>/dev/null || true; }
write_settings() {
  printf '[General]\r\nStartLanguage=0\r\n[Configuracion]\r\n%s' "$1" >"$settings"
}
# Starts the program on Wayland alone (no X display) and logs in; $pid is the program.
start() {
  env -u DISPLAY ${BV_WAYLAND_DEBUG:+WAYLAND_DEBUG=1} QT_QPA_PLATFORM=wayland QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" "$@" \
    >>"$scratch/program.log" 2>&1 & pid=$!
  pids+=("$pid")
  if [ $# -gt 0 ]; then
    window "$pid" '^Iniciar sesión$' active || fail "no log-in box on Wayland"
    xdotool type --delay 40 "$master"
    keys Return
    window "$pid" '^Brindlevault 3\.5 - \[Pruebas\]$' active || fail "the profile did not open"
  else
    window "$pid" '^Brindlevault 3\.5$' active || fail "the window did not show on Wayland"
  fi
}
stop() {
  kill -TERM "$pid"
  timeout 20 tail --pid="$pid" -f /dev/null || fail "the program did not end on SIGTERM"
}
# The account: Tab brings the focus from the page to the tree, '*' opens it, End selects it.
copy_password() {
  keys Tab Home asterisk End
  sleep 0.5
  # Pressed and let go as a hand does: the copy then carries the serial of the press, and
  # the clearing the newer one of the release. (Weston takes a clipboard only with a serial
  # newer than the last one's; when both events come at once, the toolkit gives the copy
  # the release's serial and a clearing with no input since is refused.)
  xdotool keydown F2
  sleep 0.15
  xdotool keyup F2
  sleep 0.5
}
# Another client takes the focus and keeps it.
other_client() {
  weston-terminal >/dev/null 2>&1 & pids+=($!)
  window "$pid" '^Brindlevault 3\.5 - \[Pruebas\]$' inactive 15 ||
    fail "another client did not take the focus"
}

echo "-- copy, hint, primary selection, timed clearing without the focus"
write_settings $'MostrarPass=1\r\nVaciarTras=4\r\nDCBSalir=0\r\n'
start "$scratch/p.bv3"
copy_password
[ -z "$screenshot" ] || import -window root "$screenshot"
copied=$(clipboard)
[ "$copied" = "$secret" ] || fail "F2 put '$copied' on the clipboard"
clipboard --list-types | grep -qx 'x-kde-passwordManagerHint' || fail "the copy lacks the secret hint"
[ "$(clipboard --type x-kde-passwordManagerHint)" = secret ] || fail "the hint is not 'secret'"
[ "$(clipboard --primary)" != "$secret" ] || fail "the password reached the primary selection"
other_client
sleep 5
[ -z "$(clipboard)" ] || fail "the timed clearing left '$(clipboard)' while another client had the focus"
echo "timed clearing without the focus: emptied"
stop

echo "-- timed clearing with the focus"
write_settings $'MostrarPass=1\r\nVaciarTras=3\r\nDCBSalir=0\r\n'
start "$scratch/p.bv3"
copy_password
sleep 4
window "$pid" '^Brindlevault 3\.5 - \[Pruebas\]$' active 1 || fail "the window lost the focus"
[ -z "$(clipboard)" ] || fail "the timed clearing left '$(clipboard)' with the focus"
echo "timed clearing with the focus: emptied"
stop

echo "-- clearing on exit without the focus"
write_settings $'MostrarPass=1\r\nVaciarTras=0\r\nDCBSalir=1\r\n'
start "$scratch/p.bv3"
copy_password
[ "$(clipboard)" = "$secret" ] || fail "F2 did not copy"
other_client
stop
[ -z "$(clipboard)" ] || fail "the clearing on exit left '$(clipboard)'"
echo "clearing on exit without the focus: emptied"

echo "-- window size and maximized state"
write_settings $'Izquierda=40\r\nArriba=30\r\nAncho=700\r\nAlto=500\r\nMaximizada=0\r\n'
start
stop
grep -q $'^Ancho=700\r$' "$settings" && grep -q $'^Alto=500\r$' "$settings" ||
  fail "the size was not restored: $(grep -a -E '^(Ancho|Alto)=' "$settings" | tr -d '\r' | tr '\n' ' ')"
write_settings $'Izquierda=40\r\nArriba=30\r\nAncho=700\r\nAlto=500\r\nMaximizada=1\r\n'
start
stop
grep -q $'^Maximizada=1\r$' "$settings" || fail "the maximized state was not restored"
grep -q $'^Ancho=700\r$' "$settings" || fail "the size under the maximized window was lost"
echo "check-wayland: all checks passed"
