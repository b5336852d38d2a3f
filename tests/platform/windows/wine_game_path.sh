#!/usr/bin/env bash
# A player's path through vexamor.exe on wine's console, drawn into a tmux pane of 80 x 25:
# the menu, '2' giving the frame and the ship on (25, 23), an arrow moving it, 'a' firing,
# ESC giving the farewell, a key back to the menu and ESC ending with status 0. Then
# Ctrl-C in a game, --help in the console, the program without a console (one line on
# stderr, status 1) and --help redirected (UTF-8 Portuguese).
# Usage: wine_game_path.sh VEXAMOR_EXE
set -euo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/wine.bash"
EXPECT_AT_SECONDS=20
source "$HERE/../../terminal/session.bash"
source "$HERE/wine_session.bash"
export LC_ALL=C.UTF-8

# The column of the ship's glyph on row 23, 0 when it is not there.
ship_column() {
    local line
    line=$(pane_text | sed -n 23p)
    [[ $line == *±* ]] || { echo 0; return; }
    local before=${line%%±*}
    echo $((${#before} + 1))
}
ship_at() { [[ $(ship_column) == "$1" ]]; }
# A shot climbs a row per tick: it is somewhere in the ship's column until it leaves the top.
shot_above_ship() {
    local column="" row
    for row in $(seq 2 22); do column+=$(text_at "$1" "$row" 1); done
    [[ $column == *│* ]]
}


start_wine_game  # with sound asked for and no device: silent waits, nothing printed
wait_for 30 "the intro" screen_shows "DIGITE [1]"
"${TMUX_CMD[@]}" send-keys -t game x
expect_at 5 20 "DIGITE [1] PARA AJUSTAR AS CORES DO JOGO"
expect_at 5 22 "DIGITE [2] PARA COMEÇAR A JOGAR"
expect_at 60 24 "[ESC] PARA SAIR"

"${TMUX_CMD[@]}" send-keys -t game 2
expect_at 1 1 "╔═══"
expect_at 77 25 "═══╝"
expect_at 50 10 "╠═══"
expect_at 52 6 "Vidas: 3"
expect_at 52 12 "↑ ↓ → ← Movimentam a Nave"
expect_at 52 20 "[ESPAÇO] - Pausa/Despausa"
expect_at 25 23 "±"
"${TMUX_CMD[@]}" send-keys -t game Left
wait_for "the ship to move left" ship_at 24
"${TMUX_CMD[@]}" send-keys -t game a
wait_for "a shot above the ship" shot_above_ship 24

"${TMUX_CMD[@]}" send-keys -t game Escape
expect_at 20 12 "ATE A PROXIMA"
[[ "$(text_at 20 14 20)" =~ ^[0-9]+\ PONTOS ]] || fail "no score under the farewell: '$(text_at 20 14 20)'"
"${TMUX_CMD[@]}" send-keys -t game k
"${TMUX_CMD[@]}" send-keys -t game x
expect_at 5 20 "DIGITE [1] PARA AJUSTAR AS CORES DO JOGO"
"${TMUX_CMD[@]}" send-keys -t game Escape
expect_status 0

# Ctrl-C in a game ends it as a console program ended by Ctrl-C (0xC000013A, whose low
# byte is what wine passes on as the exit status).
start_wine_game --mute
wait_for 30 "the intro" screen_shows "DIGITE [1]"
"${TMUX_CMD[@]}" send-keys -t game x 2
expect_at 25 23 "±"
"${TMUX_CMD[@]}" send-keys -t game C-c
expect_status $((0xC000013A & 0xFF))

# --help in a console shows its Portuguese as it is, not read in the console's code page.
start_wine_game --help
expect_status 0
screen_shows "abre a introdução e o menu." || fail "help garbled in the console"
screen_shows "mostra a versão e sai" || fail "help garbled in the console"

# No console: one line on stderr, status 1, nothing on stdout.
status=0
"$WINE" "$BIN" </dev/null >"$WORK/out" 2>"$WORK/err" || status=$?
[[ $status == 1 ]] || fail "without a console the status was $status"
[[ ! -s $WORK/out && $(wc -l <"$WORK/err") == 1 ]] || fail "without a console: '$(cat "$WORK/err")'"
grep -q "console" "$WORK/err" || fail "the message does not say what is missing: $(cat "$WORK/err")"

# --help and --version redirected: UTF-8 Portuguese, status 0.
"$WINE" "$BIN" --help </dev/null >"$WORK/help" 2>/dev/null
tr -d '\r' <"$WORK/help" | grep -q "abre a introdução e o menu" || fail "help text: $(cat "$WORK/help")"
"$WINE" "$BIN" --version </dev/null | tr -d '\r' | grep -qx "vexamor [0-9.]*" || fail "no version"
echo "menu, game, ship, shot, farewell, quit, Ctrl-C and no console as a player sees them under wine"
