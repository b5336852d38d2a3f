#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "game/flow.hpp"
#include "game/playback.hpp"
#include "game/recorder.hpp"
#include "game/setup.hpp"
#include "tests/support/headless.hpp"

// A golden game replayed with the recorder watching: it records the game it sees, down to
// the key its last tick read before GAME OVER set the key to 27.
TEST(Recorder, RecordsAReplayedGameAsItsOwnRecording) {
    std::ifstream file(std::string(VEXAMOR_SOURCE_DIR) + "/tests/golden/down_to_the_floor.vxr", std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    const ParsedRecording golden = parseRecording(text.str());
    ASSERT_TRUE(golden.recording) << golden.error;
    const Recording& original = *golden.recording;
    ASSERT_EQ(original.keys.back(), kKeyDown) << "a last tick whose key matters";
    HeadlessConsole console;
    Game g;
    startProcess(g);
    prepareReplay(g, original);
    console.platform.setEpochSeconds(original.seed);
    ReplayedGame replayed;
    Recording recorded;
    int handedOver = 0;
    const GameObserver play = playbackObserver(original, [&](std::uint8_t key) { console.platform.pushKey(key); }, replayed);
    playGame(g, bothObservers(play, recorderObserver(original.gameVersion, [&](const Recording& r) {
                                  recorded = r;
                                  ++handedOver;
                              })));
    EXPECT_EQ(handedOver, 1);
    recorded.date = original.date;  // the clock's at the farewell
    EXPECT_EQ(formatRecording(recorded), formatRecording(original));
}
