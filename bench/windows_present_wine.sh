#!/usr/bin/env bash
# Times presents on wine's console: runs vexamor-console-bench.exe in an 80 x 25 pane of a
# private tmux server and prints its figures.
# Usage: bench/windows_present_wine.sh [build-windows/vexamor-console-bench.exe]
set -euo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
BENCH=$(realpath "${1:-$HERE/../build-windows/vexamor-console-bench.exe}")
source "$HERE/../tests/platform/windows/wine.bash"
WORK=$(mktemp -d)
TMUX_CMD=(tmux -L "vexamor-bench-$$" -f /dev/null)
trap '"${TMUX_CMD[@]}" kill-server 2>/dev/null || true; rm -rf "$WORK"' EXIT
"${TMUX_CMD[@]}" new-session -d -s bench -x 80 -y 25 "'$WINE' '$BENCH' '$WORK/figures'; exec sleep 600"
for _ in $(seq 120); do
    [[ -s $WORK/figures ]] && break
    sleep 1
done
[[ -s $WORK/figures ]] || { echo "the console benchmark gave no figures" >&2; exit 1; }
cat "$WORK/figures"
