#include "game/flow.hpp"

#include <gtest/gtest.h>

#include <string>

#include "game/screen.hpp"
#include "tests/support/game_screen.hpp"
#include "tests/support/headless.hpp"

namespace {

class FlowTest : public HeadlessTest {
protected:
    bool screenBlank() const { return platform.text().find_first_not_of(" \n") == std::string::npos; }

    void expectFrameIntact() {
        EXPECT_EQ(glyphAt(platform, 1, 1), 201);
        EXPECT_EQ(glyphAt(platform, 50, 10), 204);
        EXPECT_EQ(glyphAt(platform, 80, 25), 188);
        EXPECT_EQ(glyphAt(platform, 50, 24), 186);
    }

    void expectFarewell(int score) {
        const std::string shown = std::to_string(score) + " PONTOS";
        EXPECT_EQ(bytesAt(platform, 20, 12, 13), "ATE A PROXIMA");
        EXPECT_EQ(bytesAt(platform, 20, 14, static_cast<int>(shown.size())), shown);
        EXPECT_EQ(attrAt(platform, 20, 12), attr(g.colors.messageColor));
        EXPECT_EQ(g.state.key, 27);
    }

    Game g;
};

class Menu : public FlowTest {};
class Pause : public FlowTest {
protected:
    // Play has just left the tick loop on a space, over a drawn frame and HUD.
    void SetUp() override {
        g = gameAfterSetUp();
        drawFrame(g.colors);
        drawHud(g.state, g.colors);
        g.state.key = 32;
    }
};
class GameLoop : public FlowTest {};
class Program : public FlowTest {};

}  // namespace

TEST_F(Menu, ShowsItsTextsAndIgnoresOtherKeys) {
    startProcess(g);
    platform::putCell(platform.screen(), 10, 3, {'X', 7});  // what the intro left
    platform.pushKey('q');
    platform.pushKey(27);
    runMenu(g);
    EXPECT_EQ(g.menuState, kMenuQuit);
    EXPECT_EQ(glyphAt(platform, 11, 4), ' ') << "the first key cleared the screen";
    EXPECT_EQ(g.settingsPage, 0);
    EXPECT_EQ(bytesAt(platform, 5, 20, 40), "DIGITE [1] PARA AJUSTAR AS CORES DO JOGO");
    EXPECT_EQ(bytesAt(platform, 5, 22, 31), "DIGITE [2] PARA COME\x80" "AR A JOGAR");
    EXPECT_EQ(bytesAt(platform, 60, 24, 15), "[ESC] PARA SAIR");
    EXPECT_EQ(attrAt(platform, 5, 20), attr(15));
    EXPECT_EQ(attrAt(platform, 74, 24), attr(15));
    EXPECT_EQ(sleepsLasting(platform.sleeps(), 60), 1) << "'q' is a whole pass; ESC ends the loop before the pass's sleep";
}

TEST_F(Menu, OneRunsTheSixColourPagesThenTheMenuComesBack) {
    startProcess(g);
    platform.pushKey('1');
    for (int page = 1; page <= 6; ++page) platform.pushKey(13);
    platform.pushKey('2');
    runMenu(g);
    EXPECT_EQ(g.menuState, kMenuStartGame);
    EXPECT_EQ(g.settingsPage, 0);
    EXPECT_EQ(platform.keysLeft(), 0u);
    EXPECT_TRUE(screenBlank()) << "'2' clears the screen for the game";
}

TEST_F(Pause, SpaceResumesWithAClearedScreen) {
    platform.pushKey(' ');
    leaveTickLoop(g);
    EXPECT_EQ(g.state.resumeKey, 32);
    EXPECT_EQ(g.state.key, 32);
    EXPECT_TRUE(screenBlank());
}

TEST_F(Pause, OtherKeysKeepItAndShowPause) {
    g.colors.messageColor = 13;
    platform.pushKey('x');
    leaveTickLoop(g);
    EXPECT_EQ(g.state.resumeKey, 'x');
    EXPECT_EQ(bytesAt(platform, 75, 24, 5), "PAUSE");
    EXPECT_EQ(attrAt(platform, 75, 24), attr(13));
    EXPECT_EQ(bytesAt(platform, 52, 6, 8), "Vidas: 3") << "the picture stays";

    // An arrow is two bytes: the second is taken by the check for a waiting key.
    platform.pushKey(224);
    platform.pushKey(72);
    leaveTickLoop(g);
    EXPECT_EQ(g.state.resumeKey, 72);
    EXPECT_EQ(platform.keysLeft(), 0u);

    // A space already waiting behind the key that ends the pause resumes play, without
    // clearing the screen: "PAUSE" stays on the panel.
    platform.pushKey('x');
    platform.pushKey(' ');
    leaveTickLoop(g);
    EXPECT_EQ(g.state.resumeKey, 32);
    EXPECT_EQ(bytesAt(platform, 75, 24, 5), "PAUSE");
    expectFrameIntact();
}

TEST_F(Pause, EscShowsTheFarewellOverABlankField) {
    g.state.score = 1234;
    g.field.enemyLayer[10][10] = Cell::Live;
    g.field.enemyGlyphLayer[10][10] = 4;
    renderPlayField(g.field, g.colors);
    platform.pushKey(27);
    platform.scheduleKey(1000, 'k');  // typed later: a key already waiting would replace the ESC
    leaveTickLoop(g);
    expectFarewell(1234);
    EXPECT_EQ(glyphAt(platform, 10, 10), ' ');
    EXPECT_EQ(glyphAt(platform, 25, 23), ' ');
    EXPECT_EQ(platform.keysLeft(), 0u) << "the farewell waits for a key and drops it";
    expectFrameIntact();
    EXPECT_EQ(bytesAt(platform, 52, 6, 8), "Vidas: 3") << "the panel is left as it was";
}

TEST_F(Pause, KeysTypedDuringGameOverAreTakenByTheFarewell) {
    g.state.key = 27;  // GAME OVER ended the tick loop
    platform.pushKey('a');
    platform.pushKey('b');
    platform.pushKey('c');
    leaveTickLoop(g);
    EXPECT_EQ(bytesAt(platform, 75, 24, 5), "     ") << "no pause";
    expectFarewell(0);
    EXPECT_EQ(platform.keysLeft(), 1u) << "the first is taken by the check, the second ends the farewell";
}

TEST_F(GameLoop, PausesResumesAndSaysFarewellOnEsc) {
    g = gameAfterSetUp();
    platform.scheduleKey(200, ' ');   // pauses the fifth tick
    platform.scheduleKey(200, 'x');   // keeps the pause
    platform.scheduleKey(300, ' ');   // resumes
    platform.scheduleKey(600, 27);    // read by a tick that still runs to its end
    platform.scheduleKey(5000, 'k');  // leaves the farewell
    runGameLoop(g);
    EXPECT_EQ(platform.keysLeft(), 0u);
    EXPECT_EQ(platform.exhaustedReads(), 0);
    EXPECT_EQ(platform.nowMs(), 5000);
    // Ticks at 0, 50, 100 and 150; the one at 200 pauses; then 300 to 600, ESC's included.
    EXPECT_EQ(sleepsLasting(platform.sleeps(), 50), 4 + 7);
    expectFarewell(g.state.score);
    expectFrameIntact();
    EXPECT_EQ(bytesAt(platform, 52, 8, 8), "N\xA1vel: 1");
}

TEST_F(Program, EscInTheMenuEndsWithAClearedScreen) {
    platform.pushKey(27);
    EXPECT_EQ(runProgram(g), 0);
    EXPECT_TRUE(screenBlank());
    EXPECT_EQ(conio::wherex(), 1);
    EXPECT_EQ(conio::wherey(), 1);
    EXPECT_EQ(sleepsLasting(platform.sleeps(), 50), 0) << "no tick ran";
}

TEST_F(Program, RunsMenuGamePauseFarewellAndBackToTheMenu) {
    platform.scheduleKey(0, 'q');
    platform.scheduleKey(0, '2');
    platform.scheduleKey(1000, ' ');
    platform.scheduleKey(1000, ' ');
    platform.scheduleKey(2000, 27);
    platform.scheduleKey(9000, 'k');
    platform.scheduleKey(9000, 27);
    g.colors.enemyColor = 9;  // colours live as long as the process, but start at their defaults
    EXPECT_EQ(runProgram(g), 0);
    EXPECT_EQ(platform.keysLeft(), 0u);
    EXPECT_EQ(platform.exhaustedReads(), 0);
    EXPECT_EQ(g.menuState, kMenuQuit);
    EXPECT_EQ(g.colors.enemyColor, 2);
    EXPECT_EQ(sleepsLasting(platform.sleeps(), 60), 2) << "'q' and '2' in the first menu; ESC in the second";
    EXPECT_TRUE(screenBlank());
}
