#!/usr/bin/env bash
# Cross-builds the Windows modules with Debian's mingw-w64 and writes them to out/windows/:
#   Halvo_32bit.dll, Halvo_64bit.dll   VST 2.4 (i686, x86_64)
#   Halvo.vst3                         VST3 bundle with x86-win and x86_64-win binaries
#   presets/                           the factory presets (.vstpreset, .fxp) from the Linux build
# and packs them (packaging/windows/, with wixl):
#   Halvo-<version>-x64.msi, Halvo-<version>-x86.msi, Halvo-<version>-windows.zip
# With --tests it also builds the Windows test host and runs the Windows tests: the 64-bit modules
# under wine64, and every module read back from its file (32-bit code cannot run here), then the
# packages (the 64-bit installer run under wine64).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
source scripts/cross-build-common.sh

read_tests_option "$@"

packages=(mingw-w64 libz-mingw-w64-dev dpkg-dev wixl msitools)
[ "$with_tests" = OFF ] || packages+=(wine64 llvm-14 icoutils python3)
bash scripts/setup.sh "${packages[@]}"

# libpng and libjpeg for Windows come from Debian's source packages (the current point release),
# built here as static mingw libraries: Debian ships them for Linux only.
sources_list=/etc/apt/sources.list.d/halvo-debian-sources.sources
if ! apt-cache showsrc libpng1.6 2>/dev/null | grep -q '^Package:'; then
    [ -e "$sources_list" ] || $sudo tee "$sources_list" >/dev/null <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
    $sudo apt-get -o DPkg::Lock::Timeout=600 update -q
fi

sources=$root/build-win-sources
mkdir -p "$sources"
for package in libpng1.6 libjpeg-turbo; do
    if ! ls -d "$sources/$package"-*/ >/dev/null 2>&1; then
        (cd "$sources" && apt-get source -q "$package")
    fi
done
png_source=$(ls -d "$sources"/libpng1.6-*/ | head -n 1)
jpeg_source=$(ls -d "$sources"/libjpeg-turbo-*/ | head -n 1)

# The preset files are the same on every platform and come from the Linux build tree.
build_host_programs halvo-artwork halvo-presets

build_arch() {
    local arch=$1 tree=$2
    local toolchain=$root/cmake/toolchains/$arch-w64-mingw32.cmake
    local deps=$root/$tree/deps
    local zlib=/usr/$arch-w64-mingw32/lib/libz.a

    if [ ! -f "$deps/lib/libpng16.a" ]; then
        cmake -S "$png_source" -B "$tree/deps-build/png" -G Ninja -DCMAKE_BUILD_TYPE=Release \
            -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$deps" \
            -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
            -DZLIB_LIBRARY="$zlib" -DZLIB_INCLUDE_DIR="/usr/$arch-w64-mingw32/include"
        cmake --build "$tree/deps-build/png" -j "$(nproc)" --target install
    fi
    if [ ! -f "$deps/lib/libjpeg.a" ]; then
        cmake -S "$jpeg_source" -B "$tree/deps-build/jpeg" -G Ninja -DCMAKE_BUILD_TYPE=Release \
            -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$deps" \
            -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF
        cmake --build "$tree/deps-build/jpeg" -j "$(nproc)" --target install
        # JUCE's JPEG loader reads libjpeg's internal header, which is not installed.
        cp "$jpeg_source/jpegint.h" "$deps/include/"
    fi

    cmake -S . -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DHALVO_WINDOWS_DEPS="$deps" \
        -DHALVO_ARTWORK_PAINTER="$host_artwork_painter" \
        -DHALVO_WARNINGS_AS_ERRORS=ON -DHALVO_BUILD_TESTS="$with_tests" -DHALVO_BUILD_BENCHMARKS=OFF
    cmake --build "$tree" -j "$(nproc)"
}

build_arch x86_64 build-win64
build_arch i686 build-win32

out=out/windows
artefacts=src/Halvo_artefacts/Release
rm -rf "$out"
mkdir -p "$out/Halvo.vst3/Contents"
cp build-win32/$artefacts/VST/Halvo_32bit.dll "$out/"
cp build-win64/$artefacts/VST/Halvo_64bit.dll "$out/"
cp -r build-win32/$artefacts/VST3/Halvo.vst3/Contents/x86-win "$out/Halvo.vst3/Contents/"
cp -r build-win64/$artefacts/VST3/Halvo.vst3/Contents/x86_64-win "$out/Halvo.vst3/Contents/"
cp -r build/presets/Halvo "$out/presets"

# The packages hold whatever is in $out by now, factory presets included.
icon=build-win64/packaging/Halvo.ico
cmake -DMODULES="$out" -DICON="$icon" -DOUTPUT="$out" -P packaging/windows/WindowsPackages.cmake

if [ "$with_tests" = ON ]; then
    ctest --test-dir build-win64 --output-on-failure --timeout 900
    ctest --test-dir build-win32 --output-on-failure --timeout 900
    bash tests/windows/installer-test.sh "$out" "$icon" \
        build-win64/tests/windows/halvo-windows-host-tests_artefacts/Release/halvo-windows-host-tests.exe \
        build-win64/installer-test
fi

echo
echo "Windows modules and packages in $out:"
(cd "$out" && find . -type f | sort)
