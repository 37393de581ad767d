#!/usr/bin/env bash
# Builds pointilla.ico, the icon of the Windows installer, its shortcut and the
# .sce files, from the committed PNG sizes (ImageMagick). The .ico is committed,
# so the build needs no image tool; run this after share/icons/make-icons.sh.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
icons=../../share/icons/hicolor
convert "$icons"/{16x16,24x24,32x32,48x48,64x64,256x256}/apps/pointilla.png pointilla.ico
