#!/usr/bin/env bash
# Builds Halvo as a Web Audio Module into out/web/halvo/, a folder any static web server can serve:
# the engine compiled to WebAssembly by Debian's emscripten from the plug-in's sources, the module's
# JavaScript and the WAM SDK from npm (pinned by web/package-lock.json), the window's pictures from
# the Linux build, and the page out/web/index.html that plays it. With --tests it then runs the web
# tests: the engine in Node against the Linux build's halvo-render, and the module and the page in
# Debian's headless Chromium, the page against halvo-snapshot's picture of the plug-in window.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/cross-build-common.sh
read_tests_option "$@"

# Debian's npm is only wanted where Node came without it.
extra_packages=(emscripten nodejs chromium)
command -v npm > /dev/null || extra_packages+=(npm)
bash scripts/setup.sh "${extra_packages[@]}"

# npm's record of what it installed is newer than the lock file once the pinned set is in place.
if [ ! web/node_modules/.package-lock.json -nt web/package-lock.json ]; then
    (cd web && npm ci --no-audit --no-fund --loglevel=error)
fi

emcmake cmake -S web/engine -B build-web -G Ninja -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build build-web

# The window's pictures are the ones the Linux build paints (nothing to do when it is built).
build_host_programs HalvoResources
artwork=build/src/artwork
roboto=/usr/share/fonts/truetype/roboto/unhinted/RobotoTTF/Roboto-Regular.ttf

out=out/web/halvo
rm -rf out/web
mkdir -p "$out/sdk" "$out/window" "$out/artwork" out/web/page
cp web/src/index.js web/src/processor.js web/src/engine.js web/src/gui.js "$out/"
cp web/src/window/*.js "$out/window/"
cp "$artwork"/*.jpg "$artwork"/*.png "$roboto" "$out/artwork/"
cp build-web/identity.js build-web/descriptor.json build-web/halvo-engine.wasm "$out/"
cp web/node_modules/@webaudiomodules/sdk/dist/index.js "$out/sdk/index.js"
cp docs/window.png "$out/thumbnail.png"
cp web/page/index.html out/web/index.html
cp web/page/*.js web/page/*.css out/web/page/
echo "Wrote $out and the page out/web/index.html"

if [ "$with_tests" = ON ]; then
    build_host_programs halvo-render halvo-snapshot
    node --test tests/web/
fi
