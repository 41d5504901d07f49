#!/usr/bin/env bash
# Installs the built plug-ins, the Standalone app and the factory presets for the current user.
# The presets folder is also where VST3 hosts save the user's own presets for Halvo: only the
# factory files are replaced, anything else there stays.
#
# usage: install-user.sh [build folder]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build}
artefacts=$build/src/Halvo_artefacts/Release
presets=$HOME/.vst3/presets/Drovask/Halvo

mkdir -p "$HOME/.vst3" "$HOME/.vst" "$HOME/.lv2" "$HOME/.local/bin" "$presets"
rm -rf "$HOME/.vst3/Halvo.vst3" "$HOME/.lv2/Halvo.lv2"
cp -r "$artefacts/VST3/Halvo.vst3" "$HOME/.vst3/"
cp "$artefacts/VST/Halvo.so" "$HOME/.vst/Halvo.so"
cp -r "$artefacts/LV2/Halvo.lv2" "$HOME/.lv2/"
cp "$artefacts/Standalone/Halvo" "$HOME/.local/bin/Halvo"
cp "$build"/presets/Halvo/* "$presets/"

echo "VST3:       $HOME/.vst3/Halvo.vst3"
echo "VST 2.4:    $HOME/.vst/Halvo.so"
echo "LV2:        $HOME/.lv2/Halvo.lv2"
echo "Standalone: $HOME/.local/bin/Halvo"
echo "Presets:    $presets (VST3 and VST 2.4; the LV2 presets are in the bundle)"
