#include "conio/platform/tones.hpp"

#include <fcntl.h>
#include <signal.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/process.hpp"
#include "tests/support/tone_clock.hpp"

namespace {


constexpr int rate = 48000;
constexpr std::size_t msFrames = rate / 1000;

// Sets an environment variable for one scope and puts back what was there.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (old_) setenv(name_, old_->c_str(), 1);
        else unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

std::string tempPath(const char* stem) {
    return testing::TempDir() + stem + std::to_string(getpid());
}

// Sends stdout and stderr to a file between start() and finish(), which returns what was
// written there; no assertion may run in between, since its message would be captured too.
class OutputCapture {
public:
    void start() {
        std::fflush(nullptr);
        path_ = tempPath("tones_output");
        const int file = open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        savedOut_ = dup(1);
        savedErr_ = dup(2);
        dup2(file, 1);
        dup2(file, 2);
        close(file);
    }
    std::string finish() {
        std::fflush(nullptr);
        dup2(savedOut_, 1);
        dup2(savedErr_, 2);
        close(savedOut_);
        close(savedErr_);
        std::string text = fileBytes(path_);
        unlink(path_.c_str());
        return text;
    }

private:
    std::string path_;
    int savedOut_ = -1;
    int savedErr_ = -1;
};

struct Segment {
    std::size_t begin;
    std::size_t end;
    std::size_t length() const { return end - begin; }
};

// Stretches of sound, split wherever at least 16 samples in a row are silent (a tone in
// the audible range never holds zero that long).
std::vector<Segment> soundingSegments(const std::vector<std::int16_t>& s) {
    std::vector<Segment> segments;
    std::size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && s[i] == 0) ++i;
        if (i == s.size()) break;
        Segment seg{i, i};
        std::size_t zeros = 0;
        for (; i < s.size() && zeros < 16; ++i) {
            zeros = s[i] == 0 ? zeros + 1 : 0;
            if (s[i] != 0) seg.end = i + 1;
        }
        segments.push_back(seg);
    }
    return segments;
}

// Frequency from the rising zero crossings inside a segment, placed between samples by
// linear interpolation; the fades at both ends are left out.
double frequencyOf(const std::vector<std::int16_t>& s, const Segment& seg) {
    double first = -1;
    double last = -1;
    int crossings = 0;
    for (std::size_t i = seg.begin + 2 * msFrames; i + 1 < seg.end - 2 * msFrames; ++i) {
        if (s[i] < 0 && s[i + 1] >= 0) {
            const double at = i + double(-s[i]) / (s[i + 1] - s[i]);
            if (first < 0) first = at;
            last = at;
            ++crossings;
        }
    }
    return crossings < 2 ? 0 : (crossings - 1) * rate / (last - first);
}

double magnitudeAt(const std::vector<std::int16_t>& s, const Segment& seg, double hz) {
    double re = 0;
    double im = 0;
    for (std::size_t i = seg.begin; i < seg.end; ++i) {
        re += s[i] * std::cos(2 * std::numbers::pi * hz * i / rate);
        im += s[i] * std::sin(2 * std::numbers::pi * hz * i / rate);
    }
    return std::hypot(re, im);
}

}  // namespace

TEST(SdlTones, TonesKeepTheirPitchAndLengthOnAFreshPlayerEachTime) {
    if (!platform::tonesBuiltWithSound()) GTEST_SKIP() << "built without SDL2";
    const std::vector<unsigned> rounds[] = {{554, 1108, 1480}, {622, 830, 739}};
    for (const auto& pitches : rounds) {
        const std::string file = tempPath("tones_pitch.raw");
        ScopedEnv driver("SDL_AUDIODRIVER", "disk");
        ScopedEnv target("SDL_DISKAUDIOFILE", file);
        OutputCapture capture;
        capture.start();
        bool audible = false;
        {
            platform::TonePlayer player(false);
            audible = player.audible();
            for (unsigned hz : pitches) {
                player.play(hz, 250);
                player.rest(10);
            }
        }
        const std::string printed = capture.finish();
        ASSERT_TRUE(audible);
        EXPECT_EQ(printed, "");

        const auto samples = readSamples(file);
        unlink(file.c_str());
        const auto segments = soundingSegments(samples);
        ASSERT_EQ(segments.size(), pitches.size());
        for (std::size_t i = 0; i < pitches.size(); ++i) {
            EXPECT_NEAR(segments[i].length(), 250 * msFrames, 3) << pitches[i] << " Hz";
            EXPECT_NEAR(frequencyOf(samples, segments[i]), pitches[i], pitches[i] * 0.002);
            if (i > 0) {
                EXPECT_GE(segments[i].begin - segments[i - 1].end, 10 * msFrames - 3);
            }
        }
    }
}

TEST(SdlTones, ShortTonesKeepTimeAndStayDistinct) {
    if (!platform::tonesBuiltWithSound()) GTEST_SKIP() << "built without SDL2";
    const std::string file = tempPath("tones_short.raw");
    ScopedEnv driver("SDL_AUDIODRIVER", "disk");
    ScopedEnv target("SDL_DISKAUDIOFILE", file);
    {
        platform::TonePlayer player(false);
        ASSERT_TRUE(player.audible());
        for (int i = 0; i < 150; ++i) player.play(i % 2 == 0 ? 3000 : 5000, 2);
        player.rest(50);
        for (int i = 0; i < 150; ++i) {
            player.play(i % 2 == 0 ? 3000 : 5000, 2);
            player.rest(3);
        }
    }

    const auto samples = readSamples(file);
    unlink(file.c_str());
    const auto segments = soundingSegments(samples);
    ASSERT_GE(segments.size(), 151u);
    std::size_t runFrames = 0;
    for (std::size_t i = 0; i + 150 < segments.size(); ++i) runFrames += segments[i].length();
    EXPECT_NEAR(runFrames, 300 * msFrames, 10);

    const std::size_t first = segments.size() - 150;
    for (std::size_t i = 0; i < 150; ++i) {
        const Segment& seg = segments[first + i];
        EXPECT_NEAR(seg.length(), 2 * msFrames, 3) << "tone " << i;
        const double own = magnitudeAt(samples, seg, i % 2 == 0 ? 3000 : 5000);
        const double other = magnitudeAt(samples, seg, i % 2 == 0 ? 5000 : 3000);
        EXPECT_GT(own, 4 * other) << "tone " << i;
    }
}

TEST(SilentTones, NoDeviceOrMutedPrintsNothingAndOpensNoDevice) {
    const std::string file = tempPath("tones_muted.raw");
    unlink(file.c_str());
    for (const char* driver : {"none", "disk"}) {
        const bool muted = std::string(driver) == "disk";
        ScopedEnv driverEnv("SDL_AUDIODRIVER", driver);
        ScopedEnv target("SDL_DISKAUDIOFILE", file);
        OutputCapture capture;
        capture.start();
        bool audible = true;
        {
            platform::TonePlayer player(muted);
            audible = player.audible();
            player.play(554, 25);
            player.rest(10);
        }
        const std::string printed = capture.finish();
        EXPECT_FALSE(audible) << driver;
        EXPECT_EQ(printed, "") << driver;
    }
    EXPECT_NE(access(file.c_str(), F_OK), 0) << "a muted player opened the device";
}

// Sounding, muted or with no device, the deadlines come from the clock the player is given.
TEST(Tones, DeadlinesLieEndToEndOnTheClockGiven) {
    const std::string file = tempPath("tones_timeline.raw");
    struct Setup {
        const char* driver;
        bool muted;
    };
    for (const Setup setup : {Setup{"none", false}, Setup{"disk", true}, Setup{"disk", false}}) {
        SCOPED_TRACE(::testing::Message() << setup.driver << (setup.muted ? " muted" : ""));
        ScopedEnv driverEnv("SDL_AUDIODRIVER", setup.driver);
        ScopedEnv target("SDL_DISKAUDIOFILE", file);
        FakeToneClock clock;
        platform::TonePlayer player(setup.muted, clock.source());
        expectDeadlinesEndToEnd(player, clock);
    }
    unlink(file.c_str());
}

TEST(SilentTones, SoundLibrariesPrintNothing) {
    // Without a sound card ALSA writes a page of complaints to stderr when it is asked for
    // its default device; with one it opens it. Either way the terminal sees nothing.
    ScopedEnv driverEnv("SDL_AUDIODRIVER", "alsa");
    OutputCapture capture;
    capture.start();
    {
        platform::TonePlayer player(false);
        player.rest(1);
    }
    EXPECT_EQ(capture.finish(), "");
}

TEST(SdlTones, TerminatingSignalStillEndsTheProcess) {
    if (!platform::tonesBuiltWithSound()) GTEST_SKIP() << "built without SDL2";
    const std::string file = tempPath("tones_signal.raw");
    ScopedEnv driver("SDL_AUDIODRIVER", "disk");
    ScopedEnv target("SDL_DISKAUDIOFILE", file);
    EXPECT_EXIT(
        {
            platform::TonePlayer player(false);
            if (!player.audible()) std::_Exit(3);
            kill(getpid(), SIGTERM);
            player.play(1000, 200);
            std::_Exit(0);
        },
        testing::KilledBySignal(SIGTERM), "");
    unlink(file.c_str());
}
