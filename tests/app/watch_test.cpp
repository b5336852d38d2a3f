// Recording games through the program flow and watching them again on the headless platform.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/watch.hpp"
#include "tests/support/headless.hpp"
#include "tests/support/recorded_run.hpp"

namespace {

std::vector<Recording> recordedRun() {
    HeadlessConsole console;
    return playRecordedRun(console.platform);
}

// The recording as it comes back from its file's text.
Recording throughText(const Recording& recording) {
    const ParsedRecording parsed = parseRecording(formatRecording(recording));
    EXPECT_TRUE(parsed.recording) << parsed.error;
    return parsed.recording.value_or(Recording{});
}

}  // namespace

TEST(RecordedRun, EveryGameOfTheRunIsRecordedAndWatchingItGivesItsScoreLevelAndTicks) {
    const std::vector<Recording> recordings = recordedRun();
    ASSERT_EQ(recordings.size(), 2u);
    const Recording& first = recordings[0];
    const Recording& second = recordings[1];
    EXPECT_EQ(first.ended, GameEnd::EscInPause);
    EXPECT_EQ(std::count(first.keys.begin(), first.keys.end(), kKeySpace), 3) << "two pauses and a focus loss";
    EXPECT_EQ(first.keys.back(), kKeySpace);
    EXPECT_NE(std::find(first.keys.begin(), first.keys.end(), 'e'), first.keys.end()) << "the bomb";
    EXPECT_GT(first.score, 0);
    EXPECT_EQ(second.ended, GameEnd::GameOver) << "the second game must end before kSecondGameOverByMs";
    EXPECT_NE(second.seed, first.seed) << "each game is seeded from the clock at its set-up";
    EXPECT_EQ(second.date.substr(0, 11), "2026-12-10T");
    EXPECT_EQ(first.ticks, static_cast<std::int64_t>(first.keys.size()));
    for (const Recording& recorded : recordings) {
        const Recording recording = throughText(recorded);
        HeadlessConsole console;
        const Watched watched = watchRecording(recording);
        EXPECT_EQ(watched.end, WatchEnd::Matched) << watched.differences;
        EXPECT_EQ(watched.differences, "");
        const std::string screen = console.platform.text();
        EXPECT_NE(screen.find("ATE A PROXIMA"), std::string::npos) << screen;
        EXPECT_NE(screen.find(std::to_string(recording.score) + " PONTOS"), std::string::npos) << screen;
        EXPECT_EQ(console.platform.exhaustedReads(), 1) << "the farewell waits for the viewer's key";
        EXPECT_EQ(&conio::activePlatform(), &console.platform) << "the viewer's platform is installed again";
    }
}

TEST(Watch, TheViewersSpacePausesThePlaybackAndEscStopsIt) {
    const Recording recording = recordedRun()[1];
    HeadlessConsole console;
    console.platform.scheduleKeys(1000, " ");
    console.platform.scheduleKeys(60000, " ");
    console.platform.scheduleKeys(70000, "\x1b");
    const Watched watched = watchRecording(recording);
    EXPECT_EQ(watched.end, WatchEnd::Stopped);
    EXPECT_GE(console.platform.nowMs(), 70000);
    // About 11 seconds of play at 50 ms a tick: the paused minute ran no tick.
    const int ticks = sleepsLasting(console.platform.sleeps(), 50);
    EXPECT_GT(ticks, 150);
    EXPECT_LT(ticks, 300);
    EXPECT_EQ(console.platform.text().find("ATE A PROXIMA"), std::string::npos) << "a stopped playback has no farewell";
}

TEST(Watch, AFileThatDoesNotHoldItsGameIsShownAndSaysWhatDiffers) {
    const std::vector<Recording> recordings = recordedRun();
    Recording otherScore = recordings[0];
    otherScore.score += 5;
    {
        HeadlessConsole console;
        const Watched watched = watchRecording(otherScore);
        EXPECT_EQ(watched.end, WatchEnd::Differs);
        EXPECT_EQ(watched.differences, "score " + std::to_string(recordings[0].score) + " (recorded " +
                                           std::to_string(otherScore.score) + ")");
        EXPECT_NE(console.platform.text().find("ATE A PROXIMA"), std::string::npos) << "shown to its farewell";
    }
    // Keys cut short: the game is still on when they are used up.
    Recording cut = recordings[1];
    cut.keys.resize(100);
    cut.ticks = 100;
    HeadlessConsole console;
    const Watched watched = watchRecording(cut);
    EXPECT_EQ(watched.end, WatchEnd::Differs);
    EXPECT_NE(watched.differences.find("ended stopped (recorded gameover)"), std::string::npos) << watched.differences;
}
