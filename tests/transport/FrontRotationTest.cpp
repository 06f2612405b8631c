// Front entries and the order of attempts, without a socket: splitting "host:port", and the decisions of
// the rotation (which front, at once or after the pause).
#include "transport/FrontRotation.h"

#include <gtest/gtest.h>

#include "transport/FrontAddress.h"

using std::chrono::seconds;

TEST(FrontAddress, SplitsAtTheFirstColonAndReadsTheLeadingDecimalPort) {
    const struct {
        const char* Front;
        const char* Host;
        const char* Port;
    } cases[] = {
        {"127.0.0.1:17001", "127.0.0.1", "17001"},
        {"front.example:  443", "front.example", "443"},  // leading blanks
        {"h:\t+80", "h", "80"},
        {"h:81x", "h", "81"},  // up to the first non-digit
        {"h:1:2", "h", "1"},   // an IPv6 literal cannot be given
        {"h:", "h", "0"},      // no digits
        {"h:abc", "h", "0"},
        {"h:-1", "h", "65535"},  // held as a 16-bit value
        {"h:70000", "h", "4464"},
        {"h:99999999999999999999", "h", "65535"},
        {":9", "", "9"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Front);
        std::string host = "unchanged";
        std::string port;
        ASSERT_TRUE(SplitFront(c.Front, host, port));
        EXPECT_EQ(host, c.Host);
        EXPECT_EQ(port, c.Port);
    }
}

TEST(FrontAddress, EntryWithoutColonOrWithAnOverlongHostIsRefused) {
    std::string host = "unchanged";
    std::string port = "unchanged";
    EXPECT_FALSE(SplitFront("127.0.0.1", host, port));
    EXPECT_FALSE(SplitFront("", host, port));
    EXPECT_FALSE(SplitFront(std::string(128, 'h') + ":80", host, port));
    EXPECT_EQ(host, "unchanged");
    EXPECT_EQ(port, "unchanged");
    EXPECT_TRUE(SplitFront(std::string(127, 'h') + ":80", host, port));
    EXPECT_EQ(host.size(), 127u);
}

TEST(FrontRotation, FailedAttemptsCycleThroughTheFrontsAfterThePause) {
    CFrontRotation rotation(3);
    using A = CFrontRotation::Attempt;
    EXPECT_EQ(rotation.Start(), (A{0, seconds{0}}));
    EXPECT_EQ(rotation.AfterFailure(), (A{1, seconds{1}}));
    EXPECT_EQ(rotation.AfterFailure(), (A{2, seconds{1}}));
    EXPECT_EQ(rotation.AfterFailure(), (A{0, seconds{1}}));
    EXPECT_EQ(rotation.AfterFailure(), (A{1, seconds{1}}));
}

TEST(FrontRotation, EveryStartBeginsAgainAtTheFirstFrontAtOnce) {
    CFrontRotation rotation(3);
    using A = CFrontRotation::Attempt;
    rotation.Start();
    rotation.AfterFailure();  // connected to the second front, then lost it
    EXPECT_EQ(rotation.Start(), (A{0, seconds{0}}));
    EXPECT_EQ(rotation.AfterFailure(), (A{1, seconds{1}}));
}

TEST(FrontRotation, SingleFrontIsRetriedEveryPause) {
    CFrontRotation rotation(1);
    rotation.Start();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(rotation.AfterFailure(), (CFrontRotation::Attempt{0, seconds{1}}));
}
