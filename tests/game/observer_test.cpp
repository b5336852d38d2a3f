// The observer sees a game through the program flow: its start, each tick, and how it ended.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game/flow.hpp"
#include "tests/support/game_screen.hpp"
#include "tests/support/headless.hpp"

namespace {

// Every call the observer got, as text, in order.
class Observed : public HeadlessTest {
protected:
    GameObserver observer() {
        GameObserver o;
        o.started = [this](Game&, const GameStart& start) {
            calls.push_back("start " + std::to_string(start.seed) + " timer " + std::to_string(start.carried.blockTimer) +
                            " column " + std::to_string(start.carried.blockColumn) + " ship colour " +
                            std::to_string(start.colors.shipColor));
        };
        o.tickStarts = [this](Game&) {
            calls.push_back("tick");
            return ticksAllowed-- > 0;
        };
        o.tickEnded = [this](const Game& game) {
            calls.push_back("key " + std::to_string(game.state.key));
            return true;
        };
        o.ended = [this](const Game& game, GameEnd end) {
            calls.push_back("end " + std::to_string(static_cast<int>(end)) + " farewell " + bytesAt(platform, 20, 12, 13) +
                            " keys left " + std::to_string(platform.keysLeft()));
            if (end != GameEnd::Stopped) {
                EXPECT_EQ(game.state.key, 27);
            }
        };
        return o;
    }

    std::vector<std::string> calls;
    int ticksAllowed = 1000;
};

}  // namespace

TEST_F(Observed, AProgramWithTwoGamesEachSeenFromStartToFarewell) {
    platform.setEpochSeconds(777);
    // Skip the intro, start a game: 'x', a pause ended by a key that is not a space and
    // then by ESC; then a second game ended by ESC in a tick, and ESC in the menu.
    platform.scheduleKeys(0, "\x01");
    platform.scheduleKeys(10, "2");
    platform.scheduleKeys(8000, "x  q\x1b");
    platform.scheduleKeys(12000, "\x20");        // the farewell's key
    platform.scheduleKeys(30000, "2");
    platform.scheduleKeys(40000, "\x1b");
    platform.scheduleKeys(41000, " \x1b");       // the farewell's key, ESC in the menu
    Game g;
    g.state.blockColumn = 9;
    EXPECT_EQ(runProgram(g, observer()), 0);
    ASSERT_GE(calls.size(), 8u);
    EXPECT_EQ(calls[0], "start 777 timer 20 column 9 ship colour 14");
    EXPECT_EQ(calls[1], "tick");
    // The first tick with a key is 'x', then the space; the pause reads ' ', 'q' (still
    // paused: only a space resumes) and ESC.
    const auto x = std::find(calls.begin(), calls.end(), "key 120");
    ASSERT_NE(x, calls.end());
    EXPECT_EQ(*(x + 1), "tick");
    EXPECT_EQ(*(x + 2), "key 32");
    EXPECT_EQ(*(x + 3), "end 2 farewell ATE A PROXIMA keys left 5") << "ESC in the pause, no tick after it";
    EXPECT_EQ(std::count_if(calls.begin(), calls.end(), [](const std::string& c) { return c.rfind("start", 0) == 0; }), 2);
    EXPECT_EQ(calls.back(), "end 1 farewell ATE A PROXIMA keys left 2");
}

TEST_F(Observed, AStopBetweenTicksEndsTheGameWithoutPauseOrFarewell) {
    Game g = gameAfterSetUp();
    ticksAllowed = 2;
    runGameLoop(g, observer());
    const std::string noFarewell = "end 3 farewell " + std::string(13, ' ') + " keys left 0";
    EXPECT_EQ(calls, (std::vector<std::string>{"tick", "key 0", "tick", "key 0", "tick", noFarewell}));
}
