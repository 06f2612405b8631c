// A loopback front that writes back every byte it receives, on any number of connections, with its own
// io_context and thread: a session's requests come back as its replies, frame for frame. For soak tests
// and benchmarks; scripts belong to ScriptedFront.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>

class EchoFront {
  public:
    EchoFront();
    // Stops the thread and closes every connection.
    ~EchoFront();
    EchoFront(const EchoFront&) = delete;
    EchoFront& operator=(const EchoFront&) = delete;

    uint16_t Port() const { return ListenPort; }
    std::string Address() const;  // "127.0.0.1:<port>"
    int Connections() const { return Accepted.load(); }

  private:
    void AcceptNext();

    boost::asio::io_context Io;
    boost::asio::ip::tcp::acceptor Acceptor;
    uint16_t ListenPort = 0;
    std::atomic<int> Accepted{0};
    std::thread Thread;
};
