#!/usr/bin/env bash
# Draws the program icon (a night-blue screen with a crescent moon and stars on a stand) at
# 16, 32 and 48 pixels and packs them into one .ico. Run by hand when the artwork changes:
#   bash art/make-icon.sh src/app/res/quovel32.ico
set -euo pipefail
out="$1"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
convert -size 256x256 xc:none \
  -fill '#3a3a46' -draw 'roundrectangle 18,28 238,196 18,18' \
  -fill '#0c1a4a' -draw 'rectangle 32,42 224,182' \
  -fill '#16307a' -draw 'rectangle 32,120 224,182' \
  -fill '#ffe9a0' -draw 'circle 150,100 150,54' \
  -fill '#0c1a4a' -draw 'circle 172,86 172,46' \
  -fill white -draw 'circle 70,70 70,76' -draw 'circle 96,130 96,134' \
  -draw 'circle 200,150 200,154' -draw 'circle 60,150 60,153' \
  -fill '#3a3a46' -draw 'polygon 110,196 146,196 160,226 96,226' \
  -draw 'roundrectangle 70,222 186,238 6,6' \
  "$tmp/big.png"
for s in 16 32 48; do convert "$tmp/big.png" -resize ${s}x${s} "$tmp/i$s.png"; done
convert "$tmp/i16.png" "$tmp/i32.png" "$tmp/i48.png" "$out"
