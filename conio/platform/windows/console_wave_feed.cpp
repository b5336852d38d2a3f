#include "conio/platform/windows/console_wave_feed.hpp"

namespace platform {
namespace {

void renderAndWrite(WaveFeed& feed, WaveDevice& device, std::size_t index) {
    std::vector<std::int16_t>& block = feed.blocks[index];
    {
        const std::lock_guard<std::mutex> guard(feed.lock);
        renderTones(feed.synth, block.data(), block.size());
    }
    device.write(index, block.data(), block.size());
}

}  // namespace

void startWaveFeed(WaveFeed& feed, WaveDevice& device) {
    feed.synth.leadInFrames = msToFrames(kWaveLeadInMs, feed.synth.sampleRate);
    for (std::size_t i = 0; i < kWaveBlocks; ++i) {
        feed.blocks[i].assign(toneBufferFrames, 0);
        renderAndWrite(feed, device, i);
    }
    feed.next = 0;
}

std::size_t refillWaveFeed(WaveFeed& feed, WaveDevice& device) {
    std::size_t refilled = 0;
    while (refilled < kWaveBlocks && device.played(feed.next)) {
        renderAndWrite(feed, device, feed.next);
        feed.next = (feed.next + 1) % kWaveBlocks;
        ++refilled;
    }
    return refilled;
}

void queueWaveTone(WaveFeed& feed, unsigned frequencyHz, unsigned durationMs) {
    const std::lock_guard<std::mutex> guard(feed.lock);
    queueTone(feed.synth, frequencyHz, msToFrames(durationMs, feed.synth.sampleRate));
}

std::uint64_t pendingWaveFrames(WaveFeed& feed) {
    const std::lock_guard<std::mutex> guard(feed.lock);
    return pendingToneFrames(feed.synth);
}

}  // namespace platform
