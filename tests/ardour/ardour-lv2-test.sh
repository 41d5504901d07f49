#!/usr/bin/env bash
# Ardour's session engine (ardour7-lua, "None (Dummy)" backend) puts the LV2 on a default MIDI
# track, as a musician would, with no LV2 class data installed (Ardour then knows an instrument only
# by "MIDI in, audio out, no audio in"): the track must get the plug-in's two audio outputs.
# Ardour's interpreter sometimes crashes on its own while creating a session; such a run is retried
# a few times, and never counts as a pass.
#
# usage: ardour-lv2-test.sh <LV2 bundle> <URI> <output folder>
set -euo pipefail

bundle=$1
uri=$2
out=$3
command -v ardour7-lua > /dev/null || {
    echo "SKIP: ardour7-lua is not installed (Debian's ardour)"
    exit 77
}
rm -rf "${out:?}"
mkdir -p "$out/lv2" "$out/home"
ln -s "$(cd "$bundle" && pwd)" "$out/lv2/"
script=$(dirname "$0")/halvo-on-midi-track.lua

for attempt in 1 2 3; do
    rm -rf "$out/session"
    status=0
    HOME=$out/home LV2_PATH=$out/lv2 HALVO_SESSION_DIR=$out/session HALVO_LV2_URI=$uri \
        timeout 120 ardour7-lua "$script" > "$out/ardour.log" 2>&1 || status=$?
    if result=$(grep '^RESULT' "$out/ardour.log"); then
        echo "$result"
        expected="RESULT strict-io=true track-audio-outputs=2 plugin-audio-inputs=0 plugin-audio-outputs=2"
        [ "$result" = "$expected" ] && { echo PASS; exit 0; }
        echo "FAIL: expected $expected" >&2
        exit 1
    fi
    if grep -q '^Error:' "$out/ardour.log"; then
        cat "$out/ardour.log" >&2
        echo "FAIL: the session script failed" >&2
        exit 1
    fi
    echo "attempt $attempt: ardour7-lua ended with status $status before a result; retrying"
done
cat "$out/ardour.log" >&2
echo "FAIL: ardour7-lua crashed on every attempt" >&2
exit 1
