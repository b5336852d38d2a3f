#!/usr/bin/env bash
# The replay tool's --check of a long crowded game: a 25,000-tick game that reaches level 8,
# written by bench/recording/crowded_recording.cpp (seed 3, a dodging player), checked
# natively and, where build-web/ has the node build, as WebAssembly under node. Prints the
# times (best of 5, CPU time beside the wall time: other work on the machine stretches the
# latter), the full trace's time for comparison, and the file's size plain and compressed.
#   bench/recording_check.sh [BUILD]   (default build/)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" -j2 --target vexamor-replay vexamor_crowded_recording >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
recording=$work/crowded.vxr
"$build/vexamor_crowded_recording" 3 25000 >"$recording"

# best RUNS COMMAND...: the shortest wall and CPU time of RUNS runs.
best() {
    local runs=$1
    shift
    for _ in $(seq "$runs"); do
        /usr/bin/time -f "%e %U" "$@" 2>&1 >/dev/null | tail -n 1
    done | sort -n | head -n 1
}

echo "recording: $(sed -n 's/^\(score\|level\|ticks\) //p' "$recording" | paste -sd' ') (score level ticks)"
echo "  $("$build/vexamor-replay" --recording "$recording" --check)"
read -r wall cpu <<<"$(best 5 "$build/vexamor-replay" --recording "$recording" --check)"
echo "native --check:      ${wall} s wall, ${cpu} s CPU"
read -r wall cpu <<<"$(best 3 "$build/vexamor-replay" --recording "$recording")"
echo "native full trace:   ${wall} s wall, ${cpu} s CPU"
if [[ -f build-web/vexamor-replay.js ]]; then
    read -r wall cpu <<<"$(best 5 node build-web/vexamor-replay.js --recording "$recording" --check)"
    echo "node --check:        ${wall} s wall, ${cpu} s CPU"
fi
size=$(wc -c <"$recording")
keys=$(sed -n 's/^keys //p' "$recording" | wc -c)
echo "file: $size bytes (the key list $keys); gzip -9 $(gzip -9c "$recording" | wc -c), xz -9 $(xz -9c "$recording" | wc -c) bytes"
