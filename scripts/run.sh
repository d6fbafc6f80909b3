#!/usr/bin/env bash
# Builds Brindlevault and starts it. Arguments are passed on to the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBV_BUILD_TESTS=OFF -DBV_BUILD_BENCH=OFF >/dev/null
cmake --build "$root/build" -j"$(nproc)"
if [ -x "$root/build/bin/brindlevault" ]; then
  exec "$root/build/bin/brindlevault" "$@"
fi
exec "$root/build/bin/brindlevault-cli" "$@"
