#!/bin/sh
# SPDX-License-Identifier: MIT
# Renders the PNG sizes of the application icon from sylvanode.svg (needs rsvg-convert from
# librsvg2-bin; optipng when present). The PNGs are kept in the tree so that building needs neither.
set -eu
cd "$(dirname "$0")"
for size in 16 22 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" sylvanode.svg -o "sylvanode-$size.png"
  if command -v optipng >/dev/null 2>&1; then optipng -quiet -o7 -strip all "sylvanode-$size.png"; fi
done
