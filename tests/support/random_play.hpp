#pragma once
// Random play for the long-running game tests: the keys a player might press, and what
// must hold of the play field after every whole tick, whatever was pressed.
#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <random>

#include "game/state.hpp"

// Mostly a key of the game or the menus (an arrow, alone or after its 224 prefix, a shot, a
// special, pause, a menu choice, Enter), one draw in eight any other byte. Never ESC: a test
// sends ESC itself where it wants a game or the program to end, so that games otherwise
// end only by losing.
inline std::uint8_t randomKey(std::mt19937& rng) {
    static constexpr std::uint8_t kKeys[] = {
        224, kKeyUp, kKeyDown, kKeyLeft, kKeyRight, 'a', 'A', 'w', 'W', 'e', 'E', kKeySpace, '1', '2', kKeyEnter, 0,
    };
    if (rng() % 8 == 0) {
        const auto stray = static_cast<std::uint8_t>(rng() % 256);
        return stray == kKeyEsc ? 0 : stray;
    }
    return kKeys[rng() % std::size(kKeys)];
}

// After the render pass every visible cell is Empty or Live, nothing outside the field's
// index range but the block has come alive, each live enemy stands inside the field with its
// glyph and no glyph is left without one, the enemy count matches, and the ship has exactly
// its own cell.
inline void expectSettledField(const Game& g) {
    const PlayField& f = g.field;
    const CellLayer* layers[] = {&f.shipLayer, &f.shotLayer, &f.enemyLayer, &f.enemyShotLayer,
                                 &f.blockLayer, &f.weaponPickupLayer, &f.scorePickupLayer,
                                 &f.lifePickupLayer};
    int enemies = 0;
    int shipCells = 0;
    for (int x = 0; x < kLayerColumns; ++x) {
        for (int y = 0; y < kLayerRows; ++y) {
            const bool visible = x >= 1 && x <= 49 && y >= 1 && y <= 24;
            for (const CellLayer* layer : layers) {
                const Cell cell = (*layer)[x][y];
                if (visible) {
                    ASSERT_TRUE(cell == Cell::Empty || cell == Cell::Live) << x << "," << y;
                } else if (layer != &f.blockLayer) {
                    ASSERT_EQ(cell, Cell::Empty) << x << "," << y;
                }
            }
            shipCells += f.shipLayer[x][y] == Cell::Live;
            const bool enemy = f.enemyLayer[x][y] == Cell::Live;
            enemies += enemy;
            ASSERT_TRUE(!enemy || (x >= 2 && x <= 49 && y >= 2 && y <= 23)) << "an enemy at " << x << "," << y;
            const int glyph = f.enemyGlyphLayer[x][y];
            ASSERT_TRUE(enemy ? glyph >= 3 && glyph <= 6 : glyph == 0) << x << "," << y;
        }
    }
    ASSERT_EQ(enemies, g.state.enemyCount);
    ASSERT_LE(g.state.enemyCount, g.tuning.maxEnemies);
    ASSERT_EQ(shipCells, 1);
    ASSERT_EQ(f.shipLayer[g.state.shipX][g.state.shipY], Cell::Live);
}
