// The browser: the page has made its terminal before the program starts, so there is
// nothing to check; the end of the program is told to the page, which offers another run.
// Every finished game's recording goes to the page, which keeps the best; a run the page
// starts to watch a recording plays that instead, and the page then starts a run that plays.
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>

#include "app/target.hpp"
#include "app/watch.hpp"
#include "conio/platform/web/page_recordings.hpp"
#include "conio/platform/web/web_platform.hpp"
#include "conio/services.hpp"
#include "game/flow.hpp"
#include "game/recorder.hpp"
#include "game/state.hpp"

namespace {

using Clock = std::chrono::steady_clock;

// The recorder, handing each recording to the page with the time from set-up to farewell.
GameObserver pageRecorder() {
    auto startedAt = std::make_shared<Clock::time_point>();
    GameObserver timing;
    timing.started = [startedAt](Game&, const GameStart&) { *startedAt = Clock::now(); };
    return bothObservers(timing, recorderObserver(VEXAMOR_VERSION, [startedAt](const Recording& recording) {
        const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - *startedAt);
        platform::announceRecording(formatRecording(recording), took.count());
    }));
}

int play(const CommandLine& commandLine) {
    platform::WebPlatform web(platform::WebOptions{.muted = commandLine.muted});
    conio::installPlatform(web);
    Game game;
    const int status = runProgram(game, pageRecorder());
    conio::uninstallPlatform();
    return status;
}

// The page shows what goes to standard error when a watch ends with a non-zero status, as
// the terminal game does: 2 for a recording it cannot read, 3 for one that is not its game.
int watch(const CommandLine& commandLine, std::string text) {
    const ParsedRecording parsed = parseRecording(text);
    // The module's memory is fixed: the text goes before the game takes its share.
    std::string().swap(text);
    if (!parsed.recording) {
        std::fprintf(stderr, "A gravação não pode ser lida: %s\n", parsed.error.c_str());
        return 2;
    }
    Watched watched;
    {
        platform::WebPlatform web(platform::WebOptions{.muted = commandLine.muted});
        conio::installPlatform(web);
        watched = watchRecording(*parsed.recording);
        conio::uninstallPlatform();
    }
    if (watched.end != WatchEnd::Differs) return 0;
    std::fprintf(stderr, "A gravação não confere: %s\n", watched.differences.c_str());
    return 3;
}

}  // namespace

int runOnTarget(const CommandLine& commandLine) {
    auto recording = platform::recordingToWatch();
    const int status = recording ? watch(commandLine, std::move(*recording)) : play(commandLine);
    platform::announceProgramEnd(status);
    return status;
}
