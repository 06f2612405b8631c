// A loopback front that writes back every byte it receives, on any number of connections, with its own
// io_context and thread: a session's requests come back as its replies, frame for frame. For soak tests
// and benchmarks; scripts belong to ScriptedFront.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "tests/support/LoopbackListener.h"

class EchoFront {
  public:
    EchoFront();
    EchoFront(const EchoFront&) = delete;
    EchoFront& operator=(const EchoFront&) = delete;

    uint16_t Port() const { return Listener.Port(); }
    std::string Address() const { return Listener.Address(); }
    int Connections() const { return Accepted.load(); }

  private:
    std::atomic<int> Accepted{0};
    LoopbackListener Listener;  // last: stops its thread, and every connection, first
};
