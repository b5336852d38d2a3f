#pragma once
// An in-memory Windows console behind ConsolePort: screen buffers with cells, cursor and
// window, the active buffer, the input mode, queued input events, and a count of every
// write, so tests and benchmarks can see what the console platform asked of the console.
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
};

class FakeConsole final : public platform::ConsolePort {
public:
    std::map<platform::ConsoleBuffer, FakeConsoleBuffer> buffers{{1, FakeConsoleBuffer{}}};
    platform::ConsoleBuffer standard = 1;
    platform::ConsoleBuffer active = 1;
    platform::ConsoleBuffer nextBuffer = 2;
    bool canCreate = true;
    std::uint32_t input = 0x1F7;
    std::vector<platform::ConsoleEvent> pending;
    int writeCalls = 0;
    long long cellsWritten = 0;
    int waits = 0;
    // The window becomes growTo after this many more waits for input (-1: never).
    int growAfterWaits = -1;
    platform::Rect growTo{0, 0, 79, 24};
    std::function<void(FakeConsole&)> onWait;  // sees the console at every wait for input

    FakeConsoleBuffer& at(platform::ConsoleBuffer b) { return buffers.at(b); }
    // Window size the console shows for every buffer from now on (the visible window).
    void resizeWindow(int columns, int rows) {
        for (auto& [id, b] : buffers) b.window = {0, 0, columns - 1, rows - 1};
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
    platform::ConsoleBuffer createBuffer() override {
        if (!canCreate) return 0;
        FakeConsoleBuffer b;
        b.window = at(active).window;  // a new buffer takes the console window's size
        b.columns = b.window.right + 1;
        b.rows = b.window.bottom + 1;
        b.cells.assign(static_cast<std::size_t>(b.columns * b.rows), platform::ConsoleChar{});
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
    // As the console does: the buffer may not be smaller than its window.
    bool setBufferSize(platform::ConsoleBuffer b, int columns, int rows) override {
        FakeConsoleBuffer& buffer = at(b);
        if (columns < buffer.window.right + 1 || rows < buffer.window.bottom + 1) return false;
        std::vector<platform::ConsoleChar> cells(static_cast<std::size_t>(columns * rows));
        for (int y = 0; y < std::min(rows, buffer.rows); ++y)
            for (int x = 0; x < std::min(columns, buffer.columns); ++x)
                cells[static_cast<std::size_t>(y * columns + x)] = buffer.cells[static_cast<std::size_t>(y * buffer.columns + x)];
        buffer.cells = cells;
        buffer.columns = columns;
        buffer.rows = rows;
        return true;
    }
    bool setWindow(platform::ConsoleBuffer b, platform::Rect w) override {
        FakeConsoleBuffer& buffer = at(b);
        if (w.left < 0 || w.top < 0 || w.right >= buffer.columns || w.bottom >= buffer.rows) return false;
        buffer.window = w;
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
    void readInput(std::vector<platform::ConsoleEvent>& events) override {
        events.insert(events.end(), pending.begin(), pending.end());
        pending.clear();
    }
};
