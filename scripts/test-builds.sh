#!/usr/bin/env bash
# Builds and tests the two other builds that packagers and other compilers make, warnings as
# errors: a Release build with Debian's hardening flags (build-release/) and a clang++ build
# (build-clang/). Benchmarks are left out of both to keep CI short.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh clang nlohmann-json3-dev
jobs=$(nproc)

CXXFLAGS="-O2 -g -D_FORTIFY_SOURCE=2 -fstack-protector-strong -Wformat -Werror=format-security" \
  cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DVEXAMOR_WERROR=ON -DVEXAMOR_BENCH=OFF
cmake --build build-release -j "$jobs"
ctest --test-dir build-release --output-on-failure -j "$jobs"

CXX=clang++ cmake -S . -B build-clang -DVEXAMOR_WERROR=ON -DVEXAMOR_BENCH=OFF
cmake --build build-clang -j "$jobs"
ctest --test-dir build-clang --output-on-failure -j "$jobs"
