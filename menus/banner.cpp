#include "menus/banner.hpp"

#include <array>

#include "conio/conio.hpp"
#include "conio/services.hpp"
#include "menus/banner_art.hpp"

int contador_da_cor = 2;

void resetIntroCounterForTests() { contador_da_cor = 2; }

namespace {

constexpr unsigned kToneMs = 250;
constexpr unsigned kPauseMs = 10;

// Four tones per banner line; the first `pauses` of them are each followed by a short
// rest, which is what separates repeated notes in the jingle.
struct ToneGroup {
    std::array<unsigned, 4> frequenciesHz;
    int pauses;
};

constexpr std::array<ToneGroup, 12> kJingle = {{
    {{554, 1108, 830, 739}, 4},
    {{1480, 830, 1396, 830}, 4},
    {{554, 1108, 830, 739}, 4},
    {{1480, 830, 1396, 830}, 3},
    {{622, 1108, 830, 739}, 4},
    {{1480, 830, 1396, 830}, 3},
    {{622, 1108, 830, 739}, 4},
    {{1480, 830, 1396, 830}, 3},
    {{554, 1108, 830, 739}, 4},
    {{1480, 830, 1396, 830}, 3},
    {{554, 1108, 830, 739}, 4},
    {{1480, 830, 1396, 830}, 3},
}};
static_assert(kJingle.size() == kBannerLines.size());

void playToneGroup(const ToneGroup& group) {
    for (int i = 0; i < static_cast<int>(group.frequenciesHz.size()); ++i) {
        conio::_beep(group.frequenciesHz[i], kToneMs);
        if (i < group.pauses) conio::_sleep(kPauseMs);
    }
}

void printBanner() {
    for (std::size_t line = 0; line < kBannerLines.size(); ++line) printBannerLine(line);
}

}  // namespace

void abertura() {
    if (conio::_kbhit()) return;
    conio::gotoxy(1, 1);
    for (std::size_t line = 0; line < kBannerLines.size(); ++line) {
        printBannerLine(line);
        // The colour is set after the line, so line 1 keeps the colour the intro found and
        // each later line shows the counter as it stood after the line before.
        conio::textcolor(contador_da_cor);
        if (conio::_kbhit()) return;
        ++contador_da_cor;
        playToneGroup(kJingle[line]);
    }
    conio::gotoxy(1, 1);
}

void vexamor() {
    int colour = 2;
    while (!conio::_kbhit()) {
        conio::gotoxy(1, 1);
        conio::textcolor(colour);
        printBanner();
        colour = colour + 1 == 15 ? 2 : colour + 1;
        conio::_sleep(50);
    }
}
