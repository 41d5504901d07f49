#!/usr/bin/env bash
# Renders the built-in demo with the build machine's renderer and with the cross-built one (run
# through its emulator) and fails unless the two WAV files are byte for byte the same.
#
# usage: demo-render-test.sh <build machine's halvo-render> <scratch folder> <command running the
#        cross-built halvo-render...>
set -euo pipefail

reference=$1
scratch=$2
shift 2
[ -x "$reference" ] || { echo "FAIL: no build machine renderer at '$reference'" >&2; exit 1; }

rm -rf "${scratch:?}"
mkdir -p "$scratch"
"$reference" --output "$scratch/reference.wav"
"$@" --output "$scratch/cross.wav"
(cd "$scratch" && md5sum reference.wav cross.wav)
cmp "$scratch/reference.wav" "$scratch/cross.wav" || { echo "FAIL: the renders differ" >&2; exit 1; }
echo "PASS: the same bits"
