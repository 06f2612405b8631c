// A listener on 127.0.0.1 (ephemeral port) with its own io_context and thread, the common part of the
// test fronts that serve any number of connections: each accepted socket (TCP_NODELAY set) goes to the
// accept handler on that thread, which starts its I/O on the socket's own executor. Destruction stops
// the thread and then drops every pending operation, so that what the handler's connections refer to
// must outlive the listener (declare the listener last).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <thread>

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>

class LoopbackListener {
  public:
    using AcceptHandler = std::function<void(boost::asio::ip::tcp::socket)>;

    // Listening at once.
    explicit LoopbackListener(AcceptHandler onAccept);
    ~LoopbackListener();
    LoopbackListener(const LoopbackListener&) = delete;
    LoopbackListener& operator=(const LoopbackListener&) = delete;

    uint16_t Port() const { return ListenPort; }
    std::string Address() const;  // "127.0.0.1:<port>"

  private:
    void AcceptNext();

    const AcceptHandler OnAccept;
    boost::asio::io_context Io;
    boost::asio::ip::tcp::acceptor Acceptor;
    uint16_t ListenPort = 0;
    std::thread Thread;
};
