#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Brindlevault need.
# Does nothing when everything is already there.
set -euo pipefail

packages=(
  g++ make cmake pkg-config
  qt6-base-dev libgl-dev
  qt6-translations-l10n      # Qt's own buttons and dialogs in the program's language
  libgtest-dev libgmock-dev libbenchmark-dev
  nlohmann-json3-dev
  libbotan-2-dev zlib1g-dev   # Argon2id, AES, ChaCha20, SHA-2, HMAC and gzip of the KDBX export
  libzxcvbn-dev              # password strength estimate (the C port of zxcvbn)
  wspanish wfrench wngerman witalian wbrazilian wcatalan wdutch wamerican  # its word lists
  python3-zxcvbn             # the reference estimate the strength benchmark compares with
  keepassxc                  # keepassxc-cli checks the exported KDBX files in the tests
  oathtool                   # the two-step codes are checked against its own
  libcrypto++-dev            # test-only oracle for Blowfish and RIPEMD-256
  clang libclang-rt-14-dev   # libFuzzer targets
  clang-format               # the layout of the sources (.clang-format) is checked
  xvfb xauth xclip xdotool imagemagick poppler-utils
  x11-utils                  # xprop reads the window titles the X server holds
  dbus                       # dbus-daemon: the private bus of the screen-lock tests
  fonts-liberation2 fonts-dejavu-core
  ccache                     # compiler cache for repeated builds
  desktop-file-utils         # desktop-file-validate (scripts/check-install.sh)
  appstream                  # appstreamcli validate
  lintian dpkg-dev file      # lintian; dpkg-shlibdeps for the package's dependencies
  shared-mime-info libglib2.0-bin  # update-mime-database; gio resolves the profile type
  libxml2-utils              # xmllint
  librsvg2-bin               # data/icons/render-icons.sh (the PNGs are committed)
  man-db                     # lintian checks the manual pages with man
  qt6-wayland                # the Wayland platform plug-in (scripts/check-wayland.sh)
  weston wl-clipboard        # a compositor with a seat inside Xvfb; wl-paste reads its clipboard
  dbus dbus-x11              # private session buses of the Wayland and screen-reader stages
  at-spi2-core python3-pyatspi gir1.2-atspi-2.0  # the accessibility bus and its reader
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
