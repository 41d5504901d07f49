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

source "$(dirname "$0")/../../scripts/standalone-session.sh"
app_pid=
trap 'stop_process "$app_pid" INT' EXIT

HOME="$out/home" XDG_CONFIG_HOME="$out/home/.config" open_standalone "$app" "$out/app.log" ||
    fail "no Halvo window appeared"
# The border and title bar are scaled with the rest.
editor_width=1246
editor_height=578
locate_plugin_window $editor_width $editor_height ||
    fail "window is ${WIDTH}x${HEIGHT} device pixels, smaller than the 2x plug-in window"
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
