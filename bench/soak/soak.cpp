// Soak: the game headless for many ticks of random play at a high level (no frame delay,
// hundreds of enemies allowed), a new game whenever one ends. Prints ticks per second and
// the memory in use at 10^4 and 10^5 ticks and at the end; fails when memory grew after 10^4.
// Every game is recorded, and replayed from its recording once it is over: the soak fails
// when a replay does not end as its recording says. Replays are not counted in ticks/s.
//   vexamor_soak [TICKS]   (default 1000000)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <random>
#include <string>

#include "conio/conio.hpp"
#include "conio/platform/headless_platform.hpp"
#include "conio/services.hpp"
#include "game/flow.hpp"
#include "game/observer.hpp"
#include "game/playback.hpp"
#include "game/recorder.hpp"
#include "game/setup.hpp"
#include "tests/support/crowded_game.hpp"

namespace {

constexpr long kFirstReport = 10'000;
// The sanitizer holds freed memory back (16 MB in soak.sh) and fills that in the first ticks;
// a leak of even a few bytes a tick would be far more over a million ticks.
constexpr long kAllowedGrowthKb = 16 * 1024;

// The crowded game, with lives enough for the fleet to grow into the hundreds before the
// game ends.
void crowdFastGame(Game& g) {
    crowdGame(g);
    g.state.lives = 400;
    g.state.bombCharges = 3;
}

// Play keys mostly (the bomb, which empties the field, only among the random bytes), any
// byte now and then, a pause or an ESC rarely.
int randomKey(std::mt19937& rng) {
    constexpr int kPlayKeys[] = {-1, -1, -1, 'a', 'A', 'w', 224, 72, 80, 75, 77, 0};
    const unsigned pick = rng() % 1000;
    if (pick == 0) return 27;
    if (pick == 1) return 32;
    if (pick < 100) return static_cast<int>(rng() % 256);
    return kPlayKeys[rng() % std::size(kPlayKeys)];
}

long statusKb(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(field) + ":";
    while (std::getline(status, line)) {
        if (line.rfind(prefix, 0) == 0) return std::strtol(line.c_str() + prefix.size(), nullptr, 10);
    }
    return -1;
}

// Plays the recording again, crowded as its game was, on the same platform; empty when it
// ended as recorded, or what differs.
std::string replayDifferently(const Recording& recording, platform::HeadlessPlatform& headless) {
    Game g;
    startProcess(g);
    prepareReplay(g, recording);
    headless.setEpochSeconds(static_cast<std::int64_t>(recording.seed) - headless.nowMs() / 1000);
    ReplayedGame replayed;
    GameObserver crowd;
    crowd.started = [](Game& game, const GameStart&) { crowdFastGame(game); };
    GameObserver play = playbackObserver(recording, [&](std::uint8_t key) { headless.pushKey(key); }, replayed);
    const auto tickEnded = play.tickEnded;
    play.tickEnded = [&](const Game& game) {
        headless.clearRecords();
        return tickEnded(game);
    };
    playGame(g, bothObservers(crowd, play));
    return replayDifferences(recording, replayed);
}

void report(long ticks, double seconds, int games, int mostEnemies) {
    std::printf("ticks %8ld  %9.0f ticks/s  games %5d  most enemies %3d  rss %6ld kB  peak %6ld kB\n", ticks,
                static_cast<double>(ticks) / seconds, games, mostEnemies, statusKb("VmRSS"), statusKb("VmHWM"));
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    const long total = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 1'000'000;
    platform::HeadlessPlatform headless;
    conio::installPlatform(headless);
    std::mt19937 rng(2024);
    long tick = 0;
    int games = 0;
    int mostEnemies = 0;
    long rssAtFirstReport = -1;
    auto start = std::chrono::steady_clock::now();
    // Games through the program flow, one after another: the pause ends at once, and the
    // farewell's key read finds no key and goes on.
    GameObserver observer;
    observer.started = [&](Game& g, const GameStart&) {
        crowdFastGame(g);
        ++games;
    };
    observer.tickStarts = [&](Game&) {
        if (tick >= total) return false;
        const int key = randomKey(rng);
        if (key >= 0) headless.pushKey(static_cast<std::uint8_t>(key));
        return true;
    };
    observer.tickEnded = [&](const Game& g) {
        ++tick;
        if (g.state.key == kKeySpace) headless.pushKey(kKeySpace);
        mostEnemies = std::max(mostEnemies, g.state.enemyCount);
        headless.clearRecords();  // the platform's record of tones and sleeps is for tests
        if (tick == kFirstReport || tick == 10 * kFirstReport || tick == total) {
            report(tick, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), games, mostEnemies);
            if (tick == kFirstReport) rssAtFirstReport = statusKb("VmRSS");
        }
        return true;
    };
    std::optional<Recording> recording;
    const GameObserver recorder = recorderObserver("soak", [&](const Recording& r) { recording = r; });
    const GameObserver recorded = bothObservers(observer, recorder);
    int replays = 0;
    Game g;
    startProcess(g);
    while (tick < total) {
        playGame(g, recorded);
        if (!recording) continue;
        const auto replayStart = std::chrono::steady_clock::now();
        const std::string differences = replayDifferently(*recording, headless);
        if (!differences.empty()) {
            std::printf("game %d does not replay from its recording: %s\n", games, differences.c_str());
            return 1;
        }
        ++replays;
        recording.reset();
        start += std::chrono::steady_clock::now() - replayStart;  // ticks/s counts the games played only
    }
    std::printf("replayed %d games from their recordings, each as recorded\n", replays);
    const long growth = statusKb("VmRSS") - rssAtFirstReport;
    if (rssAtFirstReport >= 0 && growth > kAllowedGrowthKb) {
        std::printf("memory grew by %ld kB after %ld ticks\n", growth, kFirstReport);
        return 1;
    }
    return 0;
}
