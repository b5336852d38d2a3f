#!/usr/bin/env bash
# Builds VEXAMOR (installing what the build needs) and starts it. Arguments go to the game.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh
echo "Building VEXAMOR..." >&2
cmake -S . -B build -DVEXAMOR_TESTS=OFF -DVEXAMOR_BENCH=OFF >/dev/null
cmake --build build --target vexamor -j "$(nproc)" >/dev/null
exec ./build/vexamor "$@"
