#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "conio/conio.hpp"
#include "conio/services.hpp"
#include "game/block.hpp"
#include "game/weapons.hpp"
#include "tests/support/headless.hpp"
#include "tests/support/play_state.hpp"
#include "tests/support/sleep_watch.hpp"

namespace {

struct Bench {
    HeadlessConsole console;
    platform::HeadlessPlatform& platform = console.platform;
    PlayField field;
    GameState state;
    ColorScheme colors;

    explicit Bench(char key) { state.key = static_cast<std::int8_t>(key); }
};

}  // namespace

TEST(Volley, FillsFourRowsWhateverTheyHeld) {
    for (char key : {'w', 'W'}) {
        Bench b(key);
        b.state.shipY = 5;
        b.field.shipLayer[25][5] = Cell::Live;
        b.field.shotLayer[10][20] = Cell::Erase;
        b.field.shotLayer[10][19] = Cell::Live;
        fireVolley(b.field, b.state);
        EXPECT_EQ(b.state.volleyCharges, 4);
        for (int x = 2; x <= 49; ++x) {
            for (int y = 20; y <= 23; ++y) EXPECT_EQ(b.field.shotLayer[x][y], Cell::Live);
        }
        EXPECT_EQ(liveCells(b.field.shotLayer), 192 + 1);
        EXPECT_EQ(b.field.shipLayer[25][5], Cell::Live);
        EXPECT_TRUE(b.platform.tones().empty());
    }
}

TEST(Volley, NeedsItsKeyAndACharge) {
    Bench none('w');
    none.state.volleyCharges = 0;
    fireVolley(none.field, none.state);
    EXPECT_EQ(none.state.volleyCharges, 0);
    EXPECT_EQ(liveCells(none.field.shotLayer), 0);

    Bench other('e');
    fireVolley(other.field, other.state);
    EXPECT_EQ(other.state.volleyCharges, 5);
    EXPECT_EQ(liveCells(other.field.shotLayer), 0);
}

TEST(BombSweep, ScansRowByRowSoOrderDecidesTheScore) {
    // Block first (an earlier row, though a later column): 499 -> 500 -> 501.
    Bench before('e');
    before.state.score = 499;
    before.state.enemyCount = 1;
    before.field.blockLayer[10][5] = Cell::Live;
    before.field.enemyLayer[3][6] = Cell::Live;
    before.field.enemyGlyphLayer[3][6] = 4;
    dropBomb(before.field, before.state, before.colors);
    EXPECT_EQ(before.state.score, 501);
    EXPECT_EQ(before.state.enemyCount, 0);
    EXPECT_EQ(before.field.enemyLayer[3][6], Cell::Erase);
    EXPECT_EQ(before.field.enemyGlyphLayer[3][6], 0);
    EXPECT_EQ(before.field.blockLayer[10][5], Cell::Erase);

    // Enemy first in the same row: 499 -> 500 -> 502.
    Bench after('E');
    after.state.score = 499;
    after.field.enemyLayer[3][5] = Cell::Live;
    after.field.blockLayer[4][5] = Cell::Live;
    dropBomb(after.field, after.state, after.colors);
    EXPECT_EQ(after.state.score, 502);
    EXPECT_EQ(after.state.bombCharges, 4);
}

TEST(BombSweep, ScoresEachKindAndLeavesTheRest) {
    Bench b('e');
    b.state.score = 1000;
    b.state.level = 4;
    b.state.enemyCount = 2;
    for (int x : {2, 3, 4}) b.field.blockLayer[x][24] = Cell::Live;  // 1003, 1006, 1009
    b.field.enemyLayer[49][24] = Cell::Live;   // + 5 at level 4
    b.field.enemyLayer[20][2] = Cell::Moved;   // not Live: left alone
    b.field.enemyShotLayer[30][24] = Cell::Live;  // + 1
    b.field.blockLayer[50][10] = Cell::Live;   // the divider column is outside the sweep
    b.field.shipLayer[25][23] = Cell::Live;
    b.field.shotLayer[25][22] = Cell::Live;
    b.field.scorePickupLayer[7][7] = Cell::Live;
    dropBomb(b.field, b.state, b.colors);
    EXPECT_EQ(b.state.score, 1009 + 1 + 5);
    EXPECT_EQ(b.state.enemyCount, 1);
    EXPECT_EQ(b.field.enemyLayer[20][2], Cell::Moved);
    EXPECT_EQ(b.field.enemyShotLayer[30][24], Cell::Erase);
    EXPECT_EQ(b.field.blockLayer[50][10], Cell::Live);
    EXPECT_EQ(b.field.shipLayer[25][23], Cell::Live);
    EXPECT_EQ(b.field.shotLayer[25][22], Cell::Live);
    EXPECT_EQ(b.field.scorePickupLayer[7][7], Cell::Live);
}

TEST(BombSweep, ScoreSaturatesAtTheTop) {
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    Bench b('e');
    b.state.score = kMax - 1;
    b.state.level = 10;
    b.field.enemyLayer[5][5] = Cell::Live;
    b.field.blockLayer[6][5] = Cell::Live;
    b.field.enemyShotLayer[7][5] = Cell::Live;
    dropBomb(b.field, b.state, b.colors);
    EXPECT_EQ(b.state.score, kMax);
}

TEST(BombFlash, EmptyFieldStillFlashesAndBlanks) {
    Bench b('e');
    platform::ScreenBuffer& screen = b.platform.screen();
    fillChars(screen, 0, 0, 80 * 25, 'X');
    b.colors.shotColor = 11;
    dropBomb(b.field, b.state, b.colors);

    EXPECT_EQ(b.state.bombCharges, 4);
    EXPECT_EQ(conio::randDraws(), 300u);  // a column and a row per sparkle
    const auto& tones = b.platform.tones();
    const auto& sleeps = b.platform.sleeps();
    ASSERT_EQ(tones.size(), 150u);
    ASSERT_EQ(sleeps.size(), 150u);
    for (std::size_t i = 0; i < 150; ++i) {
        EXPECT_EQ(tones[i].frequencyHz, i % 2 == 0 ? 3000u : 5000u);
        EXPECT_EQ(tones[i].durationMs, 15u);
        EXPECT_EQ(sleeps[i].durationMs, 3u);
        EXPECT_EQ(sleeps[i].startMs, tones[i].startMs + 15);  // each pause follows its tone
    }
    EXPECT_EQ(b.platform.nowMs(), 150 * 18);

    // Columns 2..49, rows 2..24 are blank in the sparkle colour; frame and panel untouched.
    for (int y = 0; y < 25; ++y) {
        for (int x = 0; x < 80; ++x) {
            const bool inField = x >= 1 && x <= 48 && y >= 1 && y <= 23;
            const platform::Cell cell = cellAt(screen, x, y);
            EXPECT_EQ(cell.ch, inField ? ' ' : 'X') << x << "," << y;
            if (inField) {
                EXPECT_EQ(cell.attr & 0x0F, 11) << x << "," << y;
            }
        }
    }
}

TEST(BombFlash, EachSparkleIsDrawnAtItsColumnThenRowDraws) {
    Bench b('e');
    // At every pause of the flash, the sparkle just drawn left of the cursor.
    struct Seen {
        int x, y;
        platform::Cell cell;
    };
    std::vector<Seen> seen;
    SleepWatchingPlatform peek(b.platform, [&](platform::HeadlessPlatform& inner) {
        const platform::ScreenBuffer& s = inner.screen();
        seen.push_back({s.cursorX - 1, s.cursorY, cellAt(s, s.cursorX - 1, s.cursorY)});
    });
    conio::installPlatform(peek);
    b.colors.shotColor = 12;
    conio::scriptRand({7, 3, 47, 22, 0, 0});
    dropBomb(b.field, b.state, b.colors);
    ASSERT_EQ(seen.size(), 150u);
    const int expected[3][2] = {{9, 5}, {49, 24}, {2, 2}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(seen[i].x + 1, expected[i][0]);
        EXPECT_EQ(seen[i].y + 1, expected[i][1]);
        EXPECT_EQ(seen[i].cell.ch, 15);
        EXPECT_EQ(seen[i].cell.attr & 0x0F, 12);
    }
}

TEST(BombFlash, NoChargeDoesNothingAtAll) {
    Bench b('e');
    b.state.bombCharges = 0;
    b.field.enemyLayer[5][5] = Cell::Live;
    b.state.enemyCount = 1;
    dropBomb(b.field, b.state, b.colors);
    EXPECT_EQ(b.state.bombCharges, 0);
    EXPECT_EQ(b.state.score, 0);
    EXPECT_EQ(b.state.enemyCount, 1);
    EXPECT_EQ(b.field.enemyLayer[5][5], Cell::Live);
    EXPECT_TRUE(b.platform.tones().empty());
    EXPECT_TRUE(b.platform.sleeps().empty());
    EXPECT_EQ(conio::randDraws(), 0u);
    EXPECT_EQ(conio::__FOREGROUND, 7);
}

TEST(BombFlash, EndsACompleteBlockInTheSameTick) {
    Bench b('e');
    b.state.blockStage = 6;
    b.state.blockTimer = 7;
    for (int x = 20; x <= 24; ++x) b.field.blockLayer[x][12] = Cell::Live;
    dropBomb(b.field, b.state, b.colors);
    updateBlock(b.field, b.state, Tuning{});
    EXPECT_EQ(b.state.blockStage, 0);
    EXPECT_EQ(b.state.score, 5);
}
