#!/usr/bin/env bash
# Runs the JACK MIDI port's tests against a JACK server of their own on its dummy driver.
#
# usage: jack-midi-test.sh <halvo-jack-midi-tests> <output folder>
set -euo pipefail

tests=$1 out=$2
command -v jackd > /dev/null || {
    echo "SKIP: jackd is not installed (Debian's jackd2; scripts/setup.sh installs it)"
    exit 77
}
rm -rf "${out:?}" && mkdir -p "$out"
export JACK_DEFAULT_SERVER="halvo-midi-test-$$" JACK_NO_START_SERVER=1 JACK_NO_AUDIO_RESERVATION=1

source "$(dirname "$0")/../../scripts/standalone-session.sh"
jackd_pid=
trap 'stop_process "$jackd_pid" TERM' EXIT
start_dummy_jack "$out/jackd.log" ||
    { echo "FAIL: the JACK server did not start" >&2; cat "$out/jackd.log" >&2; exit 1; }
"$tests"
