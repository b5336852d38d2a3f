#include "game/enemies.hpp"

#include "conio/services.hpp"

namespace {

// The enemy area: the field above its bottom row. Enemies enter on its top row and never
// leave it.
constexpr int kAreaLeft = kFieldLeft;
constexpr int kAreaRight = kFieldRight;
constexpr int kAreaTop = kFieldTop;
constexpr int kAreaBottom = kFieldBottom - 1;

// The scans of the move and settle passes start on the frame and cover every cell that can
// collide.
constexpr int kScanRight = kFieldRight;
constexpr int kScanBottom = kFieldBottom;

constexpr int kFirstGlyph = 3;
constexpr int kGlyphCount = 4;

// One draw; true with a chance of 1 in `odds`. Odds below 1 never arise in play, but
// a modulus of 0 would be undefined, so they count as a certainty.
bool oneIn(int odds) {
    const int n = conio::rand();
    return odds == 0 || n % odds == 0;
}

// A coordinate drawn among c-1, c and c+1, clipped to lo..hi (one draw).
int drawNear(int c, int lo, int hi) {
    if (c <= lo) return conio::rand() % 2 + lo;
    if (c >= hi) return conio::rand() % 2 + hi - 1;
    return conio::rand() % 3 + c - 1;
}

void tryWander(PlayField& field, int x, int y) {
    const int tx = drawNear(x, kAreaLeft, kAreaRight);
    const int ty = drawNear(y, kAreaTop, kAreaBottom);
    if (field.enemyLayer[tx][ty] != Cell::Empty) return;
    field.enemyLayer[x][y] = Cell::Erase;
    field.enemyLayer[tx][ty] = Cell::Moved;
    field.enemyGlyphLayer[tx][ty] = field.enemyGlyphLayer[x][y];
    field.enemyGlyphLayer[x][y] = 0;
}

void settle(CellLayer& layer) {
    for (int y = kFrameTop; y <= kScanBottom; ++y) {
        for (int x = kFrameLeft; x <= kScanRight; ++x) {
            if (layer[x][y] == Cell::Moved) layer[x][y] = Cell::Live;
        }
    }
}

}  // namespace

void spawnEnemy(PlayField& field, GameState& state, const Tuning& tuning) {
    if (state.enemyCount >= tuning.maxEnemies) return;
    if (!oneIn(tuning.enemySpawnOdds)) return;
    const int col = conio::rand() % (kAreaRight - kAreaLeft + 1) + kAreaLeft;
    if (field.enemyLayer[col][kAreaTop] != Cell::Empty) return;
    const int glyph = conio::rand() % kGlyphCount + kFirstGlyph;
    field.enemyGlyphLayer[col][kAreaTop] = glyph;
    field.enemyLayer[col][kAreaTop] = Cell::Live;
    ++state.enemyCount;
}

void wanderEnemies(PlayField& field, const Tuning& tuning) {
    // Every scanned cell costs one draw, enemy or not, so the sequence of draws does not
    // depend on where the enemies stand. An enemy that moved right or down is met again
    // as Moved, not Live, and so moves once per tick.
    for (int y = kFrameTop; y <= kAreaBottom; ++y) {
        for (int x = kFrameLeft; x <= kScanRight; ++x) {
            if (oneIn(tuning.enemyMoveOdds) && field.enemyLayer[x][y] == Cell::Live) {
                tryWander(field, x, y);
            }
        }
    }
}

void settleEnemies(PlayField& field) { settle(field.enemyLayer); }

void advanceEnemyShots(PlayField& field) {
    // A shot is written Moved below itself without looking: a Live shot there that the
    // scan has not reached is absorbed, so two stacked shots merge into the lower one.
    for (int y = kFrameTop; y <= kFieldBottom; ++y) {
        for (int x = kFrameLeft; x <= kScanRight; ++x) {
            if (field.enemyShotLayer[x][y] != Cell::Live) continue;
            if (y == kFieldBottom) {
                field.enemyShotLayer[x][y] = Cell::Erase;
            } else if (field.shotLayer[x][y + 1] == Cell::Empty) {
                field.enemyShotLayer[x][y] = Cell::Erase;
                field.enemyShotLayer[x][y + 1] = Cell::Moved;
            }
            // Otherwise a player's shot (or the cell one just left) is below: wait here,
            // so the two never pass each other and the collision pass meets them.
        }
    }
}

void settleEnemyShots(PlayField& field) { settle(field.enemyShotLayer); }

void fireEnemyShots(PlayField& field, const Tuning& tuning) {
    for (int y = kAreaBottom; y >= kAreaTop; --y) {
        for (int x = kAreaRight; x >= kAreaLeft; --x) {
            if (field.enemyLayer[x][y] != Cell::Live) continue;
            if (oneIn(tuning.enemyFireOdds)) field.enemyShotLayer[x][y + 1] = Cell::Live;
        }
    }
}

void destroyEnemy(PlayField& field, GameState& state, int x, int y) {
    field.enemyLayer[x][y] = Cell::Erase;
    field.enemyGlyphLayer[x][y] = 0;
    --state.enemyCount;
}
