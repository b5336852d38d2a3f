#include "conio/platform/posix/terminal_session.hpp"
#include "conio/platform/posix/wait_fds.hpp"

#include <fcntl.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <memory>

namespace platform {
namespace {

// Focus reporting (1004) lets a game pause when the player turns to another window; a
// terminal without it ignores the mode and never reports.
constexpr std::string_view kEnterModes = "\x1b[?1049h\x1b[?25l\x1b[?7l\x1b[0m\x1b[2J\x1b[?1004h";
// Leaves a synchronized update that a signal may have cut short, stops focus reports (the
// shell would read them as typing), resets colours, turns autowrap on, shows the cursor and
// returns to the main screen.
constexpr std::string_view kLeaveModes = "\x1b[?2026l\x1b[?1004l\x1b[0m\x1b[?7h\x1b[?25h\x1b[?1049l";
constexpr std::string_view kLeaveModesShaped =
    "\x1b[?2026l\x1b[?1004l\x1b[0m\x1b[?7h\x1b[?25h\x1b[0 q\x1b[?1049l";

constexpr std::array<int, 4> kTerminatingSignals = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
constexpr std::array<int, 5> kCrashSignals = {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL};
constexpr std::array<int, 3> kNoticedSignals = {SIGWINCH, SIGCONT, SIGTSTP};

// Signal handlers can reach only static data, so the session's state lives here. Everything
// a handler reads is prepared before the handlers are installed.
struct SessionState {
    termios original{};
    volatile std::sig_atomic_t raw = 0;          // the terminal is in our modes and needs restoring
    volatile std::sig_atomic_t crashing = 0;     // the emergency restore has run
    volatile std::sig_atomic_t cursorShaped = 0;
    bool linuxConsole = false;
    int wakeRead = -1;
    int wakeWrite = -1;
    std::unique_ptr<char[]> altStack;
    stack_t previousStack{};
    struct sigaction previous[NSIG]{};
    bool atexitRegistered = false;
};

SessionState state;

// Async-signal-safe: one write of a precomputed string and one tcsetattr. SIGTTOU is held
// meanwhile: when a wrapper shell has already stopped and taken the terminal back, the
// restore must still finish rather than stop this process halfway, where no shell would
// ever continue it.
void restoreTerminal() {
    if (!state.raw) return;
    state.raw = 0;
    sigset_t hold;
    sigset_t previous;
    sigemptyset(&hold);
    sigaddset(&hold, SIGTTOU);
    ::sigprocmask(SIG_BLOCK, &hold, &previous);
    const std::string_view leave =
        state.cursorShaped && !state.linuxConsole ? kLeaveModesShaped : kLeaveModes;
    const ssize_t written = ::write(STDOUT_FILENO, leave.data(), leave.size());
    (void)written;  // nothing more can be done about a terminal that refuses
    ::tcsetattr(STDIN_FILENO, TCSANOW, &state.original);
    ::sigprocmask(SIG_SETMASK, &previous, nullptr);
}

void reraise(int signal) {
    struct sigaction fallback{};
    fallback.sa_handler = SIG_DFL;
    sigemptyset(&fallback.sa_mask);
    ::sigaction(signal, &fallback, nullptr);
    ::raise(signal);  // blocked until the handler returns, then takes its default action
}

void onTerminatingSignal(int signal) {
    restoreTerminal();
    reraise(signal);
}

void onCrash(int signal) {
    if (!state.crashing) {
        state.crashing = 1;
        restoreTerminal();
    }
    reraise(signal);
}

void wake(char what) {
    const int savedErrno = errno;
    const ssize_t written = ::write(state.wakeWrite, &what, 1);
    (void)written;  // a full pipe already holds a wake-up
    errno = savedErrno;
}

// Ctrl-Z: the shell gets its terminal back; the stop happens as the handler returns. The
// kernel drops the stop in a process group with no shell to resume it (an orphaned group),
// so the main loop is also told to take the terminal again, as it is after SIGCONT.
void onStop(int signal) {
    const int savedErrno = errno;
    restoreTerminal();
    reraise(signal);
    wake('c');
    errno = savedErrno;
}

void onResize(int) { wake('w'); }
void onContinue(int) { wake('c'); }

void install(int signal, void (*handler)(int), int flags) {
    struct sigaction action{};
    action.sa_handler = handler;
    action.sa_flags = flags;
    sigemptyset(&action.sa_mask);
    ::sigaction(signal, &action, nullptr);
}

void installHandlers() {
    for (int signal : kTerminatingSignals) {
        ::sigaction(signal, nullptr, &state.previous[signal]);
        // A signal ignored by whoever started us (nohup, a background job) stays ignored.
        if (state.previous[signal].sa_handler != SIG_IGN) install(signal, onTerminatingSignal, 0);
    }
    for (int signal : kCrashSignals) {
        ::sigaction(signal, nullptr, &state.previous[signal]);
        // On its own stack, since a crash may come from an exhausted one; once only.
        install(signal, onCrash, SA_ONSTACK | SA_RESETHAND);
    }
    for (int signal : kNoticedSignals) ::sigaction(signal, nullptr, &state.previous[signal]);
    install(SIGWINCH, onResize, SA_RESTART);
    install(SIGCONT, onContinue, SA_RESTART);
    install(SIGTSTP, onStop, SA_RESTART);
}

void removeHandlers() {
    for (int signal : kTerminatingSignals) ::sigaction(signal, &state.previous[signal], nullptr);
    for (int signal : kCrashSignals) ::sigaction(signal, &state.previous[signal], nullptr);
    for (int signal : kNoticedSignals) ::sigaction(signal, &state.previous[signal], nullptr);
}

void setUpAltStack() {
    const std::size_t size = std::max<std::size_t>(SIGSTKSZ, 64 * 1024);
    state.altStack = std::make_unique<char[]>(size);
    stack_t stack{};
    stack.ss_sp = state.altStack.get();
    stack.ss_size = size;
    ::sigaltstack(&stack, &state.previousStack);
}

termios rawModeOf(const termios& original) {
    termios raw = original;
    // No flow control (Ctrl-S must not freeze the screen), no CR/NL translation (Enter
    // arrives as the terminal sends it), no stripping of the eighth bit (UTF-8 letters).
    raw.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | ICRNL | INLCR | IGNCR | ISTRIP);
    // Bytes go out exactly as written: the presenter positions every cell itself.
    raw.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    // Keys one at a time without echo or line editing, and no Ctrl-V/Ctrl-O handling;
    // ISIG stays, so Ctrl-C and Ctrl-Z remain signals.
    raw.c_lflag &= ~static_cast<tcflag_t>(ECHO | ICANON | IEXTEN);
    // A read returns at once with what is there; select() does the waiting.
    raw.c_cc[VMIN] = 0;
    raw.c_cc[VTIME] = 0;
    return raw;
}

void enterModes() {
    const termios raw = rawModeOf(state.original);
    ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &raw);
    state.raw = 1;
    writeAll(STDOUT_FILENO, kEnterModes);
}

// pipe() and fcntl() rather than Linux's pipe2(), which macOS lacks: neither end may block
// a signal handler, and neither leaks into a program started from here.
bool openWakePipe(int (&fds)[2]) {
    if (::pipe(fds) != 0) return false;
    for (const int fd : fds) {
        const int status = ::fcntl(fd, F_GETFL);
        const int descriptor = ::fcntl(fd, F_GETFD);
        if (status < 0 || descriptor < 0 || ::fcntl(fd, F_SETFL, status | O_NONBLOCK) != 0 ||
            ::fcntl(fd, F_SETFD, descriptor | FD_CLOEXEC) != 0) {
            ::close(fds[0]);
            ::close(fds[1]);
            return false;
        }
    }
    return true;
}

}  // namespace

bool stdioIsTerminal() { return ::isatty(STDIN_FILENO) == 1 && ::isatty(STDOUT_FILENO) == 1; }

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(n));
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            waitWritable(fd, 100);
        } else if (n < 0 && errno != EINTR) {
            return false;
        }
    }
    return true;
}

TerminalSession::TerminalSession(bool linuxConsole) {
    if (state.wakeRead >= 0 || ::tcgetattr(STDIN_FILENO, &state.original) != 0) return;
    int fds[2];
    if (!openWakePipe(fds)) return;
    state.wakeRead = fds[0];
    state.wakeWrite = fds[1];
    state.linuxConsole = linuxConsole;
    state.crashing = 0;
    state.cursorShaped = 0;
    if (!state.atexitRegistered) {
        // A library calling exit() skips our destructor; the terminal is restored anyway.
        std::atexit(restoreTerminal);
        state.atexitRegistered = true;
    }
    setUpAltStack();
    installHandlers();
    enterModes();
    active_ = true;
}

TerminalSession::~TerminalSession() {
    if (!active_) return;
    // Handlers stay until the terminal is back, so a signal in between still restores it.
    ::tcflush(STDIN_FILENO, TCIFLUSH);  // keys typed ahead must not land at the shell prompt
    restoreTerminal();
    removeHandlers();
    ::sigaltstack(&state.previousStack, nullptr);
    ::close(state.wakeRead);
    ::close(state.wakeWrite);
    state.wakeRead = state.wakeWrite = -1;
}

int TerminalSession::wakeFd() const { return state.wakeRead; }

TerminalEvents TerminalSession::takeEvents() {
    TerminalEvents events;
    if (!active_) return events;
    char buffer[64];
    ssize_t n;
    while ((n = ::read(state.wakeRead, buffer, sizeof buffer)) > 0) {
        for (ssize_t i = 0; i < n; ++i) {
            events.resized |= buffer[i] == 'w';
            events.continued |= buffer[i] == 'c';
        }
    }
    return events;
}

void TerminalSession::reenter() {
    if (!active_) return;
    install(SIGTSTP, onStop, SA_RESTART);
    enterModes();
}

TerminalSize TerminalSession::size() const {
    winsize ws{};
    if (::ioctl(STDOUT_FILENO, TIOCGWINSZ, &ws) != 0) return {};
    return {ws.ws_col, ws.ws_row};
}

void TerminalSession::noteCursorShaped() { state.cursorShaped = 1; }

}  // namespace platform
