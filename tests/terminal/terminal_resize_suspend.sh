# A window too small shows the notice and holds; growing it repaints the game. Ctrl-Z hands
# the terminal back restored; SIGCONT returns to the game's screen, repainted.
source "$(dirname "$0")/session.bash"

resize() { "${TMUX_CMD[@]}" resize-window -t game -x "$1" -y "$2"; }
# Asked again on every try: the game returns to its screen at its next present, which may
# wait for the tone it was stopped in.
alternate_on() { [[ $(pane_flag alternate_on) == 1 ]]; }
origin_of_text() { pane_text | grep -n "PARA SAIR" | cut -d: -f1; }

start_game 100 30
"${TMUX_CMD[@]}" send-keys -t game x  # cuts the intro short; the menu ignores the key
wait_for "the menu" screen_shows "[ESC] PARA SAIR"
row_large=$(origin_of_text)
resize 70 30
wait_for "the notice" screen_shows "Aumente a janela para pelo menos 80 x 24"
screen_shows "PARA SAIR" && fail "the game still shows beside the notice"
resize 80 24
wait_for "the repaint" screen_shows "PARA SAIR"
screen_shows "Aumente" && fail "the notice was not cleared"
row_exact=$(origin_of_text)
[[ $row_large == 26 && $row_exact == 24 ]] || fail "text at rows $row_large and $row_exact, expected centred 26 then 24"

# Ctrl-Z with no shell to resume the game (its process group is orphaned): the kernel drops
# the stop, and the game takes the terminal back at once and plays on.
"${TMUX_CMD[@]}" send-keys -t game C-z
sleep 0.3
wait_for "the game to take the terminal back" alternate_on
ps -o stat= -p "$(game_pid)" | grep -q '^T' && fail "stopped with nobody to continue it"
wait_for "the repaint" screen_shows "PARA SAIR"
"${TMUX_CMD[@]}" send-keys -t game Escape
expect_restored 0

# Ctrl-Z under a shell with job control, then fg. The game runs inside a subshell, so the
# shell takes the terminal back as soon as the subshell stops, possibly before the game
# has finished restoring it.
rm -f "$WORK"/before "$WORK"/after "$WORK"/status "$WORK"/pid
new_game_session 100 30 "env PS1=\"ready\$ \" bash --norc --noprofile -i"
"${TMUX_CMD[@]}" set -g escape-time 0
wait_for "the shell" screen_shows "ready"
job="( stty -g >$WORK/before; sh -c 'echo \$\$ >$WORK/pid; exec \"\$0\"' $BIN; echo \$? >$WORK/status; stty -g >$WORK/after )"
"${TMUX_CMD[@]}" send-keys -t game -l "$job"
"${TMUX_CMD[@]}" send-keys -t game Enter
wait_for "the game to draw" game_drew
wait_for "the process id" has_file "$WORK/pid"
"${TMUX_CMD[@]}" send-keys -t game C-z
stopped() { ps -o stat= -p "$(game_pid)" | grep -q '^T'; }
wait_for "the stop" stopped
wait_for "the main screen" test "$(pane_flag alternate_on)" = 0
[[ $(pane_flag cursor_flag) == 1 ]] || fail "cursor hidden while stopped"

"${TMUX_CMD[@]}" send-keys -t game "fg" Enter
wait_for "the alternate screen again" alternate_on
wait_for "the repaint after resuming" game_drew
[[ $(pane_flag cursor_flag) == 0 ]] || fail "cursor shown after resuming"
"${TMUX_CMD[@]}" send-keys -t game Escape
expect_restored 0

echo "resize notice, repaint, suspend and resume work"
