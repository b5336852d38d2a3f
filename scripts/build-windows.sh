#!/usr/bin/env bash
# Cross-builds the Windows console programs into build-windows/ with mingw-w64: vexamor.exe,
# vexamor-replay.exe, the test suite, and the zip for download. Installs the cross compiler
# and wine first when they are missing (as root; otherwise it says what to install).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh g++-mingw-w64-x86-64 wine64
jobs=$(nproc)

cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DVEXAMOR_TESTS=ON -DVEXAMOR_BENCH=OFF -DVEXAMOR_WERROR=ON
cmake --build build-windows -j "$jobs"
(cd build-windows && cpack -G ZIP >/dev/null)

# Static linking leaves only Windows' own DLLs to load.
for program in build-windows/vexamor.exe build-windows/vexamor-replay.exe; do
  dlls=$(x86_64-w64-mingw32-objdump -p "$program" | sed -n 's/.*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
  for dll in $dlls; do
    case $dll in
      kernel32.dll|user32.dll|winmm.dll|msvcrt.dll|advapi32.dll|api-ms-win-*) ;;
      *) echo "build-windows.sh: $program needs $dll, which Windows does not ship" >&2; exit 1 ;;
    esac
  done
done
echo "built: build-windows/vexamor.exe build-windows/vexamor-replay.exe build-windows/vexamor-*-windows-x64.zip"
