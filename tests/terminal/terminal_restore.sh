# The game starts, draws, takes a key and ends; after a key, SIGTERM, Ctrl-C or a crash
# signal the terminal is back exactly as it was.
source "$(dirname "$0")/session.bash"

# Without a terminal: one line on stderr, status 1, nothing written to stdout.
if "$BIN" </dev/null >"$WORK/stdout" 2>"$WORK/stderr"; then status=0; else status=$?; fi
[[ $status == 1 ]] || fail "status $status without a terminal, expected 1"
[[ ! -s $WORK/stdout ]] || fail "wrote to stdout without a terminal"
[[ $(wc -l <"$WORK/stderr") == 1 ]] || fail "expected one line on stderr, got: $(cat "$WORK/stderr")"
grep -q '^vexamor: ' "$WORK/stderr" || fail "the message does not start with the program name"

start_game 100 30
"${TMUX_CMD[@]}" send-keys -t game Escape
expect_restored 0

start_game 100 30
kill -TERM "$(game_pid)"
expect_restored 143

start_game 100 30
"${TMUX_CMD[@]}" send-keys -t game C-c
expect_restored 130

start_game 100 30
kill -SEGV "$(game_pid)"
expect_restored 139

echo "terminal restored after a key, SIGTERM, Ctrl-C and a crash"
