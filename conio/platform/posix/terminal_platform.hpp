#pragma once
#include <chrono>
// The platform on a real POSIX terminal: raw keys through the key decoder, the screen
// buffer shown by the presenter before everything that blocks, tones through TonePlayer.
// Construct it only when stdioIsTerminal() holds; one per process.
#include <cstdint>
#include <optional>

#include "conio/platform/key_intake.hpp"
#include "conio/platform/platform.hpp"
#include "conio/platform/presenter.hpp"
#include "conio/platform/posix/terminal_session.hpp"
#include "conio/platform/tones.hpp"

namespace platform {

struct TerminalOptions {
    bool muted = false;  // tones become silent waits of the same length
    std::optional<ColorMode> colors;  // what the player chose, over what the environment suggests
};

class TerminalPlatform final : public Platform {
public:
    explicit TerminalPlatform(TerminalOptions options = {});
    // Shows the last drawing before the terminal is restored, never holding for a size.
    ~TerminalPlatform() override;

    ScreenBuffer& screen() override { return screen_; }
    // Takes in what the terminal sent; when no key is waiting, shows the screen first,
    // so a loop that polls for a key still shows its drawing.
    bool keyWaiting() override;
    // Shows the screen, then waits for a key. If the terminal's input is gone, ESC.
    std::uint8_t readKey() override;
    // Takes in what the terminal sent, then tells whether its last focus report was a loss
    // that no key has followed. Terminals without focus reporting never report one.
    bool takeFocusLoss() override;
    void beep(unsigned frequencyHz, unsigned durationMs) override;
    // Shows the screen, then waits while still taking in keys, resizes and resumptions.
    void sleep(unsigned durationMs) override;
    std::int64_t clockSeconds() override;

    // Brings the terminal up to date with the buffer. While the terminal is too small it
    // shows a notice and holds here (keys wait unread) until it is large enough.
    void present();

private:
    void showBuffer();
    void pump(int timeoutMs);
    void waitUntil(std::chrono::steady_clock::time_point end);
    void readInput();
    // Takes in resizes and resumptions; true when the screen must be repainted.
    bool handleEvents();
    void holdWhileTooSmall();
    Layout currentLayout() const;

    TonePlayer tones_;
    TerminalSession session_;
    ColorMode colors_;
    ScreenBuffer screen_;
    ShownFrame shown_;
    TerminalSize size_;
    KeyIntake input_;
    bool inputClosed_ = false;
};

}  // namespace platform
