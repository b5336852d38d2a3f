#include "conio/platform/windows/win32_console.hpp"

#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <exception>

namespace platform {
namespace {

HANDLE handleOf(ConsoleBuffer buffer) { return reinterpret_cast<HANDLE>(buffer); }

SMALL_RECT smallRect(Rect r) {
    return SMALL_RECT{static_cast<SHORT>(r.left), static_cast<SHORT>(r.top), static_cast<SHORT>(r.right),
                      static_cast<SHORT>(r.bottom)};
}

ConsoleKeyEvent keyEventOf(const KEY_EVENT_RECORD& k) {
    return ConsoleKeyEvent{k.bKeyDown != FALSE, k.wRepeatCount, k.wVirtualKeyCode, k.wVirtualScanCode,
                           static_cast<char16_t>(k.uChar.UnicodeChar), k.dwControlKeyState};
}

// A pseudo console (Windows Terminal, and any terminal that hosts console programs through
// ConPTY) has no window of its own to show; it gives programs that ask for the console
// window a hidden stand-in of the class "PseudoConsoleWindow". The classic console's window
// has another class, and wine's console in a terminal has no window at all.
bool isPseudoConsole() {
    const HWND window = GetConsoleWindow();
    if (window == nullptr) return false;
    wchar_t name[64] = {};
    return GetClassNameW(window, name, 64) > 0 && std::wcscmp(name, L"PseudoConsoleWindow") == 0;
}

}  // namespace

Win32Console::Win32Console()
    : input_(GetStdHandle(STD_INPUT_HANDLE)), output_(GetStdHandle(STD_OUTPUT_HANDLE)), pseudo_(isPseudoConsole()) {}

ConsoleBuffer Win32Console::standardOutput() { return reinterpret_cast<ConsoleBuffer>(output_); }

ConsoleBuffer Win32Console::createBuffer() {
    const HANDLE buffer = CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                    nullptr, CONSOLE_TEXTMODE_BUFFER, nullptr);
    return buffer == INVALID_HANDLE_VALUE ? 0 : reinterpret_cast<ConsoleBuffer>(buffer);
}

void Win32Console::closeBuffer(ConsoleBuffer buffer) { CloseHandle(handleOf(buffer)); }

bool Win32Console::setActiveBuffer(ConsoleBuffer buffer) {
    return SetConsoleActiveScreenBuffer(handleOf(buffer)) != FALSE;
}

bool Win32Console::inputMode(std::uint32_t& mode) {
    DWORD value = 0;
    if (GetConsoleMode(input_, &value) == FALSE) return false;
    mode = value;
    return true;
}

bool Win32Console::setInputMode(std::uint32_t mode) { return SetConsoleMode(input_, mode) != FALSE; }

bool Win32Console::outputMode(ConsoleBuffer buffer, std::uint32_t& mode) {
    DWORD value = 0;
    if (GetConsoleMode(handleOf(buffer), &value) == FALSE) return false;
    mode = value;
    return true;
}

bool Win32Console::setOutputMode(ConsoleBuffer buffer, std::uint32_t mode) {
    return SetConsoleMode(handleOf(buffer), mode) != FALSE;
}

bool Win32Console::cursorShape(ConsoleBuffer buffer, CursorShape& shape) {
    CONSOLE_CURSOR_INFO info{};
    if (GetConsoleCursorInfo(handleOf(buffer), &info) == FALSE) return false;
    shape = CursorShape{static_cast<unsigned>(info.dwSize), info.bVisible != FALSE};
    return true;
}

bool Win32Console::setCursorShape(ConsoleBuffer buffer, CursorShape shape) {
    // The console refuses a size outside 1..100 even when the cursor is to be hidden.
    const DWORD size = shape.size >= 1 && shape.size <= 100 ? shape.size : 25;
    const CONSOLE_CURSOR_INFO info{size, shape.visible ? TRUE : FALSE};
    return SetConsoleCursorInfo(handleOf(buffer), &info) != FALSE;
}

bool Win32Console::setCursorPosition(ConsoleBuffer buffer, int column, int row) {
    return SetConsoleCursorPosition(handleOf(buffer), COORD{static_cast<SHORT>(column), static_cast<SHORT>(row)}) !=
           FALSE;
}

bool Win32Console::view(ConsoleBuffer buffer, ConsoleView& view) {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (GetConsoleScreenBufferInfo(handleOf(buffer), &info) == FALSE) return false;
    view = ConsoleView{info.dwSize.X, info.dwSize.Y,
                       Rect{info.srWindow.Left, info.srWindow.Top, info.srWindow.Right, info.srWindow.Bottom}};
    return true;
}

bool Win32Console::setBufferSize(ConsoleBuffer buffer, int columns, int rows) {
    return SetConsoleScreenBufferSize(handleOf(buffer), COORD{static_cast<SHORT>(columns), static_cast<SHORT>(rows)}) !=
           FALSE;
}

bool Win32Console::setWindow(ConsoleBuffer buffer, Rect window) {
    const SMALL_RECT rect = smallRect(window);
    return SetConsoleWindowInfo(handleOf(buffer), TRUE, &rect) != FALSE;
}

bool Win32Console::largestWindow(ConsoleBuffer buffer, int& columns, int& rows) {
    const COORD largest = GetLargestConsoleWindowSize(handleOf(buffer));
    if (largest.X <= 0 || largest.Y <= 0) return false;
    columns = largest.X;
    rows = largest.Y;
    return true;
}

bool Win32Console::outputCodePage(unsigned& codePage) {
    codePage = GetConsoleOutputCP();
    return codePage != 0;
}

bool Win32Console::setOutputCodePage(unsigned codePage) { return SetConsoleOutputCP(codePage) != FALSE; }

// ConsoleChar is laid out as CHAR_INFO (a UTF-16 unit, then the attribute word).
static_assert(sizeof(ConsoleChar) == sizeof(CHAR_INFO));

bool Win32Console::writeCells(ConsoleBuffer buffer, const std::vector<ConsoleChar>& cells, Rect target) {
    const int width = target.right - target.left + 1;
    const int height = target.bottom - target.top + 1;
    if (width <= 0 || height <= 0 || cells.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
        return false;
    }
    std::vector<CHAR_INFO> out(cells.size());
    for (std::size_t i = 0; i < cells.size(); ++i) {
        out[i].Char.UnicodeChar = static_cast<WCHAR>(cells[i].ch);
        out[i].Attributes = cells[i].attr;
    }
    SMALL_RECT region = smallRect(target);
    return WriteConsoleOutputW(handleOf(buffer), out.data(), COORD{static_cast<SHORT>(width), static_cast<SHORT>(height)},
                               COORD{0, 0}, &region) != FALSE;
}

bool Win32Console::waitForInput(int timeoutMs) {
    const DWORD timeout = timeoutMs < 0 ? INFINITE : static_cast<DWORD>(timeoutMs);
    return WaitForSingleObject(input_, timeout) == WAIT_OBJECT_0;
}

bool Win32Console::waitForInputUntil(std::chrono::steady_clock::time_point end) {
    return timer_.waitUntil(input_, end);
}

// Focus, menu and mouse records come in the same queue as keys; a focus loss is passed on,
// the rest are read and dropped.
void Win32Console::readInput(std::vector<ConsoleEvent>& events) {
    for (;;) {
        DWORD waiting = 0;
        if (GetNumberOfConsoleInputEvents(input_, &waiting) == FALSE || waiting == 0) return;
        INPUT_RECORD records[64];
        DWORD got = 0;
        if (ReadConsoleInputW(input_, records, 64, &got) == FALSE || got == 0) return;
        for (DWORD i = 0; i < got; ++i) {
            ConsoleEvent event;
            if (records[i].EventType == KEY_EVENT) {
                event.kind = ConsoleEvent::Kind::Key;
                event.key = keyEventOf(records[i].Event.KeyEvent);
            } else if (records[i].EventType == WINDOW_BUFFER_SIZE_EVENT) {
                event.kind = ConsoleEvent::Kind::Resize;
            } else if (records[i].EventType == FOCUS_EVENT && records[i].Event.FocusEvent.bSetFocus == FALSE) {
                event.kind = ConsoleEvent::Kind::FocusLost;
            }
            events.push_back(event);
        }
    }
}

bool stdioIsConsole() {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != FALSE &&
           GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) != FALSE;
}

namespace {

UINT originalOutputCodePage = 0;

ConsolePort* emergencyPort = nullptr;
ConsoleSession* emergencySession = nullptr;
std::terminate_handler previousTerminate = nullptr;

void restoreForExit() {
    if (emergencyPort != nullptr && emergencySession != nullptr) leaveSession(*emergencyPort, *emergencySession, false);
    timeEndPeriod(1);
}

// Runs on a thread of its own. Closing the window ends the process soon after the handler
// returns whatever it does, so the restore comes first and the end follows at once.
BOOL WINAPI onControl(DWORD type) {
    switch (type) {
        case CTRL_C_EVENT:
        case CTRL_BREAK_EVENT:
        case CTRL_CLOSE_EVENT:
            restoreForExit();
            ExitProcess(0xC000013A);
        default:
            return FALSE;
    }
}

LONG WINAPI onCrash(EXCEPTION_POINTERS*) {
    restoreForExit();
    return EXCEPTION_CONTINUE_SEARCH;  // the process still ends with the crash's code
}

[[noreturn]] void onTerminate() {
    restoreForExit();
    if (previousTerminate != nullptr) previousTerminate();
    std::abort();
}

}  // namespace

// The C library's text mode converts what it writes to a console on its own (wine's through
// its locale, byte by byte), which garbles UTF-8; in binary mode and fully buffered, a
// stream's text reaches the console in one write, which the console reads as UTF-8. A
// console needs no "\r" before "\n". Streams that are files or pipes are left as they are.
void useUtf8ConsoleOutput() {
    bool console = false;
    for (std::FILE* stream : {stdout, stderr}) {
        DWORD mode = 0;
        const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
        if (GetConsoleMode(handle, &mode) == FALSE) continue;
        _setmode(_fileno(stream), _O_BINARY);
        std::setvbuf(stream, nullptr, _IOFBF, 8192);
        console = true;
    }
    if (!console) return;
    originalOutputCodePage = GetConsoleOutputCP();
    if (originalOutputCodePage != 0 && originalOutputCodePage != CP_UTF8) SetConsoleOutputCP(CP_UTF8);
}

void restoreConsoleOutputCodePage() {
    std::fflush(stdout);  // what waits in the buffers is UTF-8 and must go out as such
    std::fflush(stderr);
    if (originalOutputCodePage != 0 && originalOutputCodePage != CP_UTF8) SetConsoleOutputCP(originalOutputCodePage);
    originalOutputCodePage = 0;
}

void installEmergencyRestore(ConsolePort& port, ConsoleSession& session) {
    emergencyPort = &port;
    emergencySession = &session;
    SetConsoleCtrlHandler(onControl, TRUE);
    SetUnhandledExceptionFilter(onCrash);
    previousTerminate = std::set_terminate(onTerminate);
}

void removeEmergencyRestore() {
    SetConsoleCtrlHandler(onControl, FALSE);
    SetUnhandledExceptionFilter(nullptr);
    std::set_terminate(previousTerminate);
    emergencyPort = nullptr;
    emergencySession = nullptr;
}

}  // namespace platform
