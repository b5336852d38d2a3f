#include "app/watch.hpp"

#include "conio/platform/playback_platform.hpp"
#include "conio/services.hpp"
#include "game/flow.hpp"
#include "game/playback.hpp"
#include "game/setup.hpp"

namespace {

// Reads the viewer's keys typed since the last tick; true when the viewer asked to stop.
// A space (or looking away) pauses until another space; ESC stops, paused or not.
bool viewerStops(platform::Platform& viewer) {
    bool paused = viewer.takeFocusLoss();
    while (paused || viewer.keyWaiting()) {
        const std::uint8_t key = viewer.readKey();
        if (key == kKeyEsc) return true;
        if (key == kKeySpace) paused = !paused;
    }
    return false;
}

}  // namespace

Watched watchRecording(const Recording& recording) {
    platform::Platform& viewer = conio::activePlatform();
    platform::PlaybackPlatform playback(viewer, recording.seed);
    conio::installPlatform(playback);
    Game g;
    startProcess(g);
    prepareReplay(g, recording);
    ReplayedGame replayed;
    bool stopped = false;
    GameObserver control;
    control.tickStarts = [&viewer, &stopped](Game&) {
        stopped = viewerStops(viewer);
        return !stopped;
    };
    const GameObserver play = playbackObserver(recording, [&playback](std::uint8_t key) { playback.pushKey(key); }, replayed);
    playGame(g, bothObservers(control, play));
    conio::installPlatform(viewer);
    if (stopped) return {WatchEnd::Stopped, ""};
    const std::string differences = replayDifferences(recording, replayed);
    return {differences.empty() ? WatchEnd::Matched : WatchEnd::Differs, differences};
}
