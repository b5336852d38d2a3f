# A Windows program under wine in the tests' tmux pane of 80 x 25 (after session.bash):
# start_wine_game ARGUMENTS... runs BIN with them, its standard error shown in the pane and
# kept in $WORK/stderr; expect_status STATUS waits for it to end with that status.
start_wine_game() {
    rm -f "$WORK/status" "$WORK/stderr"
    local arguments=""
    (($# == 0)) || arguments=$(printf '%q ' "$@")
    cat >"$WORK/run.sh" <<SCRIPT
"$WINE" "$BIN" $arguments 2> >(tee "$WORK/stderr" >&2)
echo \$? >"$WORK/status"
exec sleep 600
SCRIPT
    "${TMUX_CMD[@]}" kill-session -t game 2>/dev/null || true
    "${TMUX_CMD[@]}" new-session -d -s game -x 80 -y 25 "bash --norc --noprofile $WORK/run.sh"
    "${TMUX_CMD[@]}" set -g escape-time 0
}
expect_status() {
    wait_for 30 "the program to end" has_file "$WORK/status"
    [[ $(cat "$WORK/status") == "$1" ]] || fail "exit status $(cat "$WORK/status"), expected $1"
}
