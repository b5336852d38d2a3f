#include "game/weapons.hpp"

#include "conio/conio.hpp"
#include "conio/services.hpp"
#include "game/enemies.hpp"
#include "game/score.hpp"
#include "game/screen.hpp"

namespace {

constexpr int kFlashSteps = 150;
// 150 steps of tone plus the 3 ms pause last about 2.7 s: long enough to read as a
// blast, short enough not to stall play.
constexpr unsigned kFlashToneMs = 15;
constexpr unsigned kFlashPauseMs = 3;
// The volley fills the four rows above the field's bottom row.
constexpr int kVolleyTop = kFieldBottom - 4;
constexpr int kVolleyBottom = kFieldBottom - 1;

bool isKey(const GameState& state, char lower, char upper) {
    return state.key == lower || state.key == upper;
}

// Row by row, left to right: the order matters because a block cell's value grows with
// the score reached so far.
void sweepField(PlayField& field, GameState& state) {
    for (int y = kFieldTop; y <= kFieldBottom; ++y) {
        for (int x = kFieldLeft; x <= kFieldRight; ++x) {
            if (field.enemyLayer[x][y] == Cell::Live) {
                destroyEnemy(field, state, x, y);
                state.score = addPoints(state.score, std::int64_t{state.level} + 1);
            }
            if (field.enemyShotLayer[x][y] == Cell::Live) {
                field.enemyShotLayer[x][y] = Cell::Erase;
                state.score = addPoints(state.score, 1);
            }
            if (field.blockLayer[x][y] == Cell::Live) {
                field.blockLayer[x][y] = Cell::Erase;
                state.score = scoreAfterBlockCell(state.score);
            }
        }
    }
}

void flash() {
    for (int step = 0; step < kFlashSteps; ++step) {
        conio::_beep(step % 2 == 0 ? 3000 : 5000, kFlashToneMs);
        const int x = conio::rand() % kFieldWidth + kFieldLeft;
        const int y = conio::rand() % kFieldHeight + kFieldTop;
        conio::gotoxy(x, y);
        conio::printf("%c", glyph::kSparkle);
        conio::_sleep(kFlashPauseMs);
    }
}

}  // namespace

void fireVolley(PlayField& field, GameState& state) {
    if (!isKey(state, 'w', 'W') || state.volleyCharges < 1) return;
    --state.volleyCharges;
    for (int x = kFieldLeft; x <= kFieldRight; ++x) {
        for (int y = kVolleyTop; y <= kVolleyBottom; ++y) field.shotLayer[x][y] = Cell::Live;
    }
}

void dropBomb(PlayField& field, GameState& state, const ColorScheme& colors) {
    if (!isKey(state, 'e', 'E') || state.bombCharges < 1) return;
    --state.bombCharges;
    sweepField(field, state);
    conio::textcolor(colors.shotColor);
    flash();
    // Wipes sparkles and objects from the screen; the render pass of this tick draws
    // again whatever is still Live.
    blankPlayField();
}
