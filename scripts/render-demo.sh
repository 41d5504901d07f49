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

echo
echo "Demo:       out/halvo-demo.wav (picture: out/halvo-demo.png)"
bash scripts/install-user.sh build
