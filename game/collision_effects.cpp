#include "game/collision_effects.hpp"

#include <array>

#include "conio/conio.hpp"
#include "conio/services.hpp"
#include "game/screen.hpp"

namespace {

constexpr unsigned kHitToneMs = 2;
constexpr unsigned kDeathFrameMs = 120;
constexpr unsigned kGameOverMs = 3000;
constexpr std::array<int, 8> kDeathFrames = {glyph::kDeathUp, glyph::kDeathDown, glyph::kDeathRight,
                                              glyph::kDeathLeft, glyph::kDeathUp, glyph::kDeathDown,
                                              glyph::kDeathRight, glyph::kDeathLeft};

}  // namespace

void playHitTones() {
    conio::_beep(3000, kHitToneMs);
    conio::_beep(900, kHitToneMs);
    conio::_beep(3000, kHitToneMs);
}

void playPickupTones() {
    conio::_beep(800, kPickupToneMs);
    conio::_beep(800, kPickupToneMs);
    conio::_beep(3500, kPickupHighToneMs);
}

void playLossTones() {
    conio::_beep(3000, kLossToneMs);
    conio::_beep(3000, kLossToneMs);
    conio::_beep(800, kLossLowToneMs);
}

void playDeathAnimation(int x, int y) {
    for (const int glyph : kDeathFrames) {
        conio::gotoxy(x, y);
        conio::printf("%c", glyph);
        conio::_sleep(kDeathFrameMs);
    }
}

void showGameOver(GameState& state, const ColorScheme& colors) {
    showFieldMessage("GAME OVER", state.score, colors);
    state.key = static_cast<std::int8_t>(kKeyEsc);
    conio::_sleep(kGameOverMs);
}
