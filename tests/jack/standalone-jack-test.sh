#!/usr/bin/env bash
# Plays the Standalone app through JACK with no sound card and no screen: a JACK server on its
# dummy driver, the app on a virtual X server (run this under xvfb-run), and our tone probe,
# which sends note 69 to the app's JACK MIDI port and records its first audio output. The app
# starts from fresh settings, so it must choose JACK by itself. Then the server stops and starts
# again, and the app must play the note once more.
#
# usage: standalone-jack-test.sh <Standalone binary> <halvo-tone-probe> <output folder>
set -euo pipefail

app=$1
probe=$2
out=$3
command -v jackd > /dev/null || {
    echo "SKIP: jackd is not installed (Debian's jackd2; scripts/setup.sh installs it)"
    exit 77
}
rm -rf "${out:?}"
mkdir -p "$out/home"

# A private home and a server of our own name, so a JACK server already running is left alone.
export HOME="$out/home" XDG_CONFIG_HOME="$out/home/.config"
export JACK_DEFAULT_SERVER="halvo-test-$$" JACK_NO_START_SERVER=1 JACK_NO_AUDIO_RESERVATION=1

source "$(dirname "$0")/../../scripts/standalone-session.sh"
jackd_pid=
app_pid=
stop() {
    stop_process "$app_pid" INT
    stop_process "$jackd_pid" TERM
}
trap stop EXIT

start_server() {
    start_dummy_jack "$out/jackd.log" ||
        { echo "FAIL: the JACK server did not start" >&2; cat "$out/jackd.log" >&2; exit 1; }
}

play_note() {
    local status=0
    "$probe" jack "Halvo MIDI:midi_in" "Halvo:out_1" || status=$?
    if [ "$status" != 0 ]; then
        echo "FAIL: $1" >&2
        echo "JACK ports:" >&2
        jack_lsp --server "$JACK_DEFAULT_SERVER" >&2 || true
        echo "app output:" >&2
        cat "$out/app.log" >&2
        exit 1
    fi
}

start_server
"$probe" settings
"$app" > "$out/app.log" 2>&1 &
app_pid=$!
play_note "no note through JACK"

stop_process "$jackd_pid" TERM
jackd_pid=
start_server
play_note "no note after the JACK server started again"
echo "PASS"
