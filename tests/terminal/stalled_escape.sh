# ESC and '[' typed by hand, then 'a' (fire) a moment later: at the ESC timeout the game
# reads ESC and ends, '[' is a key of its own and 'a' leaves the farewell, where a sequence
# that never timed out would have read ESC [ a as an Up arrow and played on.
source "$(dirname "$0")/session.bash"
export LC_ALL=C.UTF-8

start_game 80 25
"${TMUX_CMD[@]}" send-keys -t game x  # cuts the intro short
expect_at 60 24 "[ESC] PARA SAIR"
"${TMUX_CMD[@]}" send-keys -t game 2
expect_at 25 23 "±"
"${TMUX_CMD[@]}" send-keys -t game -H 1b 5b
expect_at 20 12 "ATE A PROXIMA"
"${TMUX_CMD[@]}" send-keys -t game a
"${TMUX_CMD[@]}" send-keys -t game x  # cuts the intro short
expect_at 60 24 "[ESC] PARA SAIR"
"${TMUX_CMD[@]}" send-keys -t game Escape
expect_restored 0
echo "a stalled ESC [ is the ESC key on a real terminal"
