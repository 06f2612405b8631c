// Round trip of one package through the session core against a loopback echo front — handed to the
// connection by Post, echoed, and processed by the dispatcher on the I/O thread while the caller waits —
// beside a raw blocking-socket ping-pong of the same frame. Prints p50 and p99 of each and their ratio.
// Then a real request: SubmitLogin through the trading session until OnLoginRsp has run, against a front
// that answers each login frame as reply 117, beside the raw ping-pong of the login frame.
//   roundtrip [rounds]
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include <boost/asio/connect.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/read.hpp>
#include <boost/asio/write.hpp>

#include "codec/APIPackage.h"
#include "codec/ByteOrder.h"
#include "trade/session/VOSKTradeApiImp.h"
#include "transport/SessionCore.h"
#include "transport/SessionLink.h"

using boost::asio::ip::tcp;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int Slices = 4;  // the three ways take turns, so that drift of the machine hits all of them
constexpr uint16_t ServiceNo = 1;

// A loopback front with one blocking thread per connection, each running `serve` on its socket; it
// serves `connections` clients and ends when they have closed.
class BlockingFront {
  public:
    using Serve = void (*)(tcp::socket&);

    BlockingFront(int connections, Serve serve)
        : Acceptor(Io, tcp::endpoint(boost::asio::ip::address_v4::loopback(), 0)) {
        Acceptor.listen();
        Thread = std::thread([this, connections, serve] {
            std::vector<std::thread> served;
            for (int i = 0; i < connections; ++i) {
                auto socket = std::make_shared<tcp::socket>(Acceptor.accept());
                socket->set_option(tcp::no_delay(true));
                served.emplace_back([socket, serve] { serve(*socket); });
            }
            for (std::thread& t : served)
                t.join();
        });
    }
    ~BlockingFront() { Thread.join(); }
    uint16_t Port() const { return Acceptor.local_endpoint().port(); }

  private:
    boost::asio::io_context Io;
    tcp::acceptor Acceptor;
    std::thread Thread;
};

// Writes back every byte as it comes.
void Echo(tcp::socket& socket) {
    uint8_t buffer[65536];
    boost::system::error_code error;
    for (;;) {
        const size_t n = socket.read_some(boost::asio::buffer(buffer), error);
        if (error || boost::asio::write(socket, boost::asio::buffer(buffer, n), error) != n) return;
    }
}

// Answers every whole frame with itself, its ServiceNo raised by one: a login request comes back as
// reply 117.
void Answer(tcp::socket& socket) {
    constexpr uint32_t ServiceNoOffset = 16;  // ApiHead header 8, ServiceNo header 8
    uint8_t frame[4 + MaxPayloadLength];
    boost::system::error_code error;
    for (;;) {
        if (boost::asio::read(socket, boost::asio::buffer(frame, 4), error) != 4) return;
        const uint32_t length = be::Load32(frame);
        if (length > MaxPayloadLength || length < ServiceNoOffset + 2) return;
        if (boost::asio::read(socket, boost::asio::buffer(frame + 4, length), error) != length) return;
        be::Store16(frame + 4 + ServiceNoOffset,
                    static_cast<uint16_t>(be::Load16(frame + 4 + ServiceNoOffset) + 1));
        if (boost::asio::write(socket, boost::asio::buffer(frame, 4 + length), error) != 4 + length) return;
    }
}

double Percentile(std::vector<double> samples, double p);

class CountingTradeSpi : public CVOSKTradeSpi {
  public:
    void OnConnected() override {
        Connected.store(true);
        Connected.notify_all();
    }
    void OnLoginRsp(const trade::LoginRsp*, const trade::RspInfo*, int, int) override {
        Replies.fetch_add(1, std::memory_order_release);
        Replies.notify_one();
    }
    std::atomic<bool> Connected{false};
    std::atomic<uint32_t> Replies{0};
};

void PrintRow(const char* name, const std::vector<double>& times, double rawP50, double rawP99) {
    const double p50 = Percentile(times, 0.50);
    const double p99 = Percentile(times, 0.99);
    std::printf("%-36s %10.1f %10.1f %12.2f %12.2f\n", name, p50, p99, p50 / rawP50, p99 / rawP99);
}

// Counts processed replies for the waiting caller.
class CountingLink : public CSessionLink {
  public:
    void OnConnected() override {
        Connected.store(true);
        Connected.notify_all();
    }
    void OnDisconnected() override {}
    int Dispatch(CServerConnection&, CAPIPackage& package) override {
        if (package.ServiceNo == ServiceNo) {
            Replies.fetch_add(1, std::memory_order_release);
            Replies.notify_one();
        }
        return 0;
    }
    std::atomic<bool> Connected{false};
    std::atomic<uint32_t> Replies{0};
};

void SendRequest(CServerConnection& connection) {
    CAPIPackage package;
    package.BeginPackage(ServiceNo, 7, connection.SendBuffer() + 4);
    connection.SendPackage(package);
}

double Percentile(std::vector<double> samples, double p) {
    std::sort(samples.begin(), samples.end());
    return samples[static_cast<size_t>(p * static_cast<double>(samples.size() - 1))];
}

double MicrosecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(Slices, std::atoi(argv[1])) : 20000;
    const int perSlice = rounds / Slices;
    BlockingFront echo(2, Echo);
    const std::string front = "127.0.0.1:" + std::to_string(echo.Port());

    // The raw baseline: the same frame through a blocking socket.
    boost::asio::io_context io;
    tcp::socket raw(io);
    raw.connect(tcp::endpoint(boost::asio::ip::address_v4::loopback(), echo.Port()));
    raw.set_option(tcp::no_delay(true));
    uint8_t frame[4 + MaxPayloadLength];
    CAPIPackage package;
    package.BeginPackage(ServiceNo, 7, frame + 4);
    const uint32_t frameLength = 4 + package.GetLength();
    be::Store32(frame, package.GetLength());
    uint8_t reply[sizeof frame];

    CountingLink link;
    CSessionCore core(link);
    core.AddFront(front.c_str());
    core.Init();
    link.Connected.wait(false);

    std::vector<double> rawTimes;
    std::vector<double> blockingTimes;
    std::vector<double> spinningTimes;
    uint32_t replies = 0;
    const auto session = [&](std::vector<double>& times, bool spin, int count) {
        for (int i = 0; i < count; ++i) {
            const Clock::time_point start = Clock::now();
            if (core.Post(SendRequest) != 0) {
                std::fprintf(stderr, "roundtrip: the connection was lost\n");
                std::exit(1);
            }
            ++replies;
            for (uint32_t seen; (seen = link.Replies.load(std::memory_order_acquire)) != replies;) {
                if (!spin) link.Replies.wait(seen, std::memory_order_acquire);
            }
            times.push_back(MicrosecondsSince(start));
        }
    };
    const auto baseline = [&](int count) {
        for (int i = 0; i < count; ++i) {
            const Clock::time_point start = Clock::now();
            boost::asio::write(raw, boost::asio::buffer(frame, frameLength));
            boost::asio::read(raw, boost::asio::buffer(reply, frameLength));
            rawTimes.push_back(MicrosecondsSince(start));
        }
    };

    baseline(perSlice / 10);  // warm-up
    session(blockingTimes, false, perSlice / 10);
    rawTimes.clear();
    blockingTimes.clear();
    for (int slice = 0; slice < Slices; ++slice) {
        baseline(perSlice);
        session(blockingTimes, false, perSlice);
        session(spinningTimes, true, perSlice);
    }
    core.Shutdown();
    raw.close();

    const double rawP50 = Percentile(rawTimes, 0.50);
    const double rawP99 = Percentile(rawTimes, 0.99);
    std::printf("roundtrip: %u-byte frames, %d rounds each, loopback echo front, %u cores\n", frameLength,
                perSlice * Slices, std::thread::hardware_concurrency());
    std::printf("%-36s %10s %10s %12s %12s\n", "", "p50 (us)", "p99 (us)", "p50 ratio", "p99 ratio");
    std::printf("%-36s %10.1f %10.1f\n", "raw blocking socket", rawP50, rawP99);
    PrintRow("session core, caller blocks", blockingTimes, rawP50, rawP99);
    PrintRow("session core, caller spins", spinningTimes, rawP50, rawP99);

    // SubmitLogin to OnLoginRsp through the trading session.
    BlockingFront answering(2, Answer);
    tcp::socket rawLogin(io);
    rawLogin.connect(tcp::endpoint(boost::asio::ip::address_v4::loopback(), answering.Port()));
    rawLogin.set_option(tcp::no_delay(true));
    trade::LoginReq login{};
    std::snprintf(login.InvestorID, sizeof login.InvestorID, "%s", "10001");
    std::snprintf(login.InvestorPassword, sizeof login.InvestorPassword, "%s", "123456");
    CAPIPackage loginPackage;
    loginPackage.BeginPackage(116, 1, frame + 4);
    (void)WriteRecordElement(loginPackage, login);
    const uint32_t loginFrameLength = 4 + loginPackage.GetLength();
    be::Store32(frame, loginPackage.GetLength());

    CountingTradeSpi spi;
    auto* trading = new CVOSKTradeApiImp();
    trading->SetSpi(&spi);
    const std::string answeringFront = "127.0.0.1:" + std::to_string(answering.Port());
    trading->AddFront(answeringFront.c_str());
    trading->Init();
    spi.Connected.wait(false);
    std::vector<double> rawLoginTimes;
    std::vector<double> loginTimes;
    uint32_t logins = 0;
    for (int slice = 0; slice < Slices; ++slice) {
        for (int i = 0; i < perSlice; ++i) {
            const Clock::time_point start = Clock::now();
            boost::asio::write(rawLogin, boost::asio::buffer(frame, loginFrameLength));
            boost::asio::read(rawLogin, boost::asio::buffer(reply, loginFrameLength));
            rawLoginTimes.push_back(MicrosecondsSince(start));
        }
        for (int i = 0; i < perSlice; ++i) {
            const Clock::time_point start = Clock::now();
            if (trading->SubmitLogin(&login, 1) != 0) {
                std::fprintf(stderr, "roundtrip: the trading connection was lost\n");
                std::exit(1);
            }
            ++logins;
            for (uint32_t seen; (seen = spi.Replies.load(std::memory_order_acquire)) != logins;)
                spi.Replies.wait(seen, std::memory_order_acquire);
            loginTimes.push_back(MicrosecondsSince(start));
        }
    }
    trading->Release();
    rawLogin.close();
    const double rawLoginP50 = Percentile(rawLoginTimes, 0.50);
    const double rawLoginP99 = Percentile(rawLoginTimes, 0.99);
    std::printf("\nlogin round trip: %u-byte frames, %d rounds each\n", loginFrameLength, perSlice * Slices);
    std::printf("%-36s %10.1f %10.1f\n", "raw blocking socket", rawLoginP50, rawLoginP99);
    PrintRow("SubmitLogin to OnLoginRsp", loginTimes, rawLoginP50, rawLoginP99);
    return 0;
}
