# Recordings on a real terminal: --record after a short game leaves one file with the
# farewell's score; --watch of that file shows the same farewell and restores the terminal;
# a bad file, or a folder that cannot be written, is one line and status 2 with the terminal
# never touched.
source "$(dirname "$0")/session.bash"
export LC_ALL=C.UTF-8
GAME=$BIN

# BIN for start_game: the game with these arguments, in the same process.
with_arguments() {
    printf '#!/bin/sh\nexec "%s"' "$GAME" >"$WORK/game.sh"
    printf ' "%s"' "$@" >>"$WORK/game.sh"
    chmod +x "$WORK/game.sh"
    BIN=$WORK/game.sh
}

farewell_score() { text_at 20 14 20 | grep -o '^[0-9]*'; }

# Runs the game with these arguments in a fresh pane; it must end at once, status 2, with
# one line on the pane and the terminal's settings and screen as they were.
expect_refused() {
    with_arguments "$@"
    rm -f "$WORK"/before "$WORK"/after "$WORK"/status "$WORK"/pid
    cat >"$WORK/run.sh" <<RUN
stty -g >"$WORK/before"
"$BIN" 2>"$WORK/stderr"
echo \$? >"$WORK/status"
stty -g >"$WORK/after"
cat "$WORK/stderr"
exec sleep 600
RUN
    "${TMUX_CMD[@]}" kill-session -t game 2>/dev/null || true
    "${TMUX_CMD[@]}" new-session -d -s game -x 200 -y 25 "bash --norc --noprofile $WORK/run.sh"
    expect_restored 2
    [[ $(wc -l <"$WORK/stderr") == 1 ]] || fail "not one line on stderr: $(cat "$WORK/stderr")"
    grep -qF -- "$EXPECTED" "$WORK/stderr" || fail "stderr does not say '$EXPECTED': $(cat "$WORK/stderr")"
    [[ $(pane_text | grep -c .) == 1 ]] || fail "the terminal shows more than the message"
}

# A short game recorded: a few shots and steps, then ESC.
with_arguments --mute --record "$WORK/records/new"
start_game 80 25
"${TMUX_CMD[@]}" send-keys -t game x
expect_at 60 24 "[ESC] PARA SAIR"
"${TMUX_CMD[@]}" send-keys -t game 2
expect_at 52 6 "Vidas: 3"
for key in a Left a a Right Right a; do
    "${TMUX_CMD[@]}" send-keys -t game "$key"
    sleep 0.1
done
"${TMUX_CMD[@]}" send-keys -t game Escape
expect_at 20 12 "ATE A PROXIMA"
score=$(farewell_score)
[[ -n $score ]] || fail "no score on the farewell"
sleep 0.3
files=("$WORK"/records/new/*)
[[ ${#files[@]} == 1 ]] || fail "not one file in the folder: ${files[*]}"
recording=${files[0]}
[[ $(basename "$recording") =~ ^vexamor-[0-9]{8}-[0-9]{6}-$score\.vxr$ ]] || fail "file name $(basename "$recording")"
grep -qx "score $score" "$recording" || fail "the file's score is not $score"
grep -qx "ended esc" "$recording" || fail "the file does not end with esc"
"${TMUX_CMD[@]}" send-keys -t game k
"${TMUX_CMD[@]}" send-keys -t game x
expect_at 60 24 "[ESC] PARA SAIR"
"${TMUX_CMD[@]}" send-keys -t game Escape
expect_restored 0
[[ $(ls -A "$WORK/records/new") == $(basename "$recording") ]] || fail "more than the recording left: $(ls -A "$WORK/records/new")"

# The recording watched: the same game to the same farewell, then the terminal as it was.
with_arguments --mute --watch "$recording"
start_game 80 25
expect_at 20 12 "ATE A PROXIMA"
[[ $(farewell_score) == "$score" ]] || fail "the watch's farewell shows $(farewell_score), not $score"
"${TMUX_CMD[@]}" send-keys -t game k
expect_restored 0

# A file that does not hold its game: shown, then said so after the terminal is restored.
sed "s/^score .*/score $((score + 7))/" "$recording" >"$WORK/other.vxr"
with_arguments --mute --watch "$WORK/other.vxr"
start_game 80 25
expect_at 20 12 "ATE A PROXIMA"
"${TMUX_CMD[@]}" send-keys -t game k
expect_restored 3
screen_shows "a gravação não confere" || fail "no word of the mismatch after the watch"

printf 'vexamor-recording 9\n' >"$WORK/bad.vxr"
EXPECTED="gravação '$WORK/bad.vxr': linha 1: versão '9' do formato"
expect_refused --watch "$WORK/bad.vxr"
EXPECTED="não é possível gravar em '$recording/sub'"
expect_refused --record "$recording/sub"

echo "--record writes each game, --watch shows it again, bad files and folders change nothing"
