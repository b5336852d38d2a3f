#pragma once
// The platform on a Windows console, written over ConsolePort so that it runs on the real
// console and on a fake one in tests: keys from console input events through the key
// mapping into the bounded key queue, the screen buffer written to the session's console
// buffer before everything that blocks (only the changed cells, in as few calls as the
// plan finds cheapest), tones and sleeps on the tone player's timeline while input is read.
#include <chrono>
#include <cstdint>
#include <vector>

#include "conio/platform/key_intake.hpp"
#include "conio/platform/platform.hpp"
#include "conio/platform/tones.hpp"
#include "conio/platform/windows/console_cells.hpp"
#include "conio/platform/windows/console_port.hpp"

namespace platform {

// What the console shows of the session's buffer, as far as the platform knows.
struct ConsoleShown {
    bool valid = false;  // false: nothing known, the next present writes everything
    int width = 0;
    int height = 0;
    int originColumn = 0;  // console buffer cell of the drawn window's top-left
    int originRow = 0;
    std::vector<Cell> cells;  // row-major, width x height
    CursorShape cursor{25, false};
    int cursorColumn = -1;
    int cursorRow = -1;
};

class ConsolePlatform final : public Platform {
public:
    ConsolePlatform(ConsolePort& port, ConsoleBuffer buffer, TonePlayer& tones, WriteCost cost = kConsoleWriteCost);

    ScreenBuffer& screen() override { return screen_; }
    // Takes in waiting input; when no key is waiting, shows the screen first, so a loop that
    // polls for a key still shows its drawing.
    bool keyWaiting() override;
    // Shows the screen, then waits for a key. If console input has failed, ESC.
    std::uint8_t readKey() override;
    // Takes in waiting input, then tells whether the console window lost focus with no key
    // pressed since.
    bool takeFocusLoss() override;
    void beep(unsigned frequencyHz, unsigned durationMs) override;
    // Shows the screen, then waits while still taking in keys and size changes.
    void sleep(unsigned durationMs) override;
    std::int64_t clockSeconds() override;

    // Brings the console up to date with the buffer. While the console window is too small
    // it shows a notice and holds here (keys are queued) until the window is large enough.
    void present();

private:
    void pump(int timeoutMs);
    void takeInput();
    void waitUntil(std::chrono::steady_clock::time_point end);
    // Reads the console's size and window again; true when they changed.
    bool refreshView();
    bool fits() const;
    void holdWhileTooSmall();
    void showNotice();
    void showBuffer();
    void showCursor(int originColumn, int originRow);

    ConsolePort& port_;
    ConsoleBuffer buffer_;
    TonePlayer& tones_;
    WriteCost cost_;
    ScreenBuffer screen_;
    ConsoleShown shown_;
    ConsoleView view_;
    bool viewStale_ = false;
    std::chrono::steady_clock::time_point viewReadAt_;
    KeyIntake input_;
    std::vector<ConsoleEvent> events_;
    bool inputFailed_ = false;
};

}  // namespace platform
