// A player who looks away mid-game finds it paused: whole runs on the headless platform with
// focus losses scripted at virtual times.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "game/flow.hpp"
#include "tests/support/game_screen.hpp"
#include "tests/support/headless.hpp"
#include "tests/support/sleep_watch.hpp"

namespace {

// One blocking key read: when it began and what the pause's cell showed then.
struct Wait {
    std::int64_t atMs;
    std::string pauseCell;
    friend bool operator==(const Wait&, const Wait&) = default;
};

struct Script {
    std::vector<std::pair<std::int64_t, std::string>> keys;
    std::vector<std::int64_t> focusLosses;
};

struct Played {
    std::vector<platform::SleepRecord> sleeps;
    std::vector<platform::ToneRecord> tones;
    std::vector<Wait> waits;
    std::string screen;
    int exhaustedReads = 0;
};

// Runs `body` on a fresh console with the script's keys and losses.
Played play(const Script& script, const std::function<void(Game&)>& body) {
    HeadlessConsole console;
    std::vector<Wait> waits;
    SleepWatchingPlatform watch(console.platform, {}, [&](platform::HeadlessPlatform& inner) {
        waits.push_back({inner.nowMs(), bytesAt(inner, 75, 24, 5)});
    });
    conio::installPlatform(watch);
    for (const auto& [atMs, bytes] : script.keys) console.platform.scheduleKeys(atMs, bytes);
    for (const std::int64_t atMs : script.focusLosses) console.platform.scheduleFocusLoss(atMs);
    auto game = std::make_unique<Game>();
    body(*game);
    return {console.platform.sleeps(), console.platform.tones(), std::move(waits), console.platform.text(),
            console.platform.exhaustedReads()};
}

void expectSameRun(const Played& a, const Played& b) {
    EXPECT_EQ(a.sleeps, b.sleeps);
    EXPECT_EQ(a.tones, b.tones);
    EXPECT_EQ(a.waits, b.waits);
    EXPECT_EQ(a.screen, b.screen);
    EXPECT_EQ(a.exhaustedReads, b.exhaustedReads);
}

// A game straight from set-up, ticking every 50 ms from time 0.
void gameLoop(Game& g) {
    g = gameAfterSetUp();
    runGameLoop(g);
}

// A game whose ship an enemy shot hits in the first tick, with `lives` lives.
std::function<void(Game&)> shipHitWith(int lives) {
    return [lives](Game& g) {
        g = gameAfterSetUp();
        g.state.lives = lives;
        g.field.enemyShotLayer[25][22] = Cell::Live;
        runGameLoop(g);
    };
}

void program(Game& g) { EXPECT_EQ(runProgram(g), 0); }

}  // namespace

TEST(FocusPause, ALossPausesTheNextTickAndSpaceResumes) {
    const Played run = play({{{1000, " "}, {1500, "\x1b"}, {5000, "k"}}, {120}}, gameLoop);
    // Ticks at 0, 50 and 100 play; the one at 150 finds the loss and pauses like a space.
    ASSERT_EQ(run.waits.size(), 2u);
    EXPECT_EQ(run.waits[0], (Wait{150, "PAUSE"}));
    // Space at 1000 resumes: ticks from 1000 to 1500, where ESC's tick runs to its end.
    EXPECT_EQ(sleepsLasting(run.sleeps, 50), 3 + 11);
    EXPECT_EQ(run.waits[1].atMs, 1550) << "the farewell";
    EXPECT_EQ(run.exhaustedReads, 0);
}

TEST(FocusPause, KeysTypedBeforeTheLossAreReadFirstAndKeysAfterItCancelIt) {
    // Keys due at the loss's own time came before it: one per tick, then the pause.
    Played run = play({{{120, "xyz"}, {1000, " "}, {1500, "\x1b"}, {5000, "k"}}, {120}}, gameLoop);
    ASSERT_FALSE(run.waits.empty());
    EXPECT_EQ(run.waits[0], (Wait{300, "PAUSE"}));

    // A key a moment after the loss: the player is back, and play goes on to the ESC.
    run = play({{{121, "x"}, {1500, "\x1b"}, {5000, "k"}}, {120}}, gameLoop);
    ASSERT_EQ(run.waits.size(), 1u);
    EXPECT_EQ(run.waits[0].atMs, 1550) << "the farewell, with no pause before it";
    EXPECT_EQ(sleepsLasting(run.sleeps, 50), 31);

    // Two losses with a key between: the later one still pauses.
    run = play({{{121, "x"}, {1500, "\x1b"}, {5000, "k"}}, {120, 420}}, gameLoop);
    ASSERT_FALSE(run.waits.empty());
    EXPECT_EQ(run.waits[0], (Wait{450, "PAUSE"}));
}

TEST(FocusPause, ALossOutsideTheTickLoopChangesNothing) {
    // Menu at once, a game from 1000, paused at 2000, resumed at 3000, ESC at 4000, the
    // farewell left at 9000 for the intro, cut short at 11000 by a second game, ended at
    // 12000; its farewell left at 15000 and ESC, which cuts the intro and quits.
    const Script keys{{{0, "q"}, {1000, "2"}, {2000, " "}, {3000, " "}, {4000, "\x1b"}, {9000, "k"},
                       {11000, "2"}, {12000, "\x1b"}, {15000, "k\x1b"}},
                      {}};
    const Played plain = play(keys, program);
    ASSERT_EQ(plain.waits.size(), 3u) << "the pause and the two farewells wait";
    EXPECT_EQ(plain.waits[0].pauseCell, "PAUSE");
    EXPECT_LT(plain.waits[0].atMs, 2050) << "paused by the tick that read the space";
    EXPECT_EQ(plain.exhaustedReads, 0);
    const std::vector<std::pair<const char*, std::vector<std::int64_t>>> moments = {
        {"in the intro", {0}},        {"in the menu", {500}},           {"in the pause", {2500}},
        {"in the farewell", {6000}}, {"in the second intro", {10000}}, {"everywhere", {0, 500, 2500, 6000, 10000}}};
    for (const auto& [where, losses] : moments) {
        SCOPED_TRACE(where);
        expectSameRun(play({keys.keys, losses}, program), plain);
    }
}

TEST(FocusPause, ALossDuringGameOverChangesNothing) {
    const Script keys{{{20000, "k"}}, {}};
    const Played plain = play(keys, shipHitWith(1));
    ASSERT_EQ(sleepsLasting(plain.sleeps, 3000), 1) << "GAME OVER shown";
    ASSERT_EQ(plain.waits.size(), 1u) << "only the farewell waits";
    for (const auto& sleep : plain.sleeps) {
        if (sleep.durationMs != 3000) continue;
        Script lost = keys;
        lost.focusLosses = {sleep.startMs + 1500};
        expectSameRun(play(lost, shipHitWith(1)), plain);
    }
}

TEST(FocusPause, ALossDuringTheDeathAnimationLetsItEndThenPauses) {
    const Played plain = play({{{20000, "\x1b"}, {30000, "k"}}, {}}, shipHitWith(3));
    ASSERT_EQ(sleepsLasting(plain.sleeps, 120), 8) << "the death animation";
    std::int64_t midAnimation = 0;
    for (const auto& sleep : plain.sleeps) {
        if (sleep.durationMs == 120 && midAnimation == 0) midAnimation = sleep.startMs + 300;
    }
    const Played lost = play({{{20000, " "}, {20100, "\x1b"}, {30000, "k"}}, {midAnimation}}, shipHitWith(3));
    EXPECT_EQ(sleepsLasting(lost.sleeps, 120), 8) << "the animation plays to its end";
    ASSERT_FALSE(lost.waits.empty());
    // The hit tick ends with its frame delay; the next tick's key read pauses.
    const auto delay = std::find_if(lost.sleeps.begin(), lost.sleeps.end(),
                                    [](const platform::SleepRecord& s) { return s.durationMs == 50; });
    ASSERT_NE(delay, lost.sleeps.end());
    EXPECT_EQ(lost.waits[0], (Wait{delay->startMs + 50, "PAUSE"}));
}
