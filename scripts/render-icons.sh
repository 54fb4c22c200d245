#!/usr/bin/env bash
# Renders the application icon's PNGs from its SVG (rsvg-convert, Debian's
# librsvg2-bin). The PNGs are committed; rerun this after changing the SVG.
set -euo pipefail
cd "$(dirname "$0")/../data/icons"
command -v rsvg-convert >/dev/null || { echo "rsvg-convert is missing: apt-get install librsvg2-bin" >&2; exit 1; }
for size in 16 24 32 48 64 128 256; do
    mkdir -p "hicolor/${size}x${size}/apps"
    rsvg-convert -w "$size" -h "$size" io.github.kestrum.Kestrum.svg \
        -o "hicolor/${size}x${size}/apps/io.github.kestrum.Kestrum.png"
done
