# A terminal without an alternate screen, as the Linux console is: whatever the game drew
# last stays there after it ends. ESC in the menu ends the program on a cleared screen, so
# that is what must be left, not the menu it showed before.
EXPECT_ALTERNATE=0
source "$(dirname "$0")/session.bash"
export LC_ALL=C.UTF-8

# The option must hold before the game's window exists; a first session keeps the server up.
"${TMUX_CMD[@]}" new-session -d -s keep "sleep 600"
"${TMUX_CMD[@]}" set -gw alternate-screen off

start_game 80 25
"${TMUX_CMD[@]}" send-keys -t game x  # cuts the intro short; the menu ignores the key
wait_for "the menu" screen_shows "DIGITE [1] PARA AJUSTAR AS CORES DO JOGO"
"${TMUX_CMD[@]}" send-keys -t game Escape
wait_for "the game to end" has_file "$WORK/after"
[[ $(cat "$WORK/status") == 0 ]] || fail "exit status $(cat "$WORK/status")"
cmp -s "$WORK/before" "$WORK/after" || fail "terminal settings differ"
pane_text | grep -q '[^[:space:]]' && fail "the screen was left with an old frame on it"
[[ $(pane_flag cursor_flag) == 1 ]] || fail "cursor left hidden"
[[ $(pane_flag cursor_x),$(pane_flag cursor_y) == 0,0 ]] || fail "cursor not home"
echo "a terminal without an alternate screen is left cleared"
