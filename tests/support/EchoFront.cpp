#include "tests/support/EchoFront.h"

#include <memory>

#include <boost/asio/write.hpp>

using boost::asio::ip::tcp;

namespace {

// One accepted connection: read some, write it all back, read again.
class EchoConnection : public std::enable_shared_from_this<EchoConnection> {
  public:
    explicit EchoConnection(tcp::socket socket) : Socket(std::move(socket)) {}

    void Read() {
        Socket.async_read_some(boost::asio::buffer(Buffer, sizeof Buffer),
                               [self = shared_from_this()](const boost::system::error_code& error, size_t n) {
                                   if (!error) self->Write(n);
                               });
    }

  private:
    void Write(size_t n) {
        boost::asio::async_write(Socket, boost::asio::buffer(Buffer, n),
                                 [self = shared_from_this()](const boost::system::error_code& error, size_t) {
                                     if (!error) self->Read();
                                 });
    }

    tcp::socket Socket;
    uint8_t Buffer[65536];
};

}  // namespace

EchoFront::EchoFront() : Acceptor(Io) {
    const tcp::endpoint loopback(boost::asio::ip::address_v4::loopback(), 0);
    Acceptor.open(loopback.protocol());
    Acceptor.bind(loopback);
    Acceptor.listen();
    ListenPort = Acceptor.local_endpoint().port();
    AcceptNext();
    Thread = std::thread([this] { Io.run(); });
}

EchoFront::~EchoFront() {
    Io.stop();
    Thread.join();
}

std::string EchoFront::Address() const {
    return "127.0.0.1:" + std::to_string(ListenPort);
}

void EchoFront::AcceptNext() {
    Acceptor.async_accept([this](const boost::system::error_code& error, tcp::socket socket) {
        if (error) return;
        ++Accepted;
        boost::system::error_code ignored;
        socket.set_option(tcp::no_delay(true), ignored);
        std::make_shared<EchoConnection>(std::move(socket))->Read();
        AcceptNext();
    });
}
