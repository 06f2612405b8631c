// A loopback front that pushes one block of frames over and over, as fast as the socket takes it, to
// every client that connects, and reads nothing they send. For quote benchmarks and for lifecycle tests
// that need traffic in flight. Listens on 127.0.0.1 (ephemeral port) with its own io_context and thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/LoopbackListener.h"

class StreamingFront {
  public:
    // Listening at once; block holds whole frames (4-byte length, payload) and is sent whole each time.
    explicit StreamingFront(std::vector<uint8_t> block);
    StreamingFront(const StreamingFront&) = delete;
    StreamingFront& operator=(const StreamingFront&) = delete;

    uint16_t Port() const { return Listener.Port(); }
    std::string Address() const { return Listener.Address(); }
    // Blocks written whole, over all connections.
    uint64_t BlocksSent() const { return Sent.load(std::memory_order_relaxed); }

  private:
    const std::vector<uint8_t> Block;
    std::atomic<uint64_t> Sent{0};
    LoopbackListener Listener;  // last: stops its thread, and every connection, first
};
