#!/usr/bin/env bash
# Has Ardour's own plug-in scanners (a host that shares no code with JUCE) index the built VST 2.4
# module and VST3 bundle, and checks what they report.
# Usage: ardour-scanner-test.sh VST2_MODULE VST3_BUNDLE_BINARY
set -euo pipefail

scanners=/usr/lib/ardour7
vst2_module=$1
vst3_bundle=$(cd "$(dirname "$2")/../.." && pwd)

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp "$vst2_module" "$scratch/Halvo.so"
cp -r "$vst3_bundle" "$scratch/Halvo.vst3"

failures=0
expect() {
    local report=$1 attributes=$2
    if ! grep -qF -- "$attributes" <<<"$report"; then
        echo "FAIL: the scanner's report lacks: $attributes"
        failures=$((failures + 1))
    fi
}

scan() {
    HOME="$scratch" LD_LIBRARY_PATH="$scanners" timeout 120 "$scanners/$1" -f -v "$2" 2>&1
}

vst2=$(scan ardour-vst-scanner "$scratch/Halvo.so")
echo "$vst2"
expect "$vst2" "id=\"$((0x48614472))\" name=\"Halvo\" creator=\"Drovask\" category=\"Instrument\""
expect "$vst2" 'n_inputs="2" n_outputs="2" n_midi_inputs="1" n_midi_outputs="0" is_instrument="1"'
expect "$vst2" 'can_process_replace="1" has_editor="1"'

vst3=$(scan ardour-vst3-scanner "$scratch/Halvo.vst3")
echo "$vst3"
expect "$vst3" 'name="Halvo" vendor="Drovask" category="Instrument|Synth" version="1.0.0"'
expect "$vst3" 'n_inputs="2" n_outputs="2" n_aux_inputs="0" n_aux_outputs="0"'
expect "$vst3" 'n_midi_inputs="1" n_midi_outputs="0"'

[ "$failures" -eq 0 ] && echo "Both scanners report Halvo as expected."
exit "$failures"
