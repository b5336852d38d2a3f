#pragma once
// An in-memory classic Windows console (the console's own window) behind ConsolePort:
// screen buffers with cells, cursor and window, the active buffer, the input mode and code
// page, queued input events, and a count of every write, so tests and benchmarks can see
// what the console platform asked of the console. It keeps that host's rules for the calls
// the platform makes:
// - a buffer is never smaller than its window, nor does a window reach outside its buffer:
//   a size or window that would break this is refused;
// - no window is larger than the largest the screen and font allow;
// - the console window shows the active buffer's window (making a buffer active sizes the
//   window to it), and a new buffer takes the console window's size;
// - when the player resizes the window, the active buffer's window changes, and the buffer
//   grows to hold it.
#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "conio/platform/windows/console_port.hpp"

struct FakeConsoleBuffer {
    int columns = 80;
    int rows = 25;
    platform::Rect window{0, 0, 79, 24};
    std::vector<platform::ConsoleChar> cells = std::vector<platform::ConsoleChar>(80 * 25);
    std::uint32_t outputMode = 3;
    platform::CursorShape cursor{25, true};
    int cursorColumn = 0;
    int cursorRow = 0;

    // Cells kept where both sizes have them, blanks elsewhere.
    void resize(int newColumns, int newRows) {
        std::vector<platform::ConsoleChar> kept(static_cast<std::size_t>(newColumns * newRows));
        for (int y = 0; y < std::min(rows, newRows); ++y)
            for (int x = 0; x < std::min(columns, newColumns); ++x)
                kept[static_cast<std::size_t>(y * newColumns + x)] = cells[static_cast<std::size_t>(y * columns + x)];
        cells = std::move(kept);
        columns = newColumns;
        rows = newRows;
    }
};

inline bool sameBuffer(const FakeConsoleBuffer& a, const FakeConsoleBuffer& b) {
    return a.columns == b.columns && a.rows == b.rows && a.window.left == b.window.left &&
           a.window.top == b.window.top && a.window.right == b.window.right && a.window.bottom == b.window.bottom &&
           a.cells == b.cells && a.outputMode == b.outputMode && a.cursor == b.cursor &&
           a.cursorColumn == b.cursorColumn && a.cursorRow == b.cursorRow;
}

class FakeConsole : public platform::ConsolePort {
public:
    std::map<platform::ConsoleBuffer, FakeConsoleBuffer> buffers{{1, FakeConsoleBuffer{}}};
    platform::ConsoleBuffer standard = 1;
    platform::ConsoleBuffer active = 1;
    platform::ConsoleBuffer nextBuffer = 2;
    bool canCreate = true;
    std::uint32_t input = 0x1F7;
    unsigned codePage = 850;
    int largestColumns = 240;
    int largestRows = 80;
    std::vector<platform::ConsoleEvent> pending;
    int writeCalls = 0;
    long long cellsWritten = 0;
    int waits = 0;
    int refused = 0;  // size and window calls the console refused
    int windowCalls = 0;
    // The window becomes growTo after this many more waits for input (-1: never).
    int growAfterWaits = -1;
    platform::Rect growTo{0, 0, 79, 24};
    std::function<void(FakeConsole&)> onWait;  // sees the console at every wait for input

    FakeConsoleBuffer& at(platform::ConsoleBuffer b) { return buffers.at(b); }
    static int widthOf(platform::Rect r) { return r.right - r.left + 1; }
    static int heightOf(platform::Rect r) { return r.bottom - r.top + 1; }

    // The player resizes the console window.
    virtual void resizeWindow(int columns, int rows) {
        FakeConsoleBuffer& b = at(active);
        if (b.columns < columns || b.rows < rows) b.resize(std::max(b.columns, columns), std::max(b.rows, rows));
        const int left = std::min(b.window.left, b.columns - columns);
        const int top = std::min(b.window.top, b.rows - rows);
        b.window = {left, top, left + columns - 1, top + rows - 1};
    }
    void pushResizeEvent() {
        platform::ConsoleEvent e;
        e.kind = platform::ConsoleEvent::Kind::Resize;
        pending.push_back(e);
    }
    void pressKey(std::uint16_t virtualKey, char16_t ch = 0, std::uint16_t repeat = 1) {
        platform::ConsoleEvent e;
        e.kind = platform::ConsoleEvent::Kind::Key;
        e.key = platform::ConsoleKeyEvent{true, repeat, virtualKey, 0, ch, 0};
        pending.push_back(e);
        e.key.keyDown = false;
        pending.push_back(e);
    }
    // Row `row` of a buffer as text (ASCII cells only; anything else as '#').
    std::string rowText(platform::ConsoleBuffer b, int row) {
        std::string text;
        const FakeConsoleBuffer& buffer = at(b);
        for (int x = 0; x < buffer.columns; ++x) {
            const char16_t c = buffer.cells[static_cast<std::size_t>(row * buffer.columns + x)].ch;
            text += c < 0x80 ? static_cast<char>(c) : '#';
        }
        return text;
    }

    platform::ConsoleBuffer standardOutput() override { return standard; }
    bool pseudoConsole() override { return false; }
    platform::ConsoleBuffer createBuffer() override {
        if (!canCreate) return 0;
        const platform::Rect shown = at(active).window;
        FakeConsoleBuffer b;
        b.resize(widthOf(shown), heightOf(shown));
        b.window = {0, 0, b.columns - 1, b.rows - 1};
        buffers[nextBuffer] = b;
        return nextBuffer++;
    }
    void closeBuffer(platform::ConsoleBuffer b) override { buffers.erase(b); }
    bool setActiveBuffer(platform::ConsoleBuffer b) override {
        if (buffers.count(b) == 0) return false;
        active = b;
        return true;
    }
    bool inputMode(std::uint32_t& mode) override {
        mode = input;
        return true;
    }
    bool setInputMode(std::uint32_t mode) override {
        input = mode;
        return true;
    }
    bool outputMode(platform::ConsoleBuffer b, std::uint32_t& mode) override {
        mode = at(b).outputMode;
        return true;
    }
    bool setOutputMode(platform::ConsoleBuffer b, std::uint32_t mode) override {
        at(b).outputMode = mode;
        return true;
    }
    bool cursorShape(platform::ConsoleBuffer b, platform::CursorShape& shape) override {
        shape = at(b).cursor;
        return true;
    }
    bool setCursorShape(platform::ConsoleBuffer b, platform::CursorShape shape) override {
        at(b).cursor = shape;
        return true;
    }
    bool setCursorPosition(platform::ConsoleBuffer b, int column, int row) override {
        at(b).cursorColumn = column;
        at(b).cursorRow = row;
        return true;
    }
    bool view(platform::ConsoleBuffer b, platform::ConsoleView& v) override {
        if (buffers.count(b) == 0) return false;
        v = platform::ConsoleView{at(b).columns, at(b).rows, at(b).window};
        return true;
    }
    bool setBufferSize(platform::ConsoleBuffer b, int columns, int rows) override {
        FakeConsoleBuffer& buffer = at(b);
        if (columns <= buffer.window.right || rows <= buffer.window.bottom) return refuse();
        buffer.resize(columns, rows);
        return true;
    }
    bool setWindow(platform::ConsoleBuffer b, platform::Rect w) override {
        ++windowCalls;
        FakeConsoleBuffer& buffer = at(b);
        if (w.left < 0 || w.top < 0 || w.right < w.left || w.bottom < w.top || w.right >= buffer.columns ||
            w.bottom >= buffer.rows || widthOf(w) > largestColumns || heightOf(w) > largestRows) {
            return refuse();
        }
        buffer.window = w;
        return true;
    }
    bool largestWindow(platform::ConsoleBuffer, int& columns, int& rows) override {
        columns = largestColumns;
        rows = largestRows;
        return true;
    }
    bool outputCodePage(unsigned& page) override {
        page = codePage;
        return true;
    }
    bool setOutputCodePage(unsigned page) override {
        codePage = page;
        return true;
    }
    bool writeCells(platform::ConsoleBuffer b, const std::vector<platform::ConsoleChar>& cells,
                    platform::Rect t) override {
        ++writeCalls;
        FakeConsoleBuffer& buffer = at(b);
        const int width = t.right - t.left + 1;
        for (int y = t.top; y <= t.bottom; ++y) {
            for (int x = t.left; x <= t.right; ++x) {
                if (x < 0 || y < 0 || x >= buffer.columns || y >= buffer.rows) continue;
                buffer.cells[static_cast<std::size_t>(y * buffer.columns + x)] =
                    cells[static_cast<std::size_t>((y - t.top) * width + (x - t.left))];
                ++cellsWritten;
            }
        }
        return true;
    }
    bool waitForInput(int) override {
        ++waits;
        if (onWait) onWait(*this);
        if (growAfterWaits >= 0 && growAfterWaits-- == 0) resizeWindow(growTo.right + 1, growTo.bottom + 1);
        return !pending.empty();
    }
    bool waitForInputUntil(std::chrono::steady_clock::time_point) override { return waitForInput(0); }
    void readInput(std::vector<platform::ConsoleEvent>& events) override {
        events.insert(events.end(), pending.begin(), pending.end());
        pending.clear();
    }

protected:
    bool refuse() {
        ++refused;
        return false;
    }
};
