// Drives the simulated front's core with packages and no sockets: requests built with the trading
// library's own encoders, every package the core sends recorded per client and opened from exact-size
// copies. The clock is fixed at 2024-03-15 09:30:00.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "codec/ReplyReading.h"
#include "tests/support/Hex.h"
#include "quot/session/QuotRecords.h"
#include "tools/simfront/FrontCore.h"
#include "tools/simfront/Packages.h"
#include "trade/session/RequestEncoders.h"

namespace simtest {

using simfront::Payload;

constexpr char TestTradeDate[] = "2024-03-15";

// A received payload opened for reading, from a heap copy of exactly its size.
class COpened {
  public:
    explicit COpened(const Payload& payload) : Copy(payload) {
        Package.OpenPackage(Copy.data(), Copy.size());
    }
    CAPIPackage& operator*() { return Package; }
    CAPIPackage* operator->() { return &Package; }

  private:
    ExactBuffer Copy;
    CAPIPackage Package;
};

uint16_t ServiceOf(const Payload& payload);
int32_t EndFlagOf(const Payload& payload);
int32_t RequestIDOf(const Payload& payload);

template <typename R>
R RecordOf(const Payload& payload) {
    COpened p(payload);
    R record{};
    EXPECT_TRUE(ReadElement(*p, record)) << "no element " << RecordRow<R>->Name;
    return record;
}

trade::RspInfo InfoOf(const Payload& payload);

template <typename Item>
std::vector<Item> ListOf(const Payload& payload, uint16_t listTag) {
    COpened p(payload);
    std::vector<Item> items;
    WalkList<Item>(*p, listTag, [&](const Item* item, int) {
        if (item != nullptr) items.push_back(*item);
    });
    return items;
}

// A trading request built as the trading library builds it.
template <uint16_t ServiceNo>
Payload Request(const typename trade::Service<ServiceNo>::Record& record, int32_t requestId = 1) {
    uint8_t buffer[MaxPayloadLength];
    CAPIPackage package;
    (void)trade::BuildRequest<ServiceNo>(package, buffer, record, requestId);
    return Payload(buffer, buffer + package.GetLength());
}

// Request 3 with one {FlowID, PkgNo} item per pair.
Payload FlowSubscription(const std::vector<std::pair<int32_t, int32_t>>& items);

// A request of any table: the record under its own row's tag.
template <typename R>
Payload AnyRequest(uint16_t serviceNo, const R& record, int32_t requestId = 1) {
    simfront::COutPackage out(serviceNo, requestId);
    (void)out.Write(record);
    return out.Bytes();
}

// Request 116 of the trading protocol.
Payload LoginRequest(const char* user, const char* password = "123456", int32_t requestId = 1);

// The market-data login record, and request 116 of the market-data protocol carrying it.
quot::LoginReq QuoteLogin(const char* user);
Payload QuoteLoginRequest(const char* user, int32_t requestId = 1);

trade::InputOrder LimitOrder(const char* instrument, char side, char offset, double price, int32_t qty,
                             const char* orderRef = "");

class CCoreHarness final : public simfront::COutbox {
  public:
    CCoreHarness();
    explicit CCoreHarness(simfront::FrontSetup setup);

    void Deliver(uint32_t client, const Payload& payload) override { Inbox[client].push_back(payload); }

    uint32_t Connect(simfront::Channel channel = simfront::Channel::Trade);
    // Hands the request to the core and returns what the client received meanwhile.
    std::vector<Payload> Send(uint32_t client, const Payload& request);
    std::vector<Payload> Take(uint32_t client);
    // A trading client logged in (and subscribed to both flows from their start when subscribe).
    uint32_t LoggedIn(const char* user, bool subscribe = true);

    // The order notifications (code 124) and trades (130) among packages.
    static std::vector<trade::Order> OrdersIn(const std::vector<Payload>& packages);
    static std::vector<trade::Trade> TradesIn(const std::vector<Payload>& packages);

    std::unique_ptr<simfront::CFrontCore> Core;

  private:
    std::map<uint32_t, std::vector<Payload>> Inbox;
    uint32_t LastClient = 0;
};

}  // namespace simtest
