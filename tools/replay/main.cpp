// vexamor-replay: runs one game headless from a seed and one key per tick, and prints a
// JSON line per tick (and, with --screen, the final screen).
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "conio/conio.hpp"
#include "conio/platform/headless_platform.hpp"
#include "conio/platform/standard_output.hpp"
#include "conio/services.hpp"
#include "game/flow.hpp"
#include "app/recording_files.hpp"
#include "game/observer.hpp"
#include "game/playback.hpp"
#include "game/setup.hpp"
#include "tools/replay/key_file.hpp"
#include "tools/replay/options.hpp"
#include "tools/replay/trace.hpp"

namespace {

// Trace lines are gathered and written in blocks of about this size.
constexpr std::size_t kOutputBlock = 64 * 1024;

// Plays the game through the program flow and writes its trace; false once standard output
// could not be written. Each tick's key is queued just before the tick reads it; a space
// pauses as in the game, and a second space already waiting ends the pause at once.
bool run(const ReplayOptions& options, const Recording* recording, platform::HeadlessPlatform& headless) {
    Game g;
    startProcess(g);
    if (recording) prepareReplay(g, *recording);
    headless.setEpochSeconds(options.seed);  // set-up seeds the generator with time(NULL)
    std::string out;
    bool written = true;
    long long tick = 0;
    GameObserver observer;
    observer.tickStarts = [&](Game&) {
        if (!written || tick >= options.ticks) return false;
        headless.clearRecords();
        const auto index = static_cast<std::size_t>(tick);
        if (index < options.keys.size() && options.keys[index]) headless.pushKey(*options.keys[index]);
        return true;
    };
    observer.tickEnded = [&](const Game& game) {
        out += traceLine(++tick, game, headless.tones(), headless.sleeps());
        out += '\n';
        if (out.size() >= kOutputBlock) {
            written = platform::writeStandardOutput(out);
            out.clear();
        }
        if (game.state.key == kKeySpace) headless.pushKey(kKeySpace);
        return game.state.key != kKeyEsc;
    };
    playGame(g, observer);
    for (int y = 0; options.screen && y < 25; ++y) {
        out += '|';
        out += headless.row(y);
        out += '\n';
    }
    return written && platform::writeStandardOutput(out);
}

// Replays the recording through the program flow and prints one line: whether the game
// gave the recorded score, level and ticks. True when it did.
bool check(const Recording& recording, platform::HeadlessPlatform& headless) {
    Game g;
    startProcess(g);
    prepareReplay(g, recording);
    headless.setEpochSeconds(recording.seed);
    ReplayedGame replayed;
    GameObserver observer = playbackObserver(recording, [&](std::uint8_t key) { headless.pushKey(key); }, replayed);
    const auto play = observer.tickEnded;
    observer.tickEnded = [&](const Game& game) {
        headless.clearRecords();
        return play(game);
    };
    playGame(g, observer);
    const std::string differences = replayDifferences(recording, replayed);
    const std::string line = differences.empty() ? "ok score " + std::to_string(replayed.score) + " level " +
                                                       std::to_string(replayed.level) + " ticks " +
                                                       std::to_string(replayed.ticks) + "\n"
                                                 : "differs: " + differences + "\n";
    return platform::writeStandardOutput(line) && differences.empty();
}

// The options with the key file or the recording read, or nothing after saying on stderr
// what is wrong.
std::optional<ReplayOptions> optionsFrom(const std::vector<std::string>& arguments, std::optional<Recording>& recording) {
    ParsedOptions parsed = parseReplayOptions(arguments);
    if (parsed.options && parsed.options->keysFile) parsed.error = loadKeyFile(*parsed.options);
    if (parsed.options && parsed.options->recordingFile) {
        ParsedRecording loaded = loadRecordingFile(*parsed.options->recordingFile);
        parsed.error = loaded.error;
        if (loaded.recording) {
            ReplayOptions& options = *parsed.options;
            options.seed = loaded.recording->seed;
            options.ticks = loaded.recording->ticks;
            options.keys = loaded.recording->keys;
            recording = std::move(loaded.recording);
        }
    }
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "vexamor-replay: %s\n", parsed.error.c_str());
        return std::nullopt;
    }
    return parsed.options;
}

}  // namespace

int main(int argc, char** argv) {
    // The trace is compared byte for byte with other builds' traces: "\n" line ends everywhere.
    platform::useBinaryStandardOutput();
    std::optional<Recording> recording;
    const auto options = optionsFrom(std::vector<std::string>(argv + 1, argv + argc), recording);
    if (!options) return 2;
    platform::HeadlessPlatform headless(80, 25);
    conio::installPlatform(headless);
    const bool succeeded = options->check ? check(*recording, headless) : run(*options, recording ? &*recording : nullptr, headless);
    conio::uninstallPlatform();
    return succeeded ? 0 : 1;
}
