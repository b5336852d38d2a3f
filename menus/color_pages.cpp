#include "menus/color_pages.hpp"

#include <array>

#include "conio/conio.hpp"
#include "conio/services.hpp"

namespace {

constexpr int kTitleX = 15;
constexpr int kTitleY = 7;
constexpr int kMarkX = 45;  // the markers and the block start here
constexpr int kWhite = 15;
constexpr int kLowestColour = 1;
constexpr int kHighestColour = 15;
constexpr unsigned kPassMs = 50;

// Titles of pages 1..6. The blanks that end titles 3, 4 and 5 cover what the page before
// left on row 7, since pages are drawn over one another without clearing.
constexpr std::array<const char*, 6> kTitles = {
    " COR DA SUA NAVE: ",
    " COR DAS NAVES INIMIGAS: ",
    " COR DO TIRO DOS INIMIGOS:                       ",
    " COR DO TIRO DA SUA NAVE:                       ",
    " COR DA TELA DO JOGO:                       ",
    " COR DAS MENSAGENS NA TELA: ",
};

std::int8_t& pageColour(int page, ColorScheme& colors) {
    switch (page) {
        case 1: return colors.shipColor;
        case 2: return colors.enemyColor;
        case 3: return colors.enemyShotColor;
        case 4: return colors.shotColor;
        case 5: return colors.screenColor;
        default: return colors.messageColor;
    }
}

void readPageKey(std::int8_t& key) {
    key = 0;
    if (conio::_kbhit()) key = static_cast<std::int8_t>(conio::_getch());
}

void drawTitle(int page) {
    conio::gotoxy(kTitleX, kTitleY);
    conio::printf(kTitles[page - 1]);
}

void drawShotMarks() {
    for (int y : {3, 5, 7}) {
        conio::gotoxy(kMarkX, y);
        conio::printf("   %c", glyph::kShot);
    }
}

void fillBlockRows(const char* blanks) {
    for (int y = 3; y <= 6; ++y) {
        conio::gotoxy(kMarkX, y);
        conio::printf(blanks);
    }
}

// Pages 1..5: the title, then the preview in the colour being chosen.
void drawTitleAndPreview(int page, int colour) {
    drawTitle(page);
    if (page == 5) {
        conio::textbackground(colour);
        fillBlockRows("        ");
    } else {
        conio::textcolor(colour);
        if (page == 1) conio::printf("   %c", glyph::kShip);
        if (page == 2) conio::printf("   %c  %c  %c  %c", 3, 4, 5, 6);
        if (page == 3 || page == 4) drawShotMarks();
    }
    conio::textcolor(kWhite);
}

// Page 6 starts by erasing page 5's block, one column wider than the block itself.
void drawMessagePage(int colour) {
    conio::textbackground(0);
    fillBlockRows("         ");
    drawTitle(6);
    conio::textcolor(colour);
    conio::printf("   MENSAGENS");
    conio::textcolor(kWhite);
}

void drawStripAndPrompt(const Palette& palette) {
    conio::gotoxy(20, 10);
    for (int i = 1; i <= 15; ++i) {
        conio::textbackground(palette[i]);
        conio::printf("  ");
        conio::textbackground(0);
        conio::printf(" ");
    }
    conio::gotoxy(20, 14);
    conio::printf("USE %c %c PARA DEFINIR A COR E [ENTER] PARA CONTINUAR", glyph::kArrowLeft, glyph::kArrowRight);
}

void actOnKey(std::int8_t key, int& settingsPage, std::int8_t& colour) {
    const auto code = static_cast<std::uint8_t>(key);
    // Compared as ranges rather than equal to 1 and 15, so a colour can never leave 1..15.
    if (code == kKeyLeft && colour > kLowestColour) --colour;
    if (code == kKeyRight && colour < kHighestColour) ++colour;
    if (code == kKeyEnter) ++settingsPage;
}

}  // namespace

void colorPagePass(int& settingsPage, std::int8_t& key, ColorScheme& colors, const Palette& palette) {
    const int page = settingsPage;
    if (page < 1 || page > 6) return;
    std::int8_t& colour = pageColour(page, colors);
    readPageKey(key);
    if (page == 6) {
        drawMessagePage(colour);
    } else {
        drawTitleAndPreview(page, colour);
    }
    drawStripAndPrompt(palette);
    actOnKey(key, settingsPage, colour);
    conio::_sleep(kPassMs);
}
