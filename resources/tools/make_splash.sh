#!/bin/sh
# Draws the start picture resources/splash.png (535 x 328) with ImageMagick.
# Usage: sh resources/tools/make_splash.sh [output]   (from the repository root)
set -e
out="${1:-resources/splash.png}"
serif="/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf"
sans="/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
[ -f "$serif" ] || serif="DejaVu-Serif-Bold"
[ -f "$sans" ] || sans="DejaVu-Sans"

convert -size 535x328 gradient:'#FFE7B0'-'#EC8A3E' \
  -stroke none \
  -fill '#FFF6E020' -draw 'circle 125,170 125,20' \
  -fill '#FFF6E030' -draw 'circle 125,170 125,50' \
  -fill '#FFF6E040' -draw 'circle 125,170 125,80' \
  -fill '#00000030' -draw 'ellipse 125,256 100,12 0,360' \
  -fill '#2E2E36' -draw 'roundrectangle 212,178 244,190 6,6' \
  -fill '#4B4B55' -draw 'path "M 30,172 L 220,172 L 210,240 Q 206,252 194,252 L 56,252 Q 44,252 40,240 Z"' \
  -fill '#6A6A76' -draw 'path "M 35,184 L 215,184 L 213,197 L 37,197 Z"' \
  -fill '#2E2E36' -draw 'roundrectangle 22,162 228,176 7,7' \
  -fill '#8C8C9A' -draw 'roundrectangle 28,164 222,167 2,2' \
  -fill '#2E2E36' -draw 'roundrectangle 6,178 38,190 6,6' \
  -fill '#2E2E36' -draw 'roundrectangle 56,144 194,164 10,10' \
  -fill '#2E2E36' -draw 'roundrectangle 112,128 138,148 6,6' \
  -fill '#5E5E6A' -draw 'roundrectangle 66,148 184,153 3,3' \
  -fill none -stroke '#FFFFFFC0' -strokewidth 5 \
  -draw 'path "M 88,118 C 74,100 102,86 88,66 C 76,50 96,40 90,28"' \
  -draw 'path "M 125,112 C 111,92 141,78 125,56 C 113,40 133,30 127,16"' \
  -draw 'path "M 162,118 C 148,100 176,86 162,66 C 150,50 170,40 164,28"' \
  -stroke none \
  -fill '#2F7D32' -draw 'ellipse 72,284 28,9 0,360' \
  -fill '#43A047' -draw 'ellipse 178,288 24,8 0,360' \
  -fill '#C62828' -draw 'circle 125,289 125,274' \
  -fill '#EF9A9A' -draw 'circle 119,283 119,279' \
  -fill '#2F7D32' -draw 'rectangle 123,269 127,276' \
  -font "$serif" -pointsize 40 -gravity northwest \
  -fill '#FFF3DC' -annotate +266+106 'Pfanno-Lux' \
  -fill '#5A1E06' -annotate +264+104 'Pfanno-Lux' \
  -fill '#7A2E0E' -draw 'rectangle 266,162 518,164' \
  -font "$sans" -pointsize 22 -fill '#5A1E06' -annotate +266+176 'Rezeptverwaltung' \
  -pointsize 15 -fill '#6B2A0C' -annotate +266+214 'Version 1.10' \
  -stroke '#7A2E0E' -strokewidth 3 -fill none -draw 'rectangle 1,1 533,326' \
  -depth 8 -type TrueColor -strip -define png:exclude-chunks=date,time "$out"
identify "$out"
