#pragma once
// Which colours a terminal shows right, judged from the environment it gives the program,
// and how the console palette maps onto a 256-colour terminal.
#include <array>

namespace platform {

enum class ColorMode {
    Ansi16,        // SGR 30..37 / 90..97 and 40..47 / 100..107: the terminal's own palette
    Palette256,    // the nearest colours of the 256-colour cube and grey ramp (38;5;n)
    TrueColor,     // the exact VGA palette as 24-bit colour
    LinuxConsole,  // no bright backgrounds: bright shows as bold (foreground) and blink (background)
};

// The environment values that tell what the terminal is; null or empty means unset.
struct TerminalEnvironment {
    const char* term = nullptr;         // TERM
    const char* colorterm = nullptr;    // COLORTERM
    const char* termProgram = nullptr;  // TERM_PROGRAM
    const char* sty = nullptr;          // STY: set inside GNU screen
    const char* tmux = nullptr;         // TMUX: set inside tmux
};

// 24-bit colour where COLORTERM says so and no GNU screen (which misreads it) or
// Terminal.app (which inherits COLORTERM from profiles yet shows 24-bit colour wrong) sits
// in between; 256 colours on *256color terminals and in Terminal.app; the Linux console's
// own mode; the 16 ANSI colours otherwise. COLORTERM passes through screen, ssh and
// profiles, so it is never believed alone.
ColorMode colorModeFor(const TerminalEnvironment& environment);

struct Rgb {
    int r, g, b;
};
// The console palette as a VGA shows it.
inline constexpr std::array<Rgb, 16> kVgaPalette = {{
    {0, 0, 0},      {0, 0, 170},     {0, 170, 0},     {0, 170, 170},
    {170, 0, 0},    {170, 0, 170},   {170, 85, 0},    {170, 170, 170},
    {85, 85, 85},   {85, 85, 255},   {85, 255, 85},   {85, 255, 255},
    {255, 85, 85},  {255, 85, 255},  {255, 255, 85},  {255, 255, 255},
}};

// The 256-colour index (16..255) nearest to console colour 0..15 by RGB distance. The
// first 16 indexes are left alone: they are the player's theme, as the 16 ANSI colours are.
int palette256Index(int colour);

}  // namespace platform
