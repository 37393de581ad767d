#!/usr/bin/env bash
# Renders the icon's PNG sizes from hicolor/scalable/apps/pointilla.svg (ImageMagick). The PNGs are
# committed, so the build needs no SVG renderer; run this after editing the SVG.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
for size in 16 24 32 48 64 128 256; do
  dir="hicolor/${size}x${size}/apps"
  mkdir -p "$dir"
  convert -background none -density 384 hicolor/scalable/apps/pointilla.svg -resize "${size}x${size}" \
    -strip "PNG32:$dir/pointilla.png"
done
