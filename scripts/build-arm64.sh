#!/usr/bin/env bash
# Cross-builds Halvo for 64-bit ARM Linux (aarch64) with Debian's cross compilers and writes it to
# out/arm64/:
#   Halvo.vst3              VST3 bundle (Contents/aarch64-linux/Halvo.so)
#   Halvo.lv2               LV2 bundle, its description written by the aarch64 module under qemu
#   Halvo.so                VST 2.4
#   Halvo, halvo-render     the Standalone and the offline renderer
#   halvo_1.0.0_arm64.deb   all of these as a Debian package
# and to out/linux-vst3/Halvo.vst3 one VST3 bundle for both x86_64-linux and aarch64-linux.
# With --tests it also builds the engine, processor, state and host test suites for aarch64, runs
# them under qemu-aarch64 and checks that the aarch64 renderer gives the demo this machine's bits.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/cross-build-common.sh

read_tests_option "$@"

# The arm64 libraries the modules link, installed beside the amd64 ones. Not libcurl's: its arm64
# development package would remove juce-modules-source, and Halvo is built without curl.
if ! dpkg --print-foreign-architectures | grep -qx arm64; then
    $sudo dpkg --add-architecture arm64
    # One index that fails to load makes update exit non-zero; the install says what is missing.
    $sudo apt-get -o DPkg::Lock::Timeout=600 update -q ||
        echo "apt-get update reported a failed index; installing from the indexes that loaded" >&2
fi
# The C and C++ run-time libraries are the ones qemu-aarch64 runs the built programs on.
libraries=(libx11-dev libxext-dev libxinerama-dev libxrandr-dev libxcursor-dev libfreetype-dev
    libfontconfig-dev libasound2-dev libjack-jackd2-dev libpng-dev libjpeg-dev zlib1g-dev libc6
    libstdc++6)
[ "$with_tests" = OFF ] || libraries+=(libgtest-dev)
bash scripts/setup.sh g++-aarch64-linux-gnu qemu-user dpkg-dev "${libraries[@]/%/:arm64}"

build_host_programs halvo-artwork halvo-render Halvo_VST3 Halvo_LV2

tree=build-arm64
cmake -S . -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchains/aarch64-linux-gnu.cmake" \
    -DHALVO_ARTWORK_PAINTER="$host_artwork_painter" \
    -DHALVO_HOST_RENDERER="$host_renderer" \
    -DHALVO_HOST_LV2_BUNDLE="$host_artefacts/LV2/Halvo.lv2" \
    -DHALVO_WARNINGS_AS_ERRORS=ON -DHALVO_BUILD_TESTS="$with_tests" -DHALVO_BUILD_BENCHMARKS=OFF
cmake --build "$tree" -j "$(nproc)"

# The package's dependencies are read from the aarch64 binaries, in arm64's library folders.
rm -rf "$tree/package"
mkdir -p "$tree/package"
DEB_HOST_ARCH=arm64 cpack -G DEB --config "$tree/CPackConfig.cmake" -B "$tree/package" \
    > "$tree/package/cpack.log" 2>&1 || { cat "$tree/package/cpack.log" >&2; exit 1; }

out=out/arm64
artefacts=$tree/src/Halvo_artefacts/Release
rm -rf "$out"
mkdir -p "$out"
cp -r "$artefacts/VST3/Halvo.vst3" "$artefacts/LV2/Halvo.lv2" "$out/"
cp "$artefacts/VST/Halvo.so" "$artefacts/Standalone/Halvo" "$tree/tools/render/halvo-render" "$out/"
cp "$tree/package/halvo_1.0.0_arm64.deb" "$out/"

# A VST3 bundle holds one folder per architecture; hosts load the one they run on.
both=out/linux-vst3
rm -rf "$both"
mkdir -p "$both"
cp -r "$host_artefacts/VST3/Halvo.vst3" "$both/"
cp -r "$artefacts/VST3/Halvo.vst3/Contents/aarch64-linux" "$both/Halvo.vst3/Contents/"

if [ "$with_tests" = ON ]; then
    ctest --test-dir "$tree" --output-on-failure -j 2 --timeout 900
    echo "arm64: $(grep -m1 'reverb block kernel' "$tree/Testing/Temporary/LastTest.log" || true)"
fi

echo
echo "aarch64 Linux files in $out:"
(cd "$out" && find . -type f | sort)
echo "VST3 bundle for x86_64 and aarch64 Linux: $both/Halvo.vst3"
