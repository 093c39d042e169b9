#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the program icon's PNG sizes from its SVG (needs rsvg-convert from
# librsvg2-bin). The PNGs are committed, so building never needs this.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
icons=$root/data/desktop/icons
for size in 16 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" "$icons/org.ballwright.Ballwright.svg" \
    -o "$icons/org.ballwright.Ballwright-$size.png"
done
