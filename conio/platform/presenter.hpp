#pragma once
// Makes a terminal show the screen buffer: a pure function from what the terminal shows
// now and the buffer to the bytes that bring it up to date (only the cells that changed,
// in one synchronized update). Every glyph goes out as UTF-8 from code page 437, so no
// byte of the buffer can reach the terminal as a control character.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "conio/platform/color_mode.hpp"
#include "conio/platform/screen_buffer.hpp"

namespace platform {

// The part of the buffer's visible window that lies inside the buffer: what is drawn.
struct Region {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};
Region visibleRegion(const ScreenBuffer& buffer);

// Where the buffer's visible window sits on a terminal of a given size.
struct Layout {
    bool fits = false;   // false: too small to play; show the notice instead
    int originColumn = 0;  // 0-based terminal cell of the window's top-left
    int originRow = 0;
    int shownRows = 0;   // rows of the window shown: all, or all but the last on a terminal one row short
};

// The window is centred; a terminal one row shorter than the window shows all but its
// last row (the frame's bottom border); anything smaller, or narrower, does not fit.
Layout layoutFor(int terminalColumns, int terminalRows, int windowWidth, int windowHeight);

struct PresenterOptions {
    ColorMode colors = ColorMode::Ansi16;
    Layout layout{true, 0, 0, 25};
};

// What the terminal shows, as far as the presenter knows. A default (invalid) frame means
// nothing is known: the next present clears the terminal and draws everything.
struct ShownFrame {
    bool valid = false;
    Layout layout;
    int width = 0;                 // the visible window drawn, in cells
    int height = 0;
    std::vector<Cell> cells;       // row-major, width x height
    int sgrAttribute = -1;         // attribute the terminal's SGR state stands for; -1 unknown
    int cursorSize = 0;            // 0 hidden
    int cursorColumn = -1;         // terminal cell of the shown cursor
    int cursorRow = -1;
};

// The bytes that make the terminal show `buffer`'s visible window, and `shown` updated to
// match. Empty when nothing changed. Wrapped in synchronized-output marks; a full repaint
// erases the terminal before the marks, since tmux drops text drawn after an erase inside them.
std::string present(ShownFrame& shown, const ScreenBuffer& buffer, const PresenterOptions& options);

// Shown centred while the terminal or console window is too small to hold the screen.
constexpr const char* kTooSmallNotice = "Aumente a janela para pelo menos 80 x 24";

// `text` broken at spaces into lines of at most `columns` characters (a longer word is cut).
std::vector<std::string> noticeLines(int columns, std::string_view text);

// One line of a notice and the cell (0-based, from the top-left) where it starts.
struct NoticeLine {
    int column = 0;
    int row = 0;
    std::string text;
};

// `text` wrapped at spaces to fit and centred on a terminal or console window of this size;
// lines that would fall below the last row are left out.
std::vector<NoticeLine> placeNotice(int columns, int rows, std::string_view text);

// A cleared terminal (erased before the synchronized-output marks) with `text` centred, wrapped at spaces to fit narrow terminals.
std::string noticeBytes(int terminalColumns, int terminalRows, std::string_view text);

// SGR parameters for one attribute, without the leading ESC [ and the final m.
std::string sgrParameters(std::uint16_t attribute, ColorMode colors);

}  // namespace platform
