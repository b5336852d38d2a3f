#include "conio/platform/windows/console_session.hpp"

#include <gtest/gtest.h>

#include <thread>

#include "tests/support/fake_console.hpp"

using platform::ConsoleSession;

TEST(ConsoleSession, TheGameGetsItsOwnBufferAndRawKeysAndThePlayersComeBack) {
    FakeConsole console;
    console.resizeWindow(120, 30);
    console.at(1).columns = 120;
    console.at(1).rows = 3000;  // the player's scrollback
    console.at(1).cells.assign(120 * 3000, platform::ConsoleChar{u'p', 7});
    console.at(1).cells.resize(120 * 3000);
    const platform::CursorShape playerCursor{50, true};
    console.at(1).cursor = playerCursor;
    const std::uint32_t playerMode = console.input | platform::kEnableQuickEditMode | platform::kEnableExtendedFlags;
    console.input = playerMode;

    ConsoleSession session;
    ASSERT_TRUE(platform::enterSession(console, session, 80, 25));
    ASSERT_NE(console.active, 1u);
    const FakeConsoleBuffer& own = console.at(console.active);
    EXPECT_EQ(own.columns, 80);
    EXPECT_EQ(own.rows, 25);
    EXPECT_EQ(own.window.right, 79);  // the larger window shrank first, so the buffer could be sized
    EXPECT_EQ(own.window.bottom, 24);
    EXPECT_FALSE(own.cursor.visible);
    EXPECT_EQ(console.input & (platform::kEnableLineInput | platform::kEnableEchoInput | platform::kEnableQuickEditMode), 0u);
    EXPECT_NE(console.input & platform::kEnableWindowInput, 0u);
    EXPECT_NE(console.input & platform::kEnableExtendedFlags, 0u);  // needed for Quick Edit to turn off
    EXPECT_NE(console.input & platform::kEnableProcessedInput, 0u);  // Ctrl-C reaches the handler

    platform::leaveSession(console, session, true);
    EXPECT_EQ(console.active, 1u);
    EXPECT_EQ(console.input, playerMode);
    EXPECT_EQ(console.at(1).cursor, playerCursor);
    EXPECT_EQ(console.at(1).rows, 3000);
    EXPECT_EQ(console.at(1).cells[0].ch, u'p');
    EXPECT_EQ(console.buffers.size(), 1u);  // the session's buffer is closed
}

TEST(ConsoleSession, AHandlerOnAnotherThreadAndTheNormalEndRestoreOnce) {
    FakeConsole console;
    ConsoleSession session;
    const std::uint32_t playerMode = console.input;
    ASSERT_TRUE(platform::enterSession(console, session, 80, 25));
    const platform::ConsoleBuffer own = console.active;
    std::thread handler([&] { platform::leaveSession(console, session, false); });
    handler.join();
    EXPECT_EQ(console.active, 1u);
    EXPECT_EQ(console.input, playerMode);
    EXPECT_EQ(console.buffers.count(own), 1u);  // the ending process closes it
    console.input = 0;  // whatever happens after the restore is not undone by a second call
    platform::leaveSession(console, session, true);
    EXPECT_EQ(console.input, 0u);
}

TEST(ConsoleSession, WithoutABufferOfItsOwnItDrawsOnThePlayersAndGivesBackItsSize) {
    FakeConsole console;
    console.canCreate = false;
    console.at(1).rows = 300;
    console.at(1).cells.resize(80 * 300);
    console.at(1).window = {0, 200, 79, 224};
    ConsoleSession session;
    ASSERT_TRUE(platform::enterSession(console, session, 80, 25));
    EXPECT_EQ(session.own, 1u);
    EXPECT_EQ(console.at(1).rows, 25);
    platform::leaveSession(console, session, true);
    EXPECT_EQ(console.at(1).rows, 300);
    EXPECT_EQ(console.at(1).window.top, 200);
    EXPECT_TRUE(console.at(1).cursor.visible);
    EXPECT_EQ(console.buffers.size(), 1u);
}

TEST(ConsoleSession, NoConsoleMeansNoSession) {
    FakeConsole console;
    console.standard = 0;
    ConsoleSession session;
    EXPECT_FALSE(platform::enterSession(console, session, 80, 25));
    platform::leaveSession(console, session, true);  // nothing to restore, nothing done
    EXPECT_EQ(console.active, 1u);
}
