# A player's path through the real binary: the menu, a game with its frame, HUD and ship,
# pause and resume, ESC to the farewell, back to the menu, ESC to quit, and the terminal
# as it was before. The window is exactly 80 x 25, so the game's cells are the pane's.
source "$(dirname "$0")/session.bash"
export LC_ALL=C.UTF-8

gone() { ! screen_shows "$1"; }

# The colour set just before the ship's glyph on row 23 is yellow (14): ANSI's bright yellow,
# or the 256-colour cube's yellow where tmux's TERM has 256 colours.
ship_is_yellow() {
    local row sgr
    row=$("${TMUX_CMD[@]}" capture-pane -p -e -t game | sed -n 23p)
    [[ "$row" == *±* ]] || return 1
    sgr=${row%%±*}
    sgr=${sgr##*$'\e['}
    sgr=";${sgr%%m*};"
    [[ "$sgr" == *";93;"* || "$sgr" == *";38;5;11;"* || "$sgr" == *";1;33;"* || "$sgr" == *";38;5;227;"* ]]
}

start_game 80 25
"${TMUX_CMD[@]}" send-keys -t game x  # cuts the intro short; the menu ignores the key
expect_at 5 20 "DIGITE [1] PARA AJUSTAR AS CORES DO JOGO"
expect_at 5 22 "DIGITE [2] PARA COMEÇAR A JOGAR"
expect_at 60 24 "[ESC] PARA SAIR"

"${TMUX_CMD[@]}" send-keys -t game 2
expect_at 52 6 "Vidas: 3     "
expect_at 1 1 "╔═══"
expect_at 77 1 "═══╗"
expect_at 1 25 "╚═══"
expect_at 77 25 "═══╝"
expect_at 49 1 "═╦═"
expect_at 49 25 "═╩═"
expect_at 50 10 "╠═══"
expect_at 77 10 "═══╣"
expect_at 1 12 "║"
expect_at 50 12 "║"
expect_at 80 12 "║"
expect_at 52 12 "↑ ↓ → ← Movimentam a Nave"
expect_at 52 14 "[A] - Tiro Normal da Nave"
expect_at 52 16 "[W] - Especial 1"
expect_at 52 18 "[E] - Especial 2"
expect_at 52 20 "[ESPAÇO] - Pausa/Despausa"
expect_at 52 22 "[ESC] - Sai do Jogo"
expect_at 63 3 "Especial A: 5"
expect_at 63 5 "Especial b: 5"
expect_at 52 8 "Nível: 1"
expect_at 52 9 "           Pontos: "
expect_at 25 23 "±"
wait_for "the ship in yellow" ship_is_yellow

"${TMUX_CMD[@]}" send-keys -t game Space
expect_at 75 24 "PAUSE"
"${TMUX_CMD[@]}" send-keys -t game Space
wait_for "the pause to end" gone "PAUSE"
expect_at 52 6 "Vidas: "
expect_at 1 1 "╔"

"${TMUX_CMD[@]}" send-keys -t game Escape
expect_at 20 12 "ATE A PROXIMA"
[[ "$(text_at 20 14 20)" =~ ^[0-9]+\ PONTOS ]] || fail "no score under the farewell: '$(text_at 20 14 20)'"
"${TMUX_CMD[@]}" send-keys -t game k
"${TMUX_CMD[@]}" send-keys -t game x  # the intro again, cut short
expect_at 5 20 "DIGITE [1] PARA AJUSTAR AS CORES DO JOGO"

"${TMUX_CMD[@]}" send-keys -t game Escape
expect_restored 0
echo "menu, game, pause, farewell and quit as a player sees them"
