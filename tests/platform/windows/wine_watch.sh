#!/usr/bin/env bash
# vexamor.exe --watch on wine's console, drawn into a tmux pane of 80 x 25: a recorded game
# plays to the farewell with the file's score, a key ends the program with status 0; a file
# that is not a recording is one line and status 2 before the console is touched.
# Usage: wine_watch.sh VEXAMOR_EXE
set -euo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/wine.bash"
EXPECT_AT_SECONDS=60
source "$HERE/../../terminal/session.bash"
source "$HERE/wine_session.bash"
export LC_ALL=C.UTF-8

recording=$HERE/short_game.vxr
score=$(sed -n 's/^score //p' "$recording")
start_wine_game --mute --watch "$recording"
expect_at 20 12 "ATE A PROXIMA"
expect_at 20 14 "$score PONTOS"
"${TMUX_CMD[@]}" send-keys -t game k
expect_status 0

printf 'vexamor-recording 9\n' >"$WORK/bad.vxr"
start_wine_game --watch "$WORK/bad.vxr"
expect_status 2
wait_for "the message" has_file "$WORK/stderr"
grep -q "linha 1: vers" "$WORK/stderr" || fail "no word of the bad line: $(cat "$WORK/stderr")"
[[ $(wc -l <"$WORK/stderr") == 1 ]] || fail "not one line: $(cat "$WORK/stderr")"

echo "vexamor.exe --watch shows the recorded game to its farewell; a bad file changes nothing"
