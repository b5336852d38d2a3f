# Focus reporting on a real terminal: the game switches it on with its session and off on
# every way out (the end, SIGTERM, Ctrl-C, Ctrl-Z, and on again after fg); the terminal's
# focus-out report pauses a running game, and its focus-in report does not resume it.
source "$(dirname "$0")/session.bash"
export LC_ALL=C.UTF-8

# Everything the game writes goes to $WORK/out too.
start_piped_game() {
    rm -f "$WORK/out"
    start_game 80 25 "$WORK/out"
}

# The last switch of focus reporting in the output: h (on), l (off) or nothing.
focus_mode() { tr -c '[:print:]' '.' <"$WORK/out" | grep -o '\[?1004[hl]' | tail -n 1 | tail -c 2; }
focus_mode_is() { [[ $(focus_mode) == "$1" ]]; }
send_bytes() { "${TMUX_CMD[@]}" send-keys -t game -H "$@"; }
focus_out() { send_bytes 1b 5b 4f; }
focus_in() { send_bytes 1b 5b 49; }
paused() { pane_text | sed -n 24p | grep -qF PAUSE; }
not_paused() { ! paused; }
# The play field's rows; they change from tick to tick while the game plays.
field() { pane_text | sed -n 2,23p; }
field_differs() { [[ $(field) != "$1" ]]; }

# A game paused by the focus-out report; focus coming back leaves it paused; space resumes.
start_piped_game
wait_for "focus reporting on" focus_mode_is h
"${TMUX_CMD[@]}" send-keys -t game x
wait_for "the menu" screen_shows "[ESC] PARA SAIR"
focus_out  # in the menu: nothing happens, and the key that starts the game cancels it
sleep 0.2
"${TMUX_CMD[@]}" send-keys -t game 2
wait_for "the game" screen_shows "Vidas: 3"
# The game plays: the field changes (enemies come and move) and no PAUSE shows.
before=$(field)
wait_for "the field to change" field_differs "$before"
paused && fail "a focus loss in the menu paused the game"
focus_out
wait_for 2 "PAUSE after the focus-out report" paused
focus_in
sleep 0.5
paused || fail "focus coming back resumed the game"
screen_shows "[O" && fail "the report showed as typed text"
"${TMUX_CMD[@]}" send-keys -t game Space
wait_for "play to resume" not_paused
"${TMUX_CMD[@]}" send-keys -t game Escape
wait_for "the farewell" screen_shows "ATE A PROXIMA"
"${TMUX_CMD[@]}" send-keys -t game x
"${TMUX_CMD[@]}" send-keys -t game x
wait_for "the menu again" screen_shows "[ESC] PARA SAIR"
"${TMUX_CMD[@]}" send-keys -t game Escape
expect_restored 0
focus_mode_is l || fail "focus reporting left on after the end"

start_piped_game
kill -TERM "$(game_pid)"
expect_restored 143
focus_mode_is l || fail "focus reporting left on after SIGTERM"

start_piped_game
"${TMUX_CMD[@]}" send-keys -t game C-c
expect_restored 130
focus_mode_is l || fail "focus reporting left on after Ctrl-C"

# Ctrl-Z under a shell with job control: off while stopped, on again after fg.
rm -f "$WORK"/before "$WORK"/after "$WORK"/status "$WORK"/pid "$WORK"/out
new_game_session 80 25 "env PS1=\"ready\$ \" bash --norc --noprofile -i"
"${TMUX_CMD[@]}" set -g escape-time 0
wait_for "the shell" screen_shows "ready"
"${TMUX_CMD[@]}" pipe-pane -t game -o "cat >>$WORK/out"
job="( stty -g >$WORK/before; sh -c 'echo \$\$ >$WORK/pid; exec \"\$0\"' $BIN; echo \$? >$WORK/status; stty -g >$WORK/after )"
"${TMUX_CMD[@]}" send-keys -t game -l "$job"
"${TMUX_CMD[@]}" send-keys -t game Enter
wait_for "the game to draw" game_drew
wait_for "the process id" has_file "$WORK/pid"
wait_for "focus reporting on" focus_mode_is h
"${TMUX_CMD[@]}" send-keys -t game C-z
stopped() { ps -o stat= -p "$(game_pid)" | grep -q '^T'; }
wait_for "the stop" stopped
wait_for "focus reporting off while stopped" focus_mode_is l
"${TMUX_CMD[@]}" send-keys -t game "fg" Enter
wait_for "the repaint after resuming" game_drew
wait_for "focus reporting on after fg" focus_mode_is h
"${TMUX_CMD[@]}" send-keys -t game Escape
expect_restored 0
focus_mode_is l || fail "focus reporting left on after the end"

echo "focus reporting on and off with the session; a focus-out report pauses a game"
