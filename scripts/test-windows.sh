#!/usr/bin/env bash
# The Windows build and its tests: cross-builds with scripts/build-windows.sh, runs the
# cross-compiled test suite under wine, compares the Windows replay trace with the Linux one,
# and walks a player's path through vexamor.exe on wine's console in a private tmux server.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build-windows.sh
source tests/platform/windows/wine.bash

# One wine server for every run below, so each program starts in a fraction of a second.
/usr/lib/wine/wineserver -p 60 2>/dev/null || true
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT

echo "== the test suite under wine"
"$WINE" build-windows/vexamor_tests.exe --gtest_brief=1

echo "== the replay traces, Windows against Linux"
if [[ ! -x build/vexamor-replay ]]; then
  cmake -S . -B build -DVEXAMOR_WERROR=ON >/dev/null
  cmake --build build -j "$(nproc)" --target vexamor-replay
fi
bash tests/platform/windows/replay_differential.sh build-windows/vexamor-replay.exe build/vexamor-replay

echo "== a player's path on wine's console"
bash tests/platform/windows/wine_game_path.sh build-windows/vexamor.exe

echo "== a recorded game watched on wine's console"
bash tests/platform/windows/wine_watch.sh build-windows/vexamor.exe

echo "== presents timed on wine's console (figures only)"
bench/windows_present_wine.sh build-windows/vexamor-console-bench.exe
