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

int widthOf(Rect r) { return r.right - r.left + 1; }
int heightOf(Rect r) { return r.bottom - r.top + 1; }

bool sameRect(Rect a, Rect b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The classic console refuses a window larger than the screen and font allow.
Rect withinLargest(ConsolePort& port, ConsoleBuffer buffer, Rect window) {
    int columns = 0;
    int rows = 0;
    if (port.largestWindow(buffer, columns, rows) && columns > 0 && rows > 0) {
        window.right = std::min(window.right, window.left + columns - 1);
        window.bottom = std::min(window.bottom, window.top + rows - 1);
    }
    return window;
}

}  // namespace

bool sameView(const ConsoleView& a, const ConsoleView& b) {
    return a.columns == b.columns && a.rows == b.rows && sameRect(a.window, b.window);
}

void sizeBuffer(ConsolePort& port, ConsoleBuffer buffer, int columns, int rows, Rect window) {
    ConsoleView now;
    if (!port.view(buffer, now)) return;
    if (port.pseudoConsole()) {
        if (now.columns != columns || now.rows != rows) port.setBufferSize(buffer, columns, rows);
        return;
    }
    window = withinLargest(port, buffer, window);
    Rect shown = now.window;
    // The buffer may never be smaller than its window: a window reaching past the new size,
    // or larger than the one wanted, shrinks to the top-left corner first.
    const int width = std::min(widthOf(shown), widthOf(window));
    const int height = std::min(heightOf(shown), heightOf(window));
    if (shown.right >= columns || shown.bottom >= rows || width < widthOf(shown) || height < heightOf(shown)) {
        const Rect corner{0, 0, width - 1, height - 1};
        if (port.setWindow(buffer, corner)) shown = corner;
    }
    if (now.columns != columns || now.rows != rows) port.setBufferSize(buffer, columns, rows);
    if (!sameRect(shown, window)) port.setWindow(buffer, window);
}

bool fitBufferToWindow(ConsolePort& port, ConsoleBuffer buffer) {
    ConsoleView view;
    if (!port.view(buffer, view)) return false;
    const int width = widthOf(view.window);
    const int height = heightOf(view.window);
    if (width <= 0 || height <= 0 || (view.columns == width && view.rows == height)) return false;
    sizeBuffer(port, buffer, width, height, Rect{0, 0, width - 1, height - 1});
    return true;
}

bool enterSession(ConsolePort& port, ConsoleSession& session) {
    session.original = port.standardOutput();
    if (session.original == 0 || !port.view(session.original, session.originalView)) return false;
    session.pseudo = port.pseudoConsole();
    session.haveInputMode = port.inputMode(session.inputMode);
    session.haveOutputMode = port.outputMode(session.original, session.outputMode);
    session.haveCursor = port.cursorShape(session.original, session.cursor);
    session.haveCodePage = port.outputCodePage(session.codePage);

    session.own = port.createBuffer();
    session.ownCreated = session.own != 0;
    if (!session.ownCreated) session.own = session.original;  // draw on the player's buffer instead
    const Rect window = session.originalView.window;
    sizeBuffer(port, session.own, widthOf(window), heightOf(window),
               Rect{0, 0, widthOf(window) - 1, heightOf(window) - 1});
    // Only the classic console knows the flag; elsewhere the call fails and nothing changes.
    std::uint32_t mode = 0;
    if (port.outputMode(session.own, mode)) port.setOutputMode(session.own, mode | kEnableLvbGridWorldwide);
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
    // The classic console's window takes the size of the buffer made active, and the player's
    // buffer keeps its own size while another is active (a pseudo console resizes only the
    // active buffer); only a buffer the game drew on has to be given its size back.
    const ConsoleView& was = session.originalView;
    ConsoleView now;
    if (port.view(session.original, now) && !sameView(now, was)) {
        sizeBuffer(port, session.original, was.columns, was.rows, was.window);
    }
    if (session.haveOutputMode) port.setOutputMode(session.original, session.outputMode);
    if (session.haveCursor) port.setCursorShape(session.original, session.cursor);
    if (session.haveInputMode) port.setInputMode(session.inputMode);
    if (session.haveCodePage) port.setOutputCodePage(session.codePage);
    if (closeOwn && session.ownCreated) port.closeBuffer(session.own);
}

}  // namespace platform
