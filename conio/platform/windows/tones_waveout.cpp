// Tones through winmm's waveOut: a thread renders the shared synthesiser into small blocks
// and hands each back to the device as soon as it has played, two blocks in flight. With
// no device, or muted, every tone is a silent wait of the same length on the same timeline.
#include <windows.h>
#include <mmsystem.h>

#include <array>
#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

#include "conio/platform/tone_synth.hpp"
#include "conio/platform/tones.hpp"

namespace platform {
namespace {

constexpr std::size_t kBlocks = 2;

struct Block {
    WAVEHDR header{};
    std::vector<std::int16_t> samples = std::vector<std::int16_t>(toneBufferFrames);
};

}  // namespace

struct TonePlayer::Impl {
    ToneTimeline timeline;
    ToneSynth synth;
    std::mutex lock;  // guards synth between the game's thread and the render thread
    HWAVEOUT device = nullptr;
    HANDLE done = nullptr;  // set by the device each time a block has played
    std::array<Block, kBlocks> blocks;
    std::atomic<bool> stopping{false};
    std::thread renderer;

    bool open() {
        // Two blocks are rendered ahead of what is heard, so the synthesiser runs further
        // behind the timeline than with a callback device: the next tone is always queued
        // before the one playing has been rendered to its end.
        synth.leadInFrames = msToFrames(40, synth.sampleRate);
        done = CreateEventW(nullptr, FALSE, FALSE, nullptr);
        if (done == nullptr) return false;
        WAVEFORMATEX format{};
        format.wFormatTag = WAVE_FORMAT_PCM;
        format.nChannels = 1;
        format.nSamplesPerSec = static_cast<DWORD>(synth.sampleRate);
        format.wBitsPerSample = 16;
        format.nBlockAlign = 2;
        format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
        if (waveOutOpen(&device, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(done), 0, CALLBACK_EVENT) !=
            MMSYSERR_NOERROR) {
            device = nullptr;
            CloseHandle(done);
            done = nullptr;
            return false;
        }
        for (Block& block : blocks) {
            block.header.lpData = reinterpret_cast<LPSTR>(block.samples.data());
            block.header.dwBufferLength = static_cast<DWORD>(block.samples.size() * sizeof(std::int16_t));
            waveOutPrepareHeader(device, &block.header, sizeof block.header);
            submit(block);
        }
        renderer = std::thread([this] { render(); });
        return true;
    }

    void submit(Block& block) {
        {
            const std::lock_guard<std::mutex> guard(lock);
            renderTones(synth, block.samples.data(), block.samples.size());
        }
        waveOutWrite(device, &block.header, sizeof block.header);
    }

    void render() {
        while (!stopping.load()) {
            WaitForSingleObject(done, 50);
            for (Block& block : blocks) {
                if ((block.header.dwFlags & WHDR_DONE) != 0 && !stopping.load()) submit(block);
            }
        }
    }

    std::uint64_t pendingFrames() {
        const std::lock_guard<std::mutex> guard(lock);
        return pendingToneFrames(synth);
    }

    // Lets the last tone play out, within a bound: a device that has stopped taking blocks
    // must not hold up the end of the program.
    void close() {
        const std::uint64_t pending = pendingFrames();
        const auto deadline = ToneClock::now() + std::chrono::milliseconds(pending * 1000 / synth.sampleRate + 250);
        while (pendingFrames() > 0 && ToneClock::now() < deadline) std::this_thread::sleep_for(std::chrono::milliseconds(2));
        std::this_thread::sleep_for(std::chrono::milliseconds(kBlocks * toneBufferFrames * 1000 / synth.sampleRate));
        stopping.store(true);
        SetEvent(done);
        renderer.join();
        waveOutReset(device);
        for (Block& block : blocks) waveOutUnprepareHeader(device, &block.header, sizeof block.header);
        waveOutClose(device);
        CloseHandle(done);
    }

    ToneClock::time_point schedule(unsigned frequencyHz, unsigned durationMs) {
        const auto end = scheduleWait(timeline, ToneClock::now(), std::chrono::milliseconds(durationMs));
        if (device != nullptr) {
            const std::lock_guard<std::mutex> guard(lock);
            queueTone(synth, frequencyHz, msToFrames(durationMs, synth.sampleRate));
        }
        return end;
    }
};

TonePlayer::TonePlayer(bool muted) : impl_(std::make_unique<Impl>()) {
    if (!muted) impl_->open();
}

TonePlayer::~TonePlayer() {
    if (impl_->device != nullptr) impl_->close();
}

ToneClock::time_point TonePlayer::schedule(unsigned frequencyHz, unsigned durationMs) {
    return impl_->schedule(frequencyHz, durationMs);
}

bool TonePlayer::audible() const { return impl_->device != nullptr; }

bool tonesBuiltWithSound() { return true; }

}  // namespace platform
