// libFuzzer entry: arbitrary packages through the trading dispatcher into the trading facade, with a
// callback object registered that checks what reaches it. No network and no thread: the facade sits on
// a fake session and is called back on this thread.
//   byte 0          bit 0-1 private resume type, bit 2-3 public resume type, bit 4 no callback object
//   then packages   each a 2-byte big-endian length and that many payload bytes, dispatched in order
// Every text the callback object receives must end inside its member, and CurrentTradingDay inside its
// nine bytes.
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "tests/support/FakeTradeSession.h"
#include "trade/api/VextTraderApiImpl.h"
#include "trade/session/ReplyDispatcher.h"

namespace {

template <size_t Width>
void RequireText(const char (&member)[Width]) {
    if (std::memchr(member, 0, Width) == nullptr) __builtin_trap();
}

void RequireStatus(const CZantuVextRspInfo* status) {
    if (status != nullptr) RequireText(status->ErrorText);
}

class CheckingSpi : public CZantuVextTraderSpi {
  public:
    void OnLoginReply(CZantuVextLoginReply* r, CZantuVextRspInfo* s, int, bool) override {
        RequireStatus(s);
        if (r == nullptr) return;
        RequireText(r->TradingDate);
        RequireText(r->ServerName);
        RequireText(r->ExchangeClock5);
    }
    void OnOrderInsertReply(CZantuVextInputOrder* r, CZantuVextRspInfo* s, int, bool) override {
        RequireStatus(s);
        if (r != nullptr) RequireText(r->TradingDayCopy);
    }
    void OnOrderCancelReply(CZantuVextOrderAction* r, CZantuVextRspInfo* s, int, bool) override {
        RequireStatus(s);
        if (r != nullptr) RequireText(r->OrderSysCode);
    }
    void OnOrderUpdate(CZantuVextOrder* r) override { Order(r); }
    void OnOrderQueryReply(CZantuVextOrder* r, CZantuVextRspInfo* s, int, bool) override {
        RequireStatus(s);
        Order(r);
    }
    void OnTradeUpdate(CZantuVextTrade* r) override { Trade(r); }
    void OnTradeQueryReply(CZantuVextTrade* r, CZantuVextRspInfo* s, int, bool) override {
        RequireStatus(s);
        Trade(r);
    }
    void OnPositionDetailQueryReply(CZantuVextPositionDetail* r, CZantuVextRspInfo* s, int, bool) override {
        RequireStatus(s);
        if (r != nullptr) RequireText(r->OpenDate);
    }
    void OnInstrumentQueryReply(CZantuVextInstrument* r, CZantuVextRspInfo* s, int, bool) override {
        RequireStatus(s);
        if (r == nullptr) return;
        RequireText(r->CreateDate);
        RequireText(r->ExpireDate);
        RequireText(r->DeliveryEnd);
    }
    void OnMarketSnapshotQueryReply(CZantuVextMarketSnapshot* r, CZantuVextRspInfo* s, int, bool) override {
        RequireStatus(s);
        if (r == nullptr) return;
        RequireText(r->TradingDate);
        RequireText(r->ChangeDate);
        RequireText(r->SnapshotTime);
    }
    void OnExchangeQueryReply(CZantuVextExchange* r, CZantuVextRspInfo* s, int, bool) override {
        RequireStatus(s);
        if (r != nullptr) RequireText(r->ExchangeName);
    }

  private:
    static void Order(const CZantuVextOrder* r) {
        if (r == nullptr) return;
        RequireText(r->StateText);
        RequireText(r->EntryDate);
        RequireText(r->TradingDay);
        RequireText(r->MacAddress);
    }
    static void Trade(const CZantuVextTrade* r) {
        if (r == nullptr) return;
        RequireText(r->FillDate);
        RequireText(r->UnitCode);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    auto log = std::make_shared<FakeTradeSessionLog>();
    CZantuVextTraderApi* api = new CVextTraderApiImpl(new CFakeTradeSession(log));
    CheckingSpi user;
    if ((data[0] & 0x10) == 0) api->SetSpi(&user);
    api->SetPrivateResumeMode(data[0] & 0x03);
    api->SetPublicResumeMode((data[0] >> 2) & 0x03);
    CZantuVextLoginRequest login{};
    std::memcpy(login.BrokerCode, "BROKER", 6);
    std::memcpy(login.UserCode, "USER", 4);
    api->SubmitLogin(&login, 1);

    CVOSKTradeSpi* facade = log->Spi.load();
    trade::FlowState flows{};
    size_t at = 1;
    while (at + 2 <= size) {
        const size_t length = std::min<size_t>((size_t{data[at]} << 8) | data[at + 1], size - at - 2);
        at += 2;
        std::vector<uint8_t> payload(data + at, data + at + length);  // exact size: a read past it is caught
        at += length;
        CAPIPackage package;
        package.OpenPackage(payload.data(), static_cast<uint32_t>(payload.size()));
        if (package.Data == nullptr) continue;
        (void)trade::DispatchPackage(package, flows, facade);
        if (std::memchr(api->CurrentTradingDay(), 0, 9) == nullptr) __builtin_trap();
    }
    api->Release();
    return 0;
}
