# What the cross-build scripts share; sourced from the repository's root.

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

# Programs a cross build runs on this machine (the artwork painter during the build, the renderer
# as a reference) come from the Linux build tree.
host_artwork_painter=$PWD/build/tools/artwork/halvo-artwork_artefacts/Release/halvo-artwork
host_renderer=$PWD/build/tools/render/halvo-render
host_artefacts=$PWD/build/src/Halvo_artefacts/Release

build_host_programs() {
    if [ ! -f build/CMakeCache.txt ]; then
        cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DHALVO_BUILD_TESTS=OFF \
            -DHALVO_BUILD_BENCHMARKS=OFF
    fi
    cmake --build build -j "$(nproc)" --target "$@"
}
