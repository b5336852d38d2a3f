// The key intake every platform feeds: keys in order through the bounded queue, a focus
// loss that waits behind the keys typed before it and ends at the next key, and waits
// that end when a pending sequence is due to be given up.
#include "conio/platform/key_intake.hpp"

#include <gtest/gtest.h>

#include <string>

using platform::KeyIntake;
using platform::kEscTimeoutMs;

namespace {

std::string readAll(KeyIntake& intake) {
    std::string keys;
    while (const auto key = platform::nextKey(intake)) keys += static_cast<char>(*key);
    return keys;
}

}  // namespace

TEST(KeyIntake, ALossWaitsBehindEarlierKeysAndTheNextKeyEndsIt) {
    KeyIntake intake;
    platform::takeBytes(intake, "a\x1b[Ob", 0);
    EXPECT_FALSE(platform::takeFocusLoss(intake)) << "b came after the loss";
    EXPECT_EQ(readAll(intake), "ab");

    platform::takeBytes(intake, "c\x1b[O\x1b[I", 0);
    EXPECT_TRUE(platform::takeFocusLoss(intake)) << "coming back is no key";
    EXPECT_FALSE(platform::takeFocusLoss(intake)) << "taken once";
    EXPECT_EQ(readAll(intake), "c") << "the key typed before the loss still waits";

    // A key the full queue refuses still shows the player is back.
    platform::takeKeys(intake, "x", static_cast<int>(platform::kKeyBufferBytes));
    platform::loseFocus(intake);
    platform::takeKeys(intake, "y");
    EXPECT_FALSE(platform::takeFocusLoss(intake));
    EXPECT_EQ(readAll(intake), std::string(platform::kKeyBufferBytes, 'x'));

    platform::loseFocus(intake);
    platform::takeKeys(intake, "");
    EXPECT_TRUE(platform::takeFocusLoss(intake)) << "a record with no key (a modifier) is not the player";
}

TEST(KeyIntake, WaitsEndWhenAPendingSequenceIsDueAndItIsGivenUpThen) {
    KeyIntake intake;
    EXPECT_EQ(platform::waitLimitMs(intake, -1, 0), -1);
    EXPECT_EQ(platform::waitLimitMs(intake, 500, 0), 500);

    platform::takeBytes(intake, "\x1b[", 1000);
    EXPECT_EQ(platform::waitLimitMs(intake, -1, 1010), kEscTimeoutMs - 10);
    EXPECT_EQ(platform::waitLimitMs(intake, 5, 1010), 5);
    EXPECT_EQ(platform::waitLimitMs(intake, 500, 2000), 0) << "overdue: no wait at all";
    platform::takeIdle(intake, 1000 + kEscTimeoutMs - 1);
    EXPECT_TRUE(intake.keys.empty());

    platform::loseFocus(intake);
    platform::takeIdle(intake, 1000 + kEscTimeoutMs);
    EXPECT_EQ(readAll(intake), "\x1b[");
    EXPECT_FALSE(platform::takeFocusLoss(intake)) << "keys typed after the loss";
    EXPECT_EQ(platform::waitLimitMs(intake, -1, 2000), -1);
}
