// A session on each of the two hosts a player's Windows has: the classic console window and
// a pseudo console (Windows Terminal). The same game on both: the frame centred in the
// window the player has, the notice while it is too small, a full repaint when it grows
// back, and the player's console exactly as it was afterwards, by a normal end or by the
// control handler's path.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>

#include "conio/platform/presenter.hpp"
#include "conio/platform/windows/console_platform.hpp"
#include "conio/platform/windows/console_session.hpp"
#include "tests/support/fake_console.hpp"
#include "tests/support/fake_pseudo_console.hpp"

namespace {

enum class Host { Classic, Pseudo };

// A player's console of 120 x 30 with something on it: scrollback in the classic console,
// the tab's own size in a pseudo console.
std::unique_ptr<FakeConsole> playersConsole(Host host) {
    std::unique_ptr<FakeConsole> console;
    if (host == Host::Pseudo) {
        console = std::make_unique<FakePseudoConsole>(120, 30);
    } else {
        console = std::make_unique<FakeConsole>();
        console->at(1).resize(120, 900);
        console->at(1).window = {0, 870, 119, 899};
    }
    FakeConsoleBuffer& player = console->at(1);
    for (std::size_t i = 0; i < player.cells.size(); ++i) player.cells[i] = {static_cast<char16_t>(u'a' + i % 26), 7};
    player.cursor = {50, true};
    player.cursorColumn = 7;
    player.cursorRow = player.window.bottom;
    player.outputMode = 7;
    return console;
}

void drawFrame(platform::ConsolePlatform& windows) {
    platform::moveCursor(windows.screen(), 0, 0);
    platform::writeBytes(windows.screen(), "VEXAMOR");
    platform::moveCursor(windows.screen(), 79, 24);
    platform::writeBytes(windows.screen(), "#");
}

// The frame at (20, 2) in a 120 x 30 window, and nothing of it or of the player's text around.
void expectCentredFrame(FakeConsole& console, platform::ConsoleBuffer own) {
    EXPECT_EQ(console.rowText(own, 2).substr(20, 7), "VEXAMOR");
    EXPECT_EQ(console.rowText(own, 26)[99], '#');
    EXPECT_EQ(console.rowText(own, 0), std::string(120, ' '));
    EXPECT_EQ(console.rowText(own, 29), std::string(120, ' '));
    EXPECT_EQ(console.rowText(own, 2).substr(0, 20), std::string(20, ' '));
}

// Plays 120 x 30, shrinks to 70 x 20 (the notice, captured), grows back to 120 x 30.
std::vector<std::string> playThroughAResize(FakeConsole& console, platform::ConsolePlatform& windows,
                                            platform::ConsoleBuffer own) {
    drawFrame(windows);
    windows.present();
    expectCentredFrame(console, own);
    console.resizeWindow(70, 20);
    console.pushResizeEvent();
    console.growAfterWaits = 3;
    console.growTo = {0, 0, 119, 29};
    std::vector<std::string> notice;
    console.onWait = [&](FakeConsole& c) {
        if (FakeConsole::widthOf(c.at(c.active).window) != 70) return;
        notice.clear();
        for (int y = 0; y < 20; ++y) notice.push_back(c.rowText(own, y).substr(0, 70));
    };
    windows.keyWaiting();  // takes the resize in, holds while too small, repaints when grown
    console.onWait = nullptr;
    return notice;
}

class ConsoleHosts : public ::testing::TestWithParam<Host> {};

}  // namespace

TEST_P(ConsoleHosts, FrameCentredNoticeWhenSmallRepaintWhenGrownAndThePlayersConsoleBack) {
    for (const bool throughHandler : {false, true}) {
        std::unique_ptr<FakeConsole> console = playersConsole(GetParam());
        const FakeConsoleBuffer before = console->at(1);
        const std::uint32_t inputBefore = console->input;
        platform::ConsoleSession session;
        ASSERT_TRUE(platform::enterSession(*console, session));
        const platform::ConsoleBuffer own = session.own;
        {
            platform::TonePlayer tones(true);
            platform::ConsolePlatform windows(*console, own, tones);
            const std::vector<std::string> notice = playThroughAResize(*console, windows, own);
            ASSERT_EQ(notice.size(), 20u);
            EXPECT_EQ(notice[9], std::string(15, ' ') + platform::kTooSmallNotice + std::string(15, ' '));
            EXPECT_EQ(notice[0], std::string(70, ' '));
            EXPECT_EQ(console->at(own).columns, 120);  // the buffer follows the window, no scrollback
            EXPECT_EQ(console->at(own).rows, 30);
            expectCentredFrame(*console, own);
        }
        if (throughHandler) {
            std::thread handler([&] { platform::leaveSession(*console, session, false); });
            handler.join();
        } else {
            platform::leaveSession(*console, session, true);
        }
        EXPECT_EQ(console->active, 1u) << throughHandler;
        EXPECT_TRUE(sameBuffer(console->at(1), before)) << throughHandler;  // size, window, cells, cursor, mode
        EXPECT_EQ(console->input, inputBefore);
        EXPECT_EQ(console->codePage, 850u);
        EXPECT_EQ(console->refused, 0);
        if (GetParam() == Host::Pseudo) {
            EXPECT_EQ(console->windowCalls, 0);  // the tab is the pseudo console's window
        }
    }
}

INSTANTIATE_TEST_SUITE_P(ClassicAndPseudo, ConsoleHosts, ::testing::Values(Host::Classic, Host::Pseudo),
                         [](const auto& info) { return info.param == Host::Classic ? "Classic" : "Pseudo"; });
