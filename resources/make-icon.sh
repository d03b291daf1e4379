#!/usr/bin/env bash
# Draws the program icon, Kestrova.ico: a list of check boxes on a rounded blue square,
# at 256, 48 and 32 pixels, and with two rows instead of three at 16 pixels so the
# boxes stay readable. Needs ImageMagick 6 (convert). Run from anywhere.
set -euo pipefail
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One 256-pixel master: boxes of half-width $2 and check marks of stroke $3, then the
# rows, each "y checked" (the row's centre line, 1 or 0).
draw() {
  local out=$1 half=$2 stroke=$3; shift 3
  local shapes="" left=44
  local right=$((left + 2 * half)) text=$((left + 2 * half + 22))
  for row in "$@"; do
    read -r y checked <<<"$row"
    shapes+=" fill white stroke none roundrectangle $left,$((y - half)) $right,$((y + half)) 10,10"
    shapes+=" fill white roundrectangle $text,$((y - 11)) 212,$((y + 11)) 11,11"
    if [[ $checked == 1 ]]; then
      local unit=$((half * 10 / 26))
      shapes+=" fill none stroke #1E8E3E stroke-width $stroke stroke-linecap round stroke-linejoin round"
      shapes+=" polyline $((left + 11 * unit / 10)),$y $((left + 22 * unit / 10)),$((y + 12 * unit / 10))"
      shapes+=" $((left + 42 * unit / 10)),$((y - 13 * unit / 10))"
    fi
  done
  convert -size 256x256 xc:none \
    \( -size 256x256 gradient:'#3D7FE8-#1A4DB0' \
       \( -size 256x256 xc:none -fill white -draw "roundrectangle 8,8 247,247 48,48" \) \
       -compose CopyOpacity -composite \) -compose Over -composite \
    -draw "$shapes" "$out"
}

draw "$work/three.png" 26 11 "68 1" "128 1" "188 0"
draw "$work/two.png" 34 18 "80 1" "180 0"

convert "$work/three.png" \
  \( -clone 0 -resize 48x48 \) \( -clone 0 -resize 32x32 \) \
  \( "$work/two.png" -resize 16x16 \) \
  -depth 8 Kestrova.ico
identify Kestrova.ico
