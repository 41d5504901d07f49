#!/usr/bin/env bash
# Builds the Debian package from the build folder, checks what it holds and what it depends on,
# unpacks it and loads the plug-ins from the unpacked tree in the host test. A cross build's
# programs run under the emulator given before the host test.
#
# usage: package-test.sh <build folder> <output folder> <has VST 2.4: 0|1>
#                        <Debian architecture> [emulator...] <halvo-host-tests>
set -euo pipefail

build=$1
out=$2
has_vst2=$3
architecture=$4
shift 4
host_tests=("$@")
emulator=("${host_tests[@]:0:$#-1}")
case $architecture in
    amd64) vst3_folder=x86_64-linux ;;
    arm64) vst3_folder=aarch64-linux ;;
    *)
        echo "FAIL: no VST3 folder known for $architecture" >&2
        exit 1
        ;;
esac
command -v dpkg-shlibdeps > /dev/null || {
    echo "SKIP: dpkg-shlibdeps is not installed (Debian's dpkg-dev)"
    exit 77
}
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

rm -rf "${out:?}"
mkdir -p "$out"
# dpkg-shlibdeps reads the dependencies from the libraries of the package's architecture.
DEB_HOST_ARCH=$architecture cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" \
    > "$out/cpack.log" 2>&1 || { cat "$out/cpack.log" >&2; fail "cpack failed"; }
package=$out/halvo_1.0.0_${architecture}.deb
[ "$(dpkg-deb --field "$package" Architecture)" = "$architecture" ] ||
    fail "the package is not for $architecture"

[ -f "$package" ] || fail "no $package; made: $(ls "$out")"

dpkg-deb --info "$package"
depends=$(dpkg-deb --field "$package" Depends)
for library in libc6 libstdc++6 libfreetype6 libasound2; do
    [[ $depends == *"$library"* ]] || fail "Depends lacks $library: $depends"
done

contents=$(dpkg-deb --contents "$package" | awk '{ print $NF }')
expected=(
    ./usr/lib/vst3/Halvo.vst3/Contents/$vst3_folder/Halvo.so
    ./usr/lib/lv2/Halvo.lv2/libHalvo.so ./usr/lib/lv2/Halvo.lv2/manifest.ttl
    ./usr/lib/lv2/Halvo.lv2/dsp.ttl ./usr/lib/lv2/Halvo.lv2/ui.ttl ./usr/lib/lv2/Halvo.lv2/presets.ttl
    ./usr/bin/Halvo ./usr/bin/halvo-render
    ./usr/share/applications/halvo.desktop ./usr/share/icons/hicolor/128x128/apps/halvo.png
    ./usr/share/man/man1/halvo-render.1
)
[ "$has_vst2" = 1 ] && expected+=(./usr/lib/vst/Halvo.so)
for file in "${expected[@]}"; do
    grep -qxF "$file" <<< "$contents" || fail "the package lacks $file"
done
echo "ok: the package holds ${#expected[@]} expected files"

root=$out/root
dpkg-deb --extract "$package" "$root"
presets=$root/usr/share/vst3/presets/Drovask/Halvo
for kind in vstpreset fxp; do
    count=$(find "$presets" -name "*.$kind" | wc -l)
    [ "$count" = 16 ] || fail "the package holds $count .$kind presets in $presets, expected 16"
done
"${emulator[@]}" "$root/usr/bin/halvo-render" --help > /dev/null || fail "the packaged halvo-render does not run"

# The host test on the packaged plug-ins; a private home keeps copies in ~/.lv2 out of the search.
mkdir -p "$out/home"
export HOME=$out/home
export HALVO_VST3_BINARY=$root/usr/lib/vst3/Halvo.vst3/Contents/$vst3_folder/Halvo.so
export HALVO_LV2_BINARY=$root/usr/lib/lv2/Halvo.lv2/libHalvo.so
export HALVO_PRESET_FOLDER=$presets
filter='Formats/BuiltPlugin.*/VST3:Formats/BuiltPlugin.*/LV2:BuiltLv2.*:BuiltVst3.*'
if [ "$has_vst2" = 1 ]; then
    export HALVO_VST_BINARY=$root/usr/lib/vst/Halvo.so
    filter+=':Formats/BuiltPlugin.*/VST2:BuiltVst2.*'
fi
"${host_tests[@]}" --gtest_filter="$filter"
echo "PASS"
