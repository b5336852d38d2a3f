// Writes the recording that bench/recording_check.sh times: a long game played through the
// program flow by a simple dodging player (it steps away from falling shots and the block,
// fires otherwise, and spends its volleys and bombs on a crowded field), ended with ESC
// after TICKS ticks if it lasts that long.
//   vexamor_crowded_recording SEED TICKS > FILE
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "conio/conio.hpp"
#include "conio/platform/headless_platform.hpp"
#include "conio/services.hpp"
#include "game/flow.hpp"
#include "game/recorder.hpp"
#include "game/setup.hpp"

namespace {

// How dangerous it is to stand in column x next tick: falling shots close above, the block
// low in the field, enemies on the ship's row or just above it.
int danger(const PlayField& f, int x, int shipY) {
    if (x < 2 || x > 49) return 1000;
    int total = 0;
    for (int y = shipY - 4; y <= shipY; ++y) {
        if (y < 1) continue;
        const int near = 5 - (shipY - y);
        if (f.enemyShotLayer[x][y] == Cell::Live) total += 10 * near;
        if (f.blockLayer[x][y] == Cell::Live) total += 20 * near;
        if (y >= shipY - 1 && f.enemyLayer[x][y] == Cell::Live) total += 30;
    }
    return total;
}

// The column of the enemy closest to the ship's column (the ship's own when there is none).
int nearestEnemyColumn(const PlayField& f, int shipX) {
    int best = shipX;
    int bestDistance = 1000;
    for (int x = 2; x <= 49; ++x) {
        for (int y = 2; y <= 20; ++y) {
            if (f.enemyLayer[x][y] != Cell::Live) continue;
            const int distance = (x > shipX ? x - shipX : shipX - x) * 4 + (20 - y);
            if (distance < bestDistance) {
                bestDistance = distance;
                best = x;
            }
        }
    }
    return best;
}

std::uint8_t chooseKey(const Game& g, long tick) {
    const GameState& s = g.state;
    if (s.enemyCount > 30 && s.bombCharges > 0 && tick % 40 == 0) return 'e';
    if (s.enemyCount > 12 && s.volleyCharges > 0 && tick % 25 == 0) return 'w';
    const int here = danger(g.field, s.shipX, s.shipY);
    const int left = danger(g.field, s.shipX - 1, s.shipY);
    const int right = danger(g.field, s.shipX + 1, s.shipY);
    if (here > 0 && left < here && left <= right) return 'K';
    if (here > 0 && right < here) return 'M';
    // When safe, fire; every other tick step under the nearest enemy.
    const int target = nearestEnemyColumn(g.field, s.shipX);
    if (here == 0 && tick % 2 == 0 && target < s.shipX && left == 0) return 'K';
    if (here == 0 && tick % 2 == 0 && target > s.shipX && right == 0) return 'M';
    return 'a';
}

}  // namespace

int main(int argc, char** argv) {
    const auto seed = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 2026ul;
    const long most = argc > 2 ? std::strtol(argv[2], nullptr, 10) : 25000;
    platform::HeadlessPlatform headless;
    conio::installPlatform(headless);
    headless.setEpochSeconds(static_cast<std::int64_t>(seed));
    long tick = 0;
    std::optional<Recording> recording;
    GameObserver player;
    player.tickStarts = [&](Game& g) {
        headless.pushKey(++tick >= most ? kKeyEsc : chooseKey(g, tick));
        return true;
    };
    player.tickEnded = [&](const Game&) {
        headless.clearRecords();
        return true;
    };
    const GameObserver recorder = recorderObserver("1.0.0", [&](const Recording& r) { recording = r; });
    Game g;
    startProcess(g);
    playGame(g, bothObservers(player, recorder));
    conio::uninstallPlatform();
    if (!recording) return 1;
    std::fprintf(stderr, "score %d level %d ticks %lld\n", recording->score, recording->level,
                 static_cast<long long>(recording->ticks));
    std::fputs(formatRecording(*recording).c_str(), stdout);
    return 0;
}
