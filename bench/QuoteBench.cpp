// Pushed quotes through the market-data library, beside a raw reader of the same stream. A loopback
// front writes one block of full quote frames (ServiceNo 125, ten price levels) over and over, as fast
// as the socket takes it, first to a market-data object of libquotegate.so that counts the snapshots
// delivered to OnMarketSnapshot, then to a plain reader that only splits the frames. Prints both rates
// and their ratio. Then the instructions per quote of decoding (dispatcher into a callback that ignores
// the quote) and of decoding with translation (dispatcher into the facade and a user callback), counted
// by running this program's in-process loop under valgrind --tool=callgrind. Asserts nothing.
//
//   quotes [--seconds S] [--rounds N] [--no-callgrind]
//   quotes --count-loop decode|translate N     the loop alone; collects only when run under callgrind
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

#include <boost/asio/connect.hpp>
#include <boost/asio/ip/tcp.hpp>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#define KDX_HAVE_CALLGRIND 1
#else
#define KDX_HAVE_CALLGRIND 0
#endif

#include "ZantuVextMdApi.h"
#include "codec/APIPackage.h"
#include "codec/ByteOrder.h"
#include "codec/RecordTable.h"
#include "quot/api/VextMdApiImpl.h"
#include "quot/session/QuotDispatcher.h"
#include "quot/session/VOSKQuotApiImp.h"
#include "tests/support/StreamingFront.h"
#include "transport/FrameAssembler.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int FramesPerBlock = 256;
constexpr uint32_t ReadSize = 1048576;  // what the library reads at once
constexpr int LoopQuotes = 20000;

// A full quote as a front sends it: every field set, ten levels.
std::vector<uint8_t> QuotePayload() {
    quot::Quot q{};
    std::strcpy(q.MatchID, "M000000000123");
    std::strcpy(q.TradeDate, "2024-03-15");
    std::strcpy(q.InstrumentID, "cu2405");
    std::strcpy(q.ModifyDate, "2024-03-15");
    std::strcpy(q.ModifyTime, "10:15:30");
    std::strcpy(q.ExchangeID, "SHFE");
    q.Price = 70010.0;
    q.Qty = 2;
    q.OpenPrice = 69900.0;
    q.HighestPrice = 70100.0;
    q.LowestPrice = 69800.0;
    q.HighLimit = 73500.0;
    q.LowLimit = 66500.0;
    q.OI = 182345;
    q.SettlePrice = 70000.0;
    q.PreClose = 69950.0;
    q.PreSettle = 69940.0;
    q.PreOI = 181000;
    q.QtyTotal = 53211;
    q.Amount = 1.86e10;
    q.BSFlag = 'B';
    double* bids[] = {&q.BidPrice,  &q.BidPrice2, &q.BidPrice3, &q.BidPrice4, &q.BidPrice5,
                      &q.BidPrice6, &q.BidPrice7, &q.BidPrice8, &q.BidPrice9, &q.BidPrice10};
    double* asks[] = {&q.AskPrice,  &q.AskPrice2, &q.AskPrice3, &q.AskPrice4, &q.AskPrice5,
                      &q.AskPrice6, &q.AskPrice7, &q.AskPrice8, &q.AskPrice9, &q.AskPrice10};
    int32_t* bidQtys[] = {&q.BidQty,  &q.BidQty2, &q.BidQty3, &q.BidQty4, &q.BidQty5,
                          &q.BidQty6, &q.BidQty7, &q.BidQty8, &q.BidQty9, &q.BidQty10};
    int32_t* askQtys[] = {&q.AskQty,  &q.AskQty2, &q.AskQty3, &q.AskQty4, &q.AskQty5,
                          &q.AskQty6, &q.AskQty7, &q.AskQty8, &q.AskQty9, &q.AskQty10};
    for (int level = 0; level < 10; ++level) {
        *bids[level] = 70000.0 - 10 * level;
        *asks[level] = 70010.0 + 10 * level;
        *bidQtys[level] = 5 + level;
        *askQtys[level] = 7 + level;
    }
    std::vector<uint8_t> buffer(MaxPayloadLength);
    CAPIPackage package;
    package.BeginPackage(quot::PushedQuoteServiceNo, 0, buffer.data());
    if (WriteRecordElement(package, q) < 0) std::abort();
    buffer.resize(package.GetLength());
    return buffer;
}

std::vector<uint8_t> FrameBlock(const std::vector<uint8_t>& payload) {
    std::vector<uint8_t> block;
    for (int i = 0; i < FramesPerBlock; ++i) {
        uint8_t length[4];
        be::Store32(length, static_cast<uint32_t>(payload.size()));
        block.insert(block.end(), length, length + 4);
        block.insert(block.end(), payload.begin(), payload.end());
    }
    return block;
}

// Counts on the session I/O thread; read from the main thread.
class CountingSpi : public CZantuVextMdSpi {
  public:
    void OnConnected() override { Connected.store(true); }
    void OnMarketSnapshot(CZantuVextMarketSnapshot* s) override {
        Sum += s->LastTradePrice;  // the snapshot is looked at, as a program would
        Count.store(Count.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
    }
    std::atomic<bool> Connected{false};
    std::atomic<uint64_t> Count{0};
    double Sum = 0;
};

struct Rate {
    double PerSecond = 0;
    bool Valid = false;
};

// Waits up to the bound for the counter to move, lets it run a moment, then measures over the window.
template <typename Counter>
Rate Measure(Counter count, double seconds) {
    const Clock::time_point giveUp = Clock::now() + std::chrono::seconds(5);
    while (count() == 0 && Clock::now() < giveUp)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (count() == 0) return {};
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const uint64_t before = count();
    const Clock::time_point start = Clock::now();
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    const uint64_t after = count();
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    return {static_cast<double>(after - before) / elapsed, true};
}

Rate ThroughLibrary(const std::vector<uint8_t>& block, double seconds) {
    StreamingFront front(block);
    CountingSpi spi;
    CZantuVextMdApi* api = CZantuVextMdApi::CreateVextMdApi(nullptr, false, false);
    api->SetSpi(&spi);
    std::string address = "tcp://" + front.Address();
    api->AddFront(address.data());
    api->Init();
    const Rate rate = Measure([&] { return spi.Count.load(std::memory_order_relaxed); }, seconds);
    api->Release();
    return rate;
}

// Reads the same stream into a buffer of the library's read size and only splits it into frames.
Rate ThroughRawReader(const std::vector<uint8_t>& block, double seconds) {
    StreamingFront front(block);
    std::atomic<uint64_t> frames{0};
    std::atomic<bool> stop{false};
    std::thread reader([&] {
        boost::asio::io_context io;
        boost::asio::ip::tcp::socket socket(io);
        boost::system::error_code error;
        socket.connect({boost::asio::ip::address_v4::loopback(), front.Port()}, error);
        if (error) return;
        std::vector<uint8_t> buffer(ReadSize);
        FrameAssembler assembler;
        uint64_t count = 0;
        while (!stop.load(std::memory_order_relaxed)) {
            const size_t n = socket.read_some(boost::asio::buffer(buffer), error);
            if (error) return;
            assembler.Feed(buffer.data(), static_cast<uint32_t>(n));
            while (assembler.Next().Kind == FrameAssembler::Status::Frame)
                ++count;
            frames.store(count, std::memory_order_relaxed);
        }
    });
    const Rate rate = Measure([&] { return frames.load(std::memory_order_relaxed); }, seconds);
    stop = true;
    reader.join();
    return rate;
}

// --- instructions per quote, in process

class DecodeOnlySpi : public CVOSKQuotSpi {
  public:
    void OnQuot(const quot::Quot* q) override { Sum += q->Price; }
    double Sum = 0;
};

// Opens and dispatches the payload `quotes` times into the callback object.
void DispatchLoop(std::vector<uint8_t>& payload, CVOSKQuotSpi* spi, int quotes) {
    for (int i = 0; i < quotes; ++i) {
        CAPIPackage package;
        package.OpenPackage(payload.data(), static_cast<uint32_t>(payload.size()));
        (void)quot::DispatchPackage(package, spi);
    }
}

// The counted loop, run under callgrind with collection off at start: only the loop is collected.
int CountLoop(const std::string& mode, int quotes) {
    std::vector<uint8_t> payload = QuotePayload();
    DecodeOnlySpi decodeOnly;
    CountingSpi user;
    CVextMdApiImpl* facade = new CVextMdApiImpl(new CVOSKQuotApiImp);
    facade->SetSpi(&user);
    CVOSKQuotSpi* spi = mode == "decode" ? static_cast<CVOSKQuotSpi*>(&decodeOnly) : facade;
    DispatchLoop(payload, spi, 100);  // warm
#if KDX_HAVE_CALLGRIND
    CALLGRIND_TOGGLE_COLLECT;
#endif
    DispatchLoop(payload, spi, quotes);
#if KDX_HAVE_CALLGRIND
    CALLGRIND_TOGGLE_COLLECT;
#endif
    facade->Release();
    return 0;
}

// Runs the loop of the mode under callgrind and returns the instructions it executed per quote, or a
// negative number when valgrind cannot be run.
double InstructionsPerQuote(const char* self, const std::string& mode) {
    if (!KDX_HAVE_CALLGRIND) return -1;
    const std::string out = "/tmp/quotes-callgrind." + std::to_string(getpid()) + "." + mode;
    const std::string command = "valgrind --tool=callgrind --collect-atstart=no --callgrind-out-file=" + out +
                                " " + self + " --count-loop " + mode + " " + std::to_string(LoopQuotes) +
                                " >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) return -1;
    std::ifstream file(out);
    std::string line;
    double total = -1;
    while (std::getline(file, line))
        if (line.rfind("totals:", 0) == 0 || line.rfind("summary:", 0) == 0)
            total = std::atof(line.c_str() + 8);
    std::remove(out.c_str());
    return total < 0 ? -1 : total / LoopQuotes;
}

// Time per quote of the same loop, for reference.
double NanosecondsPerQuote(CVOSKQuotSpi* spi, std::vector<uint8_t>& payload) {
    constexpr int Quotes = 200000;
    DispatchLoop(payload, spi, 1000);
    const Clock::time_point start = Clock::now();
    DispatchLoop(payload, spi, Quotes);
    return std::chrono::duration<double, std::nano>(Clock::now() - start).count() / Quotes;
}

}  // namespace

int main(int argc, char** argv) {
    double seconds = 1.0;
    int rounds = 3;
    bool callgrind = true;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--count-loop" && i + 2 < argc) return CountLoop(argv[i + 1], std::atoi(argv[i + 2]));
        if (arg == "--seconds" && i + 1 < argc) seconds = std::atof(argv[++i]);
        if (arg == "--rounds" && i + 1 < argc) rounds = std::max(1, std::atoi(argv[++i]));
        if (arg == "--no-callgrind") callgrind = false;
    }

    const std::vector<uint8_t> payload = QuotePayload();
    const std::vector<uint8_t> block = FrameBlock(payload);
    std::printf("quote frame: %zu bytes (ServiceNo 125, full Quot, ten levels); %d frames per write\n",
                payload.size() + 4, FramesPerBlock);

    // Alternating windows, best of each: the machine's other load moves both sides alike.
    Rate library, raw;
    for (int round = 0; round < rounds; ++round) {
        const Rate l = ThroughLibrary(block, seconds);
        const Rate r = ThroughRawReader(block, seconds);
        if (l.Valid && (!library.Valid || l.PerSecond > library.PerSecond)) library = l;
        if (r.Valid && (!raw.Valid || r.PerSecond > raw.PerSecond)) raw = r;
    }
    std::printf("%-44s %14s   (best of %d windows of %.1f s each)\n", "over loopback TCP", "quotes/s", rounds,
                seconds);
    std::printf("%-44s %14.0f%s\n", "  libquotegate.so -> OnMarketSnapshot", library.PerSecond,
                library.Valid ? "" : "  (no quote arrived)");
    std::printf("%-44s %14.0f%s\n", "  raw reader, frames split only", raw.PerSecond,
                raw.Valid ? "" : "  (no frame arrived)");
    if (library.Valid && raw.Valid)
        std::printf("%-44s %14.2f   (goal: at least 0.50)\n", "  ratio library / raw",
                    library.PerSecond / raw.PerSecond);

    std::vector<uint8_t> loopPayload = payload;
    DecodeOnlySpi decodeOnly;
    CountingSpi user;
    CVextMdApiImpl* facade = new CVextMdApiImpl(new CVOSKQuotApiImp);
    facade->SetSpi(&user);
    const double decodeNs = NanosecondsPerQuote(&decodeOnly, loopPayload);
    const double translateNs = NanosecondsPerQuote(facade, loopPayload);
    facade->Release();
    const double decodeIr = callgrind ? InstructionsPerQuote(argv[0], "decode") : -1;
    const double translateIr = callgrind ? InstructionsPerQuote(argv[0], "translate") : -1;

    std::printf("%-44s %14s %14s\n", "in process, per quote", "instructions", "ns");
    const auto row = [](const char* name, double ir, double ns) {
        if (ir >= 0)
            std::printf("%-44s %14.0f %14.1f\n", name, ir, ns);
        else
            std::printf("%-44s %14s %14.1f\n", name, "n/a", ns);
    };
    row("  decode (open, dispatch, read Quot)", decodeIr, decodeNs);
    row("  decode and translate (facade, snapshot)", translateIr, translateNs);
    if (decodeIr < 0 || translateIr < 0)
        std::printf("instructions: valgrind not run; see bench/README.md for the callgrind command\n");
    return 0;
}
