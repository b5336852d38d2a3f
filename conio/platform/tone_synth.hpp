#pragma once
// The pure half of the tone player: a band-limited square-wave synthesiser that renders a
// small queue of (frequency, length) entries into 16-bit mono samples, and the wall-clock
// timeline that paces every tone and rest. Nothing here touches a device or a clock.
#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>

namespace platform {

constexpr int toneSampleRate = 48000;
// Device buffer: 10 ms per callback, small enough that a tone starts without delay.
constexpr int toneBufferFrames = 480;

// Frames in `ms` milliseconds at `sampleRate`; never overflows for any unsigned ms.
std::uint64_t msToFrames(unsigned ms, int sampleRate);

// True when a square wave of this frequency keeps at least its fundamental below the
// synthesiser's band limit. Frequency 0, and anything too high to render without
// aliasing, sound as silence.
bool toneAudible(unsigned frequencyHz, int sampleRate);

struct ToneEntry {
    unsigned frequencyHz = 0;  // 0 is silence
    std::uint64_t frames = 0;
};

struct ToneQueue {
    std::array<ToneEntry, 64> entries{};
    std::size_t head = 0;
    std::size_t count = 0;
};

struct ToneSynth {
    int sampleRate = toneSampleRate;
    double amplitude = 0.25;  // of full scale; the square's ripple peaks about 18% above
    // Silence put ahead of the first entry after the synth has run dry, so that the audio
    // runs this far behind the caller's timeline and the next entry is always queued
    // before the previous one has been rendered to its end.
    std::uint64_t leadInFrames = msToFrames(20, toneSampleRate);

    ToneQueue queue;
    ToneEntry current;
    std::uint64_t position = 0;  // frames of `current` already rendered
    bool playing = false;        // `current` holds an entry
    bool fadeIn = false;
    bool fadeOut = false;
    bool fadeOutDecided = false;
    bool silentBefore = true;  // what was rendered last ended at zero
    bool dry = true;           // the queue ran out: the next entry needs the lead-in
    std::uint64_t leadInLeft = 0;
    double phase = 0.0;  // in cycles, [0, 1)
};

// Queues a tone (or a rest, with frequency 0) behind what is already queued. Rests next to
// each other merge into one entry, and a rest given to an idle synth is dropped (its
// silence is what the synth renders anyway). False when the queue is full.
bool queueTone(ToneSynth& synth, unsigned frequencyHz, std::uint64_t frames);

// True when nothing is queued or being rendered.
bool toneSynthIdle(const ToneSynth& synth);

// Frames still to be rendered before the synth is idle, lead-in included.
std::uint64_t pendingToneFrames(const ToneSynth& synth);

// Fills `frames` mono samples. Consecutive tones join with a continuous phase and no fade;
// a tone fades in over 1 ms after silence and fades out over its last 1 ms when silence,
// or nothing yet, follows. With nothing queued the output is silence.
void renderTones(ToneSynth& synth, std::int16_t* out, std::size_t frames);

using ToneClock = std::chrono::steady_clock;

// Lateness a call may have and still join the previous wait: the few milliseconds spent
// drawing between tones, and the scheduler's wake-up delay, then do not add up over a run
// of short tones. A longer gap starts a fresh timeline.
constexpr ToneClock::duration toneTimelineSlack = std::chrono::milliseconds(5);

struct ToneTimeline {
    ToneClock::time_point end{};
    bool started = false;
};

// Places a wait of `length` on the timeline at `now` and returns the time it ends: right
// after the previous wait when `now` is within `slack` of its end, at `now` otherwise.
ToneClock::time_point scheduleWait(ToneTimeline& timeline, ToneClock::time_point now,
                                   ToneClock::duration length,
                                   ToneClock::duration slack = toneTimelineSlack);

}  // namespace platform
