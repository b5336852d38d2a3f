// Tones through winmm's waveOut: the device is opened once for the session and kept fed by
// a render thread at raised priority, woken by the device each time a block has played,
// with kWaveBlocks blocks in flight. With no device, or muted, every tone is a silent wait
// of the same length on the same timeline.
#include <windows.h>
#include <mmsystem.h>

#include <array>
#include <atomic>
#include <thread>
#include <utility>

#include "conio/platform/tones.hpp"
#include "conio/platform/windows/console_wave_feed.hpp"

namespace platform {
namespace {

class WaveOutDevice final : public WaveDevice {
public:
    HWAVEOUT handle = nullptr;
    std::array<WAVEHDR, kWaveBlocks> headers{};

    void write(std::size_t index, const std::int16_t* samples, std::size_t frames) override {
        WAVEHDR& header = headers[index];
        if ((header.dwFlags & WHDR_PREPARED) == 0) {
            header.lpData = reinterpret_cast<LPSTR>(const_cast<std::int16_t*>(samples));
            header.dwBufferLength = static_cast<DWORD>(frames * sizeof(std::int16_t));
            waveOutPrepareHeader(handle, &header, sizeof header);
        }
        waveOutWrite(handle, &header, sizeof header);
    }

    bool played(std::size_t index) override { return (headers[index].dwFlags & WHDR_DONE) != 0; }
};

}  // namespace

struct TonePlayer::Impl {
    ToneTimeline timeline;
    WaveFeed feed;
    WaveOutDevice device;
    HANDLE done = nullptr;  // set by the device each time a block has played
    std::atomic<bool> stopping{false};
    std::thread renderer;

    bool audible() const { return device.handle != nullptr; }

    bool open() {
        done = CreateEventW(nullptr, FALSE, FALSE, nullptr);
        if (done == nullptr) return false;
        WAVEFORMATEX format{};
        format.wFormatTag = WAVE_FORMAT_PCM;
        format.nChannels = 1;
        format.nSamplesPerSec = static_cast<DWORD>(feed.synth.sampleRate);
        format.wBitsPerSample = 16;
        format.nBlockAlign = 2;
        format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
        if (waveOutOpen(&device.handle, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(done), 0, CALLBACK_EVENT) !=
            MMSYSERR_NOERROR) {
            device.handle = nullptr;
            CloseHandle(done);
            done = nullptr;
            return false;
        }
        startWaveFeed(feed, device);
        renderer = std::thread([this] { render(); });
        return true;
    }

    // A late refill is heard as a gap, so this thread runs ahead of the game's; it only
    // renders a block now and then, and sleeps on the device's event in between.
    void render() {
        SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
        while (!stopping.load()) {
            WaitForSingleObject(done, 50);
            if (!stopping.load()) refillWaveFeed(feed, device);
        }
    }

    // Lets the last tone play out, within a bound: a device that has stopped taking blocks
    // must not hold up the end of the program.
    void close() {
        const int rate = feed.synth.sampleRate;
        const std::uint64_t pending = pendingWaveFrames(feed);
        const auto deadline = ToneClock::now() + std::chrono::milliseconds(pending * 1000 / rate + 250);
        while (pendingWaveFrames(feed) > 0 && ToneClock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(kWaveBlocks * toneBufferFrames * 1000 / rate));
        stopping.store(true);
        SetEvent(done);
        renderer.join();
        waveOutReset(device.handle);
        for (WAVEHDR& header : device.headers) waveOutUnprepareHeader(device.handle, &header, sizeof header);
        waveOutClose(device.handle);
        CloseHandle(done);
    }

    ToneClock::time_point schedule(ToneClock::time_point now, unsigned frequencyHz, unsigned durationMs) {
        const auto end = scheduleWait(timeline, now, std::chrono::milliseconds(durationMs));
        if (audible()) queueWaveTone(feed, frequencyHz, durationMs);
        return end;
    }
};

TonePlayer::TonePlayer(bool muted, ToneClockSource now) : impl_(std::make_unique<Impl>()), now_(std::move(now)) {
    if (!muted) impl_->open();
}

TonePlayer::~TonePlayer() {
    if (impl_->audible()) impl_->close();
}

ToneClock::time_point TonePlayer::schedule(unsigned frequencyHz, unsigned durationMs) {
    return impl_->schedule(now_(), frequencyHz, durationMs);
}

bool TonePlayer::audible() const { return impl_->audible(); }

bool tonesBuiltWithSound() { return true; }

}  // namespace platform
