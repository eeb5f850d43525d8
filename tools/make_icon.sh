#!/usr/bin/env bash
# Draws the program icon (a smiling kite with a bowed tail) with ImageMagick
# and writes src/res/kitemaru.ico with 256, 64, 48, 32 and 16 pixel images,
# the 256 one stored as PNG as Explorer expects at large sizes.
# Each size is drawn large and scaled down, so edges stay smooth.
#   make_icon.sh --hicolor DIR   writes DIR/<n>x<n>/apps/kitemaru.png instead,
#                                the icon theme sizes of a Linux desktop, with
#                                no dates inside, so a build repeats its bytes.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/src/res/kitemaru.ico
hicolor=
if [ "${1:-}" = --hicolor ]; then
  hicolor=${2:?make_icon.sh --hicolor DIR}
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# 768 x 768 master: kite diamond in four panels, face, tail with bows. The
# shapes are laid out on a 192 grid and scaled up four times as drawn.
convert -size 768x768 xc:none -affine 4,0,0,4,0,0 \
  -stroke '#5a2d0c' -strokewidth 5 -fill none \
  -draw "path 'M 96,150 C 80,165 110,172 92,186'" \
  -stroke none -fill '#ff5a5a' -draw "polygon 78,166 92,160 92,174" \
  -fill '#ff5a5a' -draw "polygon 106,172 92,160 92,174" \
  -stroke '#3b2410' -strokewidth 6 -fill '#ffd23c' \
  -draw "polygon 96,6 170,78 96,152 22,78" \
  -stroke none -fill '#ff8a3c' -draw "polygon 96,9 96,78 25,78" \
  -fill '#ff8a3c' -draw "polygon 96,78 167,78 96,149" \
  -stroke '#3b2410' -strokewidth 4 -fill none \
  -draw "line 96,10 96,148" -draw "line 26,78 166,78" \
  -stroke '#3b2410' -strokewidth 6 -fill none \
  -draw "polygon 96,6 170,78 96,152 22,78" \
  -stroke none -fill '#1e1e1e' \
  -draw "ellipse 74,70 9,12 0,360" -draw "ellipse 118,70 9,12 0,360" \
  -fill white -draw "circle 77,65 80,65" -draw "circle 121,65 124,65" \
  -fill '#ff9aa8' -draw "ellipse 62,94 9,6 0,360" -draw "ellipse 130,94 9,6 0,360" \
  -stroke '#1e1e1e' -strokewidth 5 -fill none \
  -draw "path 'M 82,96 Q 96,112 110,96'" \
  "$work/master.png"

if [ -n "$hicolor" ]; then
  for size in 16 22 24 32 48 64 128 256; do
    mkdir -p "$hicolor/${size}x${size}/apps"
    convert "$work/master.png" -filter Lanczos -resize ${size}x${size} -strip \
      -define png:exclude-chunks=date,time -define png:color-type=6 \
      "PNG32:$hicolor/${size}x${size}/apps/kitemaru.png"
  done
  exit 0
fi

images=()
for size in 256 64 48 32 16; do
  convert "$work/master.png" -filter Lanczos -resize ${size}x${size} \
    -define png:color-type=6 "PNG32:$work/icon-$size.png"
  images+=("$work/icon-$size.png")
done
# ImageMagick stores an image of 256 pixels as PNG and smaller ones as bitmaps.
convert "${images[@]}" "$out"
echo "wrote $out"
