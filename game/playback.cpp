#include "game/playback.hpp"

#include <utility>

namespace {

void differs(std::string& out, const char* what, const std::string& replayed, const std::string& recorded) {
    if (replayed == recorded) return;
    if (!out.empty()) out += ", ";
    out += std::string(what) + " " + replayed + " (recorded " + recorded + ")";
}

}  // namespace

void prepareReplay(Game& g, const Recording& recording) {
    g.state.blockTimer = recording.carried.blockTimer;
    g.state.blockColumn = recording.carried.blockColumn;
    g.colors = recording.colors;
}

GameObserver playbackObserver(const Recording& recording, std::function<void(std::uint8_t)> pushKey,
                              ReplayedGame& replayed) {
    GameObserver observer;
    observer.started = [&replayed](Game&, const GameStart& start) {
        replayed = ReplayedGame{};
        replayed.seed = start.seed;
    };
    observer.tickStarts = [&recording, &replayed, pushKey](Game&) {
        const auto tick = static_cast<std::size_t>(replayed.ticks);
        if (tick >= recording.keys.size()) return false;
        if (recording.keys[tick]) pushKey(*recording.keys[tick]);
        return true;
    };
    observer.tickEnded = [&recording, &replayed, pushKey](const Game& g) {
        ++replayed.ticks;
        replayed.score = g.state.score;
        replayed.level = g.state.level;
        if (g.state.key != kKeySpace) return true;
        const bool last = replayed.ticks == recording.ticks;
        pushKey(last && recording.ended == GameEnd::EscInPause ? kKeyEsc : kKeySpace);
        return true;
    };
    observer.ended = [&replayed](const Game& g, GameEnd end) {
        replayed.score = g.state.score;
        replayed.level = g.state.level;
        replayed.ended = end;
    };
    return observer;
}

std::string replayDifferences(const Recording& recording, const ReplayedGame& replayed) {
    std::string out;
    differs(out, "seed", std::to_string(replayed.seed), std::to_string(recording.seed));
    differs(out, "score", std::to_string(replayed.score), std::to_string(recording.score));
    differs(out, "level", std::to_string(replayed.level), std::to_string(recording.level));
    differs(out, "ticks", std::to_string(replayed.ticks), std::to_string(recording.ticks));
    differs(out, "ended", endedName(replayed.ended), endedName(recording.ended));
    return out;
}
