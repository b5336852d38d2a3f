#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "game/flow.hpp"
#include "tests/support/headless.hpp"
#include "tests/support/sleep_watch.hpp"

namespace {

using MenuFlow = HeadlessTest;

constexpr std::int64_t kIntroMs = 48 * 250 + 43 * 10;

}  // namespace

TEST_F(MenuFlow, ColoursChosenOnThePagesAreUsedByTheNextGame) {
    // At every sleep while the ship is on screen: the ship's cell and the frame's corner.
    std::vector<std::uint16_t> shipAttributes;
    std::vector<std::uint16_t> frameAttributes;
    SleepWatchingPlatform watching(platform, [&](platform::HeadlessPlatform& inner) {
        const auto ship = platform::cellAt(inner.screen(), 24, 22);
        if (ship.ch != 241) return;
        shipAttributes.push_back(ship.attr);
        frameAttributes.push_back(platform::cellAt(inner.screen(), 0, 0).attr);
    });
    conio::installPlatform(watching);
    auto game = std::make_unique<Game>();

    std::int64_t t = kIntroMs + 500;
    auto key = [&](const std::string& bytes) {
        platform.scheduleKeys(t, bytes);
        t += 200;
    };
    key("1");
    key("\xE0M");     // page 1: ship 14 -> 15
    key("\x1b");      // ESC does nothing on a page
    key("\r");
    key("\xE0K");     // page 2: enemies 2 -> 1
    key("\r");
    key("\r");
    key("\r");
    key("\xE0M");     // page 5: frame 4 -> 5
    key("\r");
    key("\r");        // page 6: back to the menu
    const std::int64_t menuAgainMs = t;
    key("2");
    t += 500;         // ten ticks of play
    key("\x1b");      // end the game
    key("x");         // leave the farewell screen: the intro plays again
    t += kIntroMs;
    key("\x1b");      // quit from the menu

    EXPECT_EQ(runProgram(*game), 0);
    EXPECT_EQ(platform.exhaustedReads(), 0);
    EXPECT_EQ(game->colors.shipColor, 15);
    EXPECT_EQ(game->colors.enemyColor, 1);
    EXPECT_EQ(game->colors.screenColor, 5);
    EXPECT_EQ(game->colors.enemyShotColor, 5);
    EXPECT_EQ(game->colors.messageColor, 8);

    ASSERT_FALSE(shipAttributes.empty());
    for (auto attr : shipAttributes) EXPECT_EQ(attr & 0x0F, 15);
    for (auto attr : frameAttributes) EXPECT_EQ(attr & 0x0F, 5);

    // Two whole intros: the menu waited for the first to end, and the game was followed by another.
    EXPECT_EQ(platform.tones().size(), 96u);
    EXPECT_EQ(contador_da_cor, 26);
    // The pages ran one pass per 50 ms between '1' and the menu's return.
    std::size_t pagePasses = 0;
    for (const auto& pause : platform.sleeps()) {
        if (pause.durationMs == 50 && pause.startMs > kIntroMs + 500 && pause.startMs < menuAgainMs) ++pagePasses;
    }
    EXPECT_GE(pagePasses, 6u);
    EXPECT_EQ(platform.text().find_first_not_of(" \n"), std::string::npos);  // quit leaves a cleared screen
}

TEST_F(MenuFlow, AKeyDuringTheIntroIsLeftForTheMenu) {
    auto game = std::make_unique<Game>();
    platform.scheduleKey(1500, 27);  // during line 2's tones: ESC quits from the menu at once
    EXPECT_EQ(runProgram(*game), 0);
    EXPECT_EQ(platform.tones().size(), 8u);
    EXPECT_EQ(contador_da_cor, 4);
    EXPECT_EQ(platform.exhaustedReads(), 0);
}
