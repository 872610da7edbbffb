#!/usr/bin/env bash
# Draws the placeholder icons (main.ico, tray.ico) with ImageMagick and Debian's WenQuanYi font.
# The outputs are committed, so building needs neither.
set -euo pipefail
cd "$(dirname "$0")"
font=/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc
draw() {  # size, output
  local s=$1 r=$(( $1 / 6 ))
  convert -size "${s}x${s}" xc:none \
    -fill '#3a1d10' -stroke '#c9a060' -strokewidth $(( s > 32 ? 2 : 1 )) \
    -draw "roundrectangle 0,0 $(( s - 1 )),$(( s - 1 )) $r,$r" \
    -font "$font" -pointsize $(( s * 3 / 4 )) -fill '#ffe9b0' -stroke none \
    -gravity center -annotate +0+0 '澜' "PNG32:$2"
}
tmp=$(mktemp -d)
for s in 16 24 32 48 256; do draw "$s" "$tmp/$s.png"; done
convert "$tmp"/16.png "$tmp"/24.png "$tmp"/32.png "$tmp"/48.png "$tmp"/256.png main.ico
convert "$tmp"/16.png "$tmp"/32.png "$tmp"/48.png tray.ico
rm -rf "$tmp"
