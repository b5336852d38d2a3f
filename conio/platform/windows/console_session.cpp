#include "conio/platform/windows/console_session.hpp"

#include <algorithm>

namespace platform {

std::uint32_t sessionInputMode(std::uint32_t original) {
    const std::uint32_t off = kEnableLineInput | kEnableEchoInput | kEnableQuickEditMode | kEnableMouseInput |
                              kEnableVirtualTerminalInput;
    // Quick Edit is only changed when the extended flags bit comes with it.
    return (original & ~off) | kEnableProcessedInput | kEnableWindowInput | kEnableExtendedFlags;
}

namespace {

// A window reaching outside the new size (larger, or scrolled down the old buffer) must
// move and shrink first, or the buffer cannot be sized; then the window grows to show the
// whole buffer where the console allows it.
void sizeBuffer(ConsolePort& port, ConsoleBuffer buffer, int columns, int rows) {
    ConsoleView view;
    if (port.view(buffer, view)) {
        const int width = view.window.right - view.window.left + 1;
        const int height = view.window.bottom - view.window.top + 1;
        if (view.window.right >= columns || view.window.bottom >= rows) {
            port.setWindow(buffer, Rect{0, 0, std::min(width, columns) - 1, std::min(height, rows) - 1});
        }
    }
    port.setBufferSize(buffer, columns, rows);
    port.setWindow(buffer, Rect{0, 0, columns - 1, rows - 1});
}

}  // namespace

bool enterSession(ConsolePort& port, ConsoleSession& session, int columns, int rows) {
    session.original = port.standardOutput();
    if (session.original == 0 || !port.view(session.original, session.originalView)) return false;
    session.haveInputMode = port.inputMode(session.inputMode);
    session.haveOutputMode = port.outputMode(session.original, session.outputMode);
    session.haveCursor = port.cursorShape(session.original, session.cursor);

    session.own = port.createBuffer();
    session.ownCreated = session.own != 0;
    if (!session.ownCreated) session.own = session.original;  // draw on the player's buffer instead
    sizeBuffer(port, session.own, columns, rows);
    port.setCursorShape(session.own, CursorShape{session.cursor.size, false});
    if (session.ownCreated) port.setActiveBuffer(session.own);
    if (session.haveInputMode) port.setInputMode(sessionInputMode(session.inputMode));
    session.active = true;
    return true;
}

void leaveSession(ConsolePort& port, ConsoleSession& session, bool closeOwn) {
    const std::lock_guard<std::mutex> lock(session.restoring);
    if (!session.active) return;
    session.active = false;
    port.setActiveBuffer(session.original);
    if (session.haveOutputMode) port.setOutputMode(session.original, session.outputMode);
    if (session.haveCursor) port.setCursorShape(session.original, session.cursor);
    if (session.haveInputMode) port.setInputMode(session.inputMode);
    if (!session.ownCreated) {
        // The game drew on the player's buffer: give it back its size and window.
        const ConsoleView& was = session.originalView;
        port.setBufferSize(session.original, was.columns, was.rows);
        port.setWindow(session.original, was.window);
    }
    if (closeOwn && session.ownCreated) port.closeBuffer(session.own);
}

}  // namespace platform
