#!/usr/bin/env bash
# Times the frame sleep on wine's console: runs vexamor-timing-bench.exe (1,000 frames of
# 50 ms idle, then as many with every core busy, about 100 s) in an 80 x 25 pane of a
# private tmux server and prints the mean and 99th percentile lateness.
# Usage: bench/windows_timing_wine.sh [build-windows/vexamor-timing-bench.exe [frames]]
set -euo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
BENCH=$(realpath "${1:-$HERE/../build-windows/vexamor-timing-bench.exe}")
FRAMES=${2:-1000}
source "$HERE/../tests/platform/windows/wine.bash"
WORK=$(mktemp -d)
TMUX_CMD=(tmux -L "vexamor-timing-$$" -f /dev/null)
trap '"${TMUX_CMD[@]}" kill-server 2>/dev/null || true; rm -rf "$WORK"' EXIT
"${TMUX_CMD[@]}" new-session -d -s bench -x 80 -y 25 "'$WINE' '$BENCH' '$WORK/figures' $FRAMES; exec sleep 600"
for _ in $(seq $((FRAMES / 5 + 60))); do
    [[ -s $WORK/figures ]] && break
    sleep 1
done
[[ -s $WORK/figures ]] || { echo "the timing benchmark gave no figures" >&2; exit 1; }
cat "$WORK/figures"
