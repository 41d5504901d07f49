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

# Both cross-build scripts take one optional argument, --tests; sets with_tests to ON or OFF.
read_tests_option() {
    with_tests=OFF
    case "${1:-}" in
        --tests) with_tests=ON ;;
        "") ;;
        *) echo "usage: $0 [--tests]" >&2; exit 2 ;;
    esac
}
