// vexamor-screens: its command line, and the cells it writes for the picture renderer.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "conio/platform/screen_buffer.hpp"
#include "tools/screenshots/cells.hpp"
#include "tools/screenshots/options.hpp"

namespace {

ParsedScreensOptions parse(std::vector<std::string> arguments) { return parseScreensOptions(arguments); }

// Row y of the cells text (0-based, after the size line), split into cells.
std::vector<std::string> rowCells(const std::string& text, int y) {
    std::size_t start = text.find('\n') + 1;
    for (int i = 0; i < y; ++i) start = text.find('\n', start) + 1;
    const std::string row = text.substr(start, text.find('\n', start) - start);
    std::vector<std::string> cells;
    for (std::size_t at = 0; at <= row.size();) {
        const std::size_t blank = row.find(' ', at);
        cells.push_back(row.substr(at, blank == std::string::npos ? std::string::npos : blank - at));
        if (blank == std::string::npos) break;
        at = blank + 1;
    }
    return cells;
}

}  // namespace

TEST(ScreensOptions, ReadsKeysAndShotsInOrder) {
    const auto parsed = parse({"--seed", "7", "--keys", "100:50,2500:27", "--shot", "10:intro", "--shot", "20:game-2", "--out", "d"});
    ASSERT_TRUE(parsed.options) << parsed.error;
    EXPECT_EQ(parsed.options->seed, 7);
    ASSERT_EQ(parsed.options->keys.size(), 2u);
    EXPECT_EQ(parsed.options->keys[1].atMs, 2500);
    EXPECT_EQ(parsed.options->keys[1].byte, 27);
    ASSERT_EQ(parsed.options->shots.size(), 2u);
    EXPECT_EQ(parsed.options->shots[1].name, "game-2");
    EXPECT_EQ(parsed.options->outDir, "d");
}

TEST(ScreensOptions, RefusesWhatCouldGoWrongQuietly) {
    const std::vector<std::vector<std::string>> bad = {
        {"--shot", "10:a"},                                   // no seed
        {"--seed", "1"},                                      // no picture
        {"--seed", "1", "--shot", "10:../a"},                 // a name that leaves the folder
        {"--seed", "1", "--shot", "10:A"},                    // only lower case, digits and '-'
        {"--seed", "1", "--shot", "20:a", "--shot", "20:b"},  // times must grow
        {"--seed", "1", "--shot", "10:a", "--keys", "5:256"}, // not a byte
        {"--seed", "1", "--shot", "10:a", "--keys", "5:1,"},  // an empty item
        {"--seed", "-1", "--shot", "10:a"},
        {"--seed", "1", "--shot"},
    };
    for (const auto& arguments : bad) EXPECT_FALSE(parse(arguments).options) << arguments.back();
}

TEST(ScreensCells, GlyphAndColoursAfterReverseVideoAndUnderline) {
    platform::ScreenBuffer screen = platform::makeScreenBuffer(80, 25);
    platform::putCell(screen, 0, 0, {'A', 0x1E});
    platform::putCell(screen, 1, 0, {'A', 0x401E});   // reverse: the colours swap
    platform::putCell(screen, 2, 0, {0xB1, 0x801E});  // underlined, a code page 437 shade
    platform::putCell(screen, 79, 24, {0, 0x07});     // byte 0 shows as a blank
    const std::string text = cellsText(screen);
    EXPECT_EQ(text.rfind("80 25\n", 0), 0u);
    const auto first = rowCells(text, 0);
    ASSERT_EQ(first.size(), 80u);
    EXPECT_EQ(first[0], "0041:e1");
    EXPECT_EQ(first[1], "0041:1e");
    EXPECT_EQ(first[2], "2592:e1u");
    EXPECT_EQ(rowCells(text, 24).back(), "0020:70");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 26);
}
