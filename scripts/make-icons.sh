#!/usr/bin/env bash
# Makes the hicolor PNG icons from share/icons/pennory.svg. The PNGs are kept in the
# repository, so the build needs no SVG tool; run this after changing the SVG.
# Needs: rsvg-convert (apt-get install librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/.."
for size in 16 22 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" share/icons/pennory.svg -o "share/icons/pennory-$size.png"
done
