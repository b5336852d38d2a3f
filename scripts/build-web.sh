#!/usr/bin/env bash
# Builds the browser version into build-web/site/: the page, the game as WebAssembly and its
# loader, and xterm.js, with nothing fetched from anywhere else when it runs. Also builds the
# replay tool for node (build-web/vexamor-replay.js) and the browser benchmark.
set -euo pipefail
cd "$(dirname "$0")/.."
# A node from elsewhere (say NodeSource's, which brings its own npm) is used as it is.
packages=(emscripten)
command -v node >/dev/null || packages+=(nodejs)
command -v npm >/dev/null || packages+=(npm)
./scripts/deps.sh "${packages[@]}"
# Debian's emscripten runs its JavaScript optimizer with node and looks for its modules
# (acorn) in Debian's folder, which a node from another package does not search.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}

(cd web && npm ci --no-audit --no-fund --loglevel=error)

emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release -DVEXAMOR_TESTS=OFF -DVEXAMOR_BENCH=OFF \
  -DVEXAMOR_WERROR=ON >/dev/null
cmake --build build-web -j "$(nproc)"

site=build-web/site
rm -rf "$site"
mkdir -p "$site"
cp web/index.html web/style.css web/*.js web/icon.svg "$site/"
cp build-web/vexamor.js build-web/vexamor.wasm "$site/"
cp web/node_modules/@xterm/xterm/lib/xterm.js web/node_modules/@xterm/xterm/css/xterm.css "$site/"
cp web/node_modules/@xterm/addon-canvas/lib/addon-canvas.js "$site/"
mkdir -p "$site/screenshots" && cp doc/screenshots/*.png "$site/screenshots/"  # link previews, AppStream
echo "Site: $site/" >&2
