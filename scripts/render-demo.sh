#!/usr/bin/env bash
# Sets everything up, builds Halvo, renders the built-in demo phrase to out/halvo-demo.wav (with a
# picture of it in out/halvo-demo.png) and installs the plug-ins and their presets for the current
# user.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
bash scripts/build.sh -DHALVO_BUILD_TESTS=OFF -DHALVO_BUILD_BENCHMARKS=OFF

mkdir -p out
build/tools/render/halvo-render --output out/halvo-demo.wav --plot out/halvo-demo.png

artefacts=build/src/Halvo_artefacts/Release
mkdir -p "$HOME/.vst3" "$HOME/.vst" "$HOME/.lv2" "$HOME/.local/bin"
rm -rf "$HOME/.vst3/Halvo.vst3" "$HOME/.lv2/Halvo.lv2"
cp -r "$artefacts/VST3/Halvo.vst3" "$HOME/.vst3/"
cp "$artefacts/VST/Halvo.so" "$HOME/.vst/Halvo.so"
cp -r "$artefacts/LV2/Halvo.lv2" "$HOME/.lv2/"
cp "$artefacts/Standalone/Halvo" "$HOME/.local/bin/Halvo"
presets=$HOME/.vst3/presets/Drovask/Halvo
rm -rf "$presets"
mkdir -p "$presets"
cp build/presets/Halvo/* "$presets/"

echo
echo "Demo:       out/halvo-demo.wav (picture: out/halvo-demo.png)"
echo "VST3:       $HOME/.vst3/Halvo.vst3"
echo "VST 2.4:    $HOME/.vst/Halvo.so"
echo "LV2:        $HOME/.lv2/Halvo.lv2"
echo "Standalone: $HOME/.local/bin/Halvo"
echo "Presets:    $presets (VST3 and VST 2.4; the LV2 presets are in the bundle)"
