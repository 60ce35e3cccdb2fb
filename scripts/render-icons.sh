#!/usr/bin/env bash
# Renders the PNG sizes of the program icon from its SVG; run after editing the
# SVG and commit the PNGs, so a build needs no SVG renderer.
set -euo pipefail
cd "$(dirname "$0")/../dist/icons"
command -v rsvg-convert >/dev/null || apt-get install -y -qq librsvg2-bin
for n in 16 24 32 48 64 128 256; do
  rsvg-convert -w "$n" -h "$n" tagloom.svg -o "tagloom-$n.png"
done
