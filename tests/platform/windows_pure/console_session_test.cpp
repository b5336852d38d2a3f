#include "conio/platform/windows/console_session.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "tests/support/fake_console.hpp"
#include "tests/support/fake_pseudo_console.hpp"

using platform::ConsoleSession;
using platform::Rect;

namespace {

void expectWindow(const FakeConsoleBuffer& b, Rect w) {
    EXPECT_EQ(b.window.left, w.left);
    EXPECT_EQ(b.window.top, w.top);
    EXPECT_EQ(b.window.right, w.right);
    EXPECT_EQ(b.window.bottom, w.bottom);
}

// A player's buffer of 120 x 3000 (scrollback), its 120 x 30 window scrolled to the bottom.
void scrolledPlayer(FakeConsole& console) {
    FakeConsoleBuffer& player = console.at(1);
    player.resize(120, 3000);
    player.cells.assign(120 * 3000, platform::ConsoleChar{u'p', 7});
    player.window = {0, 2970, 119, 2999};
}

}  // namespace

TEST(ConsoleSession, TheGameGetsABufferOfThePlayersWindowSizeAndRawKeys) {
    FakeConsole console;
    scrolledPlayer(console);
    console.input |= platform::kEnableQuickEditMode | platform::kEnableExtendedFlags;
    ConsoleSession session;
    ASSERT_TRUE(platform::enterSession(console, session));
    ASSERT_NE(console.active, 1u);
    const FakeConsoleBuffer& own = console.at(console.active);
    EXPECT_EQ(own.columns, 120);  // no scrollback: exactly the window
    EXPECT_EQ(own.rows, 30);
    expectWindow(own, {0, 0, 119, 29});
    EXPECT_FALSE(own.cursor.visible);
    EXPECT_NE(own.outputMode & platform::kEnableLvbGridWorldwide, 0u);  // underline drawn
    EXPECT_EQ(console.at(1).outputMode & platform::kEnableLvbGridWorldwide, 0u);
    EXPECT_EQ(console.input & (platform::kEnableLineInput | platform::kEnableEchoInput | platform::kEnableQuickEditMode), 0u);
    EXPECT_NE(console.input & platform::kEnableWindowInput, 0u);
    EXPECT_NE(console.input & platform::kEnableExtendedFlags, 0u);  // needed for Quick Edit to turn off
    EXPECT_NE(console.input & platform::kEnableProcessedInput, 0u);  // Ctrl-C reaches the handler
    EXPECT_EQ(console.refused, 0);
}

// A console that counts the calls that restore the player's input mode and code page, and
// is slow to switch buffers, so that a call that does not wait for another's restore shows.
class CountingConsole final : public FakeConsole {
public:
    int inputModeSets = 0;
    int codePageSets = 0;
    bool setActiveBuffer(platform::ConsoleBuffer b) override {
        for (int i = 0; i < 20; ++i) std::this_thread::yield();
        return FakeConsole::setActiveBuffer(b);
    }
    bool setInputMode(std::uint32_t mode) override {
        ++inputModeSets;
        return FakeConsole::setInputMode(mode);
    }
    bool setOutputCodePage(unsigned page) override {
        ++codePageSets;
        return FakeConsole::setOutputCodePage(page);
    }
};

// The control handler's thread and the normal end's, released at the same moment, round after
// round: exactly one of them restores, and neither returns before the player's console is back.
TEST(ConsoleSession, AHandlerAndTheNormalEndAtOnceRestoreExactlyOnce) {
    constexpr int kRounds = 1000;
    struct Round {
        CountingConsole console;
        ConsoleSession session;
        std::uint32_t playerMode = 0;
        bool restoredWhenReturned[2] = {false, false};
    };
    std::vector<std::unique_ptr<Round>> rounds;
    for (int i = 0; i < kRounds; ++i) {
        auto round = std::make_unique<Round>();
        round->playerMode = round->console.input;
        ASSERT_TRUE(platform::enterSession(round->console, round->session));
        round->console.inputModeSets = 0;
        round->console.codePageSets = 0;
        round->console.codePage = 65001;  // something printed as UTF-8 meanwhile
        rounds.push_back(std::move(round));
    }

    // Both threads live through every round: each waits for the round to be released, leaves
    // the session, and reports; the next round is released once both have.
    std::atomic<int> released{-1};
    std::atomic<int> finished{0};
    const auto leaveEachRound = [&](int caller, bool closeOwn) {
        for (int i = 0; i < kRounds; ++i) {
            while (released.load() < i) std::this_thread::yield();
            Round& round = *rounds[static_cast<std::size_t>(i)];
            platform::leaveSession(round.console, round.session, closeOwn);
            const FakeConsole& c = round.console;
            round.restoredWhenReturned[caller] = c.active == 1 && c.input == round.playerMode && c.codePage == 850;
            ++finished;
        }
    };
    std::thread handler(leaveEachRound, 0, false);
    std::thread normalEnd(leaveEachRound, 1, true);
    for (int i = 0; i < kRounds; ++i) {
        while (finished.load() < 2 * i) std::this_thread::yield();
        released.store(i);
    }
    handler.join();
    normalEnd.join();

    for (int i = 0; i < kRounds; ++i) {
        SCOPED_TRACE(i);
        Round& round = *rounds[static_cast<std::size_t>(i)];
        EXPECT_EQ(round.console.inputModeSets, 1);
        EXPECT_EQ(round.console.codePageSets, 1);
        EXPECT_TRUE(round.restoredWhenReturned[0]) << "the handler returned before the console was back";
        EXPECT_TRUE(round.restoredWhenReturned[1]) << "the normal end returned before the console was back";
        round.console.input = 0;  // whatever happens after the restore is not undone by a later call
        platform::leaveSession(round.console, round.session, true);
        EXPECT_EQ(round.console.input, 0u);
        if (::testing::Test::HasFailure()) break;
    }
}

// Drawing on the player's buffer (no buffer of its own): the classic console takes the
// window to the top before it lets the buffer shrink, and the buffer grown back before the
// window returns to the bottom.
TEST(ConsoleSession, WithoutABufferOfItsOwnSizesChangeInTheOrderTheConsoleAccepts) {
    FakeConsole console;
    console.canCreate = false;
    scrolledPlayer(console);
    ConsoleSession session;
    ASSERT_TRUE(platform::enterSession(console, session));
    EXPECT_EQ(session.own, 1u);
    EXPECT_EQ(console.at(1).rows, 30);
    expectWindow(console.at(1), {0, 0, 119, 29});
    platform::leaveSession(console, session, true);
    EXPECT_EQ(console.at(1).rows, 3000);
    expectWindow(console.at(1), {0, 2970, 119, 2999});
    EXPECT_EQ(console.at(1).outputMode, 3u);
    EXPECT_TRUE(console.at(1).cursor.visible);
    EXPECT_EQ(console.buffers.size(), 1u);
    EXPECT_EQ(console.refused, 0);
}

TEST(ConsoleSession, SizingKeepsTheWindowWithinTheLargestTheConsoleAllows) {
    FakeConsole console;
    console.at(1).resize(200, 50);
    console.at(1).window = {10, 5, 159, 44};
    console.largestColumns = 90;
    console.largestRows = 25;
    platform::sizeBuffer(console, 1, 100, 30, Rect{0, 0, 99, 29});
    EXPECT_EQ(console.at(1).columns, 100);
    EXPECT_EQ(console.at(1).rows, 30);
    expectWindow(console.at(1), {0, 0, 89, 24});
    EXPECT_EQ(console.refused, 0);
}

TEST(ConsoleSession, APseudoConsolesWindowIsNeverSet) {
    FakePseudoConsole console(120, 30);
    ConsoleSession session;
    ASSERT_TRUE(platform::enterSession(console, session));
    EXPECT_EQ(console.at(console.active).columns, 120);
    EXPECT_EQ(console.at(console.active).rows, 30);
    console.resizeWindow(100, 40);  // the player resizes the tab: only the active buffer follows
    EXPECT_FALSE(platform::fitBufferToWindow(console, console.active));
    platform::leaveSession(console, session, true);
    EXPECT_EQ(console.windowCalls, 0);
    EXPECT_EQ(console.refused, 0);
    EXPECT_EQ(console.at(1).columns, 120);  // the player's buffer kept its size
}

TEST(ConsoleSession, NoConsoleMeansNoSession) {
    FakeConsole console;
    console.standard = 0;
    ConsoleSession session;
    EXPECT_FALSE(platform::enterSession(console, session));
    platform::leaveSession(console, session, true);  // nothing to restore, nothing done
    EXPECT_EQ(console.active, 1u);
}
