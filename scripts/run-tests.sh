#!/usr/bin/env bash
# Sets everything up, builds Halvo with warnings as errors and runs every test suite: the Linux
# build's, then the Windows modules' (cross-built, the 64-bit ones run under wine64), then the
# aarch64 Linux build's (cross-built, run under qemu-aarch64), then the Web Audio Module's (in Node
# and headless Chromium).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
bash scripts/build.sh -DHALVO_WARNINGS_AS_ERRORS=ON -DHALVO_BUILD_TESTS=ON
ctest --test-dir build --output-on-failure -j 2 --timeout 900
bash scripts/build-windows.sh --tests
bash scripts/build-arm64.sh --tests
bash scripts/build-web.sh --tests
