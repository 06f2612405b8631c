// Supervision decisions over a given time: receive timeout from the last read, heartbeat from the last
// package sent, on a monotonic clock.
#include "transport/Supervision.h"

#include <gtest/gtest.h>

using std::chrono::milliseconds;
using std::chrono::seconds;

namespace {
const CSupervision::Clock::time_point T0 = CSupervision::Clock::time_point{} + seconds{1000};
}

TEST(Supervision, SessionTimeoutGivesSixtySecondHeartbeatsAndAHundredTwentySecondTimeout) {
    CSupervision s(120);
    s.Start(T0);
    EXPECT_FALSE(s.HeartbeatDue(T0 + seconds{60} - milliseconds{1}));
    EXPECT_TRUE(s.HeartbeatDue(T0 + seconds{60}));
    EXPECT_FALSE(s.ReceiveTimedOut(T0 + seconds{120} - milliseconds{1}));
    EXPECT_TRUE(s.ReceiveTimedOut(T0 + seconds{120}));
}

TEST(Supervision, EverySendPostponesTheHeartbeat) {
    CSupervision s(120);
    s.Start(T0);
    s.Sent(T0 + seconds{50});
    EXPECT_FALSE(s.HeartbeatDue(T0 + seconds{100}));
    EXPECT_EQ(s.HeartbeatDeadline(), T0 + seconds{110});
    s.Received(T0 + seconds{105});  // receiving does not postpone it
    EXPECT_TRUE(s.HeartbeatDue(T0 + seconds{110}));
}

TEST(Supervision, EveryReadPostponesTheTimeoutButSendingDoesNot) {
    CSupervision s(120);
    s.Start(T0);
    s.Sent(T0 + seconds{100});
    EXPECT_TRUE(s.ReceiveTimedOut(T0 + seconds{120}));
    s.Received(T0 + seconds{119});
    EXPECT_FALSE(s.ReceiveTimedOut(T0 + seconds{200}));
    EXPECT_EQ(s.ReceiveDeadline(), T0 + seconds{239});
}

TEST(Supervision, TimeoutsBelowTwoSecondsAreRaisedToTwo) {
    for (uint16_t timeout : {0, 1}) {
        CSupervision s(timeout);
        EXPECT_EQ(s.ReceiveTimeout, seconds{2});
        EXPECT_EQ(s.HeartbeatInterval, seconds{1});
    }
    EXPECT_EQ(CSupervision(5).HeartbeatInterval, seconds{2});  // integer halving
}
