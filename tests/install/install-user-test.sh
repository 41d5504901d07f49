#!/usr/bin/env bash
# Installs into a scratch home that already holds a user's own presets and files of an earlier
# install: the user's files survive, the factory presets and the plug-ins are there afterwards.
#
# usage: install-user-test.sh <build folder> <scratch folder>
set -euo pipefail

build=$(realpath "$1") scratch=$(realpath -m "$2")
root=$(dirname "$0")/../..
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "${scratch:?}" && mkdir -p "$scratch"
presets=$scratch/.vst3/presets/Drovask/Halvo
mkdir -p "$presets/My folder"
echo mine > "$presets/My Sound.vstpreset"
echo mine > "$presets/My folder/Other.fxp"
factory=$(ls "$build/presets/Halvo" | head -n 1)
echo stale > "$presets/$factory"

HOME=$scratch bash "$root/scripts/install-user.sh" "$build" > /dev/null

[ "$(cat "$presets/My Sound.vstpreset")" = mine ] || fail "the user's preset is gone"
[ "$(cat "$presets/My folder/Other.fxp")" = mine ] || fail "the user's folder is gone"
for file in "$build"/presets/Halvo/*; do
    cmp -s "$file" "$presets/${file##*/}" || fail "factory preset ${file##*/} not installed"
done
for file in .vst3/Halvo.vst3 .vst/Halvo.so .lv2/Halvo.lv2/manifest.ttl .local/bin/Halvo; do
    [ -e "$scratch/$file" ] || fail "$file not installed"
done
echo "ok: factory presets replaced, the user's own kept"
