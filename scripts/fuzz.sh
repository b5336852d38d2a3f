#!/usr/bin/env bash
# Builds every libFuzzer target (fuzz/*_fuzz.cpp) with clang and the sanitizers in build-fuzz/
# and runs each for SECONDS (default 60) from a copy of its seed corpus fuzz/corpus/<target>/,
# so the committed corpus never grows. Prints libFuzzer's final statistics for each; exits
# non-zero on any finding, naming the target and the reproducer (build-fuzz/findings/).
# Replay one with: build-fuzz/<target> <reproducer>
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
./scripts/deps.sh clang libclang-rt-14-dev libvterm-dev

targets=()
for source in fuzz/*_fuzz.cpp; do targets+=("$(basename "$source" .cpp)"); done

CXX=clang++ cmake -S . -B build-fuzz -DVEXAMOR_FUZZ=ON -DVEXAMOR_TESTS=OFF -DVEXAMOR_BENCH=OFF \
  -DVEXAMOR_WERROR=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target "${targets[@]}"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failed=()
for target in "${targets[@]}"; do
  corpus="$scratch/$target"
  findings="build-fuzz/findings/$target"
  mkdir -p "$corpus" "$findings"
  cp fuzz/corpus/"$target"/* "$corpus"/ 2>/dev/null || true
  extra=()
  # The command lines print a line to stderr for every refused argument.
  [ "$target" = arguments_fuzz ] && extra+=(-close_fd_mask=2)
  echo "== $target: $seconds s"
  status=0
  build-fuzz/"$target" "$corpus" -max_total_time="$seconds" -print_final_stats=1 -timeout=30 \
    -rss_limit_mb=2048 -artifact_prefix="$findings/" "${extra[@]}" >"$scratch/$target.log" 2>&1 || status=$?
  grep -E '^#[0-9]+[[:space:]]+DONE|^stat::' "$scratch/$target.log" || true
  reproducers=$(find "$findings" -type f -newer "$corpus" 2>/dev/null)
  if [ "$status" -ne 0 ] || [ -n "$reproducers" ]; then
    tail -n 60 "$scratch/$target.log"
    echo "FINDING in $target: ${reproducers:-see the log above}" >&2
    failed+=("$target")
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing found faults in: ${failed[*]}" >&2
  exit 1
fi
echo "fuzzing: no findings in ${#targets[@]} targets"
