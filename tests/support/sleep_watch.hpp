#pragma once
// A platform that forwards everything to a headless platform and lets a test look at it at
// the moments the screen stands still for a while: just before each sleep, and just before
// each key read that has to wait for its key. The test installs it in place of the headless
// platform it wraps.
#include <functional>
#include <utility>

#include "conio/platform/headless_platform.hpp"

class SleepWatchingPlatform final : public platform::Platform {
public:
    using Look = std::function<void(platform::HeadlessPlatform&)>;

    SleepWatchingPlatform(platform::HeadlessPlatform& inner, Look beforeSleep, Look beforeWaitingRead = {})
        : inner_(inner), beforeSleep_(std::move(beforeSleep)), beforeWaitingRead_(std::move(beforeWaitingRead)) {}

    platform::ScreenBuffer& screen() override { return inner_.screen(); }
    bool keyWaiting() override { return inner_.keyWaiting(); }
    std::uint8_t readKey() override {
        if (beforeWaitingRead_ && !inner_.keyWaiting()) beforeWaitingRead_(inner_);
        return inner_.readKey();
    }
    bool takeFocusLoss() override { return inner_.takeFocusLoss(); }
    void beep(unsigned frequencyHz, unsigned durationMs) override { inner_.beep(frequencyHz, durationMs); }
    void sleep(unsigned durationMs) override {
        if (beforeSleep_) beforeSleep_(inner_);
        inner_.sleep(durationMs);
    }
    std::int64_t clockSeconds() override { return inner_.clockSeconds(); }

private:
    platform::HeadlessPlatform& inner_;
    Look beforeSleep_;
    Look beforeWaitingRead_;
};
