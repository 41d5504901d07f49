#!/usr/bin/env bash
# Ardour's session engine (ardour7-lua, "None (Dummy)" backend) puts the plug-in (LV2 or VST3) on a
# default MIDI track, as a musician would; for the LV2 with no LV2 class data installed (Ardour then
# knows an instrument only by "MIDI in, audio out, no audio in"). The track must get the plug-in's
# two audio outputs. Then a note plays through it into an export, which must hold the note's tone
# (with the sweep stopped: for the LV2 by the bundle's factory preset "Plain Sine", chosen as in
# Ardour's preset menu). Ardour's interpreter sometimes aborts on its own with a heap error (while creating
# a session, or while closing it; Ardour's own instrument in place of ours does it too); such a run
# is retried a few times, and never counts as a pass.
#
# usage: ardour-test.sh LV2|VST3 <bundle> <halvo-tone-probe> <output folder>
set -euo pipefail

format=$1
bundle=$(cd "$2" && pwd)
probe=$3
out=$4
command -v ardour7-lua > /dev/null || {
    echo "SKIP: ardour7-lua is not installed (Debian's ardour)"
    exit 77
}
rm -rf "${out:?}"
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$out/lv2" "$out/home/.config/ardour7/scripts" "$out/home/.vst3"
cp "$here/halvo_test_note.lua" "$out/home/.config/ardour7/scripts/"
if [ "$format" = LV2 ]; then
    plugin=$(sed -n 's/^<\(.*\)>$/\1/p' "$bundle/manifest.ttl" | head -n 1)
    ln -s "$bundle" "$out/lv2/"
else
    # Ardour's session engine knows VST3 plug-ins from the cache its scanner writes.
    plugin=Halvo
    ln -s "$bundle" "$out/home/.vst3/"
    HOME=$out/home LD_LIBRARY_PATH=/usr/lib/ardour7 /usr/lib/ardour7/ardour-vst3-scanner -f -q \
        "$out/home/.vst3/$(basename "$bundle")" || { echo "FAIL: Ardour's VST3 scanner failed" >&2; exit 1; }
fi

for attempt in 1 2 3 4 5; do
    rm -rf "$out/session" "$out/export"
    status=0
    HOME=$out/home LV2_PATH=$out/lv2 HALVO_SESSION_DIR=$out/session HALVO_FORMAT=$format \
        HALVO_PLUGIN=$plugin HALVO_PRESET="Plain Sine" HALVO_EXPORT_DIR=$out/export \
        timeout 60 ardour7-lua "$here/halvo-on-midi-track.lua" > "$out/ardour.log" 2>&1 ||
        status=$?
    if grep -q '^Error:' "$out/ardour.log"; then
        cat "$out/ardour.log" >&2
        echo "FAIL: the session script failed" >&2
        exit 1
    fi
    if [ "$status" = 0 ]; then
        result=$(grep '^RESULT' "$out/ardour.log") && grep -q '^EXPORTED' "$out/ardour.log" ||
            { cat "$out/ardour.log" >&2; echo "FAIL: the session script did not finish" >&2; exit 1; }
        echo "$result"
        expected="RESULT strict-io=true track-audio-outputs=2 plugin-audio-inputs=0 plugin-audio-outputs=2"
        [ "$result" = "$expected" ] || { echo "FAIL: expected $expected" >&2; exit 1; }
        "$probe" wav "$out/export/halvo.wav" || exit 1
        echo PASS
        exit 0
    fi
    # A crash anywhere in the run, even after the export, is retried and never passes.
    cp "$out/ardour.log" "$out/ardour-crash-$attempt.log"
    echo "attempt $attempt: ardour7-lua ended with status $status" \
        "(log: ardour-crash-$attempt.log, last line: $(tail -n 1 "$out/ardour.log")); retrying"
done
cat "$out/ardour.log" >&2
echo "FAIL: ardour7-lua crashed on every attempt" >&2
exit 1
