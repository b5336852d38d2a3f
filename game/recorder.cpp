#include "game/recorder.hpp"

#include <memory>
#include <utility>

#include "conio/services.hpp"

GameObserver recorderObserver(std::string gameVersion, std::function<void(const Recording&)> onRecording) {
    auto recording = std::make_shared<Recording>();
    GameObserver observer;
    observer.started = [recording, gameVersion = std::move(gameVersion)](Game&, const GameStart& start) {
        *recording = Recording{};
        recording->gameVersion = gameVersion;
        recording->seed = start.seed;
        recording->carried = start.carried;
        recording->colors = start.colors;
    };
    observer.keyRead = [recording](const Game& g) {
        const auto key = static_cast<std::uint8_t>(g.state.key);
        // A key byte 0 and no key at all leave the same tick behind: both are written as none.
        recording->keys.push_back(key == 0 ? std::nullopt : std::optional<std::uint8_t>(key));
    };
    observer.ended = [recording, onRecording = std::move(onRecording)](const Game& g, GameEnd end) {
        if (end == GameEnd::Stopped || recording->keys.empty()) return;
        recording->score = g.state.score;
        recording->level = g.state.level;
        recording->ticks = static_cast<std::int64_t>(recording->keys.size());
        recording->ended = end;
        recording->date = recordingDate(conio::time(nullptr));
        onRecording(*recording);
    };
    return observer;
}
