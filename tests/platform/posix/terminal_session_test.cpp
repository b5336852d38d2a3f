#include "conio/platform/posix/terminal_session.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>
#include <csignal>
#include <thread>

namespace {

// A pipe whose ends do not block (plain pipe() and fcntl(), as on every POSIX system).
void openNonBlockingPipe(int (&fds)[2]) {
    ASSERT_EQ(::pipe(fds), 0);
    for (const int fd : fds) ASSERT_EQ(::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK), 0);
}

}  // namespace

// A full non-blocking pipe gives short writes and EAGAIN; every byte must still arrive, in order.
TEST(TerminalWrite, ShortWritesAndFullPipeLoseNothing) {
    int fds[2];
    openNonBlockingPipe(fds);
    std::string frame;
    for (int i = 0; i < 300000; ++i) frame += static_cast<char>('a' + i % 26);

    std::string received;
    std::thread reader([&] {
        char buffer[4096];
        for (;;) {
            const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
            if (n == 0) break;
            if (n > 0) received.append(buffer, static_cast<std::size_t>(n));
            if (n < 0) std::this_thread::yield();
        }
    });
    EXPECT_TRUE(platform::writeAll(fds[1], frame));
    ::close(fds[1]);
    reader.join();
    ::close(fds[0]);
    EXPECT_EQ(received, frame);
}

TEST(TerminalWrite, ClosedReaderIsAFailureNotAHang) {
    int fds[2];
    openNonBlockingPipe(fds);
    ::close(fds[0]);
    std::signal(SIGPIPE, SIG_IGN);
    EXPECT_FALSE(platform::writeAll(fds[1], "frame"));
    std::signal(SIGPIPE, SIG_DFL);
    ::close(fds[1]);
}
