#include "conio/platform/tone_synth.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace platform {

namespace {

// Harmonics above hearing are left out, and the band ends well below the Nyquist frequency
// so that a device running at 44.1 kHz can resample without folding any of them back.
double bandLimitHz(int sampleRate) {
    return std::min(20000.0, 0.45 * sampleRate);
}

int topOddHarmonic(unsigned frequencyHz, int sampleRate) {
    int k = static_cast<int>(std::ceil(bandLimitHz(sampleRate) / frequencyHz)) - 1;
    return k % 2 == 0 ? k - 1 : k;
}

// Fourier series of a unit square wave cut at `topHarmonic`. sin(kx) for the odd k comes
// from the recurrence s(k+2) = 2 cos(2x) s(k) - s(k-2), one sine and one cosine a sample.
double bandLimitedSquare(double phase, int topHarmonic) {
    const double x = 2.0 * std::numbers::pi * phase;
    const double twoCos2x = 2.0 * std::cos(2.0 * x);
    double previous = -std::sin(x);
    double current = -previous;
    double sum = current;
    for (int k = 3; k <= topHarmonic; k += 2) {
        const double next = twoCos2x * current - previous;
        sum += next / k;
        previous = current;
        current = next;
    }
    return 4.0 / std::numbers::pi * sum;
}

ToneEntry& queueBack(ToneQueue& q) {
    return q.entries[(q.head + q.count - 1) % q.entries.size()];
}

const ToneEntry* queueFront(const ToneQueue& q) {
    return q.count == 0 ? nullptr : &q.entries[q.head];
}

ToneEntry popFront(ToneQueue& q) {
    const ToneEntry entry = q.entries[q.head];
    q.head = (q.head + 1) % q.entries.size();
    --q.count;
    return entry;
}

// Takes the next entry; after the synth has run dry it first renders the lead-in.
bool startNextEntry(ToneSynth& s) {
    if (s.queue.count == 0) return false;
    if (s.dry) s.leadInLeft = s.leadInFrames;
    s.dry = false;
    s.current = popFront(s.queue);
    s.position = 0;
    s.playing = true;
    s.fadeIn = s.current.frequencyHz != 0 && s.silentBefore;
    s.fadeOut = false;
    s.fadeOutDecided = false;
    return true;
}

void finishEntry(ToneSynth& s) {
    s.silentBefore = s.current.frequencyHz == 0 || s.fadeOut;
    s.playing = false;
}

void renderSound(ToneSynth& s, std::int16_t* out, std::size_t frames) {
    const double fadeFrames = s.sampleRate / 1000.0;
    const double step = static_cast<double>(s.current.frequencyHz) / s.sampleRate;
    const int topHarmonic = topOddHarmonic(s.current.frequencyHz, s.sampleRate);
    for (std::size_t i = 0; i < frames; ++i, ++s.position) {
        const std::uint64_t remaining = s.current.frames - s.position;
        if (!s.fadeOutDecided && remaining <= fadeFrames) {
            // Decided once, as late as possible, so the next tone has had time to arrive.
            const ToneEntry* next = queueFront(s.queue);
            s.fadeOut = next == nullptr || next->frequencyHz == 0;
            s.fadeOutDecided = true;
        }
        double gain = 1.0;
        if (s.fadeIn) gain = std::min(gain, (s.position + 0.5) / fadeFrames);
        if (s.fadeOut) gain = std::min(gain, (remaining - 0.5) / fadeFrames);
        const double value = s.amplitude * gain * bandLimitedSquare(s.phase, topHarmonic);
        out[i] = static_cast<std::int16_t>(std::lround(std::clamp(value, -1.0, 1.0) * 32767.0));
        s.phase += step;
        if (s.phase >= 1.0) s.phase -= 1.0;
    }
}

}  // namespace

std::uint64_t msToFrames(unsigned ms, int sampleRate) {
    return static_cast<std::uint64_t>(ms) * static_cast<std::uint64_t>(sampleRate) / 1000;
}

bool toneAudible(unsigned frequencyHz, int sampleRate) {
    return frequencyHz > 0 && frequencyHz < bandLimitHz(sampleRate);
}

bool toneSynthIdle(const ToneSynth& s) {
    return !s.playing && s.queue.count == 0 && s.leadInLeft == 0;
}

std::uint64_t pendingToneFrames(const ToneSynth& s) {
    std::uint64_t frames = s.leadInLeft;
    if (s.playing) frames += s.current.frames - s.position;
    for (std::size_t i = 0; i < s.queue.count; ++i)
        frames += s.queue.entries[(s.queue.head + i) % s.queue.entries.size()].frames;
    return frames;
}

bool queueTone(ToneSynth& s, unsigned frequencyHz, std::uint64_t frames) {
    if (frames == 0) return true;
    if (!toneAudible(frequencyHz, s.sampleRate)) frequencyHz = 0;
    if (frequencyHz == 0) {
        if (toneSynthIdle(s)) return true;
        if (s.queue.count > 0 && queueBack(s.queue).frequencyHz == 0) {
            queueBack(s.queue).frames += frames;
            return true;
        }
    }
    if (s.queue.count == s.queue.entries.size()) return false;
    ++s.queue.count;
    queueBack(s.queue) = ToneEntry{frequencyHz, frames};
    return true;
}

void renderTones(ToneSynth& s, std::int16_t* out, std::size_t frames) {
    std::size_t i = 0;
    while (i < frames) {
        if (!s.playing && !startNextEntry(s)) {
            s.dry = true;
            std::fill(out + i, out + frames, std::int16_t{0});
            return;
        }
        if (s.leadInLeft > 0) {
            const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(s.leadInLeft, frames - i));
            std::fill(out + i, out + i + n, std::int16_t{0});
            s.leadInLeft -= n;
            i += n;
            continue;
        }
        const auto n = static_cast<std::size_t>(
            std::min<std::uint64_t>(s.current.frames - s.position, frames - i));
        if (s.current.frequencyHz == 0) {
            std::fill(out + i, out + i + n, std::int16_t{0});
            s.position += n;
        } else {
            renderSound(s, out + i, n);
        }
        i += n;
        if (s.position == s.current.frames) finishEntry(s);
    }
}

ToneClock::time_point scheduleWait(ToneTimeline& timeline, ToneClock::time_point now,
                                   ToneClock::duration length, ToneClock::duration slack) {
    const bool joins = timeline.started && now <= timeline.end + slack;
    timeline.end = (joins ? timeline.end : now) + length;
    timeline.started = true;
    return timeline.end;
}

}  // namespace platform
