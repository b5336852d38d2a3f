# A player's walk in a real terminal: the intro draws the banner line by line, the menu
# animates it, '1' steps through the six colour pages with the arrows and Enter (ESC is
# ignored there), the menu comes back, and ESC ends the program with the terminal restored.
set -euo pipefail
export LC_ALL=C.UTF-8

source "$(dirname "$0")/session.bash"
# No sound device is needed to walk the menus.
export SDL_AUDIODRIVER=dummy

screen() { pane_text; }
row() { screen | sed -n "$1p"; }
colour_row() { "${TMUX_CMD[@]}" capture-pane -p -e -t game | sed -n "$1p"; }
shows() { screen_shows "$1"; }
row_shows() { row "$1" | grep -qF -- "$2"; }
# The character at a 1-based column of a row.
cell() { local line; line=$(row "$1"); printf '%s' "${line:$(($2 - 1)):1}"; }
colour_row_differs() { [[ $(colour_row "$1") != "$2" ]]; }
keys() { "${TMUX_CMD[@]}" send-keys -t game "$@"; }

start_game 80 25

# The intro: the first block appears long before the second one (about 6 s of jingle).
wait_for 10 "the banner's first line" row_shows 2 ".--.  .--. .-------."
row 10 | grep -q '[^ ]' && fail "the second block was drawn with the first line"
wait_for 30 "the menu after the intro" shows "DIGITE [1] PARA AJUSTAR AS CORES DO JOGO"
shows "DIGITE [2] PARA COMEÇAR A JOGAR" || fail "second menu line"
row_shows 24 "[ESC] PARA SAIR" || fail "the quit hint on row 24"
row_shows 15 "\`-'    \`-'  \`----'  \`-'  \`--'" || fail "the banner's last line on row 15"
for r in 8 9; do row "$r" | grep -q '[^ ]' && fail "row $r was written"; done

# The banner animates under the menu: its colour changes every 50 ms.
before=$(colour_row 2)
wait_for 3 "the banner to change colour" colour_row_differs 2 "$before"

keys 1
wait_for 5 "page 1" row_shows 7 " COR DA SUA NAVE:    ±"
shows "DIGITE" && fail "the menu was not cleared for the pages"
row_shows 14 "USE ← → PARA DEFINIR A COR E [ENTER] PARA CONTINUAR" || fail "the prompt"
before=$(colour_row 7)
keys Right
wait_for 3 "the preview to take the next colour" colour_row_differs 7 "$before"

keys Enter
wait_for 3 "page 2" row_shows 7 " COR DAS NAVES INIMIGAS:    ♥  ♦  ♣  ♠"
# ESC is ignored on a page: the arrow pressed after it still changes page 2's preview.
before=$(colour_row 7)
keys Escape
keys Right
wait_for 3 "page 2 to take the arrow after ESC" colour_row_differs 7 "$before"
row_shows 7 " COR DAS NAVES INIMIGAS:" || fail "ESC left page 2"

keys Enter
wait_for 3 "page 3" row_shows 7 " COR DO TIRO DOS INIMIGOS:"
for r in 3 5 7; do [[ $(cell "$r" 48) == "│" ]] || fail "no shot mark at column 48 of row $r"; done

keys Enter
wait_for 3 "page 4" row_shows 7 " COR DO TIRO DA SUA NAVE:"

keys Enter
wait_for 3 "page 5" row_shows 7 " COR DA TELA DO JOGO:"
for r in 3 5; do row "$r" | grep -q '[^ ]' && fail "the block did not cover the mark on row $r"; done
# The default screen colour 4 (red) as the block's background, columns 45 to 52,
# whatever the foreground in force: ANSI red, or the 256-colour red where tmux's TERM has
# 256 colours.
block16="$(printf '%44s')"$'\e[41m        \e[40m'
block256="$(printf '%44s')"$'\e[48;5;124m        \e[48;5;16m'
backgrounds() { colour_row "$1" | sed -E 's/\x1b\[(3[0-9]|9[0-7]|38;5;[0-9]+)m//g'; }
red_block_on() { backgrounds "$1" | grep -qF -e "$block16" -e "$block256"; }
for r in 3 4 5 6; do red_block_on "$r" || fail "no red block on row $r"; done

keys Enter
wait_for 3 "page 6" row_shows 7 " COR DAS MENSAGENS NA TELA:    MENSAGENS"
row 7 | grep -qF "JOGO" && fail "page 5's title shows through"
for r in 3 4 5 6; do colour_row "$r" | grep -qF -e $'\e[41m' -e $'\e[48;5;124m' && fail "page 5's block left on row $r"; done

keys Enter
wait_for 3 "the menu after page 6" shows "DIGITE [1] PARA AJUSTAR AS CORES DO JOGO"

keys Escape
expect_restored 0

echo "intro, menu and the six colour pages walked"
