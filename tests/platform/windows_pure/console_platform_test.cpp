#include "conio/platform/windows/console_platform.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "conio/platform/key_intake.hpp"
#include "conio/platform/presenter.hpp"
#include "tests/support/fake_console.hpp"

using platform::ConsolePlatform;

namespace {

struct Fixture {
    FakeConsole console;
    platform::TonePlayer tones{true};
    ConsolePlatform windows{console, 1, tones};
};

void write(ConsolePlatform& p, int x, int y, const char* text) {
    platform::moveCursor(p.screen(), x, y);
    platform::writeBytes(p.screen(), text);
}

}  // namespace

TEST(ConsolePlatform, ShowsTheBufferBeforeEverySleepToneAndKeyRead) {
    Fixture f;
    write(f.windows, 2, 3, "VEXAMOR");
    f.windows.sleep(0);
    EXPECT_EQ(f.console.rowText(1, 3).substr(0, 10), "  VEXAMOR ");
    write(f.windows, 2, 4, "x");
    f.windows.beep(440, 0);
    EXPECT_EQ(f.console.rowText(1, 4)[2], 'x');
    write(f.windows, 2, 5, "y");
    EXPECT_FALSE(f.windows.keyWaiting());  // nothing waiting: the drawing shows while polling
    EXPECT_EQ(f.console.rowText(1, 5)[2], 'y');
    write(f.windows, 2, 6, "z");
    EXPECT_EQ(f.windows.readKey(), 27);  // the fake's input has ended: ESC winds the game down
    EXPECT_EQ(f.console.rowText(1, 6)[2], 'z');
}

TEST(ConsolePlatform, WritesOnlyWhatChangedInFewCalls) {
    Fixture f;
    f.windows.present();
    EXPECT_EQ(f.console.writeCalls, 1);  // the first present writes the whole screen at once
    EXPECT_EQ(f.console.cellsWritten, 80 * 25);
    f.windows.present();
    EXPECT_EQ(f.console.writeCalls, 1);  // nothing changed, nothing written
    write(f.windows, 24, 22, "\xF1");
    write(f.windows, 70, 8, "12");
    f.windows.present();
    EXPECT_EQ(f.console.writeCalls, 2);  // changes far apart still go out in one call
    EXPECT_EQ(f.console.rowText(1, 8).substr(70, 2), "12");
    EXPECT_EQ(f.console.at(1).cells[22 * 80 + 24], (platform::ConsoleChar{u'\u00B1', 7}));
}

TEST(ConsolePlatform, KeysArriveInOrderThroughTheBoundedQueue) {
    Fixture f;
    f.console.pressKey(0x26);        // up
    f.console.pressKey(0x41, u'a');  // a
    f.console.pressKey(0x1B);        // ESC, with no character as wine sends it
    ASSERT_TRUE(f.windows.keyWaiting());
    EXPECT_EQ(f.windows.readKey(), 224);
    EXPECT_EQ(f.windows.readKey(), 72);
    EXPECT_EQ(f.windows.readKey(), 'a');
    EXPECT_EQ(f.windows.readKey(), 27);
    f.console.pressKey(0x28, 0, 1000);  // a long-held arrow: a bounded run of whole keys
    std::string read;
    while (f.windows.keyWaiting() && read.size() < 1000) read += static_cast<char>(f.windows.readKey());
    ASSERT_EQ(read.size(), platform::kKeyBufferBytes);
    for (std::size_t i = 0; i < read.size(); i += 2) EXPECT_EQ(read.substr(i, 2), "\xE0P");
}

TEST(ConsolePlatform, ATooSmallWindowShowsTheNoticeUntilItGrowsThenRepaints) {
    Fixture f;
    write(f.windows, 0, 0, "frame");
    f.windows.present();
    f.console.resizeWindow(60, 20);
    platform::ConsoleEvent resize;
    resize.kind = platform::ConsoleEvent::Kind::Resize;
    f.console.pending.push_back(resize);
    f.console.pressKey(0x41, u'a');  // typed while held: kept for the game
    f.console.growAfterWaits = 3;
    f.windows.keyWaiting();  // takes the resize and the key in
    f.windows.present();     // holds until the window fits
    const std::string notice = platform::kTooSmallNotice;
    EXPECT_EQ(f.console.at(1).window.right, 79);
    EXPECT_EQ(f.console.rowText(1, 0).substr(0, 5), "frame");  // repainted after the notice
    EXPECT_EQ(f.console.rowText(1, 10).find(notice), std::string::npos);
    ASSERT_TRUE(f.windows.keyWaiting());
    EXPECT_EQ(f.windows.readKey(), 'a');

    // While held, the notice is what the console shows, centred in the small window.
    Fixture g;
    g.windows.present();
    g.console.resizeWindow(30, 20);
    g.console.pending.push_back(resize);
    g.console.growAfterWaits = 3;
    std::vector<std::string> held;
    g.console.onWait = [&](FakeConsole& c) {  // the last look before the window grows
        if (c.at(1).window.right != 29) return;
        held.clear();
        for (int y = 0; y < 20; ++y) held.push_back(c.rowText(1, y).substr(0, 30));
    };
    g.windows.keyWaiting();
    ASSERT_EQ(held.size(), 20u);
    EXPECT_EQ(held[9], "  Aumente a janela para pelo  ");
    EXPECT_EQ(held[10], "        menos 80 x 24         ");
    EXPECT_EQ(held[0], std::string(30, ' '));
}

TEST(ConsolePlatform, FocusMenuAndMouseRecordsAreReadAndDropped) {
    Fixture f;
    f.console.pressKey(0x41, u'a');
    f.console.pending.push_back(platform::ConsoleEvent{});  // a record of another kind
    f.console.pending.push_back(platform::ConsoleEvent{});
    f.console.pressKey(0x42, u'b');
    ASSERT_TRUE(f.windows.keyWaiting());
    EXPECT_EQ(f.windows.readKey(), 'a');
    EXPECT_EQ(f.windows.readKey(), 'b');
    EXPECT_FALSE(f.windows.keyWaiting());
}

// As on a terminal: a window one row short shows all but the frame's last row, at the top.
TEST(ConsolePlatform, AWindowOneRowShortShowsAllButTheLastRow) {
    Fixture f;
    f.console.resizeWindow(80, 24);
    write(f.windows, 0, 23, "row 23");
    write(f.windows, 0, 24, "row 24");
    f.console.pushResizeEvent();
    EXPECT_FALSE(f.windows.keyWaiting());  // takes the size change in and presents
    EXPECT_EQ(f.console.at(1).rows, 24);  // the buffer follows the window
    EXPECT_EQ(f.console.rowText(1, 23).substr(0, 6), "row 23");
    EXPECT_EQ(f.console.rowText(1, 10).find("Aumente"), std::string::npos);
}
