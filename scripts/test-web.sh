#!/usr/bin/env bash
# Builds the browser version and runs its tests: the page in headless Chromium (Debian's,
# driven by playwright-core), in Firefox ESR (driven by puppeteer-core over WebDriver BiDi) and
# in WebKitGTK's MiniBrowser (through WebKitWebDriver, under Xvfb), and the WebAssembly replay
# against the native one, which is built first when missing. Each browser is warmed up first,
# as a fresh machine's is cold.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh chromium firefox-esr webkit2gtk-driver xvfb xauth fonts-dejavu-core
./scripts/build-web.sh
if [ ! -x build/vexamor-replay ]; then
  cmake -S . -B build -DVEXAMOR_WERROR=ON >/dev/null
  cmake --build build --target vexamor-replay -j "$(nproc)"
fi
# A fresh machine's first start of each browser builds the font cache and draws its first page
# slowly; that happens here, before any test that depends on timing.
fc-cache >/dev/null 2>&1 || true
node tests/web/warm-up.mjs
node --test tests/web/
