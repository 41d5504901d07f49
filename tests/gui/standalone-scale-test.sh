#!/usr/bin/env bash
# Opens the Standalone app on a 2x desktop (run it under scripts/virtual-desktop.sh 2) and checks
# that its window is twice the plug-in window in device pixels and carries the 2x artwork: within
# each 2 x 2 block of device pixels the picture must vary as the 2x snapshot does, where the 1x
# picture magnified would be flat. Screenshots are kept in the output folder.
#
# usage: standalone-scale-test.sh <Standalone binary> <halvo-snapshot> <output folder>
set -euo pipefail

app=$1
snapshot=$2
out=$3
rm -rf "${out:?}"
mkdir -p "$out/home"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

app_pid=
stop_app() {
    [ -n "$app_pid" ] || return 0
    kill -INT "$app_pid" 2> /dev/null || return 0
    for _ in $(seq 50); do
        kill -0 "$app_pid" 2> /dev/null || return 0
        sleep 0.1
    done
    kill -9 "$app_pid" 2> /dev/null || true
}
trap stop_app EXIT

HOME="$out/home" XDG_CONFIG_HOME="$out/home/.config" "$app" > "$out/app.log" 2>&1 &
app_pid=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --pid "$app_pid" --name '^Halvo$' |
    head -n 1) || fail "no Halvo window appeared"
eval "$(xdotool getwindowgeometry --shell "$window")"

# The app frames the plug-in window with its own border and title bar above it, all scaled.
editor_width=1246
editor_height=578
[ "$WIDTH" -ge "$editor_width" ] && [ "$HEIGHT" -ge "$editor_height" ] ||
    fail "window is ${WIDTH}x${HEIGHT} device pixels, smaller than the 2x plug-in window"
border=$(((WIDTH - editor_width) / 2))
editor_x=$border
editor_y=$((HEIGHT - border - editor_height))
echo "window ${WIDTH}x${HEIGHT}, plug-in window at $editor_x,$editor_y"

sleep 1
import -window "$window" "$out/window.png"
convert "$out/window.png" -crop "${editor_width}x${editor_height}+${editor_x}+${editor_y}" +repage \
    "$out/editor.png"
"$snapshot" "$out/snapshot-2x.png" --scale 2
"$snapshot" "$out/snapshot-1x.png"

# Mean difference of a picture from its own 2 x 2 block averages, the scope (which differs with
# the sound) left out: the detail finer than a window pixel.
fine_detail() {
    convert "$1" -fill black -draw "rectangle 770,60 1202,577" -colorspace gray \
        \( +clone -scale 50% -scale 200% \) -compose difference -composite \
        -format '%[fx:mean*1000]' info:
}
window_detail=$(fine_detail "$out/editor.png")
sharp_detail=$(fine_detail "$out/snapshot-2x.png")
convert "$out/snapshot-1x.png" -filter triangle -resize 200% "$out/magnified-1x.png"
blurred_detail=$(fine_detail "$out/magnified-1x.png")
echo "fine detail: window $window_detail, 2x snapshot $sharp_detail, 1x magnified $blurred_detail"
awk -v w="$window_detail" -v s="$sharp_detail" -v b="$blurred_detail" \
    'BEGIN { exit !(w > 0.8 * s && w > 1.5 * b) }' ||
    fail "the window does not carry the 2x artwork"
echo "PASS"
