#!/bin/sh
# Draws the PNG sizes of the program's icon from packaging/icons/folioscope.svg with
# rsvg-convert (Debian librsvg2-bin); run it after changing the SVG and commit the result.
set -eu
icons=$(dirname "$0")/../packaging/icons
if ! command -v rsvg-convert >/dev/null; then
  echo "rsvg-convert is missing: install Debian's librsvg2-bin" >&2
  exit 1
fi
for size in 16 24 32 48 64 128 256; do
  mkdir -p "$icons/hicolor/${size}x${size}/apps"
  rsvg-convert -w "$size" -h "$size" "$icons/folioscope.svg" \
    -o "$icons/hicolor/${size}x${size}/apps/folioscope.png"
done
