// Supervision of one connection as predicates over a monotonic time: the receive timeout counts from the
// last read that delivered bytes, the heartbeat interval (half the timeout) from the last package sent.
// The connection arms its timers at these deadlines and asks again when they fire, so a request or a
// read costs a clock reading and no timer operation. Sans-I/O; I/O thread only.
#pragma once

#include <chrono>
#include <cstdint>

class CSupervision {
  public:
    using Clock = std::chrono::steady_clock;

    // Below 2 s the heartbeat interval would be 0 and the connection would send nothing but heartbeats.
    static constexpr uint16_t MinTimeoutSeconds = 2;

    explicit CSupervision(uint16_t timeoutSeconds)
        : ReceiveTimeout(timeoutSeconds < MinTimeoutSeconds ? MinTimeoutSeconds : timeoutSeconds),
          HeartbeatInterval(ReceiveTimeout / 2) {}

    void Start(Clock::time_point now) { LastReceive = LastSend = now; }
    void Received(Clock::time_point now) { LastReceive = now; }
    void Sent(Clock::time_point now) { LastSend = now; }

    Clock::time_point ReceiveDeadline() const { return LastReceive + ReceiveTimeout; }
    Clock::time_point HeartbeatDeadline() const { return LastSend + HeartbeatInterval; }
    bool ReceiveTimedOut(Clock::time_point now) const { return now >= ReceiveDeadline(); }
    bool HeartbeatDue(Clock::time_point now) const { return now >= HeartbeatDeadline(); }

    const std::chrono::seconds ReceiveTimeout;
    const std::chrono::seconds HeartbeatInterval;

  private:
    Clock::time_point LastReceive{};
    Clock::time_point LastSend{};
};
