# Helpers for the real-terminal tests: one private tmux server per script, one session per
# scenario whose pane runs the game under a small runner that records the terminal settings
# before and after, the exit status and the game's process id.
set -euo pipefail

BIN=$1
WORK=$(mktemp -d)
SERVER="vexamor-test-$$"
TMUX_CMD=(tmux -L "$SERVER" -f /dev/null)

finish() {
    "${TMUX_CMD[@]}" kill-server 2>/dev/null || true
    rm -rf "$WORK"
}
trap finish EXIT

fail() {
    echo "FAIL: $*" >&2
    echo "--- screen:" >&2
    "${TMUX_CMD[@]}" capture-pane -p -t game >&2 2>/dev/null || true
    echo "--- alternate_on=$(pane_flag alternate_on 2>/dev/null) pid state: $(ps -o stat= -p "$(cat "$WORK/pid" 2>/dev/null)" 2>/dev/null)" >&2
    exit 1
}

# wait_for [SECONDS] DESCRIPTION COMMAND...: retries the command every 0.1 s, for up to
# SECONDS (10 when not given).
wait_for() {
    local seconds=10
    if [[ $1 =~ ^[0-9]+$ ]]; then
        seconds=$1
        shift
    fi
    local what=$1
    shift
    for _ in $(seq $((seconds * 10))); do
        if "$@" >/dev/null 2>&1; then return 0; fi
        sleep 0.1
    done
    fail "timed out waiting for $what"
}

pane_flag() { "${TMUX_CMD[@]}" display -p -t game "#{$1}"; }
pane_text() { "${TMUX_CMD[@]}" capture-pane -p -t game; }
screen_shows() { pane_text | grep -qF -- "$1"; }

# Text of `length` characters at (column, row), 1-based, as the player sees it.
text_at() {
    local line
    line=$(pane_text | sed -n "${2}p")
    printf '%s' "${line:$(($1 - 1)):$3}"
}
shows_at() { [[ "$(text_at "$1" "$2" "${#3}")" == "$3" ]]; }
# How long expect_at waits; a slower console (wine's) may ask for more.
EXPECT_AT_SECONDS=${EXPECT_AT_SECONDS:-10}
# expect_at COLUMN ROW TEXT: waits until the text is there.
expect_at() { wait_for "$EXPECT_AT_SECONDS" "'$3' at ($1, $2), seen '$(text_at "$1" "$2" "${#3}")'" shows_at "$@"; }
# Whether the game's pane should switch to the alternate screen (a script may say 0).
EXPECT_ALTERNATE=${EXPECT_ALTERNATE:-1}
# The game is on the alternate screen and has drawn something (the intro draws at once).
game_drew() { [[ $(pane_flag alternate_on) == "$EXPECT_ALTERNATE" ]] && pane_text | grep -q '[^[:space:]]'; }
has_file() { [[ -s $1 ]]; }

# new_game_session WIDTH HEIGHT COMMAND: the session "game" made anew, running COMMAND. A
# session that outlives every game keeps the server up: killing the last session makes the
# server exit, and a new-session that reaches it while it exits fails ("server exited
# unexpectedly").
new_game_session() {
    "${TMUX_CMD[@]}" has-session -t hold 2>/dev/null || "${TMUX_CMD[@]}" new-session -d -s hold "exec sleep 3600"
    "${TMUX_CMD[@]}" kill-session -t game 2>/dev/null || true
    "${TMUX_CMD[@]}" new-session -d -s game -x "$1" -y "$2" "$3"
}

# start_game WIDTH HEIGHT [OUT]: a fresh session running the game; waits until it has drawn.
# With OUT, everything the game writes is also appended to that file: the runner holds the
# game back until the pane's output is piped there.
start_game() {
    rm -f "$WORK"/before "$WORK"/after "$WORK"/status "$WORK"/pid "$WORK"/go
    local hold=""
    [[ -n ${3:-} ]] && hold="while [ ! -e \"$WORK/go\" ]; do sleep 0.05; done"
    cat >"$WORK/run.sh" <<EOF
trap 'true' INT
ulimit -c 0
$hold
stty -g >"$WORK/before"
sh -c 'echo \$\$ >"$WORK/pid"; exec "\$0"' "$BIN"
echo \$? >"$WORK/status"
stty -g >"$WORK/after"
exec sleep 600
EOF
    new_game_session "$1" "$2" "bash --norc --noprofile $WORK/run.sh"
    "${TMUX_CMD[@]}" set -g escape-time 0
    if [[ -n ${3:-} ]]; then
        "${TMUX_CMD[@]}" pipe-pane -t game -o "cat >>$3"
        touch "$WORK/go"
    fi
    wait_for "the game to draw" game_drew
    wait_for "the process id" has_file "$WORK/pid"
    [[ $(pane_flag alternate_on) == "$EXPECT_ALTERNATE" ]] || fail "the game is not on the alternate screen"
    [[ $(pane_flag cursor_flag) == 0 ]] || fail "the cursor is shown while playing"
}

game_pid() { cat "$WORK/pid"; }
pane_tty_settings() { stty -g -F "$("${TMUX_CMD[@]}" display -p -t game '#{pane_tty}')"; }

# expect_restored STATUS: the game ended with that status and left the terminal as it found it.
expect_restored() {
    wait_for "the game to end" has_file "$WORK/after"
    [[ $(cat "$WORK/status") == "$1" ]] || fail "exit status $(cat "$WORK/status"), expected $1"
    cmp -s "$WORK/before" "$WORK/after" || fail "terminal settings differ: $(cat "$WORK/before") / $(cat "$WORK/after")"
    [[ $(pane_flag alternate_on) == 0 ]] || fail "still on the alternate screen"
    [[ $(pane_flag cursor_flag) == 1 ]] || fail "cursor left hidden"
    [[ $(pane_flag wrap_flag) == 1 ]] || fail "autowrap left off"
}
