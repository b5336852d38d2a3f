#include "conio/platform/color_mode.hpp"

#include <gtest/gtest.h>

#include <vector>

using platform::ColorMode;
using platform::TerminalEnvironment;

namespace {

struct Case {
    const char* what;
    TerminalEnvironment environment;
    ColorMode expected;
};

void expectModes(const std::vector<Case>& cases) {
    for (const Case& c : cases) EXPECT_EQ(platform::colorModeFor(c.environment), c.expected) << c.what;
}

}  // namespace

TEST(ColorModeChoice, TrueColorOnlyWhereNothingInBetweenMisreadsIt) {
    expectModes({
        {"xterm, kitty, VTE saying truecolor", {.term = "xterm-256color", .colorterm = "truecolor"}, ColorMode::TrueColor},
        {"24bit, no TERM", {.colorterm = "24bit"}, ColorMode::TrueColor},
        {"tmux passes truecolor on", {.term = "tmux-256color", .colorterm = "truecolor", .tmux = "/tmp/t,1,0"},
         ColorMode::TrueColor},
        {"tmux with its screen TERM", {.term = "screen", .colorterm = "truecolor", .tmux = "/tmp/t,1,0"},
         ColorMode::TrueColor},
        {"GNU screen, STY set", {.term = "screen", .colorterm = "truecolor", .sty = "123.pts-0.host"}, ColorMode::Ansi16},
        {"GNU screen inside tmux", {.term = "screen", .colorterm = "truecolor", .sty = "1.s", .tmux = "/tmp/t,1,0"},
         ColorMode::Ansi16},
        {"GNU screen with 256 colours", {.term = "screen.xterm-256color", .colorterm = "truecolor", .sty = "1.s"},
         ColorMode::Palette256},
        {"screen TERM without TMUX: GNU screen over ssh", {.term = "screen-256color", .colorterm = "truecolor"},
         ColorMode::Palette256},
        {"Terminal.app with an exported COLORTERM",
         {.term = "xterm-256color", .colorterm = "truecolor", .termProgram = "Apple_Terminal"}, ColorMode::Palette256},
        {"Terminal.app with TERM xterm", {.term = "xterm", .termProgram = "Apple_Terminal"}, ColorMode::Palette256},
        {"GNU screen inside Terminal.app", {.term = "screen", .termProgram = "Apple_Terminal", .sty = "1.s"},
         ColorMode::Ansi16},
        {"other TERM_PROGRAM", {.term = "xterm-256color", .colorterm = "truecolor", .termProgram = "iTerm.app"},
         ColorMode::TrueColor},
        {"an unknown COLORTERM", {.term = "xterm-256color", .colorterm = "yes"}, ColorMode::Palette256},
        {"256 colours, no COLORTERM (xterm, PuTTY)", {.term = "xterm-256color"}, ColorMode::Palette256},
        {"plain xterm", {.term = "xterm"}, ColorMode::Ansi16},
        {"nothing set", {}, ColorMode::Ansi16},
        {"empty values are unset", {.term = "", .colorterm = "", .sty = ""}, ColorMode::Ansi16},
        {"empty STY is no screen", {.term = "xterm", .colorterm = "truecolor", .sty = ""}, ColorMode::TrueColor},
        {"the Linux console", {.term = "linux", .colorterm = "truecolor"}, ColorMode::LinuxConsole},
    });
}

// Nearest by RGB distance: VGA's 170 is the cube's 175 and 85 its 95; the greys fall on the
// grey ramp (168 and 88), nearer than the cube's greys (175 and 95).
TEST(Palette256, EveryConsoleColourTakesItsNearestEntry) {
    const int expected[16] = {
        16,   // black 0,0,0
        19,   // blue 0,0,170 -> 0,0,175
        34,   // green
        37,   // cyan
        124,  // red 170,0,0 -> 175,0,0
        127,  // magenta
        130,  // brown 170,85,0 -> 175,95,0
        248,  // light grey 170 -> ramp 168
        240,  // dark grey 85 -> ramp 88
        63,   // light blue 85,85,255 -> 95,95,255
        83,   // light green
        87,   // light cyan
        203,  // light red 255,85,85 -> 255,95,95
        207,  // light magenta
        227,  // yellow 255,255,85 -> 255,255,95
        231,  // white
    };
    for (int colour = 0; colour < 16; ++colour) EXPECT_EQ(platform::palette256Index(colour), expected[colour]) << colour;
}
