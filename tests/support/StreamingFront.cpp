#include "tests/support/StreamingFront.h"

#include <memory>

#include <boost/asio/write.hpp>

using boost::asio::ip::tcp;

namespace {

// One accepted connection: write the block, then write it again, until a write fails.
class StreamingConnection : public std::enable_shared_from_this<StreamingConnection> {
  public:
    StreamingConnection(tcp::socket socket, const std::vector<uint8_t>& block, std::atomic<uint64_t>& sent)
        : Socket(std::move(socket)), Block(block), Sent(sent) {}

    void Write() {
        boost::asio::async_write(Socket, boost::asio::buffer(Block),
                                 [self = shared_from_this()](const boost::system::error_code& error, size_t) {
                                     if (error) return;
                                     self->Sent.fetch_add(1, std::memory_order_relaxed);
                                     self->Write();
                                 });
    }

  private:
    tcp::socket Socket;
    const std::vector<uint8_t>& Block;
    std::atomic<uint64_t>& Sent;
};

}  // namespace

StreamingFront::StreamingFront(std::vector<uint8_t> block) : Block(std::move(block)), Acceptor(Io) {
    const tcp::endpoint loopback(boost::asio::ip::address_v4::loopback(), 0);
    Acceptor.open(loopback.protocol());
    Acceptor.bind(loopback);
    Acceptor.listen();
    ListenPort = Acceptor.local_endpoint().port();
    AcceptNext();
    Thread = std::thread([this] { Io.run(); });
}

StreamingFront::~StreamingFront() {
    Io.stop();
    Thread.join();
}

std::string StreamingFront::Address() const {
    return "127.0.0.1:" + std::to_string(ListenPort);
}

void StreamingFront::AcceptNext() {
    Acceptor.async_accept([this](const boost::system::error_code& error, tcp::socket socket) {
        if (error) return;
        boost::system::error_code ignored;
        socket.set_option(tcp::no_delay(true), ignored);
        std::make_shared<StreamingConnection>(std::move(socket), Block, Sent)->Write();
        AcceptNext();
    });
}
