// vexamor-screens: runs the whole program headless from a seed, with keys at virtual times,
// and writes the screen's cells at the times asked for, one file per picture, for the
// screenshot renderer. The same arguments always give the same files.
#include <cstdio>
#include <string>
#include <vector>

#include "conio/conio.hpp"
#include "conio/platform/headless_platform.hpp"
#include "conio/services.hpp"
#include "game/flow.hpp"
#include "game/state.hpp"
#include "tools/screenshots/cells.hpp"
#include "tools/screenshots/options.hpp"

namespace {

// Thrown once every picture is taken: the program need not run to its end.
struct AllShotsTaken {};

// The headless platform, taking each picture as the virtual clock reaches its time. The
// screen then shows what the program drew last before waiting.
class CapturingPlatform final : public platform::Platform {
public:
    CapturingPlatform(platform::HeadlessPlatform& headless, const ScreensOptions& options)
        : headless_(headless), options_(options) {}

    platform::ScreenBuffer& screen() override { return headless_.screen(); }
    bool keyWaiting() override {
        const bool waiting = headless_.keyWaiting();
        capture();
        return waiting;
    }
    std::uint8_t readKey() override {
        const std::uint8_t key = headless_.readKey();
        capture();
        return key;
    }
    bool takeFocusLoss() override { return headless_.takeFocusLoss(); }
    void beep(unsigned frequencyHz, unsigned durationMs) override {
        headless_.beep(frequencyHz, durationMs);
        capture();
    }
    void sleep(unsigned durationMs) override {
        headless_.sleep(durationMs);
        capture();
    }
    std::int64_t clockSeconds() override { return headless_.clockSeconds(); }

    std::size_t taken() const { return next_; }
    bool failed() const { return failed_; }

private:
    void capture() {
        while (next_ < options_.shots.size() && headless_.nowMs() >= options_.shots[next_].atMs) {
            const Shot& shot = options_.shots[next_++];
            const std::string path = options_.outDir + "/" + shot.name + ".cells";
            if (!writeCellsFile(path, headless_.screen())) {
                std::fprintf(stderr, "vexamor-screens: cannot write %s\n", path.c_str());
                failed_ = true;
            }
        }
        if (next_ == options_.shots.size()) throw AllShotsTaken{};
    }

    platform::HeadlessPlatform& headless_;
    const ScreensOptions& options_;
    std::size_t next_ = 0;
    bool failed_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    const ParsedScreensOptions parsed = parseScreensOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.options) {
        std::fprintf(stderr, "vexamor-screens: %s\n", parsed.error.c_str());
        return 2;
    }
    const ScreensOptions& options = *parsed.options;
    platform::HeadlessPlatform headless(80, 25);
    headless.setEpochSeconds(options.seed);  // the game seeds its generator with time(NULL)
    for (const TimedKey& key : options.keys) headless.scheduleKey(key.atMs, key.byte);
    CapturingPlatform capturing(headless, options);
    conio::installPlatform(capturing);
    try {
        Game game;
        runProgram(game);
    } catch (const AllShotsTaken&) {
    }
    conio::uninstallPlatform();
    if (capturing.taken() < options.shots.size()) {
        std::fprintf(stderr, "vexamor-screens: the program ended at %lld ms, before the picture '%s'\n",
                     static_cast<long long>(headless.nowMs()), options.shots[capturing.taken()].name.c_str());
        return 1;
    }
    return capturing.failed() ? 1 : 0;
}
