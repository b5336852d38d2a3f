#!/usr/bin/env bash
# Soak: the game headless for TICKS ticks (default 10^6) of random play at a high level,
# built with AddressSanitizer and UndefinedBehaviorSanitizer in build-soak/. Reports ticks
# per second and memory at 10^4 ticks and at the end; fails when memory grew in between or
# a sanitizer found anything. Takes minutes: not part of scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
ticks=${1:-1000000}
./scripts/deps.sh
cmake -S . -B build-soak -DVEXAMOR_SANITIZE=ON -DVEXAMOR_SOAK=ON -DVEXAMOR_TESTS=OFF -DVEXAMOR_BENCH=OFF \
  -DVEXAMOR_WERROR=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-soak -j "$(nproc)" --target vexamor_soak
# A small quarantine: freed memory held back by AddressSanitizer would otherwise hide the
# program's own flat line under the allocator's growth towards its 256 MB default.
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:quarantine_size_mb=16 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  build-soak/vexamor_soak "$ticks"
