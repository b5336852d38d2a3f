#include "conio/platform/color_mode.hpp"

#include <string_view>

namespace platform {
namespace {

// The 256-colour palette past its first 16 entries: a 6 x 6 x 6 cube (16..231) and a
// ramp of 24 greys (232..255), as xterm defines them and other terminals copy.
constexpr Rgb entry256(int index) {
    if (index >= 232) {
        const int grey = 8 + 10 * (index - 232);
        return {grey, grey, grey};
    }
    constexpr int kLevels[6] = {0, 95, 135, 175, 215, 255};
    const int cube = index - 16;
    return {kLevels[cube / 36], kLevels[cube / 6 % 6], kLevels[cube % 6]};
}

constexpr int distance(Rgb a, Rgb b) {
    return (a.r - b.r) * (a.r - b.r) + (a.g - b.g) * (a.g - b.g) + (a.b - b.b) * (a.b - b.b);
}

constexpr std::array<int, 16> nearestEntries() {
    std::array<int, 16> nearest{};
    for (std::size_t colour = 0; colour < nearest.size(); ++colour) {
        int best = 16;
        for (int index = 17; index < 256; ++index) {
            if (distance(entry256(index), kVgaPalette[colour]) < distance(entry256(best), kVgaPalette[colour])) {
                best = index;
            }
        }
        nearest[colour] = best;
    }
    return nearest;
}

constexpr std::array<int, 16> kNearest256 = nearestEntries();

std::string_view valueOf(const char* value) { return value != nullptr ? value : ""; }

bool endsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

}  // namespace

int palette256Index(int colour) { return kNearest256[static_cast<std::size_t>(colour & 0x0F)]; }

ColorMode colorModeFor(const TerminalEnvironment& environment) {
    const std::string_view term = valueOf(environment.term);
    if (term == "linux") return ColorMode::LinuxConsole;
    const std::string_view colorterm = valueOf(environment.colorterm);
    // tmux gives its panes a screen* TERM too, so TERM alone means GNU screen only outside tmux.
    const bool gnuScreen = !valueOf(environment.sty).empty() ||
                           (term.substr(0, 6) == "screen" && valueOf(environment.tmux).empty());
    const bool appleTerminal = valueOf(environment.termProgram) == "Apple_Terminal";
    if ((colorterm == "truecolor" || colorterm == "24bit") && !gnuScreen && !appleTerminal) {
        return ColorMode::TrueColor;
    }
    if (endsWith(term, "256color") || (appleTerminal && !gnuScreen)) return ColorMode::Palette256;
    return ColorMode::Ansi16;
}

}  // namespace platform
