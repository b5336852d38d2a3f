#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "conio/platform/tones.hpp"
#include "tests/support/process.hpp"

namespace {

constexpr int kSampleRate = 48000;

struct ToneRun {
    std::size_t begin;  // first sample
    std::size_t end;    // one past the last sample
    unsigned frequencyHz;
};

constexpr std::size_t kWindow = kSampleRate * 20 / 1000;
constexpr unsigned kJingleFrequencies[] = {554, 622, 739, 830, 1108, 1396, 1480};

int signChanges(const std::vector<std::int16_t>& samples, std::size_t from, std::size_t to) {
    int changes = 0;
    for (std::size_t i = from + 1; i < to; ++i) {
        if ((samples[i - 1] < 0) != (samples[i] < 0)) ++changes;
    }
    return changes;
}

// The jingle frequency nearest to what a 20 ms window holds, or 0 for silence.
unsigned classify(const std::vector<std::int16_t>& samples, std::size_t from) {
    bool silent = true;
    for (std::size_t i = from; i < from + kWindow; ++i) silent = silent && samples[i] == 0;
    if (silent) return 0;
    const double estimate = signChanges(samples, from, from + kWindow) / 2.0 * 1000 / 20;
    unsigned nearest = kJingleFrequencies[0];
    for (unsigned f : kJingleFrequencies) {
        if (std::abs(estimate - f) < std::abs(estimate - nearest)) nearest = f;
    }
    return nearest;
}

// Tones as runs of at least 120 ms of windows near one jingle frequency. Consecutive tones
// may join without a silence between them, so runs are told apart by frequency.
std::vector<ToneRun> toneRuns(const std::vector<std::int16_t>& samples) {
    std::vector<ToneRun> runs;
    ToneRun current{0, 0, 0};
    auto close = [&] {
        if (current.frequencyHz != 0 && current.end - current.begin >= 6 * kWindow) runs.push_back(current);
    };
    for (std::size_t from = 0; from + kWindow <= samples.size(); from += kWindow) {
        const unsigned f = classify(samples, from);
        if (f == current.frequencyHz) {
            current.end = from + kWindow;
            continue;
        }
        close();
        current = ToneRun{from, from + kWindow, f};
    }
    close();
    return runs;
}

struct Silence {
    std::size_t begin;  // first silent sample
    std::size_t end;    // the sample that sounds again
};

// The stretches of at least 5 ms of exact silence between two sample positions.
std::vector<Silence> silences(const std::vector<std::int16_t>& samples, std::size_t from, std::size_t to) {
    std::vector<Silence> found;
    std::size_t length = 0;
    for (std::size_t i = from; i < to; ++i) {
        if (samples[i] == 0) {
            ++length;
            continue;
        }
        if (length >= kSampleRate * 5 / 1000) found.push_back({i - length, i});
        length = 0;
    }
    return found;
}

// Frequency from the sign changes over a run, leaving out its first and last windows.
double frequencyOf(const std::vector<std::int16_t>& samples, const ToneRun& run) {
    const std::size_t from = run.begin + kWindow;
    const std::size_t to = run.end - kWindow;
    return signChanges(samples, from, to) / 2.0 / (static_cast<double>(to - from) / kSampleRate);
}

}  // namespace

// The real binary in a real terminal, with SDL writing its audio to a file instead of a device.
TEST(JingleOnDisk, FirstTonesHaveTheJinglesFrequencies) {
    if (!platform::tonesBuiltWithSound()) GTEST_SKIP() << "built without SDL2: the game is silent";
    if (std::system("command -v tmux >/dev/null 2>&1") != 0) GTEST_SKIP() << "tmux is not installed";
    const std::string server = "vexamor-jingle-" + std::to_string(getpid());
    const std::string audio = ::testing::TempDir() + server + ".raw";
    std::remove(audio.c_str());
    const std::string tmux = "tmux -L " + server + " -f /dev/null ";
    const std::string game = "env SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=" + shellQuoted(audio) + " " +
                             shellQuoted(VEXAMOR_BINARY);
    ASSERT_EQ(std::system((tmux + "new-session -d -x 80 -y 25 " + shellQuoted(game) + " >/dev/null 2>&1").c_str()), 0);
    EXPECT_EQ(std::system((tmux + "set -g escape-time 0 >/dev/null 2>&1").c_str()), 0);

    // Line 1's tones and pauses, line 2's first tone and some lead-in: about 1.4 s of audio.
    const std::size_t wanted = kSampleRate * 2 * 1500 / 1000;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    std::size_t size = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        std::ifstream file(audio, std::ios::binary | std::ios::ate);
        size = file ? static_cast<std::size_t>(file.tellg()) : 0;
        if (size >= wanted) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    EXPECT_EQ(std::system((tmux + "send-keys Escape >/dev/null 2>&1").c_str()), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    // The server is usually gone already: the game quit on ESC and took the last session.
    const int killed = std::system((tmux + "kill-server >/dev/null 2>&1").c_str());
    static_cast<void>(killed);
    if (size == 0) GTEST_SKIP() << "no audio was written: built without SDL2 or no disk audio driver";
    ASSERT_GE(size, wanted);

    const std::vector<std::int16_t> samples = readSamples(audio);
    const std::vector<ToneRun> runs = toneRuns(samples);
    const std::vector<unsigned> expected = {554, 1108, 830, 739, 1480};
    ASSERT_GE(runs.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(runs[i].frequencyHz, expected[i]);
        EXPECT_NEAR(frequencyOf(samples, runs[i]), expected[i], expected[i] * 0.01);
    }
    // Line 1 pauses 10 ms after each of its four tones: heard as silence, not run together.
    // Each tone reaches the synthesiser whole, so it lasts its 250 ms to the sample. A
    // pause is at least its 10 ms, and longer only where the machine woke the game late and
    // the sound ran dry; how late the machine wakes the game is bench/tones_bench.cpp's figure.
    std::size_t firstSound = runs[0].begin;
    while (samples[firstSound] == 0) ++firstSound;
    // Runs are found by 20 ms windows, so line 2's first tone may be found to start inside
    // the last pause; look a little into that 250 ms tone.
    const std::vector<Silence> gaps = silences(samples, firstSound, runs[4].begin + 2 * kWindow);
    ASSERT_EQ(gaps.size(), 4u);
    std::size_t toneBegin = firstSound;
    for (const Silence& gap : gaps) {
        EXPECT_NEAR(static_cast<double>(gap.begin - toneBegin), kSampleRate * 250 / 1000.0, 2.0);
        EXPECT_GE(gap.end - gap.begin, kSampleRate * 10 / 1000 - 2);
        toneBegin = gap.end;
    }
    std::remove(audio.c_str());
}
