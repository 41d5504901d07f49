#!/usr/bin/env bash
# Drives the Standalone app on an X server (run it under xvfb-run) the way a person would: hover a
# knob, drag one, click a waveform, switch MIDI learn on and off, open and close the about card and
# play a note from the computer keyboard. Every step is checked on screenshots of the window, which
# are kept in the output folder.
#
# usage: standalone-gui-test.sh <Standalone binary> <output folder>
set -euo pipefail

app=$1
out=$2
[ -x "$app" ] || { echo "FAIL: no app at $app" >&2; exit 1; }
rm -rf "${out:?}"
mkdir -p "$out/home" "$out/work"
work=$out/work

# A private home: no saved window position or state, and an ALSA sink that needs no sound card,
# so the app runs its audio callback (and the oscilloscope shows what the processor plays).
cat > "$out/home/.asoundrc" <<'ALSA'
pcm.halvotest {
    type null
    hint {
        show on
        description "Halvo test sink"
    }
}
ALSA

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

source "$(dirname "$0")/../../scripts/standalone-session.sh"
app_pid=
trap 'stop_process "$app_pid" TERM' EXIT

HOME="$out/home" XDG_CONFIG_HOME="$out/home/.config" open_standalone "$app" "$out/app.log" ||
    fail "no Halvo window appeared"
# Without an input device the app also shows a notification banner above the plug-in window.
editor_width=623
editor_height=289
locate_plugin_window $editor_width $editor_height ||
    fail "window is ${WIDTH}x${HEIGHT}, smaller than the plug-in window"
echo "window $window ${WIDTH}x${HEIGHT}, plug-in window at $editor_x,$editor_y"

# Screenshot of the whole app window.
shoot() {
    import -window "$window" "$1"
}

# Pixels differing (beyond a small tolerance) between two screenshots inside a rectangle given in
# plug-in window coordinates.
region_diff() {
    local a=$1 b=$2 x=$3 y=$4 w=$5 h=$6
    local crop="${w}x${h}+$((editor_x + x))+$((editor_y + y))"
    convert "$a" -crop "$crop" +repage "$work/a.png"
    convert "$b" -crop "$crop" +repage "$work/b.png"
    local count
    count=$(compare -metric AE -fuzz 8% "$work/a.png" "$work/b.png" null: 2>&1 || true)
    printf '%.0f\n' "${count%% *}"
}

# Polls until the rectangle differs from the reference by at least min pixels, keeping the last
# screenshot as the named file.
wait_for_change() {
    local reference=$1 name=$2 min=$3 x=$4 y=$5 w=$6 h=$7
    local shot="$out/$name.png" changed=0
    for _ in $(seq 50); do
        shoot "$shot"
        changed=$(region_diff "$reference" "$shot" "$x" "$y" "$w" "$h")
        [ "$changed" -ge "$min" ] && {
            echo "ok: $name ($changed pixels changed)"
            return 0
        }
        sleep 0.2
    done
    fail "$name: only $changed pixels changed in $w x $h at $x,$y"
}

# Polls until the rectangle matches the reference again (up to max differing pixels).
wait_for_match() {
    local reference=$1 name=$2 max=$3 x=$4 y=$5 w=$6 h=$7
    local shot="$out/$name.png" changed=0
    for _ in $(seq 50); do
        shoot "$shot"
        changed=$(region_diff "$reference" "$shot" "$x" "$y" "$w" "$h")
        [ "$changed" -le "$max" ] && {
            echo "ok: $name ($changed pixels differ)"
            return 0
        }
        sleep 0.2
    done
    fail "$name: still $changed pixels differ in $w x $h at $x,$y"
}

# Waits until two screenshots in a row agree on the rectangle, keeping the last one.
wait_until_still() {
    local name=$1 x=$2 y=$3 w=$4 h=$5
    local shot="$out/$name.png"
    shoot "$work/still.png"
    for _ in $(seq 50); do
        sleep 0.2
        shoot "$shot"
        [ "$(region_diff "$work/still.png" "$shot" "$x" "$y" "$w" "$h")" = 0 ] && return 0
        cp "$shot" "$work/still.png"
    done
    fail "$name: the window kept changing"
}

pointer() {
    xdotool mousemove --window "$window" $((editor_x + $1)) $((editor_y + $2))
}

click() {
    pointer "$1" "$2"
    xdotool click 1
}

# Somewhere on the background picture, away from every control.
rest_x=350
rest_y=20

pointer $rest_x $rest_y
# The first refresh loads the controls and hides the value labels.
wait_until_still 01-window 0 0 $editor_width $editor_height

# Hovering the Gain knob shows its value label.
pointer 50 110
wait_for_change "$out/01-window.png" 02-hover-gain 15 28 137 44 24
pointer $rest_x $rest_y
wait_for_match "$out/01-window.png" 03-label-hidden 0 28 137 44 24

# Dragging the Rate knob upwards turns it; its label, written only from the processor's
# parameter, shows the new value.
pointer 185 110
wait_for_change "$out/01-window.png" 04-hover-rate 15 163 137 44 24
xdotool mousedown 1
for step in $(seq 8); do
    pointer 185 $((110 - step * 6))
    sleep 0.02
done
xdotool mouseup 1
wait_for_change "$out/04-hover-rate.png" 05-drag-rate 15 163 137 44 24
[ "$(region_diff "$out/04-hover-rate.png" "$out/05-drag-rate.png" 160 85 50 50)" -ge 20 ] ||
    fail "the Rate knob did not turn"

# Clicking the square button selects it (the saw, on by default, goes off).
pointer $rest_x $rest_y
wait_until_still 06-before-wave 0 0 $editor_width $editor_height
click 340 190
wait_for_change "$out/06-before-wave.png" 07-wave-square 40 325 177 30 27
[ "$(region_diff "$out/06-before-wave.png" "$out/07-wave-square.png" 325 147 30 27)" -ge 40 ] ||
    fail "the saw button stayed on"

# The options menu (in the title bar, left) offers the factory presets: "Plain Sine", the first,
# picks the sine, and the square goes off.
pointer $rest_x $rest_y
wait_until_still 07a-before-preset 0 0 $editor_width $editor_height
# The menu opens under the pointer, its first item lit; "Factory presets" is the fourth item.
xdotool mousemove --window "$window" 30 14 click 1
sleep 0.5
xdotool key Down Down Down Right
sleep 0.5
import -window root "$out/07b-presets-menu.png"
xdotool key Return
wait_for_change "$out/07a-before-preset.png" 07d-preset-sine 40 325 115 30 27
[ "$(region_diff "$out/06-before-wave.png" "$out/07d-preset-sine.png" 325 177 30 27)" -le 5 ] ||
    fail "the square button stayed on after the preset"

# MIDI learn on shows the options panel; pointing at a knob shows its learn brackets; off hides
# the panel again.
pointer $rest_x $rest_y
wait_until_still 08-before-learn 0 0 $editor_width $editor_height
click 588 15
wait_for_change "$out/08-before-learn.png" 09-learn-on 3000 361 30 262 259
pointer 271 110
wait_for_change "$out/09-learn-on.png" 10-learn-target-mode 30 246 85 50 50
click 588 15
pointer $rest_x $rest_y
wait_for_match "$out/08-before-learn.png" 11-learn-off 300 361 30 262 259

# The logo opens the about card; a click on its title closes it.
pointer 317 104
wait_until_still 12-before-about 0 0 $editor_width $editor_height
click 70 15
wait_for_change "$out/12-before-about.png" 13-about-open 5000 0 0 $editor_width $editor_height
click 317 104
wait_for_match "$out/12-before-about.png" 14-about-closed 300 0 0 $editor_width $editor_height

# A click on the background puts the keyboard focus in the window; "q" then plays a note, which
# the oscilloscope shows.
click $rest_x $rest_y
wait_until_still 15-before-note 385 30 216 258
xdotool windowfocus "$window"
xdotool keydown q
wait_for_change "$out/15-before-note.png" 16-note-q 150 385 30 216 258
xdotool keyup q

# An interrupt makes the app quit the normal way, closing the window (and its editor) first.
kill -0 "$app_pid" 2>/dev/null || fail "the app is gone"
kill -INT "$app_pid"
for _ in $(seq 100); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$app_pid" 2>/dev/null && fail "the app did not quit"
status=0
wait "$app_pid" || status=$?
app_pid=
[ "$status" = 0 ] || fail "the app quit with status $status"
echo "ok: the app closed its window and quit"

rm -rf "$work"
echo "PASS: screenshots in $out"
