#!/usr/bin/env bash
# What the open window costs: the Standalone app's process CPU time (user + system, all threads,
# from /proc/<pid>/stat) over a stretch of seconds, on a virtual desktop at the given scale (Xvfb,
# software rendering, a 60 Hz screen: scripts/virtual-desktop.sh), the app with fresh settings
# (the default patch):
#   no audio   no sound device at all: only the window runs;
#   at rest    playing through a JACK server on its dummy driver, nothing to play: the
#              oscilloscope shows silence;
#   held note  note 57 held from a JACK MIDI sequencer (Debian's jack_midiseq): the scope moves.
# The figures mean something only on a quiet machine; the load average is printed beside them.
#
# usage: window-cpu.sh <Standalone binary> [scale (1)] [seconds (30)]
set -euo pipefail

app=$(realpath "$1")
scale=${2:-1}
seconds=${3:-30}
here=$(cd "$(dirname "$0")" && pwd)

if [ -z "${HALVO_ON_VIRTUAL_DESKTOP:-}" ]; then
    HALVO_ON_VIRTUAL_DESKTOP=1 exec bash "$here/../../scripts/virtual-desktop.sh" "$scale" \
        bash "$0" "$app" "$scale" "$seconds"
fi

work=$(mktemp -d)
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config"
export JACK_DEFAULT_SERVER="halvo-bench-$$" JACK_NO_START_SERVER=1 JACK_NO_AUDIO_RESERVATION=1
mkdir -p "$HOME"

source "$here/../../scripts/standalone-session.sh"
jackd_pid=
app_pid=
sequencer_pid=
cleanup() {
    stop_process "$sequencer_pid" TERM
    stop_process "$app_pid" INT
    stop_process "$jackd_pid" TERM
    rm -rf "$work"
}
trap cleanup EXIT

ticks_per_second=$(getconf CLK_TCK)
cpu_ticks() {
    # Fields after the command name (which is in parentheses): utime and stime are 12 and 13.
    local stat
    stat=$(cat "/proc/$app_pid/stat")
    set -- ${stat##*) }
    echo $((${12} + ${13}))
}
measure() {
    local name=$1 before after
    sleep 3
    before=$(cpu_ticks)
    sleep "$seconds"
    after=$(cpu_ticks)
    awk -v name="$name" -v ticks=$((after - before)) -v rate="$ticks_per_second" -v s="$seconds" \
        'BEGIN { printf "%-10s %6.2f %% of a core (%.2f s of CPU in %d s)\n", name,
                 100 * ticks / rate / s, ticks / rate, s }'
}

# Without a JACK server the app finds no sound device here: Xvfb's machine has no sound card and
# the private home no ALSA configuration.
open_standalone "$app" "$work/app.log"
echo "scale $scale: window ${WIDTH}x${HEIGHT}; load before: $(cut -d' ' -f1-3 /proc/loadavg)"
measure "no audio"
stop_process "$app_pid" INT

start_dummy_jack "$work/jackd.log"
open_standalone "$app" "$work/app.log"
measure "at rest"

jack_midiseq halvo-hold $((48000 * 200)) 96000 57 $((48000 * 190)) > "$work/sequencer.log" 2>&1 &
sequencer_pid=$!
for _ in $(seq 50); do
    jack_connect halvo-hold:out "Halvo MIDI:midi_in" 2> /dev/null && break
    sleep 0.1
done
measure "held note"
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
