#include "game/block.hpp"

#include "conio/services.hpp"

namespace {

constexpr int kBlockRows = 6;
constexpr int kRowWidth = 5;
constexpr int kTimerCycle = 20;  // the timer runs 0..20: one fall every 21 ticks
// A new block's first row starts between these columns; the rows after it drift up to two
// columns either way.
constexpr int kSpawnLeft = kFieldLeft + 2;
constexpr int kSpawnRight = kFieldRight - 3;

bool anyBlockCellLeft(const CellLayer& block) {
    for (int x = 0; x <= kFieldRight; ++x) {
        for (int y = 0; y <= kFieldBottom; ++y) {
            if (block[x][y] == Cell::Live) return true;
        }
    }
    return false;
}

// Bottom-up within each column, so every cell moves exactly one row and a cell that
// receives the one above it stays Live.
void fallOneRow(CellLayer& block) {
    for (int x = kDivider; x >= kFieldLeft; --x) {
        for (int y = kLayerRows - 1; y >= kFieldTop; --y) {
            if (block[x][y] != Cell::Live) continue;
            if (y < kFieldBottom) block[x][y + 1] = Cell::Live;
            if (y <= kFieldBottom) block[x][y] = Cell::Erase;
        }
    }
}

// A row of five on the field's top row from column x0. A ragged row can start at 47 or 48 and would
// run past the layer's last column; those cells are dropped, as nothing reads block
// cells beyond column 50 anyway.
void placeRow(CellLayer& block, int x0) {
    for (int x = x0; x < x0 + kRowWidth; ++x) {
        if (x >= 0 && x < kLayerColumns) block[x][kFieldTop] = Cell::Live;
    }
}

}  // namespace

void updateBlock(PlayField& field, GameState& state, const Tuning& tuning) {
    CellLayer& block = field.blockLayer;
    if (state.blockStage == kBlockRows && !anyBlockCellLeft(block)) state.blockStage = 0;

    if (state.blockTimer == 0) fallOneRow(block);

    if (state.blockStage >= 1 && state.blockStage < kBlockRows && state.blockTimer == 0) {
        const int d = conio::rand() % 5 - 2;
        placeRow(block, state.blockColumn + d);
        ++state.blockStage;
    }

    if (++state.blockTimer > kTimerCycle) state.blockTimer = 0;

    // A timer of 1 here means it was 0 when the phase began: one roll per cycle.
    if (state.blockStage == 0 && state.blockTimer == 1 &&
        conio::rand() % tuning.blockSpawnOdds == 0) {
        state.blockColumn = conio::rand() % (kSpawnRight - kSpawnLeft + 1) + kSpawnLeft;
        placeRow(block, state.blockColumn);
        state.blockStage = 1;
    }
}
