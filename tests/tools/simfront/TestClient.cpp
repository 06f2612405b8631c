#include "tests/tools/simfront/TestClient.h"

#include <boost/asio/connect.hpp>
#include <boost/asio/ip/address.hpp>
#include <boost/asio/read.hpp>
#include <boost/asio/write.hpp>

#include "codec/ByteOrder.h"
#include "tests/tools/simfront/CoreHarness.h"

namespace simtest {

using Clock = std::chrono::steady_clock;

CTestClient::CTestClient(uint16_t port) : Socket(Io) {
    Socket.connect({boost::asio::ip::make_address("127.0.0.1"), port});
}

void CTestClient::SendRaw(const Bytes& bytes) {
    boost::system::error_code ignored;  // the front may already have closed
    boost::asio::write(Socket, boost::asio::buffer(bytes), ignored);
}

void CTestClient::SendPayload(const simfront::Payload& payload) {
    Bytes frame(4);
    be::Store32(frame.data(), static_cast<uint32_t>(payload.size()));
    frame.insert(frame.end(), payload.begin(), payload.end());
    SendRaw(frame);
}

CTestClient::Read CTestClient::ReadExactly(uint8_t* data, size_t size, Clock::time_point deadline) {
    bool done = false;
    boost::system::error_code result;
    boost::asio::async_read(Socket, boost::asio::buffer(data, size),
                            [&](const boost::system::error_code& error, size_t) {
                                done = true;
                                result = error;
                            });
    Io.restart();
    Io.run_until(deadline);
    if (!done) {
        boost::system::error_code ignored;
        Socket.cancel(ignored);
        Io.restart();
        Io.run();
        return Read::Timeout;
    }
    return result ? Read::Ended : Read::Done;
}

std::optional<simfront::Payload> CTestClient::Next(std::chrono::milliseconds bound, bool heartbeats) {
    const Clock::time_point deadline = Clock::now() + bound;
    for (;;) {
        uint8_t length[4];
        if (ReadExactly(length, 4, deadline) != Read::Done) return std::nullopt;
        simfront::Payload payload(be::Load32(length));
        if (!payload.empty() && ReadExactly(payload.data(), payload.size(), deadline) != Read::Done)
            return std::nullopt;
        if (heartbeats || ServiceOf(payload) != 0) return payload;
    }
}

std::optional<simfront::Payload> CTestClient::NextOf(uint16_t serviceNo, std::chrono::milliseconds bound) {
    const Clock::time_point deadline = Clock::now() + bound;
    while (Clock::now() < deadline) {
        auto payload = Next(std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()));
        if (!payload) return std::nullopt;
        if (ServiceOf(*payload) == serviceNo) return payload;
    }
    return std::nullopt;
}

bool CTestClient::ClosedWithin(std::chrono::milliseconds bound) {
    const Clock::time_point deadline = Clock::now() + bound;
    uint8_t byte;
    for (;;) {
        switch (ReadExactly(&byte, 1, deadline)) {
            case Read::Done:
                continue;
            case Read::Ended:
                return true;
            case Read::Timeout:
                return false;
        }
    }
}

}  // namespace simtest
