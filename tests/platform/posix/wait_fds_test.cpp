// Waiting on descriptors with select(): which one is readable, a hangup, a timeout, and a
// descriptor that is not open.
#include "conio/platform/posix/wait_fds.hpp"

#include <unistd.h>

#include <gtest/gtest.h>

TEST(WaitFds, ReportsTheReadableOneAHangupAndNothingAfterATimeout) {
    int a[2];
    int b[2];
    ASSERT_EQ(::pipe(a), 0);
    ASSERT_EQ(::pipe(b), 0);
    platform::Readable ready = platform::waitReadable(a[0], b[0], 10);
    EXPECT_FALSE(ready.first || ready.second);

    ASSERT_EQ(::write(b[1], "w", 1), 1);
    ready = platform::waitReadable(a[0], b[0], -1);
    EXPECT_FALSE(ready.first);
    EXPECT_TRUE(ready.second);
    // A negative descriptor is left out, as the closed keyboard is.
    EXPECT_TRUE(platform::waitReadable(-1, b[0], 0).second);

    ::close(a[1]);  // the other end hung up: readable, and the read returns 0
    ready = platform::waitReadable(a[0], -1, -1);
    EXPECT_TRUE(ready.first);
    char byte;
    EXPECT_EQ(::read(a[0], &byte, 1), 0);
    for (const int fd : {a[0], b[0], b[1]}) ::close(fd);
}

TEST(WaitFds, ADescriptorThatIsNotOpenIsReportedSoTheReadFails) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    ::close(fds[0]);
    ::close(fds[1]);
    EXPECT_TRUE(platform::waitReadable(fds[0], -1, -1).first);
}
