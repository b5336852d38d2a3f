// The console window losing focus, as the console's FOCUS_EVENT records report it, on the
// fake console: a loss waits behind the keys pressed before it and ends at the next key.
#include <gtest/gtest.h>

#include "conio/platform/windows/console_platform.hpp"
#include "conio/services.hpp"
#include "game/tick.hpp"
#include "tests/support/fake_console.hpp"

namespace {

struct Fixture {
    FakeConsole console;
    platform::TonePlayer tones{true};
    platform::ConsolePlatform windows{console, 1, tones};

    void focus(platform::ConsoleEvent::Kind kind) {
        platform::ConsoleEvent event;
        event.kind = kind;
        console.pending.push_back(event);
    }
    void loseFocus() { focus(platform::ConsoleEvent::Kind::FocusLost); }
    void regainFocus() { focus(platform::ConsoleEvent::Kind::Other); }  // FOCUS_EVENT with focus set
};

constexpr std::uint16_t kVirtualKeyA = 0x41;
constexpr std::uint16_t kVirtualKeyShift = 0x10;

}  // namespace

TEST(ConsoleFocus, ALossIsTakenOnceAfterTheKeysBeforeItAndRegainingChangesNothing) {
    Fixture f;
    EXPECT_FALSE(f.windows.takeFocusLoss());
    f.console.pressKey(kVirtualKeyA, u'a');
    f.loseFocus();
    f.regainFocus();
    ASSERT_TRUE(f.windows.keyWaiting());
    EXPECT_TRUE(f.windows.takeFocusLoss()) << "the key came before the loss";
    EXPECT_FALSE(f.windows.takeFocusLoss());
    EXPECT_EQ(f.windows.readKey(), 'a');
}

TEST(ConsoleFocus, AKeyAfterTheLossEndsItButAModifierAloneDoesNot) {
    Fixture f;
    f.loseFocus();
    f.console.pressKey(kVirtualKeyShift);
    EXPECT_TRUE(f.windows.takeFocusLoss()) << "Shift alone gives no key";

    f.loseFocus();
    f.console.pressKey(kVirtualKeyA, u'b');
    EXPECT_FALSE(f.windows.takeFocusLoss());
    EXPECT_EQ(f.windows.readKey(), 'b');
}

TEST(ConsoleFocus, TheTickReadsALossAsASpace) {
    Fixture f;
    conio::installPlatform(f.windows);
    f.loseFocus();
    GameState state;
    EXPECT_TRUE(readTickKey(state));
    EXPECT_EQ(state.key, 32);
    EXPECT_FALSE(readTickKey(state)) << "once";
    EXPECT_EQ(state.key, 0);
    conio::uninstallPlatform();
}
