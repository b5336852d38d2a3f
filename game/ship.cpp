#include "game/ship.hpp"

#include "conio/conio.hpp"
#include "game/enemies.hpp"

namespace {

constexpr int kKeyFire = 'a';
constexpr int kKeyFireCapital = 'A';

bool inShipArea(int x, int y) {
    return x >= kFieldLeft && x <= kFieldRight && y >= kFieldTop && y <= kFieldBottom;
}

// Moves the ship one cell from where the cursor stands, and the cursor with it.
void stepShip(PlayField& field, int dx, int dy) {
    const int cx = conio::wherex();
    const int cy = conio::wherey();
    field.shipLayer[cx][cy] = Cell::Erase;
    field.shipLayer[cx + dx][cy + dy] = Cell::Live;
    conio::gotoxy(cx + dx, cy + dy);
}

}  // namespace

void moveShip(PlayField& field, GameState& state) {
    conio::gotoxy(state.shipX, state.shipY);
    // The cursor is the ship's position from here on. If the console refused the move
    // (a window too small for the play field) the cursor stands wherever the last
    // drawing left it: moving from there would put a second ship on the field, or
    // index the grids outside their bounds. The ship then stays where it is.
    if (conio::wherex() != state.shipX || conio::wherey() != state.shipY ||
        !inShipArea(state.shipX, state.shipY)) {
        return;
    }

    const int key = state.key;
    if (key == kKeyUp && conio::wherey() > kFieldTop) {
        stepShip(field, 0, -1);
    } else if (key == kKeyDown && conio::wherey() <= kFieldBottom - 1) {
        stepShip(field, 0, 1);
    } else if (key == kKeyRight && conio::wherex() + 1 <= kFieldRight) {
        stepShip(field, 1, 0);
    } else if (key == kKeyLeft && conio::wherex() > kFieldLeft) {
        stepShip(field, -1, 0);
    }
    state.shipX = conio::wherex();
    state.shipY = conio::wherey();
}

void advanceShots(PlayField& field) {
    // Shots rise against the downward scan, so each lands in a row already passed and
    // moves once; a shot entering a cell another shot just left overwrites its Erase.
    for (int y = kFieldTop; y <= kFieldBottom; ++y) {
        for (int x = kFieldLeft; x <= kFieldRight; ++x) {
            if (field.shotLayer[x][y] != Cell::Live) continue;
            if (y > kFieldTop) field.shotLayer[x][y - 1] = Cell::Live;
            field.shotLayer[x][y] = Cell::Erase;
        }
    }
}

void fireNormalShot(PlayField& field, GameState& state) {
    if (state.key != kKeyFire && state.key != kKeyFireCapital) return;
    if (state.shipY <= kFieldTop) return;
    if (!inShipArea(state.shipX, state.shipY)) return;

    const int x = state.shipX;
    const int y = state.shipY - 1;
    // An enemy with its own shot right above the ship: the shot never leaves the gun,
    // and both are gone without score.
    if (field.enemyLayer[x][y] == Cell::Live && field.enemyShotLayer[x][y] == Cell::Live) {
        destroyEnemy(field, state, x, y);
        field.enemyShotLayer[x][y] = Cell::Erase;
        return;
    }
    field.shotLayer[x][y] = Cell::Live;
}
