#!/usr/bin/env bash
# Builds Halvo as a Web Audio Module into out/web/halvo/, a folder any static web server can serve:
# the engine compiled to WebAssembly by Debian's emscripten from the plug-in's sources, the module's
# JavaScript and the WAM SDK from npm (pinned by web/package-lock.json). With --tests it then runs
# the web tests: the engine in Node against the Linux build's halvo-render, and the module in
# Debian's headless Chromium.
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

# The window's pictures come from the Linux build (scripts/build.sh), which paints them.
artwork=build/src/artwork
if [ ! -f "$artwork/editorBackground.jpg" ]; then
    echo "No artwork in $artwork: build Halvo for Linux first (bash scripts/build.sh)" >&2
    exit 1
fi
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
    build_host_programs halvo-render
    node --test tests/web/
fi
