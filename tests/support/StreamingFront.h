// A loopback front that pushes one block of frames over and over, as fast as the socket takes it, to
// every client that connects, and reads nothing they send. For quote benchmarks and for lifecycle tests
// that need traffic in flight. Listens on 127.0.0.1 (ephemeral port) with its own io_context and thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>

class StreamingFront {
  public:
    // Listening at once; block holds whole frames (4-byte length, payload) and is sent whole each time.
    explicit StreamingFront(std::vector<uint8_t> block);
    // Stops the thread and closes every connection.
    ~StreamingFront();
    StreamingFront(const StreamingFront&) = delete;
    StreamingFront& operator=(const StreamingFront&) = delete;

    uint16_t Port() const { return ListenPort; }
    std::string Address() const;  // "127.0.0.1:<port>"
    // Blocks written whole, over all connections.
    uint64_t BlocksSent() const { return Sent.load(std::memory_order_relaxed); }

  private:
    void AcceptNext();

    const std::vector<uint8_t> Block;
    boost::asio::io_context Io;
    boost::asio::ip::tcp::acceptor Acceptor;
    uint16_t ListenPort = 0;
    std::atomic<uint64_t> Sent{0};
    std::thread Thread;
};
