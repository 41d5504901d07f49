#!/usr/bin/env bash
# Runs one plug-in validator on a built plug-in. Exits 77 (a skip to CTest) with a message when the
# validator is not installed, and fails on any failure it reports.
#
# usage: run-validator.sh pluginval|vst3validator VALIDATORS-FOLDER PLUGIN.vst3
#        run-validator.sh lv2-validate|lv2info LV2-BUNDLE URI
set -euo pipefail

kind=$1
skip() {
    echo "SKIP: $*"
    exit 77
}

case $kind in
pluginval)
    tool=$2/pluginval
    [ -x "$tool" ] || skip "no pluginval in $2 (set HALVO_VALIDATORS_DIR)"
    # Editor tests included: the caller runs this under a virtual X server.
    args=(--strictness-level 10 --timeout-ms 300000)
    [ -x "$2/vst3validator" ] && args+=(--vst3validator "$2/vst3validator")
    "$tool" "${args[@]}" --validate "$3"
    ;;
vst3validator)
    tool=$2/vst3validator
    [ -x "$tool" ] || skip "no vst3validator in $2 (set HALVO_VALIDATORS_DIR)"
    log=$("$tool" -e "$3" 2>&1) || { echo "$log"; exit 1; }
    echo "$log" | tail -n 3
    grep -q -E "^Result: [0-9]+ tests passed, 0 tests failed" <<< "$log" || { echo "$log"; exit 1; }
    ;;
lv2-validate)
    command -v lv2_validate > /dev/null || skip "lv2_validate is not installed (Debian's lv2-dev)"
    command -v sord_validate > /dev/null || skip "sord_validate is not installed (Debian's sordi)"
    crlf=$(cd "$2" && grep -l $'\r' ./*.ttl || true)
    [ -z "$crlf" ] || { echo "FAIL: CRLF line endings in" $crlf; exit 1; }
    log=$(cd "$2" && lv2_validate ./*.ttl 2>&1) || { echo "$log"; exit 1; }
    echo "$log" | grep -v '^Skipping' || true
    if grep -q -E '^(error|warning):' <<< "$log"; then exit 1; fi
    ;;
lv2info)
    command -v lv2info > /dev/null || skip "lv2info is not installed (Debian's lilv-utils)"
    bundle=$(cd "$2" && pwd)
    # Only this bundle and the system's LV2 vocabularies, so a copy installed elsewhere is not read.
    errors=$(mktemp)
    trap 'rm -f "$errors"' EXIT
    info=$(LV2_PATH="$(dirname "$bundle"):/usr/lib/lv2" lv2info "$3" 2> "$errors") ||
        { echo "$info"; cat "$errors"; exit 1; }
    echo "$info"
    if [ -s "$errors" ]; then
        echo "FAIL: lilv reported problems:"
        cat "$errors"
        exit 1
    fi
    grep -q "Bundle: *file://$bundle/" <<< "$info" || { echo "FAIL: another bundle was read"; exit 1; }
    # One line per port with its types, then the audio ports counted by direction.
    ports=$(echo "$info" | awk '/^\tPort [0-9]+:/ { if (types != "") print types; types = "" }
                               /lv2core#(AudioPort|InputPort|OutputPort)$/ { types = types " " $NF }
                               END { print types }')
    inputs=$(echo "$ports" | grep 'AudioPort' | grep -c 'InputPort' || true)
    outputs=$(echo "$ports" | grep 'AudioPort' | grep -c 'OutputPort' || true)
    [ "$inputs" = 0 ] && [ "$outputs" = 2 ] ||
        { echo "FAIL: $inputs audio inputs and $outputs audio outputs, expected 0 and 2"; exit 1; }
    if [ -d /usr/lib/lv2/core.lv2 ]; then
        grep -q "Class: *Instrument Plugin" <<< "$info" || { echo "FAIL: not an instrument"; exit 1; }
    fi
    ;;
*)
    echo "unknown validator $kind" >&2
    exit 2
    ;;
esac
