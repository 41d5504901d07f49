#!/usr/bin/env bash
# Runs a command on a virtual X desktop (Xvfb, software rendering) at a whole-number scale, as a
# desktop session presents one to JUCE's Standalone: JUCE reads a display's scale only on the RandR
# path, which it takes only when the root window carries _NET_WORKAREA (four cardinals, set by a
# window manager); there the scale comes from XSETTINGS' Gdk/WindowScalingFactor (served here by
# Debian's xsettingsd), else from gsettings, which answers 0 (taken as 1) without a GNOME session.
# A bare Xvfb has neither, so -dpi alone changes nothing; and Xvfb resets when its last client
# leaves, dropping a property set by xprop unless started with -noreset.
#
# usage: virtual-desktop.sh <scale> <command> [arguments...]   (DISPLAY is set for the command)
set -euo pipefail

scale=$1
shift
width=$((1024 * scale))
height=$((768 * scale))
work=$(mktemp -d)

xvfb_pid=
settings_pid=
cleanup() {
    [ -n "$settings_pid" ] && kill "$settings_pid" 2> /dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2> /dev/null
    wait 2> /dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# The display number is ours to pick, away from :0: JUCE opens :0.0 when DISPLAY is unset, so a
# server there would be joined by every program meant to run without a screen. Xvfb refuses a
# number another server holds; then the next one is tried. An X server that inherits SIGUSR1
# ignored signals its parent once it accepts clients: the wait ends on that signal, or when the
# server exits having refused the number.
trap : USR1
display=
for number in $(seq 150 249); do
    [ -e "/tmp/.X$number-lock" ] && continue
    # -noreset: without it the server resets whenever its last client leaves, which drops every
    # property set on the root window (xprop below is such a client).
    (
        trap '' USR1
        exec Xvfb ":$number" -screen 0 "${width}x${height}x24" -dpi $((96 * scale)) \
            -nolisten tcp -noreset > "$work/xvfb.log" 2>&1
    ) &
    xvfb_pid=$!
    wait "$xvfb_pid" || true
    if kill -0 "$xvfb_pid" 2> /dev/null; then
        display=$number
        break
    fi
    xvfb_pid=
done
[ -n "$display" ] || {
    echo "virtual-desktop: Xvfb did not start" >&2
    cat "$work/xvfb.log" >&2
    exit 1
}
export DISPLAY=":$display"

# A 60 Hz mode, as a monitor has: Xvfb's own reports no refresh rate, on which JUCE paints from a
# 100 Hz timer instead of the screen's 60.
htotal=$((width + 160))
vtotal=$((height + 30))
clock=$(awk -v h=$htotal -v v=$vtotal 'BEGIN { printf "%.3f", h * v * 60 / 1e6 }')
xrandr --newmode monitor60 "$clock" "$width" $((width + 48)) $((width + 80)) "$htotal" \
    "$height" $((height + 3)) $((height + 8)) "$vtotal" > /dev/null
xrandr --addmode screen monitor60
xrandr --output screen --mode monitor60
# The work area a window manager publishes: four cardinals.
xprop -root -f _NET_WORKAREA 32cccc -set _NET_WORKAREA "0, 0, $width, $height"
printf 'Gdk/WindowScalingFactor %d\nGdk/UnscaledDPI %d\nXft/DPI %d\n' \
    "$scale" $((96 * 1024)) $((96 * scale * 1024)) > "$work/xsettingsd.conf"
xsettingsd --config "$work/xsettingsd.conf" > "$work/xsettingsd.log" 2>&1 &
settings_pid=$!
# JUCE reads the settings when it connects, so the daemon must own them before the command starts.
sleep 0.5
kill -0 "$settings_pid" 2> /dev/null || {
    echo "virtual-desktop: xsettingsd did not start" >&2
    cat "$work/xsettingsd.log" >&2
    exit 1
}

status=0
"$@" || status=$?
exit $status
