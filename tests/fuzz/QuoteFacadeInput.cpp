#include "tests/fuzz/QuoteFacadeInput.h"

#include <cstring>
#include <vector>

#include "codec/APIPackage.h"
#include "quot/api/VextMdApiImpl.h"
#include "quot/session/QuotDispatcher.h"
#include "tests/quot/api/FakeQuotSession.h"

namespace fuzz {

namespace {

template <size_t Width>
void RequireText(const char (&member)[Width]) {
    if (std::memchr(member, 0, Width) == nullptr) __builtin_trap();
}

template <size_t Width>
void RequireZero(const char (&member)[Width]) {
    for (char c : member)
        if (c != 0) __builtin_trap();
}

void RequireStatus(const CZantuVextRspInfo* status) {
    if (status == nullptr) return;
    RequireText(status->ErrorText);
    if (status->ErrorCode < 0 || status->ErrorCode > 65535) __builtin_trap();
}

class CheckingSpi final : public CZantuVextMdSpi {
  public:
    void OnLoginReply(CZantuVextLoginReply* r, CZantuVextRspInfo* s, int, bool isLast) override {
        if (r == nullptr || s == nullptr || !isLast) __builtin_trap();
        RequireText(r->TradingDate);
        RequireText(r->ServerName);
        RequireZero(r->Reserved86);
        RequireZero(r->Reserved154);
        RequireStatus(s);
    }
    void OnLogoutReply(CZantuVextLogoutRecord* r, CZantuVextRspInfo* s, int, bool) override {
        if (r != nullptr) RequireZero(r->BrokerCode);
        RequireStatus(s);
    }
    void OnSubscribeReply(CZantuVextInstrumentId* r, CZantuVextRspInfo* s, int, bool) override {
        if (r != nullptr) RequireText(r->InstrumentCode);
        RequireStatus(s);
    }
    void OnUnsubscribeReply(CZantuVextInstrumentId* r, CZantuVextRspInfo* s, int id, bool last) override {
        OnSubscribeReply(r, s, id, last);
    }
    void OnMarketSnapshot(CZantuVextMarketSnapshot* s) override {
        RequireText(s->TradingDate);
        RequireText(s->InstrumentCode);
        RequireText(s->ExchangeCode);
        RequireText(s->SnapshotTime);
        RequireText(s->ChangeDate);
        RequireZero(s->Reserved49);
        RequireZero(s->Reserved192);
        RequireZero(s->Reserved217);
        RequireZero(s->Reserved401);
        if (s->Reserved384 != 0.0) __builtin_trap();
    }
};

// One facade for the whole run, as a session would keep it.
struct Facade {
    Facade() : Api(new CVextMdApiImpl(new CFakeQuotSession(Log))) { Api->SetSpi(&User); }
    FakeSessionLog Log;
    CheckingSpi User;
    CVextMdApiImpl* Api;
};

}  // namespace

int FeedQuoteFacade(const uint8_t* data, size_t size) {
    static Facade facade;
    if (size > MaxPayloadLength) return 0;
    std::vector<uint8_t> payload(data, data + size);  // exact size: a read past it is caught
    CAPIPackage package;
    package.OpenPackage(payload.data(), static_cast<uint32_t>(payload.size()));
    (void)quot::DispatchPackage(package, facade.Api);
    if (std::memchr(facade.Api->CurrentTradingDay(), 0, 9) == nullptr) __builtin_trap();
    return 0;
}

}  // namespace fuzz
