#include "game/screen.hpp"

#include <algorithm>
#include <string>

#include "conio/conio.hpp"
#include "conio/services.hpp"

namespace {

constexpr int kBoxTopLeft = 201;
constexpr int kBoxTopRight = 187;
constexpr int kBoxBottomLeft = 200;
constexpr int kBoxBottomRight = 188;
constexpr int kBoxVertical = 186;
constexpr int kBoxHorizontal = 205;
constexpr int kBoxTeeDown = 203;
constexpr int kBoxTeeUp = 202;
constexpr int kBoxTeeRight = 204;
constexpr int kBoxTeeLeft = 185;

constexpr int kPanelRule = 10;
constexpr int kLastPanelColumn = kFrameRight - 1;

void frameGlyph(int x, int y, int code) {
    conio::gotoxy(x, y);
    conio::printf("%C", code);
}

// A counter line padded with blanks up to the last panel column, so a value that got
// shorter leaves no digit behind, and never reaching the right border. A value too long
// for the line is cut at the border rather than drawn over it.
void counterLine(int x, int y, const char* label, int value) {
    std::string text = label + std::to_string(value);
    const std::size_t width = static_cast<std::size_t>(kLastPanelColumn - x + 1);
    text.resize(width, ' ');
    conio::gotoxy(x, y);
    conio::printf(text.c_str());
}

// "           Pontos: %i     " fits the panel up to four digits. The line is padded with
// blanks to the last panel column, so longer scores keep all their digits before the border
// (up to nine); longer ones still start further left, giving up leading blanks.
std::string scoreFormat(int score) {
    const int width = kLastPanelColumn - 52 + 1;
    const int used = 8 + static_cast<int>(std::to_string(score).size());  // "Pontos: " and the digits
    const int lead = std::clamp(width - used, 0, 11);
    const int trail = std::max(width - lead - used, 0);
    return std::string(static_cast<std::size_t>(lead), ' ') + "Pontos: %i" +
           std::string(static_cast<std::size_t>(trail), ' ');
}

void put(int x, int y, int code) {
    conio::gotoxy(x, y);
    conio::printf("%c", code);
}

// The pickups and the block only change a colour on the way in; the ship, the shots and
// the enemies hand the foreground back to the frame's colour afterwards.
void renderPickup(Cell& cell, int x, int y, const ColorScheme& colors) {
    if (cell == Cell::Empty) return;
    conio::textcolor(colors.shipColor);
    if (cell == Cell::Live) put(x, y, glyph::kPickup);
    if (cell == Cell::Erase) {
        put(x, y, glyph::kBlank);
        cell = Cell::Empty;
    }
}

void renderBlock(Cell& cell, int x, int y) {
    if (cell == Cell::Empty) return;
    conio::textbackground(kBlockBackground);
    if (cell == Cell::Live) put(x, y, glyph::kBlank);
    conio::textbackground(0);
    if (cell == Cell::Erase) {
        put(x, y, glyph::kBlank);
        cell = Cell::Empty;
    }
}

void renderMover(Cell& cell, int x, int y, int color, int code, const ColorScheme& colors) {
    if (cell == Cell::Empty) return;
    conio::textcolor(color);
    if (cell == Cell::Live) put(x, y, code);
    if (cell == Cell::Erase) {
        put(x, y, glyph::kBlank);
        cell = Cell::Empty;
    }
    conio::textcolor(colors.screenColor);
}

}  // namespace

void drawFrame(const ColorScheme& colors) {
    conio::textcolor(colors.screenColor);
    conio::textbackground(0);
    frameGlyph(kFrameLeft, kFrameTop, kBoxTopLeft);
    frameGlyph(kFrameRight, kFrameTop, kBoxTopRight);
    frameGlyph(kFrameLeft, kFrameBottom, kBoxBottomLeft);
    frameGlyph(kFrameRight, kFrameBottom, kBoxBottomRight);
    for (int y = kFrameTop + 1; y < kFrameBottom; ++y) {
        frameGlyph(kFrameRight, y, kBoxVertical);
        frameGlyph(kFrameLeft, y, kBoxVertical);
        frameGlyph(kDivider, y, kBoxVertical);
    }
    for (int x = kFrameLeft + 1; x < kFrameRight; ++x) {
        frameGlyph(x, kFrameTop, kBoxHorizontal);
        frameGlyph(x, kFrameBottom, kBoxHorizontal);
    }
    frameGlyph(kDivider, kFrameTop, kBoxTeeDown);
    frameGlyph(kDivider, kFrameBottom, kBoxTeeUp);
    frameGlyph(kDivider, kPanelRule, kBoxTeeRight);
    for (int x = kDivider + 1; x <= kLastPanelColumn; ++x) frameGlyph(x, kPanelRule, kBoxHorizontal);
    frameGlyph(kFrameRight, kPanelRule, kBoxTeeLeft);
}

void drawHud(const GameState& state, const ColorScheme& colors) {
    conio::textcolor(colors.messageColor);
    conio::gotoxy(52, 12);
    conio::printf("%c %c %c %c Movimentam a Nave", glyph::kArrowUp, glyph::kArrowDown, glyph::kArrowRight,
                  glyph::kArrowLeft);
    conio::gotoxy(52, 14);
    conio::printf("[A] - Tiro Normal da Nave");
    conio::gotoxy(52, 16);
    conio::printf("[W] - Especial 1");
    conio::gotoxy(52, 18);
    conio::printf("[E] - Especial 2");
    conio::gotoxy(52, 20);
    conio::printf("[ESPA%cO] - Pausa/Despausa", glyph::kCedilla);
    conio::gotoxy(52, 22);
    conio::printf("[ESC] - Sai do Jogo");
    counterLine(63, 3, "Especial A: ", state.bombCharges);
    counterLine(63, 5, "Especial b: ", state.volleyCharges);
    conio::gotoxy(52, 6);
    conio::printf("Vidas: %i     ", state.lives);
    conio::gotoxy(52, 8);
    conio::printf("N%cvel: %i", glyph::kIAcute, state.level + 1);
    conio::gotoxy(52, 9);
    conio::printf(scoreFormat(state.score).c_str(), state.score);
}

void renderPlayField(PlayField& f, const ColorScheme& colors) {
    for (int x = kFrameLeft; x <= kFieldRight; ++x) {
        for (int y = kFrameTop; y <= kFieldBottom; ++y) {
            renderPickup(f.weaponPickupLayer[x][y], x, y, colors);
            renderPickup(f.lifePickupLayer[x][y], x, y, colors);
            renderBlock(f.blockLayer[x][y], x, y);
            renderPickup(f.scorePickupLayer[x][y], x, y, colors);
            renderMover(f.shipLayer[x][y], x, y, colors.shipColor, glyph::kShip, colors);
            renderMover(f.shotLayer[x][y], x, y, colors.shotColor, glyph::kShot, colors);
            renderMover(f.enemyShotLayer[x][y], x, y, colors.enemyShotColor, glyph::kEnemyShot, colors);
            renderMover(f.enemyLayer[x][y], x, y, colors.enemyColor, f.enemyGlyphLayer[x][y], colors);
        }
    }
}

void blankPlayField() {
    for (int x = kFieldLeft; x <= kFieldRight; ++x) {
        for (int y = kFieldTop; y <= kFieldBottom; ++y) {
            conio::gotoxy(x, y);
            conio::printf(" ");
        }
    }
}

void showFieldMessage(const char* message, std::int32_t score, const ColorScheme& colors) {
    blankPlayField();
    conio::textcolor(colors.messageColor);
    conio::gotoxy(20, 12);
    conio::printf(message);
    conio::gotoxy(20, 14);
    conio::printf("%i PONTOS", score);
}
