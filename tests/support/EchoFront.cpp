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

EchoFront::EchoFront()
    : Listener([this](tcp::socket socket) {
          ++Accepted;
          std::make_shared<EchoConnection>(std::move(socket))->Read();
      }) {}
