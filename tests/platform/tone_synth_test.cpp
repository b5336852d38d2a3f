#include "conio/platform/tone_synth.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <vector>

namespace {

using platform::ToneSynth;
using std::chrono::milliseconds;

constexpr int rate = platform::toneSampleRate;
constexpr int msFrames = rate / 1000;

// A synth whose first tone starts at frame 0, so positions in the output are easy to name.
ToneSynth synthWithoutLeadIn() {
    ToneSynth synth;
    synth.leadInFrames = 0;
    return synth;
}

void queue(ToneSynth& synth, unsigned hz, unsigned ms) {
    ASSERT_TRUE(platform::queueTone(synth, hz, platform::msToFrames(ms, rate)));
}

std::vector<std::int16_t> render(ToneSynth& synth, std::size_t frames, std::size_t chunk = 0) {
    std::vector<std::int16_t> out(frames);
    if (chunk == 0) chunk = frames;
    for (std::size_t at = 0; at < frames; at += chunk)
        platform::renderTones(synth, out.data() + at, std::min(chunk, frames - at));
    return out;
}

int peak(const std::vector<std::int16_t>& s, std::size_t from, std::size_t to) {
    int most = 0;
    for (std::size_t i = from; i < to; ++i) most = std::max(most, std::abs(int{s[i]}));
    return most;
}

// Magnitude of one frequency over a Hann-windowed stretch of samples.
double magnitudeAt(const std::vector<std::int16_t>& s, std::size_t from, std::size_t count,
                   double hz) {
    double re = 0;
    double im = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const double window = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * i / count);
        const double angle = 2 * std::numbers::pi * hz * i / rate;
        re += window * s[from + i] * std::cos(angle);
        im += window * s[from + i] * std::sin(angle);
    }
    return std::hypot(re, im);
}

TEST(ToneSynth, OutputDoesNotDependOnHowTonesOrBuffersAreCut) {
    ToneSynth whole = synthWithoutLeadIn();
    queue(whole, 700, 6);
    queue(whole, 0, 2);
    queue(whole, 900, 3);
    const auto expected = render(whole, 11 * msFrames + 100);

    ToneSynth split = synthWithoutLeadIn();
    queue(split, 700, 3);
    queue(split, 700, 3);
    queue(split, 0, 1);
    queue(split, 0, 1);
    queue(split, 900, 3);
    EXPECT_EQ(render(split, expected.size(), 7), expected);
    EXPECT_TRUE(platform::toneSynthIdle(split));
}

TEST(ToneSynth, PhaseRunsOnAcrossAFrequencyChange) {
    ToneSynth synth = synthWithoutLeadIn();
    queue(synth, 700, 4);  // ends 2.8 cycles in, on the negative half of the wave
    queue(synth, 1100, 5);
    const auto s = render(synth, 9 * msFrames);
    const std::size_t boundary = 4 * msFrames;
    std::size_t rise = boundary;
    while (rise < s.size() && s[rise] < 0) ++rise;
    // Continuing from 0.8 of a cycle, 1100 Hz reaches the next rising edge 0.2 cycles on.
    const double expected = boundary + 0.2 / 1100.0 * rate;
    EXPECT_NEAR(static_cast<double>(rise), expected, 1.5);
}

TEST(ToneSynth, FadesOnlyWhereSoundMeetsSilence) {
    ToneSynth synth = synthWithoutLeadIn();
    queue(synth, 1000, 10);  // frames 0..479
    queue(synth, 0, 5);      // 480..719
    queue(synth, 1000, 10);  // 720..1199
    queue(synth, 1500, 10);  // 1200..1679
    const auto s = render(synth, 40 * msFrames);
    const int full = peak(s, 100, 380);
    ASSERT_GT(full, 5000);

    const int edge = full / 40;
    EXPECT_LE(std::abs(int{s[0]}), edge);
    EXPECT_LT(peak(s, 0, msFrames / 2), full * 6 / 10);
    EXPECT_LE(std::abs(int{s[479]}), edge);
    EXPECT_LT(peak(s, 480 - msFrames / 2, 480), full * 6 / 10);
    EXPECT_EQ(peak(s, 480, 720), 0);
    EXPECT_LE(std::abs(int{s[720]}), edge);
    EXPECT_LT(peak(s, 720, 720 + msFrames / 2), full * 6 / 10);
    EXPECT_GT(peak(s, 1200 - msFrames / 2, 1200), full * 9 / 10);
    EXPECT_GT(peak(s, 1200, 1200 + msFrames / 2), full * 9 / 10);
    EXPECT_LE(std::abs(int{s[1679]}), edge);
    EXPECT_EQ(peak(s, 1680, s.size()), 0);
}

TEST(ToneSynth, SquareWaveCarriesNoAliasesAtHighPitch) {
    ToneSynth synth = synthWithoutLeadIn();
    queue(synth, 5000, 120);
    const auto s = render(synth, 120 * msFrames);
    const std::size_t from = 20 * msFrames;
    const std::size_t count = 100 * msFrames;
    const double fundamental = magnitudeAt(s, from, count, 5000);
    EXPECT_GT(magnitudeAt(s, from, count, 15000), fundamental / 4);
    // Where a naive square's 5th to 19th harmonics fold back below 24 kHz.
    for (double alias : {1000.0, 3000.0, 7000.0, 11000.0, 13000.0, 17000.0, 21000.0, 23000.0})
        EXPECT_LT(magnitudeAt(s, from, count, alias), fundamental * 1e-3) << alias << " Hz";
}

TEST(ToneSynth, FrequenciesItCannotRenderCleanlyAreSilent) {
    for (unsigned hz : {0u, 20000u, 30000u, 4000000000u}) {
        ToneSynth synth = synthWithoutLeadIn();
        queue(synth, hz, 5);
        EXPECT_EQ(peak(render(synth, 5 * msFrames), 0, 5 * msFrames), 0) << hz << " Hz";
    }
    EXPECT_TRUE(platform::toneAudible(37, rate));
    EXPECT_TRUE(platform::toneAudible(19999, rate));
}

TEST(ToneSynth, LeadInOnlyAfterRunningDry) {
    ToneSynth synth;
    const auto leadIn = static_cast<std::size_t>(synth.leadInFrames);
    EXPECT_EQ(peak(render(synth, 100), 0, 100), 0);
    queue(synth, 1000, 10);
    auto s = render(synth, leadIn + 10 * msFrames);
    EXPECT_EQ(peak(s, 0, leadIn), 0);
    EXPECT_GT(peak(s, leadIn, s.size()), 5000);

    // Queued only once the previous tone has been rendered to its last frame: no gap.
    queue(synth, 1500, 10);
    s = render(synth, 10 * msFrames);
    EXPECT_GT(peak(s, 0, msFrames), 1000);
    EXPECT_TRUE(platform::toneSynthIdle(synth));

    render(synth, 10);
    queue(synth, 1000, 10);
    s = render(synth, leadIn + 10);
    EXPECT_EQ(peak(s, 0, leadIn), 0);
}

TEST(ToneQueue, RestsMergeAndAFullQueueRefuses) {
    ToneSynth synth = synthWithoutLeadIn();
    queue(synth, 0, 5);
    EXPECT_TRUE(platform::toneSynthIdle(synth));  // nothing to rest after

    const std::size_t capacity = synth.queue.entries.size();
    for (std::size_t i = 0; i + 1 < capacity; ++i) queue(synth, 1000, 1);
    queue(synth, 0, 1);
    queue(synth, 0, 2);
    EXPECT_EQ(synth.queue.count, capacity);
    EXPECT_FALSE(platform::queueTone(synth, 1000, msFrames));
    queue(synth, 0, 3);  // still merges into the last rest
    EXPECT_EQ(platform::pendingToneFrames(synth), (capacity - 1 + 6) * msFrames);

    render(synth, (capacity - 1 + 6) * msFrames, 480);
    EXPECT_TRUE(platform::toneSynthIdle(synth));
}

TEST(ToneTimeline, ShortLatenessJoinsAndAGapStartsAfresh) {
    using platform::ToneClock;
    platform::ToneTimeline timeline;
    const ToneClock::time_point start{};
    EXPECT_EQ(platform::scheduleWait(timeline, start, milliseconds(2)), start + milliseconds(2));

    // 150 tones of 2 ms, each called half a millisecond after the last one ended.
    ToneClock::time_point end = start + milliseconds(2);
    for (int i = 1; i < 150; ++i)
        end = platform::scheduleWait(timeline, end + std::chrono::microseconds(500),
                                     milliseconds(2));
    EXPECT_EQ(end, start + milliseconds(300));

    EXPECT_EQ(platform::scheduleWait(timeline, end + milliseconds(1), milliseconds(0)), end);
    const auto late = end + milliseconds(50);
    EXPECT_EQ(platform::scheduleWait(timeline, late, milliseconds(10)), late + milliseconds(10));
    EXPECT_EQ(platform::msToFrames(UINT_MAX, rate), std::uint64_t{UINT_MAX} * 48);
}

}  // namespace
