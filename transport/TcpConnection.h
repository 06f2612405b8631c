// One TCP socket on the session's I/O context: a read loop into a fixed receive buffer, an unbounded
// send queue with one write in flight, and a close path that reports its cause through OnClose. Held by
// shared_ptr (create with std::make_shared); every pending read and write holds a copy, so the object
// lives until the last of them has completed. All state is touched on the I/O thread only, except by a
// session shutdown that runs once that thread has left its run loop.
#pragma once

#include <cstdint>
#include <memory>

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/system/error_code.hpp>

#include "transport/SendQueue.h"

class CTcpConnection : public std::enable_shared_from_this<CTcpConnection> {
  public:
    CTcpConnection(boost::asio::io_context& io, uint32_t sendBlockSize, uint32_t receiveBufferSize);
    virtual ~CTcpConnection();
    CTcpConnection(const CTcpConnection&) = delete;
    CTcpConnection& operator=(const CTcpConnection&) = delete;

    // Starts the read loop on the connected socket.
    void Start();
    // Queues a copy of the bytes and starts a write when none is in flight; drops them once closed.
    // Always 0.
    int Send(const uint8_t* data, uint32_t length);
    // Marks the connection closed, closes the socket (pending reads and writes complete as cancelled)
    // and reports OnClose(reason). A closed connection is never reopened; a second Close does nothing.
    void Close(const char* reason);

    bool IsClosed() const { return Closed; }
    size_t SendBlockCount() const { return SendQueue.BlockCount(); }

    boost::asio::ip::tcp::socket Socket;

  protected:
    // The connection has closed; called once.
    virtual void OnClose(const char* reason) = 0;
    // The bytes of one read. Negative when the connection has closed itself: reading stops.
    virtual int OnReceive(uint8_t* data, uint32_t length) = 0;

  private:
    void Read();
    void OnReadSome(const boost::system::error_code& error, size_t length);
    void Write();
    void OnWriteDone(const boost::system::error_code& error, size_t length);

    std::unique_ptr<uint8_t[]> ReceiveBuffer;
    const uint32_t ReceiveBufferSize;
    CSendQueue SendQueue;
    bool Closed = false;
};
