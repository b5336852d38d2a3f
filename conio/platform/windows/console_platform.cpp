#include "conio/platform/windows/console_platform.hpp"

#include <ctime>
#include <string>
#include <thread>

#include "conio/platform/presenter.hpp"
#include "conio/platform/windows/console_keys.hpp"
#include "conio/platform/windows/console_session.hpp"

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;

// A console sends no event when its window alone shrinks or grows (only buffer size changes
// are reported), so the window is also read again this often while presenting.
constexpr auto kViewPollInterval = std::chrono::milliseconds(200);
// How often the size is read while the window is too small to play.
constexpr int kHoldPollMs = 100;

int windowWidth(const ConsoleView& v) { return v.window.right - v.window.left + 1; }
int windowHeight(const ConsoleView& v) { return v.window.bottom - v.window.top + 1; }

}  // namespace

ConsolePlatform::ConsolePlatform(ConsolePort& port, ConsoleBuffer buffer, TonePlayer& tones, WriteCost cost)
    : port_(port), buffer_(buffer), tones_(tones), cost_(cost), screen_(makeScreenBuffer(80, 25)) {
    refreshView();
}

bool ConsolePlatform::keyWaiting() {
    pump(0);
    if (input_.keys.empty() && !inputFailed_) present();
    return !input_.keys.empty() || inputFailed_;
}

std::uint8_t ConsolePlatform::readKey() {
    for (;;) {
        if (const auto key = nextKey(input_)) return *key;
        if (inputFailed_) return 27;  // the keyboard is gone: ESC lets every loop wind down
        present();
        pump(-1);
    }
}

bool ConsolePlatform::takeFocusLoss() {
    pump(0);
    return platform::takeFocusLoss(input_);
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

// The port waits to the deadline itself, on the finest timer the system has, so a frame's
// sleep ends on time rather than on the next whole millisecond.
void ConsolePlatform::waitUntil(Clock::time_point end) {
    while (Clock::now() < end) {
        if (inputFailed_) std::this_thread::sleep_until(end);
        else if (port_.waitForInputUntil(end)) takeInput();
        if (viewStale_) present();  // a size change repaints at once, not after the wait
    }
    pump(0);
}

// Waits for console input for at most timeoutMs (-1: until some comes) and takes it in.
void ConsolePlatform::pump(int timeoutMs) {
    if (inputFailed_) return;
    if (!port_.waitForInput(timeoutMs)) {
        if (timeoutMs < 0) inputFailed_ = true;  // a wait without end only returns on failure
        return;
    }
    takeInput();
}

// Takes in all the input waiting: key presses into the queue, size changes noted for the
// next present; every other record is read and dropped.
void ConsolePlatform::takeInput() {
    events_.clear();
    port_.readInput(events_);
    for (const ConsoleEvent& event : events_) {
        if (event.kind == ConsoleEvent::Kind::Resize) viewStale_ = true;
        if (event.kind == ConsoleEvent::Kind::FocusLost) loseFocus(input_);
        if (event.kind == ConsoleEvent::Kind::Key) takeKeys(input_, keyBytes(event.key), pressCount(event.key));
    }
}

// The buffer is kept exactly as large as the window the player has, so there is no
// scrollback in which the picture could be scrolled away.
bool ConsolePlatform::refreshView() {
    viewStale_ = false;
    viewReadAt_ = Clock::now();
    fitBufferToWindow(port_, buffer_);
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
    for (const NoticeLine& line : placeNotice(width, height, kTooSmallNotice)) {
        const auto start = static_cast<std::size_t>(line.row) * static_cast<std::size_t>(width) +
                           static_cast<std::size_t>(line.column);
        for (std::size_t c = 0; c < line.text.size(); ++c) {
            cells[start + c].ch = static_cast<char16_t>(static_cast<unsigned char>(line.text[c]));
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
    // A window one row short shows all but the last row, as on a terminal.
    const int rows = layout.fits ? std::min(region.height, layout.shownRows) : region.height;
    std::vector<Cell> next;
    next.reserve(static_cast<std::size_t>(region.width) * static_cast<std::size_t>(rows));
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < region.width; ++x) next.push_back(cellAt(screen_, region.left + x, region.top + y));
    }
    std::vector<Rect> writes;
    if (!shown_.valid || shown_.width != region.width || shown_.height != rows ||
        shown_.originColumn != originColumn || shown_.originRow != originRow) {
        // Everything, with the whole console buffer blanked first when the drawing does not
        // cover it (the picture centred in a larger window), so nothing else is left around it.
        if (view_.columns > region.width || view_.rows > rows) {
            port_.writeCells(buffer_,
                             std::vector<ConsoleChar>(static_cast<std::size_t>(view_.columns) *
                                                          static_cast<std::size_t>(view_.rows),
                                                      ConsoleChar{u' ', 0}),
                             Rect{0, 0, view_.columns - 1, view_.rows - 1});
        }
        const ConsoleShown old = shown_;
        shown_ = ConsoleShown{true, region.width, rows, originColumn, originRow, {}, old.cursor, -1, -1};
        if (region.width > 0 && rows > 0) writes.push_back(Rect{0, 0, region.width - 1, rows - 1});
    } else {
        writes = planWrites(shown_.cells, next, region.width, rows, cost_);
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
