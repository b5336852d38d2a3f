#include "game/setup.hpp"

#include <gtest/gtest.h>

#include "tests/support/game_screen.hpp"
#include "tests/support/headless.hpp"

namespace {

// Every cell of every layer, the frame positions and the outer index range included, holds
// something, as a finished game may leave them.
void litter(PlayField& f) {
    for (CellLayer* layer : {&f.shipLayer, &f.shotLayer, &f.enemyLayer, &f.enemyShotLayer, &f.blockLayer,
                             &f.weaponPickupLayer, &f.scorePickupLayer, &f.lifePickupLayer}) {
        for (auto& column : *layer) column.fill(Cell::Erase);
    }
    for (auto& column : f.enemyGlyphLayer) column.fill(5);
}

int nonEmptyCells(const PlayField& f) {
    int count = 0;
    for (const CellLayer* layer : {&f.shipLayer, &f.shotLayer, &f.enemyLayer, &f.enemyShotLayer, &f.blockLayer,
                                   &f.weaponPickupLayer, &f.scorePickupLayer, &f.lifePickupLayer}) {
        for (const auto& column : *layer)
            for (Cell c : column) count += c != Cell::Empty;
    }
    for (const auto& column : f.enemyGlyphLayer)
        for (int v : column) count += v != 0;
    return count;
}

}  // namespace

TEST(ProcessStart, SetsOnlyTheProcessWideValues) {
    Game g;
    g.state.key = 50;
    g.state.resumeKey = 0;
    g.state.blockTimer = 3;
    g.state.score = 77;  // not a process-start value: left alone
    g.colors = ColorScheme{1, 1, 1, 1, 1, 1};
    g.palette.fill(9);
    g.menuState = kMenuQuit;
    g.settingsPage = 0;
    startProcess(g);
    EXPECT_EQ(g.state.key, 0);
    EXPECT_EQ(g.state.resumeKey, 32);
    EXPECT_EQ(g.state.blockTimer, 20);
    EXPECT_EQ(g.state.score, 77);
    EXPECT_EQ(g.menuState, kMenuShown);
    EXPECT_EQ(g.settingsPage, 1);
    const ColorScheme& c = g.colors;
    EXPECT_EQ((std::array<int, 6>{c.shipColor, c.enemyColor, c.screenColor, c.enemyShotColor, c.shotColor,
                                  c.messageColor}),
              (std::array<int, 6>{14, 2, 4, 5, 8, 8}));
    for (int i = 0; i < 16; ++i) EXPECT_EQ(g.palette[static_cast<std::size_t>(i)], i);
}

class GameSetUp : public HeadlessTest {};

TEST_F(GameSetUp, StartsFreshAndCarriesTheBlockTimerAndColours) {
    Game g = gameAfterSetUp();
    // A first game that went somewhere, then a second set-up.
    GameState& s = g.state;
    s = GameState{9999, 0, 7, 0, 40, 12, 3, 4, 27, 27, 6, 13, 31};
    g.tuning = Tuning{99, 1, 1, 2, 3, 4, 0, 12000};
    g.colors.shipColor = 11;
    litter(g.field);
    platform.setEpochSeconds(4242);
    conio::gotoxy(30, 17);
    setUpGame(g);

    // Everything but what a game carries over is back at its starting value.
    const GameState fresh;
    EXPECT_EQ((std::array{s.score, s.lives, s.level, s.bombCharges, s.volleyCharges, s.enemyCount, s.shipX, s.shipY,
                          s.blockStage}),
              (std::array{fresh.score, fresh.lives, fresh.level, fresh.bombCharges, fresh.volleyCharges,
                          fresh.enemyCount, fresh.shipX, fresh.shipY, fresh.blockStage}));
    EXPECT_EQ(s.key, 1);
    EXPECT_EQ(s.resumeKey, 32);
    EXPECT_EQ(s.blockTimer, 13) << "the block timer goes on from where the last game left it";
    EXPECT_EQ(s.blockColumn, 31);
    EXPECT_EQ(g.colors.shipColor, 11);
    const Tuning& t = g.tuning;
    const Tuning start;
    EXPECT_EQ((std::array{t.maxEnemies, t.enemySpawnOdds, t.enemyMoveOdds, t.enemyFireOdds, t.blockSpawnOdds,
                          t.pickupOdds, t.frameDelay, t.levelThreshold}),
              (std::array{start.maxEnemies, start.enemySpawnOdds, start.enemyMoveOdds, start.enemyFireOdds,
                          start.blockSpawnOdds, start.pickupOdds, start.frameDelay, start.levelThreshold}));

    EXPECT_EQ(nonEmptyCells(g.field), 1) << "only the ship is left in the layers";
    EXPECT_EQ(g.field.shipLayer[25][23], Cell::Live);

    // The generator is seeded with the clock: the next draws are the first ones after srand(4242).
    EXPECT_EQ(conio::rand(), 13891);
    EXPECT_EQ(conio::rand(), 22171);
    EXPECT_EQ(conio::wherex(), 1);
    EXPECT_EQ(conio::wherey(), 1);
    EXPECT_EQ(platform.text().find_first_not_of(" \n"), std::string::npos) << "the screen is cleared";
}
