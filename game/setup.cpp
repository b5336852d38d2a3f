#include "game/setup.hpp"

#include "conio/conio.hpp"
#include "conio/services.hpp"
#include "game/observer.hpp"

void startProcess(Game& g) {
    const GameState start;
    g.state.key = start.key;
    g.state.resumeKey = start.resumeKey;
    g.state.blockTimer = start.blockTimer;
    g.menuState = kMenuShown;
    // Positive, so the first menu behaves like every later one (which the return from a game
    // enters with page 1): its first key clears what the intro left on the screen first.
    g.settingsPage = 1;
    g.colors = ColorScheme{};
    g.palette = kDefaultPalette;
}

unsigned setUpGame(Game& g) {
    const CarriedOver carried = carriedFrom(g.state);
    g.state = GameState{};
    g.state.key = 1;
    g.state.blockTimer = carried.blockTimer;
    g.state.blockColumn = carried.blockColumn;
    g.tuning = Tuning{};
    g.field = PlayField{};
    // The generator takes the low 32 bits of the clock, as the classic srand(time(NULL)) does.
    const auto seed = static_cast<unsigned>(conio::time(nullptr));
    conio::srand(seed);
    g.field.shipLayer[g.state.shipX][g.state.shipY] = Cell::Live;
    conio::clrscr();
    conio::gotoxy(1, 1);
    return seed;
}
