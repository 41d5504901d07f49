#!/usr/bin/env bash
# The window drawn by halvo-snapshot: at 1x exactly the published picture (docs/window.png, so the
# 1x artwork and drawing are unchanged), at 2x 1246 x 578 pixels carrying detail finer than a window
# pixel, which the 1x picture magnified does not have, and at 1.25 with no dark seam along the
# edges the window covers only partly. Needs ImageMagick, no display.
#
# usage: snapshot-scale-test.sh <halvo-snapshot> <docs/window.png> <output folder>
set -euo pipefail

snapshot=$1
published=$2
out=$3
rm -rf "${out:?}"
mkdir -p "$out"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

"$snapshot" "$out/window-1x.png"
"$snapshot" "$out/window-2x.png" --scale 2
differing=$(compare -metric AE "$out/window-1x.png" "$published" null: 2>&1 || true)
[ "$differing" = 0 ] || fail "the 1x window differs from $published in $differing pixels"
size=$(identify -format '%wx%h' "$out/window-2x.png")
[ "$size" = 1246x578 ] || fail "the 2x window is $size"

# Mean difference of each pixel from its 2 x 2 block's average, in thousandths.
fine_detail() {
    convert "$1" -colorspace gray \( +clone -scale 50% -scale 200% \) \
        -compose difference -composite -format '%[fx:mean*1000]' info:
}
convert "$out/window-1x.png" -filter triangle -resize 200% "$out/magnified-1x.png"
sharp=$(fine_detail "$out/window-2x.png")
blurred=$(fine_detail "$out/magnified-1x.png")
echo "fine detail: 2x $sharp, 1x magnified $blurred"
awk -v s="$sharp" -v b="$blurred" 'BEGIN { exit !(s > 1.5 * b) }' ||
    fail "the 2x window has no more detail than the 1x one magnified"
# At 1.25 the window is 778.75 device pixels wide: its last column must look like its neighbour,
# not like the black beneath.
"$snapshot" "$out/window-1.25x.png" --scale 1.25
column_mean() {
    convert "$out/window-1.25x.png" -crop "1x400+$1+40" -colorspace gray -format '%[fx:mean]' info:
}
last=$(column_mean 778)
inner=$(column_mean 777)
awk -v l="$last" -v i="$inner" 'BEGIN { exit !(l > 0.85 * i) }' ||
    fail "a dark seam along the right edge at 1.25 ($last against $inner)"
echo "PASS"
