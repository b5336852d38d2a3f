# The game's colours through tmux and GNU screen as hosts, read back with capture-pane -e:
# the frame red, the ship yellow, the panel's text grey and never faint, in the colour mode
# each host takes. GNU screen misreads 24-bit colour, so a COLORTERM=truecolor inherited
# from the terminal outside must not bring a single 24-bit colour sequence to it.
#   hosts.sh GAME_BINARY
source "$(dirname "$0")/../session.bash"
export LC_ALL=C.UTF-8
CELLS="$(dirname "$0")/cells.py"

# tmux's panes say tmux-256color, as tmux's own default does wherever that terminfo exists.
printf 'set -g default-terminal tmux-256color\nset -g escape-time 0\n' >"$WORK/tmux.conf"
TMUX_CMD=(tmux -L "$SERVER" -f "$WORK/tmux.conf")

# play_in DESCRIPTION FRAME_RGB COMMAND...: a fresh 80 x 25 pane runs COMMAND, which runs
# the game under script(1) so that $WORK/out holds every byte the game wrote; '2' is typed
# (skipping the intro, then starting a game) until the pane shows the game.
play_in() {
    local what=$1 rgb=$2
    shift 2
    rm -f "$WORK/out"
    "${TMUX_CMD[@]}" kill-session -t game 2>/dev/null || true
    "${TMUX_CMD[@]}" new-session -d -s game -x 80 -y 25 \
        "$(printf '%q ' env -u COLORTERM -u STY -u TERM_PROGRAM -u VEXAMOR_COLORS SDL_AUDIODRIVER=dummy "$@"); sleep 600"
    local deadline=$((SECONDS + 30))
    until game_shown "$rgb" >"$WORK/wrong" 2>&1; do
        ((SECONDS < deadline)) || fail "the game $what: $(head -3 "$WORK/wrong" | tr '\n' ';')"
    done
    echo "ok: $what"
}
game_shown() {
    "${TMUX_CMD[@]}" send-keys -t game 2
    sleep 0.3
    "${TMUX_CMD[@]}" capture-pane -p -e -t game >"$WORK/pane"
    python3 "$CELLS" pane "$WORK/pane" --frame-rgb "$1"
}
game() { printf '%q --mute' "$BIN"; }
wrote_truecolor() { grep -qa $'\e\\[[0-9;]*[34]8;2;' "$WORK/out"; }
# An erase between a synchronized update's begin and end, which tmux would lose text after.
erased_inside_block() { grep -qazP '\e\[\?2026h(?:(?!\e\[\?2026l).)*\e\[2J' "$WORK/out"; }

play_in "in tmux in 256 colours" 175,0,0 script -qfc "$(game)" "$WORK/out"
wrote_truecolor && fail "24-bit colour without COLORTERM"
erased_inside_block && fail "a repaint erased inside the synchronized update"
play_in "in tmux with COLORTERM=truecolor" 170,0,0 env COLORTERM=truecolor script -qfc "$(game)" "$WORK/out"
wrote_truecolor || fail "no 24-bit colour in tmux with COLORTERM=truecolor"

# GNU screen inside tmux, started from a terminal that said truecolor: 16 ANSI colours
# (screen's own TERM), or 256 where screen is told its windows have them.
screen_cmd=(env COLORTERM=truecolor SYSSCREENRC=/dev/null screen -c /dev/null)
play_in "in GNU screen in tmux, COLORTERM=truecolor inherited" 205,0,0 \
    "${screen_cmd[@]}" script -qfc "$(game)" "$WORK/out"
wrote_truecolor && fail "24-bit colour sequences reached GNU screen"
play_in "in GNU screen with 256 colours" 175,0,0 \
    "${screen_cmd[@]}" -T screen-256color script -qfc "$(game)" "$WORK/out"
wrote_truecolor && fail "24-bit colour sequences reached GNU screen (256 colours)"

echo "tmux and GNU screen show the game's colours"
