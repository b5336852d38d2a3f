#include <SDL.h>
#include <dlfcn.h>
#include <pthread.h>

#include <csignal>
#include <thread>
#include <utility>

#include "conio/platform/tone_synth.hpp"
#include "conio/platform/tones.hpp"

namespace platform {

namespace {

using AlsaErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
using AlsaSetErrorHandler = int (*)(AlsaErrorHandler);

void ignoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}

// ALSA prints its complaints (no card, no default device) straight to stderr, which is the
// player's terminal. Its library stays loaded for the life of the process, so the handler
// holds for every later TonePlayer; SDL loads the same library and shares it.
void quietAlsa() {
    static const bool installed = [] {
        void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
        if (alsa == nullptr) return false;
        auto setHandler =
            reinterpret_cast<AlsaSetErrorHandler>(dlsym(alsa, "snd_lib_error_set_handler"));
        if (setHandler != nullptr) setHandler(ignoreAlsaMessage);
        return setHandler != nullptr;
    }();
    (void)installed;
}

void ignoreSdlLog(void*, int, SDL_LogPriority, const char*) {}

void renderCallback(void* userdata, Uint8* stream, int length) {
    renderTones(*static_cast<ToneSynth*>(userdata), reinterpret_cast<std::int16_t*>(stream),
                static_cast<std::size_t>(length) / sizeof(std::int16_t));
}

SDL_AudioDeviceID openDeviceWithSubsystem(ToneSynth& synth) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return 0;
    SDL_AudioSpec want{};
    want.freq = synth.sampleRate;
    want.format = AUDIO_S16SYS;
    want.channels = 1;
    want.samples = toneBufferFrames;
    want.callback = renderCallback;
    want.userdata = &synth;
    SDL_AudioSpec have{};
    // No changes allowed: SDL converts to whatever the device takes, so the callback always
    // renders our own rate and buffer size.
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return 0;
    }
    SDL_PauseAudioDevice(device, 0);
    return device;
}

// Opens the default sound device, or returns 0 with SDL's audio subsystem left down.
SDL_AudioDeviceID openDevice(ToneSynth& synth) {
    quietAlsa();
    SDL_LogSetOutputFunction(ignoreSdlLog, nullptr);
    // SDL's own SIGINT/SIGTERM handlers would turn those signals into quit events that
    // nobody reads, and the process would no longer end on them.
    SDL_SetHintWithPriority(SDL_HINT_NO_SIGNAL_HANDLERS, "1", SDL_HINT_OVERRIDE);
    // Threads inherit the mask: with the signals blocked while SDL starts its threads,
    // they keep going to the game's thread and its handlers. Faults stay unblocked, so a
    // crash on an audio thread still reaches the handler that restores the terminal
    // (a blocked fault would kill the process outright).
    sigset_t blocked;
    sigset_t previous;
    sigfillset(&blocked);
    for (int fault : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT}) sigdelset(&blocked, fault);
    pthread_sigmask(SIG_SETMASK, &blocked, &previous);
    const SDL_AudioDeviceID device = openDeviceWithSubsystem(synth);
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    return device;
}

}  // namespace

struct TonePlayer::Impl {
    ToneTimeline timeline;
    ToneSynth synth;
    SDL_AudioDeviceID device = 0;

    ToneClock::time_point schedule(ToneClock::time_point now, unsigned frequencyHz, unsigned durationMs) {
        const auto end = scheduleWait(timeline, now, std::chrono::milliseconds(durationMs));
        if (device != 0) {
            SDL_LockAudioDevice(device);
            queueTone(synth, frequencyHz, msToFrames(durationMs, synth.sampleRate));
            SDL_UnlockAudioDevice(device);
        }
        return end;
    }

    // Frames the callback has yet to render, read under the device lock.
    std::uint64_t pendingFrames() {
        SDL_LockAudioDevice(device);
        const std::uint64_t frames = pendingToneFrames(synth);
        SDL_UnlockAudioDevice(device);
        return frames;
    }

    // Lets the last tone play out instead of cutting it off, within a bound: a device
    // that has stopped taking samples must not hold up the end of the program.
    void drain() {
        const std::uint64_t pending = pendingFrames();
        if (pending == 0) return;
        const auto deadline = ToneClock::now() +
                              std::chrono::milliseconds(pending * 1000 / synth.sampleRate + 250);
        while (pendingFrames() > 0 && ToneClock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        // The device still holds the last rendered buffers.
        std::this_thread::sleep_for(std::chrono::milliseconds(2 * toneBufferFrames * 1000 /
                                                              synth.sampleRate));
    }
};

TonePlayer::TonePlayer(bool muted, ToneClockSource now) : impl_(std::make_unique<Impl>()), now_(std::move(now)) {
    if (!muted) impl_->device = openDevice(impl_->synth);
}

TonePlayer::~TonePlayer() {
    if (impl_->device == 0) return;
    impl_->drain();
    SDL_CloseAudioDevice(impl_->device);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

ToneClock::time_point TonePlayer::schedule(unsigned frequencyHz, unsigned durationMs) {
    return impl_->schedule(now_(), frequencyHz, durationMs);
}

bool TonePlayer::audible() const {
    return impl_->device != 0;
}

bool tonesBuiltWithSound() {
    return true;
}

}  // namespace platform
