#pragma once
// Small helpers for the play rules' tests: a game with nothing on the field but the ship,
// and the cells of a layer listed so a test can compare a whole layer at once.
#include <utility>
#include <vector>

#include "game/state.hpp"

using CellList = std::vector<std::pair<int, int>>;

// Empty layers but the ship Live on (25, 23), key 1, and nothing else set up: a rule's
// test places just what it needs.
inline Game gameWithOnlyTheShip() {
    Game game;
    game.state.key = 1;
    game.field.shipLayer[25][23] = Cell::Live;
    return game;
}

// Every cell of the whole index range in `state`, ordered by x then y.
inline CellList cellsIn(const CellLayer& layer, Cell state) {
    CellList cells;
    for (int x = 0; x < kLayerColumns; ++x) {
        for (int y = 0; y < kLayerRows; ++y) {
            if (layer[x][y] == state) cells.emplace_back(x, y);
        }
    }
    return cells;
}

inline int liveCells(const CellLayer& layer) {
    int count = 0;
    for (const auto& column : layer) {
        for (Cell cell : column) count += cell == Cell::Live;
    }
    return count;
}

// What the render pass does to the cells: Erase becomes Empty. Lets a test run the
// same phase over several ticks.
inline void clearErased(CellLayer& layer) {
    for (auto& column : layer) {
        for (Cell& cell : column) {
            if (cell == Cell::Erase) cell = Cell::Empty;
        }
    }
}
