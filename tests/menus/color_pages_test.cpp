#include "menus/color_pages.hpp"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/headless.hpp"

namespace {

using platform::rowBytes;

struct Pages {
    ColorScheme colors;
    int settingsPage = 1;
    std::int8_t key = 0;
};

void runPasses(Pages& pages, int passes) {
    for (int i = 0; i < passes; ++i) colorPagePass(pages.settingsPage, pages.key, pages.colors, kDefaultPalette);
}

// Runs passes until the page has moved on or a bound is reached; keys are worked off one per pass.
void runPage(Pages& pages) {
    const int page = pages.settingsPage;
    for (int i = 0; i < 100 && pages.settingsPage == page; ++i) runPasses(pages, 1);
}

int foreground(std::uint16_t attribute) { return attribute & 0x0F; }
int background(std::uint16_t attribute) { return (attribute >> 4) & 0x0F; }

using ColorPage = HeadlessTest;

}  // namespace

TEST_F(ColorPage, ArrowsStepTheColourWithinOneToFifteen) {
    Pages pages;  // ship colour starts at 14
    platform.scheduleKeys(0, "MMM");
    runPasses(pages, 3);
    EXPECT_EQ(pages.colors.shipColor, 15);

    pages.colors.shipColor = 2;
    platform.scheduleKeys(platform.nowMs(), "KKK");
    runPasses(pages, 3);
    EXPECT_EQ(pages.colors.shipColor, 1);

    // An arrow is a prefix byte and a code, consumed in two passes; the prefix does nothing.
    platform.scheduleKeys(platform.nowMs(), "\xE0M");
    runPasses(pages, 1);
    EXPECT_EQ(pages.key, static_cast<std::int8_t>(0xE0));
    EXPECT_EQ(pages.colors.shipColor, 1);
    runPasses(pages, 1);
    EXPECT_EQ(pages.colors.shipColor, 2);
    EXPECT_EQ(pages.settingsPage, 1);
}

TEST_F(ColorPage, EachPassReadsOneByteAndSleepsFiftyMs) {
    Pages pages;
    platform.scheduleKeys(0, "abc");
    runPasses(pages, 1);
    EXPECT_EQ(pages.key, 'a');
    EXPECT_EQ(platform.keysLeft(), 2u);
    runPasses(pages, 3);
    EXPECT_EQ(pages.key, 0);  // no key waiting: the key is cleared
    ASSERT_EQ(platform.sleeps().size(), 4u);
    for (const auto& pause : platform.sleeps()) EXPECT_EQ(pause.durationMs, 50u);
    EXPECT_TRUE(platform.tones().empty());
}

TEST_F(ColorPage, OnlyEnterLeavesAPageAndSixEntersFinishThePages) {
    Pages pages;
    const ColorScheme before = pages.colors;
    platform.scheduleKeys(0, std::string("\x1b" "q1 \x08", 5));
    runPasses(pages, 5);
    EXPECT_EQ(pages.settingsPage, 1);
    for (int page = 1; page <= 6; ++page) {
        platform.pushKey(13);
        runPasses(pages, 1);
        EXPECT_EQ(pages.settingsPage, page + 1);
    }
    EXPECT_EQ(pages.colors.shipColor, before.shipColor);
    EXPECT_EQ(pages.colors.messageColor, before.messageColor);
    // Finished pages do nothing at all.
    platform.clearRecords();
    runPasses(pages, 1);
    EXPECT_EQ(pages.settingsPage, 7);
    EXPECT_TRUE(platform.sleeps().empty());
}

TEST_F(ColorPage, FirstPageShowsTitlePreviewStripAndPrompt) {
    Pages pages;
    runPasses(pages, 1);
    EXPECT_EQ(rowBytes(platform.screen(), 6).substr(14, 22), " COR DA SUA NAVE:    \xF1");
    EXPECT_EQ(platform.attributeAt(35, 6), 14);
    EXPECT_EQ(platform.attributeAt(14, 6), 7);  // the title keeps the colour in force before the page
    for (int i = 1; i <= 15; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(background(platform.attributeAt(16 + 3 * i, 9)), i);
        EXPECT_EQ(background(platform.attributeAt(17 + 3 * i, 9)), i);
        EXPECT_EQ(background(platform.attributeAt(18 + 3 * i, 9)), 0);
    }
    EXPECT_EQ(rowBytes(platform.screen(), 9).substr(19, 45), std::string(45, ' '));
    EXPECT_EQ(rowBytes(platform.screen(), 13).substr(19, 52),
              "USE \x1b \x1a PARA DEFINIR A COR E [ENTER] PARA CONTINUAR ");
    EXPECT_EQ(foreground(platform.attributeAt(19, 13)), 15);
    EXPECT_EQ(conio::__FOREGROUND, 15);
    EXPECT_EQ(conio::__BACKGROUND, 0);
}

TEST_F(ColorPage, ShotPagesMarkColumn48AndTheScreenPageDrawsABlock) {
    Pages pages;
    pages.colors.enemyShotColor = 9;
    pages.colors.screenColor = 6;
    pages.settingsPage = 3;
    runPasses(pages, 1);
    for (int y : {2, 4, 6}) {
        EXPECT_EQ(rowBytes(platform.screen(), y)[47], '\xB3');
        EXPECT_EQ(platform.attributeAt(47, y), 9);
    }

    platform.pushKey(13);
    runPasses(pages, 1);  // page 3 left for page 4
    platform.pushKey(13);
    runPasses(pages, 1);  // page 4 left for page 5
    runPasses(pages, 1);
    for (int y = 2; y <= 5; ++y) {
        SCOPED_TRACE(y);
        EXPECT_EQ(rowBytes(platform.screen(), y).substr(44, 8), std::string(8, ' '));
        for (int x = 44; x < 52; ++x) EXPECT_EQ(background(platform.attributeAt(x, y)), 6);
        EXPECT_EQ(background(platform.attributeAt(52, y)), 0);
    }
    // The block covers page 4's marks on rows 3 and 5.
    EXPECT_EQ(rowBytes(platform.screen(), 2)[47], ' ');

    // A step right shows in the block on the next pass; Enter then erases it on page 6.
    platform.pushKey('M');
    runPasses(pages, 2);
    EXPECT_EQ(pages.colors.screenColor, 7);
    EXPECT_EQ(background(platform.attributeAt(44, 2)), 7);
    platform.pushKey(13);
    runPasses(pages, 2);
    EXPECT_EQ(pages.settingsPage, 6);
    for (int y = 2; y <= 5; ++y) {
        for (int x = 44; x < 53; ++x) EXPECT_EQ(background(platform.attributeAt(x, y)), 0);
    }
}

TEST_F(ColorPage, PagesDrawnOverOneAnotherLeaveOnlyTheMessagePage) {
    Pages pages;
    pages.colors.messageColor = 12;
    for (int page = 1; page <= 5; ++page) {
        platform.pushKey(13);
        runPage(pages);
    }
    runPasses(pages, 1);
    ASSERT_EQ(pages.settingsPage, 6);
    const std::string row7 = std::string(14, ' ') + " COR DAS MENSAGENS NA TELA:    MENSAGENS";
    EXPECT_EQ(rowBytes(platform.screen(), 6), row7 + std::string(80 - row7.size(), ' '));
    EXPECT_EQ(platform.attributeAt(static_cast<int>(row7.size()) - 1, 6), 12);
    for (int y : {2, 3, 4, 5}) EXPECT_EQ(rowBytes(platform.screen(), y), std::string(80, ' '));
}
