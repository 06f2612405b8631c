// A blocking client of the simulated front for network tests: connects to 127.0.0.1, sends raw bytes
// or framed payloads, and reads frames with a bound on every wait. One thread.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>

#include "tests/support/Hex.h"
#include "tools/simfront/FlowJournal.h"

namespace simtest {

class CTestClient {
  public:
    explicit CTestClient(uint16_t port);

    void SendRaw(const Bytes& bytes);
    void SendPayload(const simfront::Payload& payload);
    // The next frame's payload within the bound (heartbeats skipped unless asked for); nothing on
    // timeout or when the connection ends.
    std::optional<simfront::Payload> Next(std::chrono::milliseconds bound, bool heartbeats = false);
    // The next payload with the ServiceNo, skipping others, within the bound.
    std::optional<simfront::Payload> NextOf(uint16_t serviceNo, std::chrono::milliseconds bound);
    // True when the front closes the connection within the bound (frames before it are skipped).
    bool ClosedWithin(std::chrono::milliseconds bound);

  private:
    enum class Read { Done, Timeout, Ended };
    Read ReadExactly(uint8_t* data, size_t size, std::chrono::steady_clock::time_point deadline);

    boost::asio::io_context Io;
    boost::asio::ip::tcp::socket Socket;
};

}  // namespace simtest
