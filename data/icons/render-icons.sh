#!/usr/bin/env bash
# Renders the application icon's PNGs for the hicolor theme from its SVG (needs rsvg-convert,
# package librsvg2-bin). The PNGs are kept in the repository, so building needs no renderer;
# run this again after changing the SVG.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
id=org.brindlevault.Brindlevault
for size in 16 32 48 64 128 256; do
  mkdir -p "$here/hicolor/${size}x${size}/apps"
  rsvg-convert -w "$size" -h "$size" "$here/$id.svg" -o "$here/hicolor/${size}x${size}/apps/$id.png"
done
