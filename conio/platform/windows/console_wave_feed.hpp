#pragma once
// The pure half of the waveOut tone player: the blocks of samples in flight and the rule
// that refills them, over an interface to the device, so that the depth of the queue and
// the tones' lengths are tested with a fake device on any machine.
#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

#include "conio/platform/tone_synth.hpp"

namespace platform {

// Blocks of toneBufferFrames (10 ms) each. The shared audio engine of Windows 10 and 11
// runs on a 10 ms period and glitches with less than about 40 ms queued; with six in
// flight, five (50 ms) are still queued the moment one has played.
constexpr std::size_t kWaveBlocks = 6;
// Silence ahead of a tone after the synthesiser has run dry: the synthesiser renders a
// block ahead of the game's timeline, so the next tone must be queued before the one
// playing has been rendered to its end, even when the game is a few milliseconds late.
constexpr unsigned kWaveLeadInMs = 25;

class WaveDevice {
public:
    virtual ~WaveDevice() = default;
    // Hands block `index` to the device (waveOutWrite); its samples are not touched again
    // until the device has played them.
    virtual void write(std::size_t index, const std::int16_t* samples, std::size_t frames) = 0;
    // True once the device has finished with block `index` (WHDR_DONE).
    virtual bool played(std::size_t index) = 0;
};

struct WaveFeed {
    ToneSynth synth;
    std::mutex lock;  // guards synth between the game's thread and the render thread
    std::array<std::vector<std::int16_t>, kWaveBlocks> blocks;
    std::size_t next = 0;  // the block the device will finish next: blocks go back in order
};

// Renders every block and hands them all to the device.
void startWaveFeed(WaveFeed& feed, WaveDevice& device);

// Renders anew and hands back, in the order they were written, the blocks the device has
// finished with. Returns how many.
std::size_t refillWaveFeed(WaveFeed& feed, WaveDevice& device);

// Queues a tone (frequency 0: a rest) behind what the synthesiser has queued.
void queueWaveTone(WaveFeed& feed, unsigned frequencyHz, unsigned durationMs);

// Frames still to be rendered before the synthesiser is idle.
std::uint64_t pendingWaveFrames(WaveFeed& feed);

}  // namespace platform
