#!/bin/sh
# Draws the toolbar icons (32 x 32) and the application icon (64 x 64) into
# resources/icons/ with ImageMagick. Every picture is drawn on a 128 x 128
# canvas and scaled down, which smooths the edges.
# Usage: sh resources/tools/make_icons.sh   (from the repository root)
set -e
dir="${1:-resources/icons}"
mkdir -p "$dir"

# Shared colours: dark outline, paper, and a few flat accent colours.
O='#2B2F3A'      # outline
P='#FFFFFF'      # paper
G='#3DA35D'      # green
B='#3A7BD5'      # blue
R='#D9443A'      # red
Y='#F5C242'      # yellow
A='#F08A24'      # orange
W='#A86B3C'      # wood
S='#9AA3B0'      # grey

# icon NAME SIZE DRAW-ARGUMENTS...
icon() {
  name="$1"; size="$2"; shift 2
  convert -size 128x128 xc:none -stroke "$O" -strokewidth 6 \
    "$@" -filter Lanczos -resize "${size}x${size}" -strip -define png:exclude-chunks=date,time -define png:color-type=6 -depth 8 "PNG32:$dir/$name.png"
}

# New recipe: a sheet with a folded corner, text lines and a green plus badge.
icon erfassen 32 \
  -fill "$P" -draw 'path "M 22,8 L 78,8 L 100,30 L 100,120 L 22,120 Z"' \
  -fill '#DDE3EA' -draw 'path "M 78,8 L 78,30 L 100,30 Z"' \
  -strokewidth 5 -draw 'line 36,50 84,50' -draw 'line 36,66 84,66' -draw 'line 36,82 62,82' \
  -strokewidth 6 -fill "$G" -draw 'circle 92,94 92,62' \
  -stroke "$P" -strokewidth 9 -draw 'line 92,78 92,110' -draw 'line 76,94 108,94'

# Edit: a yellow pencil lying diagonally.
icon bearbeiten 32 \
  -fill "$Y" -draw 'polygon 88,12 116,40 44,112 16,84' \
  -fill '#F3A0A8' -draw 'polygon 88,12 116,40 104,52 76,24' \
  -fill "$S" -draw 'polygon 76,24 104,52 96,60 68,32' \
  -fill '#F6D9B0' -draw 'polygon 16,84 44,112 8,120' \
  -fill "$O" -stroke none -draw 'polygon 8,120 14,102 26,114'

# Switch book: a blue book and an orange badge with two opposite arrows.
icon wechseln 32 \
  -fill "$P" -draw 'roundrectangle 22,14 90,112 4,4' \
  -fill "$B" -draw 'roundrectangle 14,8 82,104 6,6' \
  -fill none -stroke "$P" -strokewidth 4 -draw 'line 26,14 26,98' \
  -stroke "$O" -strokewidth 6 -fill "$A" -draw 'circle 90,90 90,56' \
  -stroke "$P" -strokewidth 7 -fill none \
  -draw 'line 72,80 106,80' -draw 'polyline 98,72 106,80 98,88' \
  -draw 'line 74,100 108,100' -draw 'polyline 82,92 74,100 82,108'

# E-mail: an envelope.
icon email 32 \
  -fill "$P" -draw 'roundrectangle 8,26 120,102 6,6' \
  -fill '#E4EAF2' -draw 'polygon 10,28 64,72 118,28' \
  -fill none -draw 'polyline 10,28 64,72 118,28' \
  -strokewidth 5 -draw 'line 10,100 50,62' -draw 'line 118,100 78,62'

# Search: a magnifying glass.
icon suchen 32 \
  -fill "$O" -strokewidth 18 -draw 'line 78,78 116,116' \
  -stroke "$W" -strokewidth 8 -draw 'line 84,84 112,112' \
  -stroke "$O" -strokewidth 7 -fill '#CFE4FA' -draw 'circle 50,50 50,10' \
  -fill none -stroke "$P" -strokewidth 6 -draw 'arc 24,24 76,76 190,260'

# Print: a printer with paper in and out.
icon drucken 32 \
  -fill "$P" -draw 'rectangle 34,8 94,50' \
  -fill "$S" -draw 'roundrectangle 8,44 120,98 10,10' \
  -fill "$G" -draw 'circle 102,60 102,56' \
  -fill "$P" -draw 'rectangle 30,78 98,120' \
  -strokewidth 4 -draw 'line 42,92 86,92' -draw 'line 42,106 74,106'

# Backup: a blue disk with a green arrow pointing into it.
icon backup 32 \
  -fill "$B" -draw 'path "M 16,40 L 96,40 L 112,56 L 112,120 L 16,120 Z"' \
  -fill "$P" -draw 'rectangle 34,86 94,120' \
  -fill '#CFE4FA' -draw 'rectangle 36,40 80,62' \
  -fill "$G" -draw 'polygon 52,4 76,4 76,24 90,24 64,50 38,24 52,24'

# Colours: a painter's palette with paint spots.
icon farben 32 \
  -fill '#F1D9B5' -draw 'path "M 64,10 C 118,10 124,56 112,76 C 102,92 84,80 76,92 C 68,104 84,118 60,118 C 22,118 6,90 6,64 C 6,32 30,10 64,10 Z"' \
  -strokewidth 5 -fill "$R" -draw 'circle 36,46 36,34' \
  -fill "$Y" -draw 'circle 62,30 62,18' \
  -fill "$B" -draw 'circle 92,40 92,28' \
  -fill "$G" -draw 'circle 34,80 34,68' \
  -fill "$P" -draw 'circle 92,64 92,56'

# Quit: a door in its frame and a red arrow leading out.
icon beenden 32 \
  -fill "$S" -draw 'rectangle 12,8 76,120' \
  -fill "$W" -draw 'polygon 18,14 62,24 62,120 18,114' \
  -fill "$Y" -draw 'circle 52,70 52,64' \
  -fill "$R" -draw 'polygon 70,54 94,54 94,38 124,66 94,94 94,78 70,78'

# Application icon: a cooking pot with steam on an orange rounded square.
icon pfanno-lux 64 \
  -fill "$A" -draw 'roundrectangle 4,4 124,124 22,22' \
  -fill '#4B4B55' -draw 'path "M 22,62 L 106,62 L 100,100 Q 98,108 90,108 L 38,108 Q 30,108 28,100 Z"' \
  -fill '#2E2E36' -draw 'roundrectangle 16,54 112,64 4,4' \
  -draw 'roundrectangle 8,66 24,74 3,3' -draw 'roundrectangle 104,66 120,74 3,3' \
  -draw 'roundrectangle 32,44 96,56 6,6' \
  -fill none -stroke "$P" -strokewidth 6 \
  -draw 'path "M 48,36 C 40,28 56,22 48,12"' \
  -draw 'path "M 64,36 C 56,28 72,22 64,12"' \
  -draw 'path "M 80,36 C 72,28 88,22 80,12"'

identify "$dir"/*.png
