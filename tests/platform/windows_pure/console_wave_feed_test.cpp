// The waveOut player's feed on a fake device, on a virtual clock of whole milliseconds: the
// device plays a block each 10 ms and the feed refills what it has played, while the game
// queues its tones when its timeline says, a few milliseconds late.
#include "conio/platform/windows/console_wave_feed.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <vector>

namespace {

using platform::kWaveBlocks;

struct FakeWaveDevice final : platform::WaveDevice {
    std::deque<std::size_t> queued;  // in the device's queue, in order
    std::array<bool, kWaveBlocks> done{};
    std::array<const std::int16_t*, kWaveBlocks> samples{};
    std::vector<std::int16_t> heard;
    int outOfOrder = 0;

    void write(std::size_t index, const std::int16_t* data, std::size_t frames) override {
        if (!queued.empty() && index != (queued.back() + 1) % kWaveBlocks) ++outOfOrder;
        EXPECT_EQ(frames, static_cast<std::size_t>(platform::toneBufferFrames));
        done[index] = false;
        samples[index] = data;
        queued.push_back(index);
    }
    bool played(std::size_t index) override { return done[index]; }
    // The block at the head of the queue has been heard.
    void playOne() {
        if (queued.empty()) return;
        const std::size_t index = queued.front();
        queued.pop_front();
        heard.insert(heard.end(), samples[index], samples[index] + platform::toneBufferFrames);
        done[index] = true;
    }
};

struct Tone {
    unsigned frequencyHz;
    unsigned ms;
};

struct Playback {
    std::vector<std::int16_t> heard;
    std::size_t fewestQueued = kWaveBlocks;  // blocks still queued the moment one has played
    int outOfOrder = 0;
};

// Plays `tones` from t = 0, each queued `lateMs` after the moment the game's timeline
// reaches it, then lets the device run for `tailMs`.
Playback play(const std::vector<Tone>& tones, unsigned lateMs, unsigned tailMs) {
    platform::WaveFeed feed;
    FakeWaveDevice device;
    platform::startWaveFeed(feed, device);
    Playback run;
    unsigned dueAt = 0;  // where the game's timeline has reached
    std::size_t next = 0;
    unsigned total = 0;
    for (const Tone& t : tones) total += t.ms;
    for (unsigned now = 0; now <= total + lateMs + tailMs; ++now) {
        if (now > 0 && now % 10 == 0) {
            device.playOne();
            run.fewestQueued = std::min(run.fewestQueued, device.queued.size());
            platform::refillWaveFeed(feed, device);
        }
        while (next < tones.size() && now >= (next == 0 ? 0 : dueAt + lateMs)) {
            platform::queueWaveTone(feed, tones[next].frequencyHz, tones[next].ms);
            dueAt += tones[next].ms;
            ++next;
        }
    }
    run.heard = std::move(device.heard);
    run.outOfOrder = device.outOfOrder;
    return run;
}

struct Sound {
    std::size_t first;  // frame of the first and last non-zero sample
    std::size_t last;
};

// Stretches of sound separated by at least 1 ms of silence.
std::vector<Sound> sounds(const std::vector<std::int16_t>& heard) {
    const std::size_t gap = platform::msToFrames(1, platform::toneSampleRate);
    std::vector<Sound> found;
    std::size_t zeros = gap;
    for (std::size_t i = 0; i < heard.size(); ++i) {
        if (heard[i] == 0) {
            ++zeros;
            continue;
        }
        if (zeros >= gap || found.empty()) found.push_back({i, i});
        found.back().last = i;
        zeros = 0;
    }
    return found;
}

constexpr std::size_t framesPerMs = platform::toneSampleRate / 1000;

}  // namespace

TEST(WaveFeed, AtLeast40MsStayQueuedWhileTonesPlayAndBlocksGoBackInOrder) {
    std::vector<Tone> tones;
    for (int i = 0; i < 150; ++i) tones.push_back({i % 2 == 0 ? 3000u : 5000u, 2});
    const Playback run = play(tones, 5, 100);
    EXPECT_GE(run.fewestQueued * static_cast<std::size_t>(platform::toneBufferFrames), 40 * framesPerMs);
    EXPECT_EQ(run.outOfOrder, 0);
    // A run of short tones, each queued late, is heard as one unbroken sound of their total.
    const std::vector<Sound> heard = sounds(run.heard);
    ASSERT_EQ(heard.size(), 1u);
    const std::size_t length = heard[0].last - heard[0].first + 1;
    EXPECT_LE(length, 300 * framesPerMs);
    EXPECT_GE(length, 299 * framesPerMs);
}

TEST(WaveFeed, AJinglesTonesAndRestsKeepTheirLengthsAndFollowThePictureClosely) {
    std::vector<Tone> tones;
    for (int i = 0; i < 10; ++i) {
        tones.push_back({554, 25});
        tones.push_back({0, 10});
    }
    const Playback run = play(tones, 5, 100);
    const std::vector<Sound> heard = sounds(run.heard);
    ASSERT_EQ(heard.size(), 10u);
    for (std::size_t i = 0; i < heard.size(); ++i) {
        const std::size_t length = heard[i].last - heard[i].first + 1;
        EXPECT_LE(length, 25 * framesPerMs) << i;
        EXPECT_GE(length, 24 * framesPerMs) << i;
        // 25 ms of tone and 10 ms of rest apart, to the sample (a tone starting at phase 0
        // has a silent first sample).
        const auto apart = static_cast<double>(heard[i].first - heard[0].first);
        EXPECT_NEAR(apart, static_cast<double>(i * 35 * framesPerMs), 1.0) << i;
    }
    // The first tone, queued at 0 ms, is heard after the queue and the lead-in, no later.
    const std::size_t queueFrames = kWaveBlocks * static_cast<std::size_t>(platform::toneBufferFrames);
    EXPECT_LE(heard[0].first, queueFrames + (platform::kWaveLeadInMs + 10) * framesPerMs);
}
