#!/usr/bin/env bash
# Builds Brindlevault and starts it. Arguments are passed on to the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/utf8-locale.sh"
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBV_BUILD_TESTS=OFF -DBV_BUILD_BENCH=OFF >/dev/null
cmake --build "$root/build" -j"$(nproc)"
if [ -x "$root/build/bin/brindlevault" ]; then
  # Without a display the toolkit would abort (exit 134): say what to do instead.
  if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
    echo "run.sh: no display to show the window on (DISPLAY and WAYLAND_DISPLAY are unset); to try it without one: xvfb-run -a ./scripts/run.sh" >&2
    exit 1
  fi
  exec "$root/build/bin/brindlevault" "$@"
fi
exec "$root/build/bin/brindlevault-cli" "$@"
