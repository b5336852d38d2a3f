// Any bytes as a recording file: the reader either refuses them with one printable line
// that names the line at fault, or accepts a recording that writes back to text it reads
// the same again. Short accepted games are also played through the program flow.
#include <cstdint>
#include <string>
#include <string_view>

#include "conio/conio.hpp"
#include "conio/platform/headless_platform.hpp"
#include "conio/services.hpp"
#include "fuzz/fuzz_check.hpp"
#include "game/flow.hpp"
#include "game/playback.hpp"
#include "game/recording.hpp"
#include "game/setup.hpp"

namespace {

constexpr std::int64_t kMostTicksPlayed = 3000;

void checkRefusal(const std::string& error) {
    require(error.rfind("linha ", 0) == 0, "a refusal that does not name its line");
    for (const char c : error) {
        const auto byte = static_cast<unsigned char>(c);
        require(byte >= 0x20 && byte != 0x7F, "a control byte in the refusal");
    }
}

void play(const Recording& recording) {
    platform::HeadlessPlatform headless;
    conio::installPlatform(headless);
    conio::resetConioState();
    Game g;
    startProcess(g);
    prepareReplay(g, recording);
    headless.setEpochSeconds(recording.seed);
    ReplayedGame replayed;
    playGame(g, playbackObserver(recording, [&](std::uint8_t key) { headless.pushKey(key); }, replayed));
    conio::uninstallPlatform();
    require(replayed.ticks <= recording.ticks, "more ticks played than recorded");
    require(replayed.seed == recording.seed, "the game was not seeded from the recording");
    require(replayDifferences(recording, replayed).find('\n') == std::string::npos, "differences on two lines");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    if (size > kMaxRecordingBytes) return 0;
    const std::string_view text(reinterpret_cast<const char*>(bytes), size);
    const ParsedRecording parsed = parseRecording(text);
    require(parsed.recording.has_value() == parsed.error.empty(), "a recording and an error together, or neither");
    if (!parsed.recording) {
        checkRefusal(parsed.error);
        return 0;
    }
    const Recording& recording = *parsed.recording;
    require(recording.ticks == static_cast<std::int64_t>(recording.keys.size()), "ticks and keys disagree");
    const std::string written = formatRecording(recording);
    const ParsedRecording again = parseRecording(written);
    require(again.recording && formatRecording(*again.recording) == written, "a written recording does not read back");
    if (recording.ticks <= kMostTicksPlayed) play(recording);
    return 0;
}
