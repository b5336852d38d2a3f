#!/usr/bin/env bash
# Builds and tests the other builds that packagers and other compilers make, warnings as
# errors: a Release build with Debian's hardening flags (build-release/), a clang++ build
# (build-clang/), and clang++ against LLVM's libc++ (build-libcxx/), the C++ library of
# macOS and the BSDs, with GoogleTest built from its sources for it. Benchmarks are left
# out of all three to keep CI short.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh clang nlohmann-json3-dev libc++-dev libc++abi-dev googletest
jobs=$(nproc)

CXXFLAGS="-O2 -g -D_FORTIFY_SOURCE=2 -fstack-protector-strong -Wformat -Werror=format-security" \
  cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DVEXAMOR_WERROR=ON -DVEXAMOR_BENCH=OFF
cmake --build build-release -j "$jobs"
ctest --test-dir build-release --output-on-failure -j "$jobs"

CXX=clang++ cmake -S . -B build-clang -DVEXAMOR_WERROR=ON -DVEXAMOR_BENCH=OFF
cmake --build build-clang -j "$jobs"
ctest --test-dir build-clang --output-on-failure -j "$jobs"

# SDL2 and libvterm are C libraries, so they link with either C++ library; nlohmann-json
# is headers only. CMake links C++ programs with CXXFLAGS too, and GoogleTest's C checks
# never see the flag.
CXX=clang++ CXXFLAGS=-stdlib=libc++ \
  cmake -S . -B build-libcxx -DVEXAMOR_WERROR=ON -DVEXAMOR_BENCH=OFF \
  -DVEXAMOR_GOOGLETEST_SOURCE=/usr/src/googletest
cmake --build build-libcxx -j "$jobs"
# Nothing of libstdc++ may have slipped in through a library built against it.
if ldd build-libcxx/vexamor_tests | grep -q 'libstdc++'; then
  echo "test-builds.sh: build-libcxx/vexamor_tests links libstdc++" >&2
  exit 1
fi
ctest --test-dir build-libcxx --output-on-failure -j "$jobs"
