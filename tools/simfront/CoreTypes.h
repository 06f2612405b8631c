// What the front's core needs from its surroundings: the outbox its packages go to, the wall clock, a
// log line sink and its options. The network shell (or a test) provides them. Core thread only.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "tools/simfront/FlowJournal.h"

namespace simfront {

// Where the core's packages go: each is one payload for one client, to be framed and sent in order.
class COutbox {
  public:
    virtual void Deliver(uint32_t client, const Payload& payload) = 0;

  protected:
    ~COutbox() = default;
};

struct WallTime {
    std::string Date;  // YYYY-MM-DD
    std::string Time;  // HH:MM:SS
};

// The local wall-clock date and time of this machine.
WallTime LocalWallTime();

struct CoreOptions {
    uint32_t FrontID = 1;                         // high 32 bits of every SessionID
    std::string TradeDate;                        // YYYY-MM-DD; empty: today's local date
    uint64_t Seed = 1;                            // of the synthetic market's random walk
    std::function<WallTime()> Clock;              // empty: LocalWallTime
    std::function<void(const std::string&)> Log;  // one line per event; empty: silent
};

}  // namespace simfront
