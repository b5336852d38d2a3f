#pragma once
// The platform in a browser page: the screen buffer shown on the page's xterm.js terminal
// by the presenter, its input through the key decoder, tones through the page's Web Audio.
// The program's blocking calls stay blocking: every wait gives the browser the thread
// (the module is built with ASYNCIFY) and the program goes on where it stopped.
#include <chrono>
#include <cstdint>
#include <string>

#include "conio/platform/key_intake.hpp"
#include "conio/platform/platform.hpp"
#include "conio/platform/presenter.hpp"
#include "conio/platform/tones.hpp"

namespace platform {

struct WebOptions {
    bool muted = false;  // the page starts with its sound switched off
};

// A loop that polls for keys without waiting still lets the page draw and take input this
// often: about one display frame.
constexpr std::chrono::milliseconds kLongestBusyRun{16};

class WebPlatform final : public Platform {
public:
    explicit WebPlatform(WebOptions options = {});
    // Shows the last drawing (the cleared screen the program leaves).
    ~WebPlatform() override;

    ScreenBuffer& screen() override { return screen_; }
    bool keyWaiting() override;
    // Shows the screen, then waits for a key.
    std::uint8_t readKey() override;
    // Takes in what the page sent, then tells whether the page was hidden or its window
    // lost focus with no key typed since.
    bool takeFocusLoss() override;
    void beep(unsigned frequencyHz, unsigned durationMs) override;
    // Shows the screen and waits, taking in keys as they come. A wait that has already
    // ended (0 ms) yields only when the program has kept the thread for kLongestBusyRun.
    void sleep(unsigned durationMs) override;
    std::int64_t clockSeconds() override;

private:
    void present();
    void waitUntil(std::chrono::steady_clock::time_point end);
    void yieldIfBusy();
    // Shows the screen, gives the browser the thread for at most timeoutMs (-1: until input
    // comes) or until a pending ESC is due, then takes in what arrived.
    void waitForInput(int timeoutMs);
    void takeInput();

    TonePlayer tones_;
    ScreenBuffer screen_;
    ShownFrame shown_;
    KeyIntake input_;
    std::chrono::steady_clock::time_point lastYield_;
};

// Tells the page that the program has ended, so it can say so and offer another run.
void announceProgramEnd(int status);

}  // namespace platform
