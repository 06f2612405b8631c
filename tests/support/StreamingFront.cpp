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

StreamingFront::StreamingFront(std::vector<uint8_t> block)
    : Block(std::move(block)), Listener([this](tcp::socket socket) {
          std::make_shared<StreamingConnection>(std::move(socket), Block, Sent)->Write();
      }) {}
