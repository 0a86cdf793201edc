#!/usr/bin/env bash
# Renders the program's icon (quillon/resources/icons/quillon.svg) into the PNG sizes a desktop
# asks for. The PNGs are committed, so building needs no converter; run this after editing the SVG.
# Uses rsvg-convert (Debian package librsvg2-bin) and falls back to ImageMagick's convert.
set -euo pipefail
cd "$(dirname "$0")/../quillon/resources/icons"
for size in 16 22 24 32 48 64 128 256; do
  out="quillon-${size}.png"
  if command -v rsvg-convert >/dev/null; then
    rsvg-convert -w "$size" -h "$size" quillon.svg -o "$out"
  elif command -v convert >/dev/null; then
    convert -background none -density 384 quillon.svg -resize "${size}x${size}" "$out"
  else
    echo "make_icons.sh: needs rsvg-convert (apt-get install librsvg2-bin) or ImageMagick" >&2
    exit 1
  fi
done
