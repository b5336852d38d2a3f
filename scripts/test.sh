#!/usr/bin/env bash
# Builds and runs every test of every target: a normal build, one under AddressSanitizer and
# UndefinedBehaviorSanitizer, a hardened Release and a clang++ build, the .deb, the Windows
# build under wine, the web page in Chromium, Firefox ESR and WebKitGTK, and each fuzz target
# for 30 seconds. Real-terminal tests run in private tmux servers and in real terminal
# emulators on Xvfb. Also checks the CI workflows with actionlint and that the pictures in
# doc/screenshots/ still show what the game draws.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh
jobs=$(nproc)

cmake -S . -B build -DVEXAMOR_TESTS=ON -DVEXAMOR_WERROR=ON
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

cmake -S . -B build-sanitize -DVEXAMOR_SANITIZE=ON -DVEXAMOR_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug -DVEXAMOR_WERROR=ON
cmake --build build-sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp" \
  ctest --test-dir build-sanitize --output-on-failure -j "$jobs"

./scripts/test-builds.sh    # Release with hardening flags, clang++, and clang++ with libc++
./scripts/test-terminals.sh # xterm, Tilix, kitty, alacritty under Xvfb; tmux and GNU screen as hosts
./scripts/screenshots.sh --check
./scripts/lint-workflows.sh
./scripts/test-package.sh   # the .deb: lintian, metadata, man pages, a clean-Debian install
./scripts/test-windows.sh
./scripts/test-web.sh
./scripts/fuzz.sh 30
