#include "tests/support/LoopbackListener.h"

using boost::asio::ip::tcp;

LoopbackListener::LoopbackListener(AcceptHandler onAccept) : OnAccept(std::move(onAccept)), Acceptor(Io) {
    const tcp::endpoint loopback(boost::asio::ip::address_v4::loopback(), 0);
    Acceptor.open(loopback.protocol());
    Acceptor.bind(loopback);
    Acceptor.listen();
    ListenPort = Acceptor.local_endpoint().port();
    AcceptNext();
    Thread = std::thread([this] { Io.run(); });
}

LoopbackListener::~LoopbackListener() {
    Io.stop();
    Thread.join();
}

std::string LoopbackListener::Address() const {
    return "127.0.0.1:" + std::to_string(ListenPort);
}

void LoopbackListener::AcceptNext() {
    Acceptor.async_accept([this](const boost::system::error_code& error, tcp::socket socket) {
        if (error) return;
        boost::system::error_code ignored;
        socket.set_option(tcp::no_delay(true), ignored);
        OnAccept(std::move(socket));
        AcceptNext();
    });
}
