// Read loop, send queue and close path of a TCP connection.
#include "transport/TcpConnection.h"

#include <boost/asio/error.hpp>
#include <boost/asio/write.hpp>

#include "transport/CloseReasons.h"

CTcpConnection::CTcpConnection(boost::asio::io_context& io, uint32_t sendBlockSize,
                               uint32_t receiveBufferSize)
    : Socket(io),
      ReceiveBuffer(new uint8_t[receiveBufferSize]),
      ReceiveBufferSize(receiveBufferSize),
      SendQueue(sendBlockSize) {}

CTcpConnection::~CTcpConnection() {
    boost::system::error_code ignored;
    Socket.close(ignored);
}

void CTcpConnection::Start() {
    Read();
}

void CTcpConnection::Read() {
    Socket.async_read_some(boost::asio::buffer(ReceiveBuffer.get(), ReceiveBufferSize),
                           [self = shared_from_this()](const boost::system::error_code& error,
                                                       size_t length) { self->OnReadSome(error, length); });
}

void CTcpConnection::OnReadSome(const boost::system::error_code& error, size_t length) {
    // Our own close completes the read as cancelled; there is no other local abort of a connected socket
    // here, so every further failure, the peer's shutdown included, closes.
    if (error == boost::asio::error::operation_aborted || Closed) return;
    if (error) {
        Close(closereason::ConnectionLost);
        return;
    }
    if (OnReceive(ReceiveBuffer.get(), static_cast<uint32_t>(length)) < 0) return;
    Read();
}

int CTcpConnection::Send(const uint8_t* data, uint32_t length) {
    if (Closed) return 0;  // nothing more leaves a closed connection; the bytes are dropped
    if (SendQueue.Append(data, length)) Write();
    return 0;
}

void CTcpConnection::Write() {
    const CSendQueue::Chunk chunk = SendQueue.NextWrite();
    boost::asio::async_write(
        Socket, boost::asio::buffer(chunk.Data, chunk.Size),
        [self = shared_from_this()](const boost::system::error_code& error, size_t length) {
            self->OnWriteDone(error, length);
        });
}

void CTcpConnection::OnWriteDone(const boost::system::error_code& error, size_t length) {
    if (error == boost::asio::error::operation_aborted || Closed) return;
    if (error) {
        Close(closereason::ConnectionLost);
        return;
    }
    if (SendQueue.Written(static_cast<uint32_t>(length))) Write();
}

void CTcpConnection::Close(const char* reason) {
    if (Closed) return;
    Closed = true;
    boost::system::error_code ignored;
    Socket.close(ignored);
    OnClose(reason);
}
