#include "conio/platform/web/web_platform.hpp"

#include <ctime>
#include <string>
#include <string_view>

#include "conio/platform/web/host.hpp"

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;

std::int64_t nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(Clock::now().time_since_epoch()).count();
}

// The page's terminal is exactly the console's size, so the window sits at its origin.
// Autowrap is off, so drawing the bottom-right cell never scrolls.
constexpr const char* kTerminalSetUp = "\x1b[?7l\x1b[?25l";

}  // namespace

WebPlatform::WebPlatform(WebOptions options)
    : tones_(options.muted), screen_(makeScreenBuffer(80, 25)), lastYield_(Clock::now()) {
    const std::string setUp = kTerminalSetUp;
    vexamor_host_write(setUp.data(), static_cast<int>(setUp.size()));
    vexamor_host_watch_focus(1);
}

WebPlatform::~WebPlatform() {
    vexamor_host_watch_focus(0);
    present();
}

bool WebPlatform::keyWaiting() {
    takeInput();
    if (input_.keys.empty()) yieldIfBusy();
    return !input_.keys.empty();
}

std::uint8_t WebPlatform::readKey() {
    for (;;) {
        if (const auto key = nextKey(input_)) return *key;
        waitForInput(-1);
    }
}

bool WebPlatform::takeFocusLoss() {
    takeInput();
    return platform::takeFocusLoss(input_);
}

// Tones and sleeps share the tone timeline, as on the terminal: the rests of a tune are
// exact, and a run of short tones keeps its total length.
void WebPlatform::beep(unsigned frequencyHz, unsigned durationMs) {
    waitUntil(tones_.schedule(frequencyHz, durationMs));
}

void WebPlatform::sleep(unsigned durationMs) { waitUntil(tones_.schedule(0, durationMs)); }

std::int64_t WebPlatform::clockSeconds() { return static_cast<std::int64_t>(std::time(nullptr)); }

void WebPlatform::present() {
    PresenterOptions options;
    options.colors = ColorMode::TrueColor;
    const std::string bytes = platform::present(shown_, screen_, options);
    if (!bytes.empty()) vexamor_host_write(bytes.data(), static_cast<int>(bytes.size()));
}

void WebPlatform::waitUntil(Clock::time_point end) {
    using namespace std::chrono;
    auto now = Clock::now();
    if (now >= end) {
        yieldIfBusy();
        return;
    }
    for (; now < end; now = Clock::now()) {
        waitForInput(static_cast<int>(duration_cast<milliseconds>(end - now + microseconds(999)).count()));
    }
}

// Nothing reaches the page while the program holds the thread, so a loop that never waits
// (a frame delay of 0) is shown once per display frame, which is all a player can see.
void WebPlatform::yieldIfBusy() {
    if (Clock::now() - lastYield_ >= kLongestBusyRun) waitForInput(0);
}

void WebPlatform::waitForInput(int timeoutMs) {
    timeoutMs = waitLimitMs(input_, timeoutMs, nowMs());
    present();
    vexamor_host_wait(timeoutMs);
    lastYield_ = Clock::now();
    takeInput();
}

// The page hands over the bytes typed before a focus loss, then stops (0) until the loss is
// taken, then hands over what came after it: keys keep their order around the loss.
void WebPlatform::takeInput() {
    unsigned char buffer[256];
    for (;;) {
        const int n = vexamor_host_read(buffer, sizeof buffer);
        if (n <= 0) {
            if (!vexamor_host_take_focus_loss()) break;
            loseFocus(input_);
            continue;
        }
        takeBytes(input_, std::string_view(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(n)), nowMs());
    }
    takeIdle(input_, nowMs());
}

void announceProgramEnd(int status) { vexamor_host_ended(status); }

}  // namespace platform
