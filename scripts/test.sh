#!/usr/bin/env bash
# Builds Brindlevault and runs every test: the whole suite, the window on Wayland and as a
# screen reader walks it, the core tests and the main window's tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer built with clang, the installed files and the
# Debian package (scripts/check-install.sh), and each fuzz target for a short time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/utf8-locale.sh"
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

"$root/scripts/install-deps.sh"

echo "== Layout of the sources (.clang-format)"
(cd "$root" && git ls-files -z 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' \
    'bench/*.h' 'fuzz/*.cpp' | xargs -0 clang-format --dry-run --Werror)

echo "== Build and test"
cmake -S "$root" -B "$root/build-test" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBV_WERROR=ON >/dev/null
cmake --build "$root/build-test" -j"$jobs"
(cd "$root/build-test" && ctest --output-on-failure -j"$jobs")

echo "== On Wayland (Weston inside Xvfb)"
"$root/scripts/check-wayland.sh" "$root/build-test"

echo "== As a screen reader reads it (AT-SPI)"
"$root/scripts/check-accessibility.sh" "$root/build-test"

echo "== Installing and packaging"
"$root/scripts/check-install.sh" "$root/build-test"

echo "== Core tests under AddressSanitizer and UndefinedBehaviorSanitizer (built with clang)"
CC=clang CXX=clang++ cmake -S "$root" -B "$root/build-asan-clang" -DCMAKE_BUILD_TYPE=Debug -DBV_SANITIZE=ON \
      -DBV_WERROR=ON -DBV_BUILD_GUI=OFF -DBV_BUILD_BENCH=OFF >/dev/null
cmake --build "$root/build-asan-clang" -j"$jobs"
(cd "$root/build-asan-clang" && ctest --output-on-failure -j"$jobs" -L core)

echo "== Main window tests under AddressSanitizer and UndefinedBehaviorSanitizer (built with clang)"
# The hand-over of a later start and the disk changes run through the main window's sockets,
# timers and modal boxes: faults of object lifetime show here. The test that searches the
# process's memory for secrets cannot run beside the sanitizer's shadow memory; the toolkit's
# own leak at exit is listed in lsan-gui.supp.
CC=clang CXX=clang++ cmake -S "$root" -B "$root/build-asan-gui" -DCMAKE_BUILD_TYPE=Debug -DBV_SANITIZE=ON \
      -DBV_WERROR=ON -DBV_BUILD_BENCH=OFF >/dev/null
cmake --build "$root/build-asan-gui" -j"$jobs" --target test_app_gui brindlevault brindlevault-cli
(cd "$root/build-asan-gui" && GTEST_FILTER='-SecretsLeft.*' \
    LSAN_OPTIONS="suppressions=$root/scripts/lsan-gui.supp" \
    ctest --output-on-failure -R '^test_app_gui$')

if ls "$root"/fuzz/fuzz_*.cpp >/dev/null 2>&1; then
  echo "== Fuzz targets (bounded)"
  CC=clang CXX=clang++ cmake -S "$root" -B "$root/build-fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DBV_FUZZ=ON -DBV_BUILD_GUI=OFF -DBV_BUILD_TESTS=OFF -DBV_BUILD_BENCH=OFF \
      -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined" >/dev/null
  cmake --build "$root/build-fuzz" -j"$jobs"
  for f in "$root"/build-fuzz/fuzz/fuzz_*; do
    [ -x "$f" ] || continue
    name=$(basename "$f")
    corpus="$root/build-fuzz/corpus-$name"
    mkdir -p "$corpus"
    seeds="$root/fuzz/seeds/$name"
    [ -d "$seeds" ] || seeds=""
    echo "-- $name"
    "$f" -max_total_time="${BV_FUZZ_SECONDS:-30}" -timeout=10 -rss_limit_mb=2048 $corpus $seeds 2>&1 | tail -n 3
  done
fi
echo "All test stages passed."
