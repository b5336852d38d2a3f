#include "game/setup.hpp"

#include "conio/conio.hpp"
#include "conio/services.hpp"

void startProcess(Game& g) {
    g.state.key = 0;
    g.state.resumeKey = kKeySpace;
    g.menuState = kMenuShown;
    // Positive, so the first menu behaves like every later one (which the return from a game
    // enters with page 1): its first key clears what the intro left on the screen first.
    g.settingsPage = 1;
    g.colors = ColorScheme{14, 2, 4, 5, 8, 8};
    g.state.blockTimer = 20;
    g.palette = kDefaultPalette;
}

namespace {

void emptyLayers(PlayField& field) {
    for (CellLayer* layer : {&field.shipLayer, &field.shotLayer, &field.enemyLayer, &field.enemyShotLayer,
                             &field.blockLayer, &field.weaponPickupLayer, &field.scorePickupLayer,
                             &field.lifePickupLayer}) {
        for (auto& column : *layer) column.fill(Cell::Empty);
    }
    for (auto& column : field.enemyGlyphLayer) column.fill(0);
}

}  // namespace

unsigned setUpGame(Game& g) {
    GameState& s = g.state;
    s.key = 1;
    s.resumeKey = kKeySpace;
    Tuning& t = g.tuning;
    t.maxEnemies = 10;
    t.enemySpawnOdds = 30;
    t.blockSpawnOdds = 15;
    t.enemyMoveOdds = 50;
    t.enemyFireOdds = 100;
    t.frameDelay = 50;
    t.pickupOdds = 15000;
    t.levelThreshold = 120;
    s.lives = 3;
    s.bombCharges = 5;
    s.volleyCharges = 5;
    s.enemyCount = 0;
    s.score = 0;
    s.level = 0;
    s.blockStage = 0;
    emptyLayers(g.field);
    // The generator takes the low 32 bits of the clock, as the classic srand(time(NULL)) does.
    const auto seed = static_cast<unsigned>(conio::time(nullptr));
    conio::srand(seed);
    g.field.shipLayer[25][23] = Cell::Live;
    s.shipX = 25;
    s.shipY = 23;
    conio::clrscr();
    conio::gotoxy(1, 1);
    return seed;
}
