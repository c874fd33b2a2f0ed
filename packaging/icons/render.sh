#!/usr/bin/env bash
# Renders the program icon from pergolan.svg into the PNG sizes the desktop and the window use.
# Run after changing the drawing (needs rsvg-convert from librsvg2-bin); the PNGs are committed.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 24 32 48 64 128 256; do
  mkdir -p "$size"
  rsvg-convert -w "$size" -h "$size" pergolan.svg -o "$size/pergolan.png"
done
