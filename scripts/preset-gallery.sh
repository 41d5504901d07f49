#!/usr/bin/env bash
# Renders every factory preset with its phrase (halvo-render --preset) and writes the sound gallery:
# docs/presets.md with each preset's name, description, settings and a picture of the render in
# docs/presets/. Builds halvo-render first if needed.
set -euo pipefail
cd "$(dirname "$0")/.."

render=build/tools/render/halvo-render
[ -f build/CMakeCache.txt ] || bash scripts/build.sh -DHALVO_BUILD_TESTS=OFF -DHALVO_BUILD_BENCHMARKS=OFF
cmake --build build --target halvo-render

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
rm -rf docs/presets
mkdir -p docs/presets

page=$scratch/presets.md
cat > "$page" <<'HEADER'
# Factory presets

Halvo's sixteen factory presets, as hosts list them: in LV2 hosts from the plug-in's bundle, in VST3
hosts from `~/.vst3/presets/Drovask/Halvo/` or `/usr/share/vst3/presets/Drovask/Halvo/`, where the
VST 2.4 program files (`.fxp`) lie too; the Standalone app has them in its options menu. Choosing a
preset changes the seven parameters and keeps the MIDI controller assignments.

Each picture shows the preset playing its phrase (`halvo-render --preset NAME --plot FILE.png`): a
held low note, a quick arpeggio and another held note, then four seconds of tail; the waveform on
top, the spectrogram below.

This page is written by `scripts/preset-gallery.sh`.
HEADER

# "NAME  DESCRIPTION": the name is padded to 24 characters.
"$render" --list-presets | while IFS= read -r line; do
    name=$(sed 's/ *$//' <<< "${line:0:24}")
    description=${line:26}
    slug=$(tr 'A-Z' 'a-z' <<< "$name" | sed 's/[^a-z0-9]\+/-/g; s/^-//; s/-$//')
    "$render" --preset "$name" -o "$scratch/$slug.wav" --plot "$scratch/$slug.png" > "$scratch/log"
    settings=$(sed -n 's/^At the start: //p' "$scratch/log")
    # Half size and 64 colours keep the pictures readable and the page light.
    convert "$scratch/$slug.png" -resize 50% -colors 64 -strip "docs/presets/$slug.png"
    printf '\n## %s\n\n%s\n\n`%s`\n\n![%s](presets/%s.png)\n' \
        "$name" "$description" "$settings" "$name" "$slug" >> "$page"
    echo "$name"
done
mv "$page" docs/presets.md
echo "Wrote docs/presets.md and docs/presets/"
