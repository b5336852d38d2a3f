#pragma once
// An in-memory pseudo console (Windows Terminal's tab reaching the program through ConPTY)
// behind ConsolePort, with that host's rules for the calls the platform makes:
// - the window is the tab: no program can change it; setting it only changes the pseudo
//   console's idea of the size (counted, and never to be done), not what the tab shows;
// - a buffer may not be made smaller than the tab;
// - a new buffer is the tab's size, with no scrollback;
// - when the player resizes the tab, only the active buffer is resized to it.
#include "tests/support/fake_console.hpp"

class FakePseudoConsole final : public FakeConsole {
public:
    int tabColumns = 80;
    int tabRows = 25;

    // A tab of this size, showing a player's buffer of the same size.
    FakePseudoConsole(int columns, int rows) : tabColumns(columns), tabRows(rows) {
        FakeConsoleBuffer& player = at(1);
        player.resize(columns, rows);
        player.window = {0, 0, columns - 1, rows - 1};
    }

    void resizeWindow(int columns, int rows) override {
        tabColumns = columns;
        tabRows = rows;
        FakeConsoleBuffer& b = at(active);
        b.resize(columns, rows);
        b.window = {0, 0, columns - 1, rows - 1};
    }

    bool pseudoConsole() override { return true; }
    platform::ConsoleBuffer createBuffer() override {
        if (!canCreate) return 0;
        FakeConsoleBuffer b;
        b.resize(tabColumns, tabRows);
        b.window = {0, 0, tabColumns - 1, tabRows - 1};
        buffers[nextBuffer] = b;
        return nextBuffer++;
    }
    bool setBufferSize(platform::ConsoleBuffer b, int columns, int rows) override {
        if (columns < tabColumns || rows < tabRows) return refuse();
        at(b).resize(columns, rows);
        return true;
    }
    bool setWindow(platform::ConsoleBuffer, platform::Rect) override {
        ++windowCalls;
        return true;
    }
    bool largestWindow(platform::ConsoleBuffer, int& columns, int& rows) override {
        columns = tabColumns;
        rows = tabRows;
        return true;
    }
};
