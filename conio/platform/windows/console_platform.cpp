#include "conio/platform/windows/console_platform.hpp"

#include <ctime>
#include <string>

#include "conio/platform/key_decoder.hpp"
#include "conio/platform/presenter.hpp"
#include "conio/platform/windows/console_keys.hpp"

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;

// A console sends no event when its window alone shrinks or grows (only buffer size changes
// are reported), so the window is also read again this often while presenting.
constexpr auto kViewPollInterval = std::chrono::milliseconds(200);
// How often the size is read while the window is too small to play.
constexpr int kHoldPollMs = 100;

bool sameView(const ConsoleView& a, const ConsoleView& b) {
    return a.columns == b.columns && a.rows == b.rows && a.window.left == b.window.left &&
           a.window.top == b.window.top && a.window.right == b.window.right && a.window.bottom == b.window.bottom;
}

int windowWidth(const ConsoleView& v) { return v.window.right - v.window.left + 1; }
int windowHeight(const ConsoleView& v) { return v.window.bottom - v.window.top + 1; }

}  // namespace

ConsolePlatform::ConsolePlatform(ConsolePort& port, ConsoleBuffer buffer, TonePlayer& tones, WriteCost cost)
    : port_(port), buffer_(buffer), tones_(tones), cost_(cost), screen_(makeScreenBuffer(80, 25)) {
    refreshView();
}

bool ConsolePlatform::keyWaiting() {
    pump(0);
    if (keys_.empty() && !inputFailed_) present();
    return !keys_.empty() || inputFailed_;
}

std::uint8_t ConsolePlatform::readKey() {
    for (;;) {
        if (!keys_.empty()) {
            const std::uint8_t key = keys_.front();
            keys_.pop_front();
            return key;
        }
        if (inputFailed_) return 27;  // the keyboard is gone: ESC lets every loop wind down
        present();
        pump(-1);
    }
}

bool ConsolePlatform::takeFocusLoss() {
    pump(0);
    const bool lost = focusLost_;
    focusLost_ = false;
    return lost;
}

// Tones and sleeps share the tone player's timeline, as on every target: a sleep between
// two tones is queued as silence and a run of short tones keeps its exact total length.
void ConsolePlatform::beep(unsigned frequencyHz, unsigned durationMs) {
    present();
    waitUntil(tones_.schedule(frequencyHz, durationMs));
}

void ConsolePlatform::sleep(unsigned durationMs) {
    present();
    waitUntil(tones_.schedule(0, durationMs));
}

std::int64_t ConsolePlatform::clockSeconds() { return static_cast<std::int64_t>(std::time(nullptr)); }

void ConsolePlatform::waitUntil(Clock::time_point end) {
    using namespace std::chrono;
    for (auto now = Clock::now(); now < end; now = Clock::now()) {
        pump(static_cast<int>(duration_cast<milliseconds>(end - now + microseconds(999)).count()));
        if (viewStale_) present();  // a size change repaints at once, not after the wait
    }
    pump(0);
}

// Waits for console input for at most timeoutMs (-1: until some comes) and takes in all
// that is waiting: key presses into the queue, size changes noted for the next present.
void ConsolePlatform::pump(int timeoutMs) {
    if (inputFailed_) return;
    if (!port_.waitForInput(timeoutMs)) {
        if (timeoutMs < 0) inputFailed_ = true;  // a wait without end only returns on failure
        return;
    }
    events_.clear();
    port_.readInput(events_);
    for (const ConsoleEvent& event : events_) {
        if (event.kind == ConsoleEvent::Kind::Resize) viewStale_ = true;
        if (event.kind == ConsoleEvent::Kind::FocusLost) focusLost_ = true;
        if (event.kind != ConsoleEvent::Kind::Key) continue;
        const std::string bytes = keyBytes(event.key);
        if (bytes.empty()) continue;
        focusLost_ = false;  // a key after the loss: the player is back
        for (int i = pressCount(event.key); i > 0; --i) {
            if (!queueKeys(keys_, bytes)) break;
        }
    }
}

bool ConsolePlatform::refreshView() {
    viewStale_ = false;
    viewReadAt_ = Clock::now();
    ConsoleView now;
    if (!port_.view(buffer_, now) || sameView(now, view_)) return false;
    view_ = now;
    shown_ = ConsoleShown{};  // the console may show anything now: repaint everything
    return true;
}

bool ConsolePlatform::fits() const {
    const Region drawn = visibleRegion(screen_);
    if (windowWidth(view_) <= 0 || windowHeight(view_) <= 0) return true;  // size unknown: assume it fits
    return layoutFor(windowWidth(view_), windowHeight(view_), drawn.width, drawn.height).fits;
}

void ConsolePlatform::present() {
    if (viewStale_ || Clock::now() - viewReadAt_ >= kViewPollInterval) refreshView();
    if (!fits()) holdWhileTooSmall();
    showBuffer();
}

// Shows the notice and reads the size again until the screen fits. The notice overwrites
// the screen, so the frame is repainted in full afterwards.
void ConsolePlatform::holdWhileTooSmall() {
    while (!fits()) {
        showNotice();
        do {
            pump(kHoldPollMs);
        } while (!refreshView() && !inputFailed_);
        if (inputFailed_) break;
    }
    shown_ = ConsoleShown{};
}

void ConsolePlatform::showNotice() {
    const int width = windowWidth(view_);
    const int height = windowHeight(view_);
    std::vector<ConsoleChar> cells(static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                                   ConsoleChar{u' ', 7});
    const std::vector<std::string> lines = noticeLines(width, kTooSmallNotice);
    const int first = std::max(0, (height - static_cast<int>(lines.size())) / 2);
    for (std::size_t i = 0; i < lines.size() && first + static_cast<int>(i) < height; ++i) {
        const int column = std::max(0, (width - static_cast<int>(lines[i].size())) / 2);
        for (std::size_t c = 0; c < lines[i].size(); ++c) {
            const auto at = static_cast<std::size_t>(first + static_cast<int>(i)) * static_cast<std::size_t>(width) +
                            static_cast<std::size_t>(column) + c;
            cells[at].ch = static_cast<char16_t>(static_cast<unsigned char>(lines[i][c]));
        }
    }
    port_.writeCells(buffer_, cells, view_.window);
    port_.setCursorShape(buffer_, CursorShape{shown_.cursor.size, false});
}

void ConsolePlatform::showBuffer() {
    const Region region = visibleRegion(screen_);
    const Layout layout = layoutFor(windowWidth(view_), windowHeight(view_), region.width, region.height);
    const int originColumn = view_.window.left + (layout.fits ? layout.originColumn : 0);
    const int originRow = view_.window.top + (layout.fits ? layout.originRow : 0);
    std::vector<Cell> next;
    next.reserve(static_cast<std::size_t>(region.width) * static_cast<std::size_t>(region.height));
    for (int y = 0; y < region.height; ++y) {
        for (int x = 0; x < region.width; ++x) next.push_back(cellAt(screen_, region.left + x, region.top + y));
    }
    std::vector<Rect> writes;
    if (!shown_.valid || shown_.width != region.width || shown_.height != region.height ||
        shown_.originColumn != originColumn || shown_.originRow != originRow) {
        // Everything, with the whole console buffer blanked first when the drawing does not
        // cover it (a buffer the console has grown), so no old drawing is left around it.
        if (view_.columns > region.width || view_.rows > region.height) {
            port_.writeCells(buffer_,
                             std::vector<ConsoleChar>(static_cast<std::size_t>(view_.columns) *
                                                          static_cast<std::size_t>(view_.rows),
                                                      ConsoleChar{u' ', 0}),
                             Rect{0, 0, view_.columns - 1, view_.rows - 1});
        }
        const ConsoleShown old = shown_;
        shown_ = ConsoleShown{true, region.width, region.height, originColumn, originRow, {}, old.cursor, -1, -1};
        if (region.width > 0 && region.height > 0) writes.push_back(Rect{0, 0, region.width - 1, region.height - 1});
    } else {
        writes = planWrites(shown_.cells, next, region.width, region.height, cost_);
    }
    for (const Rect& r : writes) {
        port_.writeCells(buffer_, consoleChars(next, region.width, r),
                         Rect{originColumn + r.left, originRow + r.top, originColumn + r.right, originRow + r.bottom});
    }
    shown_.cells = std::move(next);
    showCursor(originColumn, originRow);
}

void ConsolePlatform::showCursor(int originColumn, int originRow) {
    const bool visible = screen_.cursorSize > 0;
    const CursorShape shape{visible ? static_cast<unsigned>(screen_.cursorSize) : shown_.cursor.size, visible};
    if (!(shape == shown_.cursor)) {
        port_.setCursorShape(buffer_, shape);
        shown_.cursor = shape;
    }
    if (!visible) return;
    const Region region = visibleRegion(screen_);
    const int column = originColumn + screen_.cursorX - region.left;
    const int row = originRow + screen_.cursorY - region.top;
    if (column == shown_.cursorColumn && row == shown_.cursorRow) return;
    port_.setCursorPosition(buffer_, column, row);
    shown_.cursorColumn = column;
    shown_.cursorRow = row;
}

}  // namespace platform
