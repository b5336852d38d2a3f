#include "game/screen.hpp"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/game_screen.hpp"
#include "tests/support/headless.hpp"

namespace {

class GameScreen : public HeadlessTest {
protected:
    // The frame's glyph expected at (x, y), or 0 inside it.
    static int frameGlyph(int x, int y) {
        if (x == 1 && y == 1) return 201;
        if (x == 80 && y == 1) return 187;
        if (x == 1 && y == 25) return 200;
        if (x == 80 && y == 25) return 188;
        if (x == 50 && y == 1) return 203;
        if (x == 50 && y == 25) return 202;
        if (x == 50 && y == 10) return 204;
        if (x == 80 && y == 10) return 185;
        if (y == 1 || y == 25 || (y == 10 && x > 50)) return 205;
        if (x == 1 || x == 50 || x == 80) return 186;
        return 0;
    }

    // "%i" of the score line as the player sees it: the text of row 9 from column 52 to 79.
    std::string scoreLine() { return bytesAt(platform, 52, 9, 28); }

    Game g = gameAfterSetUp();
};

class Frame : public GameScreen {};
class Hud : public GameScreen {};
class RenderPass : public GameScreen {};

}  // namespace

TEST_F(Frame, HasItsBoxGlyphsTeesAndJunctionInTheScreenColour) {
    g.colors.screenColor = 12;
    conio::textbackground(3);
    drawFrame(g.colors);
    for (int y = 1; y <= 25; ++y) {
        for (int x = 1; x <= 80; ++x) {
            const int expected = frameGlyph(x, y);
            ASSERT_EQ(glyphAt(platform, x, y), expected == 0 ? ' ' : expected) << x << "," << y;
            if (expected != 0) {
                ASSERT_EQ(attrAt(platform, x, y), attr(12)) << x << "," << y;
            }
        }
    }
}

TEST_F(Hud, ShowsItsLinesInTheMessageColour) {
    g.colors.messageColor = 11;
    g.state.bombCharges = 4;
    g.state.volleyCharges = 6;
    g.state.lives = 2;
    g.state.score = 85;
    drawHud(g.state, g.colors);
    EXPECT_EQ(bytesAt(platform, 52, 12, 25), "\x18 \x19 \x1a \x1b Movimentam a Nave");
    EXPECT_EQ(bytesAt(platform, 52, 14, 25), "[A] - Tiro Normal da Nave");
    EXPECT_EQ(bytesAt(platform, 52, 16, 16), "[W] - Especial 1");
    EXPECT_EQ(bytesAt(platform, 52, 18, 16), "[E] - Especial 2");
    EXPECT_EQ(bytesAt(platform, 52, 20, 25), "[ESPA\x80O] - Pausa/Despausa");
    EXPECT_EQ(bytesAt(platform, 52, 22, 19), "[ESC] - Sai do Jogo");
    EXPECT_EQ(bytesAt(platform, 63, 3, 13), "Especial A: 4");
    EXPECT_EQ(bytesAt(platform, 63, 5, 13), "Especial b: 6");
    EXPECT_EQ(bytesAt(platform, 52, 6, 13), "Vidas: 2     ");
    EXPECT_EQ(bytesAt(platform, 52, 8, 8), "N\xA1vel: 1") << "the level is counted from 1";
    EXPECT_EQ(scoreLine(), "           Pontos: 85       ");
    for (int x = 52; x <= 79; ++x) EXPECT_EQ(attrAt(platform, x, 9), attr(11)) << x;
    EXPECT_EQ(attrAt(platform, 63, 3), attr(11));
}

TEST_F(Hud, CountersLeaveNoStaleDigitAndNeverTouchTheBorder) {
    drawFrame(g.colors);
    g.state.bombCharges = 10;
    g.state.volleyCharges = 12;
    g.state.lives = 10;
    g.state.level = 9;
    drawHud(g.state, g.colors);
    EXPECT_EQ(bytesAt(platform, 63, 3, 14), "Especial A: 10");
    g.state.bombCharges = 9;
    g.state.volleyCharges = 0;
    g.state.lives = 9;
    drawHud(g.state, g.colors);
    EXPECT_EQ(bytesAt(platform, 63, 3, 17), "Especial A: 9    ");
    EXPECT_EQ(bytesAt(platform, 63, 5, 17), "Especial b: 0    ");
    EXPECT_EQ(bytesAt(platform, 52, 6, 9), "Vidas: 9 ");
    EXPECT_EQ(bytesAt(platform, 52, 8, 9), "N\xA1vel: 10");
    for (int y = 2; y <= 24; ++y) {
        if (y != 10) {
            EXPECT_EQ(glyphAt(platform, 80, y), 186) << "border at row " << y;
        }
    }
}

TEST_F(Hud, LongScoresKeepEveryDigitInsideThePanel) {
    drawFrame(g.colors);
    const std::pair<int, std::string> cases[] = {
        {9999, "           Pontos: 9999     "},        // as long as the line is meant for
        {10000, "           Pontos: 10000    "},       // fewer trailing blanks
        {123456789, "           Pontos: 123456789"},
        {2147483647, "          Pontos: 2147483647"},  // then fewer leading ones
        {7, "           Pontos: 7        "},           // and a short one after a long one
    };
    for (const auto& [score, shown] : cases) {
        g.state.score = score;
        drawHud(g.state, g.colors);
        EXPECT_EQ(scoreLine(), shown) << score;
        EXPECT_EQ(glyphAt(platform, 80, 9), 186) << score;
        EXPECT_EQ(glyphAt(platform, 51, 9), ' ') << score;
    }
}

TEST_F(RenderPass, DrawsLiveCellsInTheirColoursAndBlanksErasedOnes) {
    PlayField& f = g.field;  // the ship is Live at (25, 23)
    f.shotLayer[10][5] = Cell::Live;
    f.enemyShotLayer[11][6] = Cell::Live;
    f.enemyLayer[12][2] = Cell::Live;
    f.enemyGlyphLayer[12][2] = 6;
    f.blockLayer[30][4] = Cell::Live;
    f.lifePickupLayer[40][20] = Cell::Live;
    f.shotLayer[10][6] = Cell::Erase;
    platform::putCell(platform.screen(), 9, 5, {'#', 7});  // the shot's old picture at (10, 6)
    // Cells outside x 1..49, y 1..24 are neither drawn nor cleared.
    f.enemyLayer[50][5] = Cell::Live;
    f.shipLayer[5][25] = Cell::Live;
    f.shotLayer[0][3] = Cell::Erase;
    renderPlayField(f, g.colors);

    EXPECT_EQ(glyphAt(platform, 25, 23), 241);
    EXPECT_EQ(attrAt(platform, 25, 23), attr(14));
    EXPECT_EQ(glyphAt(platform, 10, 5), 179);
    EXPECT_EQ(attrAt(platform, 10, 5), attr(8));
    EXPECT_EQ(attrAt(platform, 11, 6), attr(5));
    EXPECT_EQ(glyphAt(platform, 12, 2), 6);
    EXPECT_EQ(attrAt(platform, 12, 2), attr(2));
    EXPECT_EQ(glyphAt(platform, 30, 4), ' ');
    EXPECT_EQ(attrAt(platform, 30, 4), attr(4, 6)) << "a brown cell";
    EXPECT_EQ(glyphAt(platform, 40, 20), 15);
    EXPECT_EQ(attrAt(platform, 40, 20), attr(14));
    EXPECT_EQ(glyphAt(platform, 10, 6), ' ');
    EXPECT_EQ(f.shotLayer[10][6], Cell::Empty);
    EXPECT_EQ(f.shotLayer[10][5], Cell::Live);

    EXPECT_EQ(glyphAt(platform, 50, 5), ' ');
    EXPECT_EQ(glyphAt(platform, 5, 25), ' ');
    EXPECT_EQ(f.shotLayer[0][3], Cell::Erase);
    // The pickup at (40, 20) comes last in the scan: its colour is the one left.
    EXPECT_EQ(conio::currentAttribute(), attr(14));
}

TEST_F(RenderPass, OverlapsFollowTheLayerOrder) {
    PlayField& f = g.field;
    f.shipLayer[25][23] = Cell::Empty;
    // An enemy over a weapon pickup and an enemy shot: the enemy is what shows.
    f.weaponPickupLayer[5][5] = Cell::Live;
    f.enemyShotLayer[5][5] = Cell::Live;
    f.enemyLayer[5][5] = Cell::Live;
    f.enemyGlyphLayer[5][5] = 3;
    // A weapon pickup lies hidden under a block cell; a score pickup shows over it.
    f.blockLayer[6][5] = Cell::Live;
    f.weaponPickupLayer[6][5] = Cell::Live;
    f.blockLayer[6][6] = Cell::Live;
    f.scorePickupLayer[6][6] = Cell::Live;
    // An enemy destroyed on a block cell: brown first, then its blank on black.
    f.blockLayer[7][5] = Cell::Live;
    f.enemyLayer[7][5] = Cell::Erase;
    // An enemy that has just left a pickup blanks it for this tick.
    f.lifePickupLayer[8][5] = Cell::Live;
    f.enemyLayer[8][5] = Cell::Erase;
    renderPlayField(f, g.colors);

    EXPECT_EQ(glyphAt(platform, 5, 5), 3);
    EXPECT_EQ(attrAt(platform, 5, 5), attr(2));
    EXPECT_EQ(glyphAt(platform, 6, 5), ' ');
    EXPECT_EQ(attrAt(platform, 6, 5), attr(14, 6));
    EXPECT_EQ(glyphAt(platform, 6, 6), 15);
    EXPECT_EQ(attrAt(platform, 6, 6), attr(14, 0));
    EXPECT_EQ(glyphAt(platform, 7, 5), ' ');
    EXPECT_EQ(attrAt(platform, 7, 5), attr(2, 0));
    EXPECT_EQ(f.blockLayer[7][5], Cell::Live);
    EXPECT_EQ(f.enemyLayer[7][5], Cell::Empty);
    EXPECT_EQ(glyphAt(platform, 8, 5), ' ');
    EXPECT_EQ(f.lifePickupLayer[8][5], Cell::Live);
    EXPECT_EQ(conio::currentAttribute(), attr(4)) << "an enemy cell came last: back to the screen colour";

    // The next pass paints the block and the pickup again.
    renderPlayField(f, g.colors);
    EXPECT_EQ(attrAt(platform, 7, 5) >> 4, 6);
    EXPECT_EQ(glyphAt(platform, 8, 5), 15);
}
