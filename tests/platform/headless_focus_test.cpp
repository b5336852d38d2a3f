// Scripted focus losses on the headless platform, ordered against scripted keys by time.
#include <gtest/gtest.h>

#include "conio/platform/headless_platform.hpp"

TEST(HeadlessFocus, ALossIsReportedOnceTheClockReachesIt) {
    platform::HeadlessPlatform p;
    EXPECT_FALSE(p.takeFocusLoss()) << "none scripted";
    p.scheduleFocusLoss(300);
    p.scheduleFocusLoss(100);
    p.sleep(99);
    EXPECT_FALSE(p.takeFocusLoss());
    p.sleep(1);
    EXPECT_TRUE(p.takeFocusLoss());
    EXPECT_FALSE(p.takeFocusLoss()) << "taken once";
    p.sleep(500);
    EXPECT_TRUE(p.takeFocusLoss());
    EXPECT_FALSE(p.takeFocusLoss());
}

TEST(HeadlessFocus, KeysAfterTheLossCancelItAndKeysBeforeDoNot) {
    platform::HeadlessPlatform p;
    p.scheduleFocusLoss(100);
    p.scheduleKey(100, 'a');  // at the loss's own time: before it
    p.sleep(200);
    EXPECT_TRUE(p.takeFocusLoss()) << "a key from before still waiting";
    EXPECT_EQ(p.readKey(), 'a');

    p.scheduleFocusLoss(300);
    p.scheduleKey(301, 'b');
    p.sleep(200);
    EXPECT_FALSE(p.takeFocusLoss()) << "a key from after, waiting";
    EXPECT_EQ(p.readKey(), 'b');

    p.scheduleFocusLoss(500);
    p.scheduleKey(900, 'c');
    EXPECT_EQ(p.readKey(), 'c') << "waits past the loss";
    EXPECT_FALSE(p.takeFocusLoss()) << "a key from after, read";

    p.scheduleFocusLoss(1000);
    p.scheduleKey(5000, 'd');
    p.sleep(200);
    EXPECT_TRUE(p.takeFocusLoss()) << "a key not due yet has not come";
}
