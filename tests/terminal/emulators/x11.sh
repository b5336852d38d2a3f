# The game in real terminal emulators on an X server: xterm (16 and 256 colours), a VTE
# terminal (Tilix), kitty and alacritty (OpenGL through Mesa's software renderer). Each is
# started with the game, '2' is typed with xdotool until a game is on (the first key skips
# the intro), and a screenshot of the window must show the frame's corners and divider in
# the frame colour (exactly the colour of the mode the terminal gets), the ship in yellow
# and the side panel's text. A terminal that does not start is a failure.
# Run under xvfb-run and dbus-run-session (scripts/test-terminals.sh does):
#   x11.sh GAME_BINARY [KEEP_DIR]    KEEP_DIR receives the screenshot of a failure
set -euo pipefail
export LC_ALL=C.UTF-8
BIN=$1
KEEP=${2:-/tmp}
CELLS="$(dirname "$0")/cells.py"
WORK=$(mktemp -d)
FONT="DejaVu Sans Mono"
terminal_pid=""

finish() {
    [[ -n $terminal_pid ]] && kill "$terminal_pid" 2>/dev/null
    rm -rf "$WORK"
}
trap finish EXIT

# Only what each terminal says of itself decides the game's colours.
unset COLORTERM STY TMUX TERM_PROGRAM VEXAMOR_COLORS
export SDL_AUDIODRIVER=dummy LIBGL_ALWAYS_SOFTWARE=1
game=("$BIN" --mute)

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# run_in NAME WINDOW_CLASS FRAME_RGB COMMAND...
run_in() {
    local name=$1 class=$2 rgb=$3 window="" deadline
    shift 3
    "$@" >"$WORK/$name.log" 2>&1 &
    terminal_pid=$!
    deadline=$((SECONDS + 40))
    until window=$(xdotool search --onlyvisible --class "^$class\$" 2>/dev/null | head -1) && [[ -n $window ]]; do
        kill -0 "$terminal_pid" 2>/dev/null || fail "$name did not start: $(tail -n 5 "$WORK/$name.log")"
        ((SECONDS < deadline)) || fail "no $name window after 40 s: $(tail -n 5 "$WORK/$name.log")"
        sleep 0.2
    done
    # No window manager: the window takes the keyboard itself, and the pointer rests on it.
    xdotool mousemove --window "$window" 20 20 windowfocus "$window"
    deadline=$((SECONDS + 60))
    until xdotool type 2 && sleep 0.5 && import -window "$window" -depth 8 "$WORK/shot.ppm" 2>/dev/null &&
        python3 "$CELLS" picture "$WORK/shot.ppm" --frame-rgb "$rgb" >"$WORK/wrong"; do
        if ((SECONDS >= deadline)); then
            [[ -f $WORK/shot.ppm ]] && convert "$WORK/shot.ppm" "$KEEP/vexamor-$name.png"
            fail "$name does not show the game ($KEEP/vexamor-$name.png): $(head -n 4 "$WORK/wrong" | tr '\n' ';')"
        fi
    done
    kill "$terminal_pid"
    wait "$terminal_pid" 2>/dev/null || true
    terminal_pid=""
    echo "ok: $name"
}

# xterm's palette red (205, 0, 0) with TERM=xterm, the 256-colour cube's red (175, 0, 0)
# with TERM=xterm-256color; the other three say COLORTERM=truecolor: VGA red (170, 0, 0).
xterm_args=(-geometry 80x25 -fa "$FONT" -fs 11)
run_in xterm XTerm 205,0,0 xterm -class XTerm "${xterm_args[@]}" -tn xterm -e "${game[@]}"
run_in xterm-256color XTerm 175,0,0 xterm -class XTerm "${xterm_args[@]}" -tn xterm-256color -e "${game[@]}"
run_in tilix tilix 170,0,0 tilix --new-process --geometry=82x27 -e "$(printf '%q ' "${game[@]}")"
run_in kitty vexamor-kitty 170,0,0 kitty --config NONE --class vexamor-kitty -o font_family="$FONT" -o font_size=11 \
    -o initial_window_width=80c -o initial_window_height=25c -o remember_window_size=no "${game[@]}"
run_in alacritty vexamor-alacritty 170,0,0 alacritty --config-file /dev/null --class vexamor-alacritty \
    -o window.dimensions.columns=80 -o window.dimensions.lines=25 -o "font.normal.family=$FONT" -o font.size=11 \
    -e "${game[@]}"
echo "xterm, Tilix, kitty and alacritty show the game"
