#!/usr/bin/env bash
# Draws the programs' icons with ImageMagick into assets/icons/: Orvella (the alarm clock),
# Agent (the clock keeping watch at night), OrvellaRemover (the clock with a removal badge)
# and SknIcon (a skin: a framed window face in the clock's colours). Each .ico holds 48, 32
# and 16 pixel pictures, drawn large and scaled down, so that the small sizes stay smooth.
# Run it again after a change and commit the pictures with it.
set -euo pipefail
cd "$(dirname "$0")/../.."
out=assets/icons
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

# The clock on a 256 x 256 canvas: two bells, legs, a ring in $1 around a cream face, hands
# at ten past ten.
clock() {
    local ring="$1" target="$2"
    convert -size 256x256 xc:none \
        -stroke '#3a2a1a' -strokewidth 14 -draw "line 78,196 52,238" -draw "line 178,196 204,238" \
        -stroke '#3a2a1a' -strokewidth 6 -fill '#4a4a52' \
        -draw "path 'M 30,92 A 46,46 0 0 1 96,30 Z'" -draw "path 'M 160,30 A 46,46 0 0 1 226,92 Z'" \
        -fill "$ring" -stroke '#3a2a1a' -strokewidth 6 -draw "circle 128,140 128,34" \
        -fill '#fff6e0' -stroke none -draw "circle 128,140 128,58" \
        -stroke '#3a2a1a' -strokewidth 8 -draw "line 128,76 128,90" -draw "line 128,190 128,204" \
        -draw "line 64,140 78,140" -draw "line 178,140 192,140" \
        -stroke '#2a2a2a' -strokewidth 14 -draw "line 128,140 92,112" \
        -strokewidth 10 -draw "line 128,140 170,96" \
        -stroke none -fill '#c0392b' -draw "circle 128,140 128,130" \
        "$target"
}

ico() {
    convert "$1" -define icon:auto-resize=48,32,16 "$out/$2"
}

clock '#f08a24' "$work/orvella.png"
ico "$work/orvella.png" Orvella.ico

# The agent: the clock in night blue with a crescent moon beside it.
clock '#3b6fd1' "$work/agent-clock.png"
convert "$work/agent-clock.png" \
    -fill '#ffd84a' -stroke '#3a2a1a' -strokewidth 6 -draw "circle 200,200 200,148" \
    -fill '#3b6fd1' -stroke none -draw "circle 222,184 222,140" "$work/agent.png"
ico "$work/agent.png" Agent.ico

# The remover: the clock faded, with a red badge carrying a white cross.
convert "$work/orvella.png" -modulate 100,35 \
    -fill '#d0342c' -stroke '#5a1410' -strokewidth 6 -draw "circle 192,192 192,138" \
    -stroke white -strokewidth 18 -draw "line 170,170 214,214" -draw "line 214,170 170,214" \
    "$work/remover.png"
ico "$work/remover.png" OrvellaRemover.ico

# A skin: a framed window face in bands of the clock's colours, the small clock in front.
convert -size 256x256 xc:none \
    -fill '#3a2a1a' -draw "roundrectangle 16,24 240,232 28,28" \
    -fill '#f08a24' -draw "roundrectangle 26,34 230,92 18,18" \
    -fill '#3b6fd1' -draw "rectangle 26,92 230,150" \
    -fill '#6fbf4a' -draw "roundrectangle 26,150 230,222 18,18" -draw "rectangle 26,150 230,180" \
    "$work/sheet.png"
convert "$work/orvella.png" -resize 150x150 "$work/small-clock.png"
convert "$work/sheet.png" "$work/small-clock.png" -geometry +96+96 -composite "$work/skin.png"
ico "$work/skin.png" SknIcon.ico

ls -l "$out"
