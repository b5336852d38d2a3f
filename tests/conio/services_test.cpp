#include "conio/services.hpp"

#include <gtest/gtest.h>

#include "tests/support/headless.hpp"

TEST(Generator, MatchesTheClassicSequence) {
    HeadlessConsole console;
    conio::srand(1);
    EXPECT_EQ(conio::rand(), 41);
    EXPECT_EQ(conio::rand(), 18467);
    EXPECT_EQ(conio::rand(), 6334);
    EXPECT_EQ(conio::rand(), 26500);
    EXPECT_EQ(conio::rand(), 19169);
    conio::srand(12345);
    for (const int expected : {7584, 19164, 25795, 22125, 5828}) EXPECT_EQ(conio::rand(), expected);
    conio::resetRandForTests();  // state 1 before any srand
    EXPECT_EQ(conio::rand(), 41);
}

TEST(Generator, ScriptedValuesComeFirstAndAreCounted) {
    HeadlessConsole console;
    conio::scriptRand({5, 0});
    EXPECT_EQ(conio::rand(), 5);
    EXPECT_EQ(conio::scriptedRandLeft(), 1u);
    EXPECT_EQ(conio::rand(), 0);
    EXPECT_EQ(conio::rand(), 41);  // back to the generator
    EXPECT_EQ(conio::randDraws(), 3u);
}

TEST_F(HeadlessTest, FormattedOutputWritesBytesNeverLocaleConversions) {
    conio::gotoxy(1, 1);
    conio::textcolor(12);
    conio::printf("%c%C%c|%i|%i%%", 128, 205, -128, -42, 7);
    EXPECT_EQ(platform::rowBytes(platform.screen(), 0).substr(0, 12), "\x80\xCD\x80|-42|7%  ");
    EXPECT_EQ(platform.attributeAt(0, 0), 12);
    EXPECT_EQ(conio::wherex(), 11);

    conio::gotoxy(1, 3);
    conio::printf("%i", -2147483647 - 1);
    EXPECT_EQ(platform::rowBytes(platform.screen(), 2).substr(0, 11), "-2147483648");

    conio::gotoxy(5, 5);
    conio::printf("\nx");  // newline goes to column 1 of the next row
    EXPECT_EQ(conio::wherex(), 2);
    EXPECT_EQ(conio::wherey(), 6);

    conio::gotoxy(1, 8);
    conio::_cputs("ab");
    conio::_putch(0x1B);
    EXPECT_EQ(platform::rowBytes(platform.screen(), 7).substr(0, 3), "ab\x1b");
}

TEST_F(HeadlessTest, KeysWaitOnTheVirtualClockAndKbhitConsumesNothing) {
    platform.scheduleKey(100, 'x');
    platform.scheduleKeys(100, std::string("\xE0H", 2));
    EXPECT_EQ(conio::_kbhit(), 0);
    conio::_sleep(99);
    EXPECT_EQ(conio::_kbhit(), 0);
    conio::_beep(440, 1);
    EXPECT_NE(conio::_kbhit(), 0);
    EXPECT_NE(conio::_kbhit(), 0);
    EXPECT_EQ(conio::_getch(), 'x');
    EXPECT_EQ(conio::_getch(), 0xE0);  // a two-byte key is two reads
    EXPECT_EQ(conio::_getch(), 'H');
    EXPECT_EQ(platform.exhaustedReads(), 0);
    EXPECT_EQ(conio::_getch(), 27);  // an exhausted script reads as ESC
    EXPECT_EQ(platform.exhaustedReads(), 1);
    EXPECT_EQ(platform.sleeps(), (std::vector<platform::SleepRecord>{{99, 0}}));
    EXPECT_EQ(platform.tones(), (std::vector<platform::ToneRecord>{{440, 1, 99}}));
}

TEST_F(HeadlessTest, GetchWaitsVirtuallyForAFutureKeyAndTimeFollowsTheClock) {
    platform.setEpochSeconds(1000);
    platform.scheduleKey(2500, 'q');
    EXPECT_EQ(conio::time(nullptr), 1000);
    EXPECT_EQ(conio::_getch(), 'q');
    EXPECT_EQ(platform.nowMs(), 2500);
    std::int64_t seconds = 0;
    EXPECT_EQ(conio::time(&seconds), 1002);
    EXPECT_EQ(seconds, 1002);
    conio::_sleep(0);
    EXPECT_EQ(platform.nowMs(), 2500);
}
