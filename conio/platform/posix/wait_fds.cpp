#include "conio/platform/posix/wait_fds.hpp"

#include <sys/select.h>

#include <algorithm>
#include <cerrno>

namespace platform {
namespace {

// select()'s own limit: a descriptor past FD_SETSIZE cannot be put in a set.
bool fits(int fd) { return fd >= 0 && fd < FD_SETSIZE; }

int waitFor(fd_set* reads, fd_set* writes, int highest, int timeoutMs) {
    timeval timeout{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    return ::select(highest + 1, reads, writes, nullptr, timeoutMs < 0 ? nullptr : &timeout);
}

}  // namespace

Readable waitReadable(int first, int second, int timeoutMs) {
    fd_set reads;
    FD_ZERO(&reads);
    if (fits(first)) FD_SET(first, &reads);
    if (fits(second)) FD_SET(second, &reads);
    const int ready = waitFor(&reads, nullptr, std::max(first, second), timeoutMs);
    // A descriptor select() refuses is reported ready: its read then says what failed.
    if (ready < 0 && errno != EINTR) return {fits(first), fits(second)};
    if (ready <= 0) return {};
    return {fits(first) && FD_ISSET(first, &reads), fits(second) && FD_ISSET(second, &reads)};
}

void waitWritable(int fd, int timeoutMs) {
    if (!fits(fd)) return;
    fd_set writes;
    FD_ZERO(&writes);
    FD_SET(fd, &writes);
    waitFor(nullptr, &writes, fd, timeoutMs);
}

}  // namespace platform
