#include "menus/banner.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "menus/banner_art.hpp"
#include "tests/support/headless.hpp"

namespace {

using platform::rowBytes;

constexpr char kMarker = '#';

// Fills the whole screen with a marker so that every cell the banner writes shows.
void markScreen(platform::HeadlessPlatform& headless) {
    auto& screen = headless.screen();
    platform::fillChars(screen, 0, 0, screen.width * screen.height, kMarker);
}

int leadingBlanks(const std::string& row) { return static_cast<int>(row.find_first_not_of(' ')); }

// Splits six rows into glyphs at the columns that are blank in every row.
std::vector<std::vector<std::string>> glyphsOf(const std::vector<std::string>& rows) {
    std::vector<std::vector<std::string>> glyphs;
    const std::size_t width = rows[0].size();
    std::size_t start = 0;
    for (std::size_t x = 0; x <= width; ++x) {
        bool blank = true;
        for (const auto& row : rows) blank = blank && (x == width || row[x] == ' ');
        if (!blank) continue;
        if (x > start) {
            std::vector<std::string> glyph;
            for (const auto& row : rows) glyph.push_back(row.substr(start, x - start));
            glyphs.push_back(glyph);
        }
        start = x + 1;
    }
    return glyphs;
}

bool mirrorSymmetric(const std::vector<std::string>& glyph) {
    auto mirror = [](char c) {
        switch (c) {
            case '(': return ')';
            case ')': return '(';
            case '/': return '\\';
            case '\\': return '/';
            case '`': return '\'';
            case '\'': return '`';
            default: return c;
        }
    };
    std::size_t width = 0;
    for (const auto& row : glyph) width = std::max(width, row.size());
    for (auto row : glyph) {
        row.resize(width, ' ');
        std::string mirrored(row.rbegin(), row.rend());
        for (char& c : mirrored) c = mirror(c);
        if (mirrored != row) return false;
    }
    return true;
}

void printWholeBanner() {
    conio::gotoxy(1, 1);
    for (std::size_t line = 0; line < kBannerLines.size(); ++line) printBannerLine(line);
}

// Screen rows (0-based) of banner lines 1..12.
constexpr int kLineRow[12] = {1, 2, 3, 4, 5, 6, 9, 10, 11, 12, 13, 14};

// Tones and pauses of a whole intro as (frequency or 0 for a pause, duration), in order.
std::vector<std::pair<unsigned, unsigned>> expectedJingle() {
    const std::vector<unsigned> odd = {554, 1108, 830, 739};
    const std::vector<unsigned> oddHigh = {622, 1108, 830, 739};
    const std::vector<unsigned> even = {1480, 830, 1396, 830};
    std::vector<std::pair<unsigned, unsigned>> events;
    for (int line = 1; line <= 12; ++line) {
        const auto& tones = line % 2 == 0 ? even : (line == 5 || line == 7) ? oddHigh : odd;
        const int pauses = (line % 2 == 0 && line >= 4) ? 3 : 4;
        for (int i = 0; i < 4; ++i) {
            events.emplace_back(tones[i], 250);
            if (i < pauses) events.emplace_back(0, 10);
        }
    }
    return events;
}

std::vector<std::pair<unsigned, unsigned>> recordedEvents(const platform::HeadlessPlatform& headless) {
    std::vector<std::pair<std::int64_t, std::pair<unsigned, unsigned>>> timed;
    for (const auto& tone : headless.tones()) timed.push_back({tone.startMs, {tone.frequencyHz, tone.durationMs}});
    for (const auto& pause : headless.sleeps()) timed.push_back({pause.startMs, {0, pause.durationMs}});
    std::stable_sort(timed.begin(), timed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::pair<unsigned, unsigned>> events;
    for (const auto& entry : timed) events.push_back(entry.second);
    return events;
}

using BannerLayout = HeadlessTest;
using IntroJingle = HeadlessTest;
using BannerAnimation = HeadlessTest;

}  // namespace

TEST(BannerArt, FormatStringsCarryNoBackslashAndNewlinesOnlyAtTheirStart) {
    for (std::size_t i = 0; i < kBannerLines.size(); ++i) {
        const std::string_view line = kBannerLines[i];
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(line.find('\\'), std::string_view::npos);
        const std::size_t newlines = line.find_first_not_of('\n');
        EXPECT_EQ(newlines, i == 6 ? 3u : 1u);
        EXPECT_EQ(line.find('\n', newlines), std::string_view::npos);
    }
}

TEST_F(BannerLayout, FillsItsTwoBlocksAndLeavesEveryOtherCellAlone) {
    markScreen(platform);
    printWholeBanner();
    for (int y = 0; y < 25; ++y) {
        SCOPED_TRACE(y + 1);
        const std::string row = rowBytes(platform.screen(), y);
        const bool firstBlock = y >= 1 && y <= 6;
        const bool secondBlock = y >= 9 && y <= 14;
        const std::size_t written = firstBlock ? 54 : secondBlock ? 67 : 0;
        EXPECT_EQ(row.find_first_of(kMarker), written);
        EXPECT_EQ(row.find_first_not_of(kMarker, written), std::string::npos);
        if (written == 0) continue;
        const std::string art = row.substr(0, written);
        EXPECT_EQ(art.find_first_not_of(" ()/\\.,-'`_"), std::string::npos) << art;
        const int lead = leadingBlanks(art);
        EXPECT_GE(lead, firstBlock ? 5 : 38);
        EXPECT_LE(lead, firstBlock ? 7 : 43);
    }
}

TEST_F(BannerLayout, SpellsVexaThenMor) {
    printWholeBanner();
    std::vector<std::string> first;
    std::vector<std::string> second;
    for (int y = 1; y <= 6; ++y) first.push_back(rowBytes(platform.screen(), y).substr(0, 54));
    for (int y = 9; y <= 14; ++y) second.push_back(rowBytes(platform.screen(), y).substr(0, 67));
    const auto vexa = glyphsOf(first);
    const auto mor = glyphsOf(second);
    ASSERT_EQ(vexa.size(), 4u);
    ASSERT_EQ(mor.size(), 3u);
    // Each letter is six rows tall: ink in its top and bottom rows.
    for (const auto* block : {&vexa, &mor}) {
        for (const auto& glyph : *block) {
            EXPECT_NE(glyph.front().find_first_not_of(' '), std::string::npos);
            EXPECT_NE(glyph.back().find_first_not_of(' '), std::string::npos);
        }
    }
    // V, X, A, M and O read the same in a mirror; E and R do not.
    EXPECT_TRUE(mirrorSymmetric(vexa[0]));
    EXPECT_FALSE(mirrorSymmetric(vexa[1]));
    EXPECT_TRUE(mirrorSymmetric(vexa[2]));
    EXPECT_TRUE(mirrorSymmetric(vexa[3]));
    EXPECT_TRUE(mirrorSymmetric(mor[0]));
    EXPECT_TRUE(mirrorSymmetric(mor[1]));
    EXPECT_FALSE(mirrorSymmetric(mor[2]));
}

TEST_F(IntroJingle, WithAKeyAlreadyWaitingDoesNothing) {
    markScreen(platform);
    conio::gotoxy(30, 20);
    platform.pushKey('x');
    abertura();
    EXPECT_EQ(platform.text().find_first_not_of(std::string("#\n")), std::string::npos);
    EXPECT_TRUE(platform.tones().empty());
    EXPECT_TRUE(platform.sleeps().empty());
    EXPECT_EQ(contador_da_cor, 2);
    EXPECT_EQ(conio::__FOREGROUND, 7);
    EXPECT_EQ(conio::wherex(), 30);
    EXPECT_EQ(conio::wherey(), 20);
    EXPECT_EQ(platform.keysLeft(), 1u);
    EXPECT_NE(conio::_kbhit(), 0);
}

TEST_F(IntroJingle, FullIntroPlaysTheJingleAndStepsTheColourPerLine) {
    abertura();
    EXPECT_EQ(platform.tones().size(), 48u);
    EXPECT_EQ(platform.sleeps().size(), 43u);
    EXPECT_EQ(recordedEvents(platform), expectedJingle());
    EXPECT_EQ(contador_da_cor, 14);
    EXPECT_EQ(conio::__FOREGROUND, 13);
    EXPECT_EQ(conio::wherex(), 1);
    EXPECT_EQ(conio::wherey(), 1);
    // Line 1 keeps the colour in force; line k shows the counter as set after line k - 1.
    for (int line = 1; line <= 12; ++line) {
        const int y = kLineRow[line - 1];
        const int x = leadingBlanks(rowBytes(platform.screen(), y));
        EXPECT_EQ(platform.attributeAt(x, y), line == 1 ? 7 : line) << "line " << line;
    }

    // The counter is never reset: the second intro carries on from 14 into blue backgrounds.
    platform.clearRecords();
    abertura();
    EXPECT_EQ(contador_da_cor, 26);
    EXPECT_EQ(platform.tones().size(), 48u);
    const int lastRow = kLineRow[11];
    EXPECT_EQ(platform.attributeAt(leadingBlanks(rowBytes(platform.screen(), lastRow)), lastRow), 24);
    EXPECT_EQ(platform.attributeAt(leadingBlanks(rowBytes(platform.screen(), 2)), 2), 14);
}

TEST_F(IntroJingle, KeyDuringALinesTonesEndsTheIntroAfterTheNextLine) {
    markScreen(platform);
    // Each of lines 1 and 2 takes 4 x 250 + 4 x 10 ms; 2500 ms falls within line 3's tones.
    platform.scheduleKey(2500, 'k');
    abertura();
    EXPECT_EQ(platform.tones().size(), 12u);
    EXPECT_EQ(platform.sleeps().size(), 12u);
    EXPECT_EQ(contador_da_cor, 5);
    EXPECT_EQ(conio::__FOREGROUND, 5);
    EXPECT_EQ(rowBytes(platform.screen(), 4).substr(0, 5), "     ");  // line 4 printed
    EXPECT_EQ(rowBytes(platform.screen(), 5)[0], kMarker);           // line 5 not
    EXPECT_EQ(conio::wherex(), 55);
    EXPECT_EQ(conio::wherey(), 5);
    EXPECT_EQ(platform.keysLeft(), 1u);

    // The next intro draws its line 2 in the colour the cut-short one applied last.
    EXPECT_EQ(conio::_getch(), 'k');
    abertura();
    EXPECT_EQ(platform.attributeAt(leadingBlanks(rowBytes(platform.screen(), 2)), 2), 5);
    EXPECT_EQ(contador_da_cor, 17);
}

TEST_F(IntroJingle, KeyDuringTheLastLinesTonesLetsTheIntroFinish) {
    platform.scheduleKey(12'400, 'k');
    abertura();
    EXPECT_EQ(platform.tones().size(), 48u);
    EXPECT_EQ(contador_da_cor, 14);
    EXPECT_EQ(conio::wherex(), 1);
    EXPECT_EQ(conio::wherey(), 1);
    EXPECT_EQ(platform.keysLeft(), 1u);
}

TEST_F(BannerAnimation, ReturnsAtOnceWhenAKeyWaits) {
    markScreen(platform);
    platform.pushKey('1');
    vexamor();
    EXPECT_EQ(platform.text().find_first_not_of(std::string("#\n")), std::string::npos);
    EXPECT_TRUE(platform.sleeps().empty());
    EXPECT_EQ(platform.keysLeft(), 1u);
}

TEST(BannerColourCycle, CyclesColoursTwoToFourteenEveryFiftyMs) {
    for (int passes = 1; passes <= 15; ++passes) {
        HeadlessConsole console;
        console.platform.scheduleKey(50 * passes - 49, 'x');
        vexamor();
        const int colour = 2 + (passes - 1) % 13;
        SCOPED_TRACE(passes);
        EXPECT_EQ(console.platform.sleeps().size(), static_cast<std::size_t>(passes));
        for (const auto& pause : console.platform.sleeps()) EXPECT_EQ(pause.durationMs, 50u);
        EXPECT_EQ(conio::__FOREGROUND, colour);
        EXPECT_EQ(console.platform.attributeAt(5, 1), colour);
        EXPECT_EQ(console.platform.keysLeft(), 1u);
        EXPECT_EQ(contador_da_cor, 2);
    }
}
