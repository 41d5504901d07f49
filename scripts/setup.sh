#!/usr/bin/env bash
# Installs what building, rendering and testing Halvo need, from Debian's packages, plus any
# package named on the command line.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config ccache
    juce-modules-source fst-dev
    googletest libgtest-dev libbenchmark-dev
    fonts-roboto-unhinted
    xvfb xauth xdotool imagemagick x11-utils x11-xserver-utils xsettingsd
    clang-14 libclang-rt-14-dev
    lilv-utils liblilv-dev lv2-dev sordi ardour valgrind
    jackd2 libjack-jackd2-dev
    dpkg-dev
    "$@"
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done

if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    echo "Installing: ${missing[*]}"
    # With a foreign architecture added, one index that fails to load makes update exit non-zero;
    # the install below still says whether everything it needs was found.
    $sudo apt-get -o DPkg::Lock::Timeout=600 update -q ||
        echo "apt-get update reported a failed index; installing from the indexes that loaded" >&2
    DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=600 install -y -q --no-install-recommends "${missing[@]}"
fi
