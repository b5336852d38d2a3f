#include "conio/platform/posix/terminal_platform.hpp"
#include "conio/platform/posix/wait_fds.hpp"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <ctime>

namespace platform {
namespace {

std::int64_t nowMicros() {
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

std::int64_t nowMs() { return nowMicros() / 1000; }

TerminalEnvironment terminalEnvironment() {
    return {std::getenv("TERM"), std::getenv("COLORTERM"), std::getenv("TERM_PROGRAM"), std::getenv("STY"),
            std::getenv("TMUX")};
}

bool isLinuxConsole() { return colorModeFor({.term = std::getenv("TERM")}) == ColorMode::LinuxConsole; }

}  // namespace

TerminalPlatform::TerminalPlatform(TerminalOptions options)
    : tones_(options.muted),
      session_(isLinuxConsole()),
      colors_(options.colors.value_or(colorModeFor(terminalEnvironment()))),
      screen_(makeScreenBuffer(80, 25)),
      size_(session_.size()) {}

bool TerminalPlatform::keyWaiting() {
    pump(0);
    if (input_.keys.empty() && !inputClosed_) present();
    return !input_.keys.empty() || inputClosed_;
}

std::uint8_t TerminalPlatform::readKey() {
    for (;;) {
        if (const auto key = nextKey(input_)) return *key;
        if (inputClosed_) return 27;  // the keyboard is gone: ESC lets every loop wind down
        present();
        pump(-1);
    }
}

bool TerminalPlatform::takeFocusLoss() {
    pump(0);
    return platform::takeFocusLoss(input_);
}

// Tones and sleeps share the tone player's timeline: a sleep between two tones is queued
// as silence, so the pauses of a tune are heard, and a run of short tones and sleeps keeps
// its exact total length. While waiting, keys are read and decoded on time.
void TerminalPlatform::beep(unsigned frequencyHz, unsigned durationMs) {
    present();
    waitUntil(tones_.schedule(frequencyHz, durationMs));
}

void TerminalPlatform::sleep(unsigned durationMs) {
    present();
    waitUntil(tones_.schedule(0, durationMs));
}

void TerminalPlatform::waitUntil(std::chrono::steady_clock::time_point end) {
    using namespace std::chrono;
    for (auto now = steady_clock::now(); now < end; now = steady_clock::now()) {
        pump(static_cast<int>(duration_cast<milliseconds>(end - now + microseconds(999)).count()));
        present();  // a resize or a resumption repaints at once, not after the wait
    }
    pump(0);
}

std::int64_t TerminalPlatform::clockSeconds() { return static_cast<std::int64_t>(::time(nullptr)); }

// Where the terminal has no alternate screen (the Linux console) what the program drew
// last stays on it after the end: the cleared screen that ESC in the menu leaves, not an
// older frame. The cursor goes home, where a cleared screen leaves it.
TerminalPlatform::~TerminalPlatform() {
    handleEvents();
    if (!currentLayout().fits) return;
    showBuffer();
    writeAll(STDOUT_FILENO, "\x1b[H");
}

void TerminalPlatform::present() {
    handleEvents();
    if (!currentLayout().fits) holdWhileTooSmall();
    showBuffer();
}

void TerminalPlatform::showBuffer() {
    const std::string bytes = platform::present(shown_, screen_, PresenterOptions{colors_, currentLayout()});
    if (!bytes.empty()) writeAll(STDOUT_FILENO, bytes);
    if (shown_.cursorSize > 0) session_.noteCursorShaped();
}

// Waits for input or a signal for at most timeoutMs (-1: until something comes), then
// decodes what arrived. A pending ESC shortens the wait to its timeout.
void TerminalPlatform::pump(int timeoutMs) {
    timeoutMs = waitLimitMs(input_, timeoutMs, nowMs());
    if (waitReadable(inputClosed_ ? -1 : STDIN_FILENO, session_.wakeFd(), timeoutMs).first) readInput();
    handleEvents();
    takeIdle(input_, nowMs());
}

void TerminalPlatform::readInput() {
    char buffer[256];
    const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) return;
    if (n <= 0) {
        // Readable yet nothing to read: the terminal hung up or the descriptor failed.
        inputClosed_ = true;
        return;
    }
    takeBytes(input_, std::string_view(buffer, static_cast<std::size_t>(n)), nowMs());
}

bool TerminalPlatform::handleEvents() {
    const TerminalEvents events = session_.takeEvents();
    if (events.continued) session_.reenter();
    if (!events.resized && !events.continued) return false;
    size_ = session_.size();
    shown_ = ShownFrame{};  // the terminal may show anything now: repaint everything
    return true;
}

// Shows the notice and waits for resizes (or a resumption) until the screen fits. The
// notice overwrites the screen, so the frame is repainted in full afterwards.
void TerminalPlatform::holdWhileTooSmall() {
    while (!currentLayout().fits) {
        writeAll(STDOUT_FILENO, noticeBytes(size_.columns, size_.rows, kTooSmallNotice));
        do {
            waitReadable(-1, session_.wakeFd(), -1);
        } while (!handleEvents());
    }
    shown_ = ShownFrame{};
}

Layout TerminalPlatform::currentLayout() const {
    const Region drawn = visibleRegion(screen_);
    if (size_.columns <= 0 || size_.rows <= 0) return {true, 0, 0, drawn.height};  // size unknown: assume it fits
    return layoutFor(size_.columns, size_.rows, drawn.width, drawn.height);
}

}  // namespace platform
