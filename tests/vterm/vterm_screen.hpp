#pragma once
// A real terminal emulator (libvterm) fed with what the presenter writes, and checks of what
// it then shows against the screen buffer: the glyph of every cell, its colours, reverse and
// underline, the cursor, and that nothing but the presenter's own sequences reached it.
// Each check returns a description of the first difference, or "" when there is none.
#include <string>
#include <string_view>

#include "conio/platform/presenter.hpp"

struct VTerm;
struct VTermScreen;
struct VTermState;

namespace emulated {

class Terminal {
public:
    Terminal(int columns, int rows);
    ~Terminal();
    Terminal(const Terminal&) = delete;
    Terminal& operator=(const Terminal&) = delete;

    void feed(std::string_view bytes);

    int columns() const { return columns_; }
    int rows() const { return rows_; }
    VTermScreen* screen() const { return screen_; }
    VTermState* state() const { return state_; }
    bool cursorVisible() const { return cursorVisible_; }
    int cursorShape() const { return cursorShape_; }
    // Control bytes and sequences the emulator did not know: the presenter sends none.
    int unrecognised() const { return unrecognised_; }
    // One row as UTF-8 text, never-written cells as blanks.
    std::string rowText(int row) const;

    // For libvterm's callbacks.
    void setCursorVisible(bool visible) { cursorVisible_ = visible; }
    void setCursorShape(int shape) { cursorShape_ = shape; }
    void countUnrecognised() { ++unrecognised_; }

private:
    int columns_;
    int rows_;
    VTerm* vt_;
    VTermScreen* screen_;
    VTermState* state_;
    bool cursorVisible_ = true;
    int cursorShape_ = 0;
    int unrecognised_ = 0;
};

// Every cell of the terminal: inside the window as the layout places it, the buffer's glyph
// and attribute; outside it, blank.
std::string cellMismatch(const Terminal& terminal, const platform::ScreenBuffer& buffer,
                         const platform::PresenterOptions& options);
// The cursor shown where the buffer has it, with its shape, or hidden.
std::string cursorMismatch(const Terminal& terminal, const platform::ScreenBuffer& buffer,
                           const platform::PresenterOptions& options);
// Any byte that is neither part of valid printable UTF-8 text nor of one of the sequences
// the presenter writes (cursor moves, SGR, clear, cursor show, hide and shape, sync marks).
std::string foreignBytes(std::string_view bytes);

}  // namespace emulated
