#!/usr/bin/env bash
# Draws the program's icons and the toolbar/list images with ImageMagick into src/ui/res/.
# The nine list images go side by side into one file of raw pixels, images.bgra, which
# the image list takes in one call.
# Each 16 x 16 image is drawn at four times its size on a 16-cell grid (coordinates below
# are in 64-pixel units) and then box-filtered down, which keeps edges that lie on the
# grid sharp and gives the diagonals a light anti-aliasing.
set -euo pipefail
cd "$(dirname "$0")/../src/ui/res"

draw16() {  # draw16 OUT.png DRAW-ARGS...
  local out=$1
  shift
  convert -size 64x64 xc:none "$@" -filter Box -resize 16x16 -depth 8 "PNG32:$out"
}

# 0: a profile: a screen on a stand with a network plug line beneath.
draw16 img0-profile.png \
  -fill '#2d5f9e' -stroke none -draw 'roundrectangle 4,6 59,42 4,4' \
  -fill '#9fd0ff' -draw 'rectangle 10,12 53,36' \
  -fill '#ffffff' -draw 'polygon 14,16 30,16 14,30' \
  -fill '#2d5f9e' -draw 'rectangle 28,42 35,50' \
  -fill '#3c3c3c' -draw 'rectangle 14,50 49,57' \
  -fill '#34a853' -draw 'rectangle 52,50 61,61'

# 1: configure: a gear.
draw16 img1-configure.png \
  -fill '#6b6b6b' -stroke none \
  -draw 'rectangle 26,2 37,61' -draw 'rectangle 2,26 61,37' \
  -draw 'polygon 9,17 17,9 54,46 46,54' -draw 'polygon 46,9 54,17 17,54 9,46' \
  -draw 'circle 32,32 32,10' \
  -fill none -stroke '#404040' -strokewidth 3 -draw 'circle 32,32 32,10' \
  -fill '#f0f0f0' -stroke '#404040' -strokewidth 3 -draw 'circle 32,32 32,22'

# 2: connect: a green arrow pointing right into a bar (the adapter).
draw16 img2-connect.png \
  -fill '#1e8e3e' -stroke '#0d5c24' -strokewidth 3 \
  -draw 'polygon 4,24 28,24 28,8 52,32 28,56 28,40 4,40' \
  -fill '#3c3c3c' -stroke none -draw 'rectangle 54,6 61,57'

# 3: delete: a red cross.
draw16 img3-delete.png \
  -fill '#d93025' -stroke '#8c1d16' -strokewidth 3 \
  -draw 'polygon 8,16 16,8 32,24 48,8 56,16 40,32 56,48 48,56 32,40 16,56 8,48 24,32'

# 4: minimise: a window whose content drops to a bar at the bottom.
draw16 img4-minimize.png \
  -fill '#ffffff' -stroke '#2d5f9e' -strokewidth 4 -draw 'rectangle 6,6 57,45' \
  -fill '#2d5f9e' -stroke none -draw 'rectangle 6,6 57,16' \
  -fill '#3c3c3c' -draw 'rectangle 16,52 47,59' \
  -fill '#1e8e3e' -draw 'polygon 22,24 42,24 32,40'

# 5: help: a question mark on a blue disc.
draw16 img5-help.png \
  -fill '#1a73e8' -stroke '#0b4aa2' -strokewidth 3 -draw 'circle 32,32 32,3' \
  -fill '#ffffff' -stroke none -font DejaVu-Sans-Bold -pointsize 50 -gravity center \
  -annotate +0+2 '?'

# 6: (not shown anywhere) a globe.
draw16 img6-globe.png \
  -fill '#9fd0ff' -stroke '#2d5f9e' -strokewidth 4 -draw 'circle 32,32 32,5' \
  -fill none -draw 'ellipse 32,32 12,27 0,360' -draw 'line 5,32 59,32' \
  -draw 'line 32,5 32,59'

# 7: save: a floppy disk.
draw16 img7-save.png \
  -fill '#2d5f9e' -stroke none -draw 'polygon 4,4 52,4 60,12 60,60 4,60' \
  -fill '#ffffff' -draw 'rectangle 14,4 49,24' \
  -fill '#2d5f9e' -draw 'rectangle 38,8 45,20' \
  -fill '#e8e8e8' -draw 'rectangle 12,36 51,60' \
  -fill '#9a9a9a' -draw 'rectangle 18,42 45,45' -draw 'rectangle 18,50 45,53'

# 8: read current settings: a blue arrow coming out of a bar (the adapter) onto a sheet.
draw16 img8-read.png \
  -fill '#3c3c3c' -stroke none -draw 'rectangle 2,6 9,57' \
  -fill '#ffffff' -stroke '#6b6b6b' -strokewidth 3 -draw 'rectangle 34,4 61,60' \
  -fill '#9a9a9a' -stroke none -draw 'rectangle 40,14 55,17' -draw 'rectangle 40,46 55,49' \
  -fill '#1a73e8' -stroke '#0b4aa2' -strokewidth 3 \
  -draw 'polygon 12,24 30,24 30,12 52,32 30,52 30,40 12,40'

# Left to right in image-list order; rows of 32-bit pixels, blue, green, red, alpha.
convert img0-profile.png img1-configure.png img2-connect.png img3-delete.png \
  img4-minimize.png img5-help.png img6-globe.png img7-save.png img8-read.png \
  +append -depth 8 BGRA:images.bgra
rm -f img?-*.png

# The program's icon: two screens joined by a network line on a rounded blue tile,
# drawn at 256 and resized for 48, 32 and 16.
convert -size 256x256 xc:none \
  -fill '#1f4f8f' -stroke none -draw 'roundrectangle 8,8 247,247 40,40' \
  -fill '#2f6fbf' -draw 'roundrectangle 8,8 247,200 40,40' \
  -fill '#ffffff' -draw 'roundrectangle 28,44 116,112 8,8' \
  -fill '#ffffff' -draw 'roundrectangle 140,44 228,112 8,8' \
  -fill '#8fd18f' -draw 'rectangle 40,56 104,100' -draw 'rectangle 152,56 216,100' \
  -fill '#ffffff' -draw 'rectangle 64,112 80,140' -draw 'rectangle 176,112 192,140' \
  -draw 'rectangle 64,136 192,152' -draw 'rectangle 120,152 136,196' \
  -fill '#34c759' -draw 'circle 128,208 128,184' \
  -depth 8 PNG32:ardenix-256.png
for s in 48 32 16; do
  convert ardenix-256.png -filter Lanczos -resize ${s}x${s} -depth 8 PNG32:ardenix-$s.png
done
convert ardenix-16.png ardenix-32.png ardenix-48.png ardenix-256.png ardenix.ico

# The tray images: a small, high-contrast version of the same idea (16 and 32). trayimage
# draws the tile with its two screens joined by the network line and whatever follows
# beneath it.
trayimage() {  # trayimage NAME BENEATH-DRAW-ARGS...
  local name=$1
  shift
  convert -size 64x64 xc:none \
    -fill '#1f4f8f' -stroke none -draw 'roundrectangle 0,0 63,63 10,10' \
    -fill '#ffffff' -draw 'rectangle 6,12 27,31' -draw 'rectangle 36,12 57,31' \
    -draw 'rectangle 14,31 19,40' -draw 'rectangle 44,31 49,40' \
    -draw 'rectangle 14,38 49,43' -draw 'rectangle 29,43 34,52' \
    "$@" \
    -depth 8 PNG32:$name-64.png
  convert $name-64.png -filter Box -resize 16x16 -depth 8 PNG32:$name-16.png
  convert $name-64.png -filter Box -resize 32x32 -depth 8 PNG32:$name-32.png
  convert $name-16.png $name-32.png $name.ico
}
# In force: a green plug at the line's end.
trayimage tray -fill '#34c759' -draw 'rectangle 22,50 41,59'
# An apply is pending: three amber dots in the plug's place.
trayimage tray-busy -fill '#ffb300' \
  -draw 'rectangle 12,52 19,59' -draw 'rectangle 28,52 35,59' -draw 'rectangle 44,52 51,59'
rm -f ardenix-*.png tray-*.png
