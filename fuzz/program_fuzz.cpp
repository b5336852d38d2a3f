// Random key bytes at random moments into the real program flow on the headless platform:
// intro, menu, colour pages, games, pauses and farewells. After every tick each layer holds
// only the cell states a settled field may hold and enemyCount equals the live enemies.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "conio/conio.hpp"
#include "conio/platform/headless_platform.hpp"
#include "conio/services.hpp"
#include "fuzz/fuzz_check.hpp"
#include "game/flow.hpp"
#include "game/observer.hpp"
#include "menus/banner.hpp"

namespace {

constexpr long kMaxTicks = 20000;  // an input that plays longer is cut off, not a finding

std::string at(int x, int y) { return " at " + std::to_string(x) + "," + std::to_string(y); }

// Any moment: every state layer holds one of the four states, glyphs are glyph codes, and
// enemyCount is the number of live enemies.
void checkCells(const Game& g) {
    const PlayField& f = g.field;
    const CellLayer* layers[] = {&f.shipLayer, &f.shotLayer, &f.enemyLayer, &f.enemyShotLayer, &f.blockLayer,
                                 &f.weaponPickupLayer, &f.scorePickupLayer, &f.lifePickupLayer};
    int enemies = 0;
    for (int x = 0; x < kLayerColumns; ++x) {
        for (int y = 0; y < kLayerRows; ++y) {
            for (const CellLayer* layer : layers) {
                const auto value = static_cast<std::int32_t>((*layer)[x][y]);
                if (value < 0 || value > 3) fail("a cell outside the four states" + at(x, y));
            }
            const int glyph = f.enemyGlyphLayer[x][y];
            if (glyph != 0 && (glyph < 3 || glyph > 6)) fail("an enemy glyph outside 3..6" + at(x, y));
            if (f.enemyLayer[x][y] == Cell::Live) {
                ++enemies;
                if (glyph == 0) fail("a live enemy without its glyph" + at(x, y));
            }
        }
    }
    if (g.state.enemyCount != enemies) {
        fail("enemyCount " + std::to_string(g.state.enemyCount) + " but " + std::to_string(enemies) + " live enemies");
    }
}

// After a whole tick: the render pass has left only Empty and Live where it looks, nothing
// outside the field but the block, no glyph without its enemy, and the counters in range.
void checkSettled(const Game& g) {
    checkCells(g);
    const PlayField& f = g.field;
    const CellLayer* layers[] = {&f.shipLayer, &f.shotLayer, &f.enemyLayer, &f.enemyShotLayer, &f.blockLayer,
                                 &f.weaponPickupLayer, &f.scorePickupLayer, &f.lifePickupLayer};
    for (int x = 0; x < kLayerColumns; ++x) {
        for (int y = 0; y < kLayerRows; ++y) {
            const bool visible = x >= 1 && x <= 49 && y >= 1 && y <= 24;
            for (const CellLayer* layer : layers) {
                const Cell cell = (*layer)[x][y];
                if (visible && cell != Cell::Empty && cell != Cell::Live) fail("an unsettled cell after the render pass" + at(x, y));
                if (!visible && layer != &f.blockLayer && cell != Cell::Empty) fail("an object outside the field" + at(x, y));
            }
            if (f.enemyLayer[x][y] != Cell::Live && f.enemyGlyphLayer[x][y] != 0) fail("a glyph left without its enemy" + at(x, y));
        }
    }
    const GameState& s = g.state;
    require(s.lives >= 0 && s.score >= 0 && s.level >= 0 && s.bombCharges >= 0 && s.volleyCharges >= 0, "a counter below zero");
    require(s.blockStage >= 0 && s.blockStage <= 6 && s.blockTimer >= 0 && s.blockTimer <= 20, "block stage or timer out of range");
    require(s.shipX >= 2 && s.shipX <= 49 && s.shipY >= 2 && s.shipY <= 24, "the ship left the field");
}

void checkColours(const Game& g) {
    for (const int colour : {g.colors.shipColor, g.colors.enemyColor, g.colors.screenColor, g.colors.enemyShotColor,
                             g.colors.shotColor, g.colors.messageColor}) {
        if (colour < 1 || colour > 15) fail("a colour page chose colour " + std::to_string(colour));
    }
}

// The program flow with the checks between its ticks. An input that plays past its budget
// has every later game stopped at once, so the program goes on to its scripted ESCs.
void runProgramChecked(Game& g) {
    long ticks = 0;
    GameObserver observer;
    observer.started = [](Game& game, const GameStart&) { checkColours(game); };
    observer.tickStarts = [&](Game& game) {
        checkCells(game);  // also after a pause and the frame drawn again
        return ticks <= kMaxTicks;
    };
    observer.tickEnded = [&](const Game& game) {
        checkSettled(game);
        return ++ticks <= kMaxTicks;
    };
    observer.ended = [](const Game& game, GameEnd) { checkCells(game); };
    runProgram(g, observer);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    platform::HeadlessPlatform headless;
    headless.setEpochSeconds(data.ConsumeIntegral<std::uint32_t>());  // the seed of every game
    conio::resetConioState();
    conio::resetRandForTests();
    resetIntroCounterForTests();
    conio::installPlatform(headless);
    std::int64_t at = 0;
    while (data.remaining_bytes() >= 2) {
        // Mostly bursts and typing speed, sometimes a pause that lets the intro or a game run.
        const std::uint8_t gap = data.ConsumeIntegral<std::uint8_t>();
        at += gap < 200 ? gap : (gap - 199) * 100;
        headless.scheduleKey(at, data.ConsumeIntegral<std::uint8_t>());
    }
    // From any state: Enters finish the colour pages, ESCs end a game or a pause and then
    // the program in the menu.
    for (int round = 0; round < 20; ++round) {
        for (int i = 0; i < 6; ++i) headless.scheduleKey(at += 60, kKeyEnter);
        for (int i = 0; i < 3; ++i) headless.scheduleKey(at += 60, kKeyEsc);
    }
    Game g;
    runProgramChecked(g);
    conio::uninstallPlatform();
    return 0;
}
