#!/usr/bin/env bash
# Builds the browser version into build-web/site/: the page, the game as WebAssembly and its
# loader, xterm.js, the app's manifest, icons and service worker (stamped with the build), with
# nothing fetched from anywhere else when it runs, and the site as a zip. Also builds the
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
mkdir -p "$site/icons"
cp web/index.html web/style.css web/*.js web/icon.svg web/manifest.webmanifest "$site/"
cp web/icons/*.png "$site/icons/"
cp build-web/vexamor.js build-web/vexamor.wasm "$site/"
cp web/node_modules/@xterm/xterm/lib/xterm.js web/node_modules/@xterm/xterm/css/xterm.css "$site/"
cp web/node_modules/@xterm/addon-canvas/lib/addon-canvas.js "$site/"
# The renderer, changed where it drew glyphs nobody sees and where it copied its glyph cache
# once per new glyph (see the script, which also checks that the result parses).
node tools/web/patch-canvas-renderer.mjs "$site/addon-canvas.js"
mkdir -p "$site/screenshots" && cp doc/screenshots/*.png "$site/screenshots/"  # link previews, AppStream

# The service worker keeps exactly this build's files, in a cache named after their
# contents: any change to any file makes a new name, and players' browsers move to it.
mapfile -t files < <(cd "$site" && find . -type f ! -name sw.js -printf '%P\n' | LC_ALL=C sort)
stamp=$(cd "$site" && sha256sum sw.js "${files[@]}" | sha256sum | cut -c1-16)
list="'./'"
for file in "${files[@]}"; do list+=", '$file'"; done
sed -i -e "s|^const kBuild = .*|const kBuild = 'vexamor-$stamp';|" \
  -e "s|^const kFiles = .*|const kFiles = [$list];|" "$site/sw.js"
grep -q "^const kBuild = 'vexamor-$stamp';" "$site/sw.js"
echo "Site: $site/ (build $stamp)" >&2

# The same site as one zip, index.html at its top, for static hosts and game portals.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-web/CMakeCache.txt)
zip="vexamor-$version-web.zip"
rm -f "build-web/$zip"
(cd "$site" && cmake -E tar cf "../$zip" --format=zip "--mtime=2000-01-01 00:00:00 UTC" -- *)
# cmake reports some failures of its archiver only on its error output.
cmake -E tar tf "build-web/$zip" | grep -x index.html >/dev/null
echo "Zip: build-web/$zip" >&2
