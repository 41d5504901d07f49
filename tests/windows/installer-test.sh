#!/usr/bin/env bash
# Checks the Windows packages: both installers' tables (and that they agree on what they share) and the
# zip's contents, then runs the 64-bit installer silently under wine64 as a Windows user would: into a
# chosen VST 2.4 folder (the test host loads the installed modules), repair, upgrade, uninstall, into the
# default folder, and beside the 32-bit installer (whose package wine64's msiexec installs as well).
#
# usage: installer-test.sh <out/windows> <Halvo.ico> <halvo-windows-host-tests.exe> <scratch folder>
set -euo pipefail

out=$(realpath "$1") icon=$2 host=$3 scratch=$(realpath -m "$4")
here=$(dirname "$0")
fail() { echo "FAIL: $*" >&2; exit 1; }

installer=$(ls "$out"/Halvo-*-x64.msi)
version=${installer##*/Halvo-} && version=${version%-x64.msi}
installer_x86=$out/Halvo-$version-x86.msi
python3 "$here/inspect_installer.py" --arch x64 --version "$version" --presets "$out/presets" \
    --alongside "$installer_x86" "$installer"
python3 "$here/inspect_installer.py" --arch x86 --version "$version" --presets "$out/presets" "$installer_x86"

zip_listing=$(python3 -c 'import sys, zipfile; print("\n".join(zipfile.ZipFile(sys.argv[1]).namelist()))' \
    "$out/Halvo-$version-windows.zip")
zip_expected=(Halvo.vst3/Contents/x86_64-win/Halvo.vst3 Halvo.vst3/Contents/x86-win/Halvo.vst3
              Halvo_64bit.dll Halvo_32bit.dll README.txt LICENSE.txt)
for preset in "$out"/presets/*; do [ ! -e "$preset" ] || zip_expected+=("presets/${preset##*/}"); done
for file in "${zip_expected[@]}"; do
    grep -qxF "Halvo-$version-windows/$file" <<< "$zip_listing" || fail "the zip lacks $file"
done
echo "ok: the zip holds ${#zip_expected[@]} expected files"

rm -rf "${scratch:?}" && mkdir -p "$scratch"
export WINEPREFIX=$scratch/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY=
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
"$wine" wineboot --init
drive=$WINEPREFIX/drive_c
files_before=$(find "$drive" -type f | sort)

windows_path() { printf 'Z:%s' "${1//\//\\}"; }
# The Apps & features entries named Halvo, as "version publisher" lines.
entries() {
    "$wine" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s | tr -d '\r' | awk '
        /^HKEY/ { if (name == "Halvo") print version, publisher; name = version = publisher = "" }
        $1 == "DisplayName" { name = $3 }
        $1 == "DisplayVersion" { version = $3 }
        $1 == "Publisher" { publisher = $3 }
        END { if (name == "Halvo") print version, publisher }'
}
expect_entries() {
    [ "$(entries)" = "$1" ] || fail "Apps & features shows [$(entries)], not [$1], after $2"
}
# Every packaged file, installed where it belongs (the VST 2.4 folder below C:) and the same as built.
expect_installed() {
    local bundle="Program Files/Common Files/VST3/Halvo.vst3/Contents" file
    local -A places=(["Halvo_64bit.dll"]="$1/Halvo_64bit.dll")
    for file in x86_64-win/Halvo.vst3 x86-win/Halvo.vst3; do
        places["Halvo.vst3/Contents/$file"]="$bundle/$file"
    done
    for file in "$out"/presets/*.vstpreset; do
        [ ! -e "$file" ] || places["presets/${file##*/}"]="ProgramData/VST3 Presets/Drovask/Halvo/${file##*/}"
    done
    for file in "${!places[@]}"; do
        cmp -s "$out/$file" "$drive/${places[$file]}" || fail "$file is not at C:/${places[$file]}"
    done
    echo "ok: ${#places[@]} files installed where they belong"
}
expect_presets() {
    local file
    for file in "$out"/presets/*.vstpreset; do
        [ ! -e "$file" ] || cmp -s "$file" "$drive/ProgramData/VST3 Presets/Drovask/Halvo/${file##*/}" ||
            fail "${file##*/} is gone after $1"
    done
    echo "ok: the presets are in place after $1"
}
expect_nothing_left() {
    local files_after
    files_after=$(find "$drive" -type f | sort)
    [ "$files_after" = "$files_before" ] ||
        fail "files left after $1: $(comm -13 <(echo "$files_before") <(echo "$files_after"))"
    [ ! -e "$drive/Program Files/Common Files/VST3/Halvo.vst3" ] || fail "Halvo.vst3 left after $1"
    expect_entries "" "$1"
    ! "$wine" reg query 'HKLM\Software\Drovask' > /dev/null 2>&1 || fail "registry key left after $1"
    ! "$wine" reg query 'HKLM\Software\Wow6432Node\Drovask' > /dev/null 2>&1 ||
        fail "32-bit registry key left after $1"
    echo "ok: nothing left after $1"
}

# Into a VST 2.4 folder of the user's choice; the host loads the installed modules.
code=$(msiinfo export "$installer" Property | tr -d '\r' | awk '$1 == "ProductCode" { print $2 }')
vst2_folder="VST Plugins"
"$wine" msiexec /i "$(windows_path "$installer")" /qn "VST2DIR=C:\\$vst2_folder" ||
    fail "installing with VST2DIR"
expect_installed "$vst2_folder"
[ ! -e "$drive/Program Files/VSTPlugins" ] || fail "the default VST 2.4 folder was made as well"
expect_entries "$version Drovask" "installing"
[ -f "$drive/windows/Installer/$code/Halvo.ico" ] || fail "no icon for Apps & features"
HALVO_VST3_BINARY='C:\Program Files\Common Files\VST3\Halvo.vst3\Contents\x86_64-win\Halvo.vst3' \
HALVO_VST_BINARY="C:\\$vst2_folder\\Halvo_64bit.dll" \
    "$wine" "$host" --gtest_filter='Formats/WindowsModule.ShowsItsIdentity/*:WindowsVst2Module.*'

# A repair (wine's msiexec takes it as properties, not as /f) puts back a lost file.
rm "$drive/Program Files/Common Files/VST3/Halvo.vst3/Contents/x86_64-win/Halvo.vst3"
"$wine" msiexec /i "$(windows_path "$installer")" /qn REINSTALL=ALL REINSTALLMODE=omus ||
    fail "repairing"
expect_installed "$vst2_folder"
expect_entries "$version Drovask" "repairing"

# A newer version replaces this one and keeps the chosen folder.
newer=${version%.*}.$((${version##*.} + 1))
cmake -DMODULES="$out" -DICON="$icon" -DOUTPUT="$scratch/newer" -DPACKAGES=x64 -DVERSION="$newer" \
    -P "$here/../../packaging/windows/WindowsPackages.cmake"
"$wine" msiexec /i "$(windows_path "$scratch/newer/Halvo-$newer-x64.msi")" /qn ||
    fail "upgrading to $newer"
expect_installed "$vst2_folder"
expect_entries "$newer Drovask" "upgrading"
"$wine" msiexec /x "$(windows_path "$scratch/newer/Halvo-$newer-x64.msi")" /qn ||
    fail "uninstalling"
expect_nothing_left "uninstalling"

# Without a chosen folder, the VST 2.4 DLL goes into the default one.
"$wine" msiexec /i "$(windows_path "$installer")" /qn || fail "installing into the default folder"
expect_installed "Program Files/VSTPlugins"
"$wine" msiexec /x "$code" /qn || fail "uninstalling by product code"
expect_nothing_left "uninstalling by product code"

# Side by side, as on 64-bit Windows for a 32-bit host: the presets are one set of components with two
# clients, so removing either package leaves them to the other, and removing both leaves nothing.
# Now and then wine64 fails to start msiexec right after a 32-bit package ran ("ShellExecuteEx failed:
# Internal error", nothing installed or removed): each step waits for wine's processes to end and is
# tried once more when msiexec did not run.
msiexec_step() {
    "$wineserver" -w
    "$wine" msiexec "$@" /qn && return 0
    echo "msiexec $1 did not succeed; trying once more" >&2
    "$wineserver" -w
    "$wine" msiexec "$@" /qn
}
install_package() { msiexec_step /i "$(windows_path "$1")" || fail "installing ${1##*/}"; }
uninstall_package() { msiexec_step /x "$(windows_path "$1")" || fail "uninstalling ${1##*/}"; }
install_package "$installer" && install_package "$installer_x86"
[ -f "$drive/Program Files (x86)/VSTPlugins/Halvo_32bit.dll" ] || fail "the 32-bit package installed nothing"
uninstall_package "$installer_x86"
expect_presets "uninstalling the 32-bit package beside the 64-bit one"
expect_installed "Program Files/VSTPlugins"
install_package "$installer_x86" && uninstall_package "$installer"
expect_presets "uninstalling the 64-bit package beside the 32-bit one"
uninstall_package "$installer_x86"
expect_nothing_left "uninstalling both packages"
echo "PASS"
