#pragma once
// Waiting on the terminal's descriptors with select(), not poll(): macOS's poll() does not
// support devices and answers POLLNVAL for a terminal at once, which would look like a
// keyboard that has gone away.

namespace platform {

struct Readable {
    bool first = false;
    bool second = false;
};

// Waits at most timeoutMs (-1: no limit) until one of the descriptors can be read (a hangup
// counts: its read returns 0). A negative descriptor is left out. Nothing ready after an
// interrupting signal or a timeout; both ready when select() fails otherwise (a closed
// descriptor), so that the caller's read meets the failure instead of waiting again.
Readable waitReadable(int first, int second, int timeoutMs);

// Waits at most timeoutMs until fd takes more bytes.
void waitWritable(int fd, int timeoutMs);

}  // namespace platform
