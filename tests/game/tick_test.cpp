#include "game/tick.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/game_screen.hpp"
#include "tests/support/headless.hpp"

namespace {

class Tick : public HeadlessTest {
protected:
    bool tick() { return runTick(g); }

    Game g = gameAfterSetUp();
};

}  // namespace

TEST_F(Tick, ReadsTheKeyThenSleepsTheFrameDelay) {
    platform.pushKey('x');
    g.tuning.frameDelay = 37;
    EXPECT_TRUE(tick());
    EXPECT_EQ(g.state.key, 'x');
    EXPECT_EQ(sleepsOf(platform), std::vector<unsigned>{37});

    // A tick with no key waiting reads nothing and still runs whole; a delay below zero
    // is no delay at all rather than a wait without end.
    platform.clearRecords();
    g.tuning.frameDelay = -5;
    EXPECT_TRUE(tick());
    EXPECT_EQ(g.state.key, 0);
    EXPECT_EQ(sleepsOf(platform), std::vector<unsigned>{0});
}

TEST_F(Tick, SpaceEndsItAtTheKeyRead) {
    g.state.resumeKey = 0;
    platform.pushKey(' ');
    platform.pushKey('a');
    EXPECT_FALSE(tick());
    EXPECT_EQ(g.state.key, 32);
    EXPECT_EQ(g.state.resumeKey, 32);
    EXPECT_TRUE(platform.sleeps().empty()) << "not even the frame delay runs";
    EXPECT_EQ(platform.keysLeft(), 1u) << "one key byte per tick";
    EXPECT_EQ(bytesAt(platform, 52, 6, 5), "     ") << "no HUD drawn";
}

TEST_F(Tick, EscIsReadButTheTickRunsToItsEnd) {
    platform.pushKey(27);
    EXPECT_TRUE(tick());
    EXPECT_EQ(g.state.key, 27);
    EXPECT_EQ(sleepsOf(platform), std::vector<unsigned>{50});
    EXPECT_EQ(bytesAt(platform, 52, 6, 8), "Vidas: 3") << "the HUD is drawn";
    EXPECT_EQ(glyphAt(platform, 25, 23), glyph::kShip) << "the render pass ran";
}

TEST_F(Tick, ReadsATwoByteKeyOneByteATick) {
    platform.pushKey(224);
    platform.pushKey(72);
    tick();
    EXPECT_EQ(g.state.key, static_cast<std::int8_t>(224));
    tick();
    EXPECT_EQ(g.state.key, 72);
    tick();
    EXPECT_EQ(g.state.key, 0);
}
