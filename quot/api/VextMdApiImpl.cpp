#include "quot/api/VextMdApiImpl.h"

#include <initializer_list>

#include "quot/api/MarketSnapshot.h"
#include "translate/DateText.h"
#include "translate/Numbers.h"
#include "translate/StatusInfo.h"
#include "translate/TextCopy.h"

namespace {

// Result of the operations the server protocol does not offer.
constexpr int NotOffered = -3;

// Every reply reaches the user as the last one of its request.
constexpr bool IsLast = true;

// The public status of a session status in storage, or null without one.
CZantuVextRspInfo* ToStatus(const quot::RspInfo* info, CZantuVextRspInfo& storage) {
    if (info == nullptr) return nullptr;
    storage = translate::MakeRspInfo(info->RspNo, info->RspDesc);
    return &storage;
}

using InstrumentReply = void (CZantuVextMdSpi::*)(CZantuVextInstrumentId*, CZantuVextRspInfo*, int, bool);

// Subscribe and unsubscribe replies: the instrument (at most 30 characters) when the session read a
// record, the status when it read one.
template <typename Record>
void DeliverInstrumentReply(CZantuVextMdSpi* spi, InstrumentReply callback, const Record* record,
                            const quot::RspInfo* info, int requestId) {
    CZantuVextInstrumentId instrument{};
    if (record != nullptr) translate::CopyText(instrument.InstrumentCode, record->InstrumentID);
    CZantuVextRspInfo status;
    (spi->*callback)(record != nullptr ? &instrument : nullptr, ToStatus(info, status), requestId, IsLast);
}

}  // namespace

CVextMdApiImpl::CVextMdApiImpl(CVOSKQuotApi* session) : Session(session) {
    Session->SetSpi(this);
}

// --- public operations, on the calling program's threads

void CVextMdApiImpl::Release() {
    UserSpi.store(nullptr, std::memory_order_release);
    Session->Release();
    delete this;
}

void CVextMdApiImpl::Init() {
    Session->Init();
}

int CVextMdApiImpl::Join() {
    return 0;
}

const char* CVextMdApiImpl::CurrentTradingDay() {
    return TradingDay.Current();
}

void CVextMdApiImpl::AddFront(char* frontAddress) {
    const char* entry = translate::FrontEntryOf(frontAddress);
    if (entry != nullptr) Session->AddFront(entry);
}

void CVextMdApiImpl::ReservedSlot5(int) {}

void CVextMdApiImpl::ReservedSlot6(int) {}

void CVextMdApiImpl::SetSpi(CZantuVextMdSpi* spi) {
    UserSpi.store(spi, std::memory_order_release);
}

int CVextMdApiImpl::SubscribeQuotes(char* instrumentCodes[], int count) {
    RequestPerCode(instrumentCodes, count, &CVOSKQuotApi::SubscribeQuot);
    return 0;
}

int CVextMdApiImpl::UnsubscribeQuotes(char* instrumentCodes[], int count) {
    RequestPerCode(instrumentCodes, count, &CVOSKQuotApi::UnsubscribeQuot);
    return 0;
}

// One request per code, each with request id 0 and the first 15 characters of its code; the session's
// results are not looked at.
template <typename Request>
void CVextMdApiImpl::RequestPerCode(char* instrumentCodes[], int count,
                                    int (CVOSKQuotApi::*send)(const Request*, int)) {
    if (instrumentCodes == nullptr) return;
    Request request{};
    for (int i = 0; i < count; ++i) {
        if (instrumentCodes[i] == nullptr) continue;
        translate::CopyCallerText(request.InstrumentID, instrumentCodes[i]);
        (void)(Session->*send)(&request, 0);
    }
}

int CVextMdApiImpl::Unsupported10(void*, int) {
    return NotOffered;
}

int CVextMdApiImpl::Unsupported11(void*, int) {
    return NotOffered;
}

int CVextMdApiImpl::SubmitLogin(CZantuVextLoginRequest* request, int requestId) {
    if (request == nullptr) return -1;
    CLoginIdentity identity{};
    translate::CopyText(identity.UserCode, request->UserCode);
    translate::CopyText(identity.BrokerCode, request->BrokerCode);
    {
        const std::lock_guard<std::mutex> lock(IdentityMutex);
        Identity = identity;
    }
    quot::LoginReq login{};
    translate::CopyText(login.InvestorID, request->UserCode);
    translate::CopyText(login.InvestorPassword, request->LoginPassword);
    return Session->SubmitLogin(&login, requestId);
}

// The record passed in is not read: the logout is for the user of the last login.
int CVextMdApiImpl::SubmitLogout(CZantuVextLogoutRecord*, int requestId) {
    quot::LogoutReq logout{};
    translate::CopyText(logout.InvestorID, LoadIdentity().UserCode);
    return Session->SubmitLogout(&logout, requestId);
}

int CVextMdApiImpl::Unsupported14(void*, int) {
    return NotOffered;
}

CVextMdApiImpl::CLoginIdentity CVextMdApiImpl::LoadIdentity() const {
    const std::lock_guard<std::mutex> lock(IdentityMutex);
    return Identity;
}

// --- session callbacks, on the session I/O thread. Each one reads the user callback once and touches
// no member after calling it, since the user may release the object from inside the callback.

void CVextMdApiImpl::OnConnected() {
    if (CZantuVextMdSpi* spi = UserSpi.load(std::memory_order_acquire)) spi->OnConnected();
}

void CVextMdApiImpl::OnDisconnected() {
    if (CZantuVextMdSpi* spi = UserSpi.load(std::memory_order_acquire)) spi->OnDisconnected(0);
}

// Every login reply, failed or not, replaces the trading day with the one it carries.
void CVextMdApiImpl::OnLoginRsp(const quot::LoginRsp* record, const quot::RspInfo* info, int requestId, int) {
    CZantuVextMdSpi* const spi = UserSpi.load(std::memory_order_acquire);
    if (spi == nullptr) return;
    const quot::LoginRsp none{};
    const quot::LoginRsp& login = record != nullptr ? *record : none;
    const quot::RspInfo success{};

    CZantuVextLoginReply reply{};
    translate::ToPublicDate(reply.TradingDate, login.TradeDate);
    TradingDay.Publish(reply.TradingDate);
    translate::FormatTime(reply.LoginClock, translate::LocalWallClock());
    const CLoginIdentity identity = LoadIdentity();
    translate::CopyText(reply.BrokerCode, identity.BrokerCode);
    translate::CopyText(reply.UserCode, identity.UserCode);
    translate::CopyText(reply.ServerName, login.SysName);
    reply.FrontNumber = translate::FrontNumberOf(login.SessionID);
    reply.SessionNumber = translate::SessionNumberOf(login.SessionID);
    translate::CopyText(reply.OrderRefSeed, "1");
    for (char* clock : {reply.ExchangeClock1, reply.ExchangeClock2, reply.ExchangeClock3,
                        reply.ExchangeClock4, reply.ExchangeClock5})
        translate::CopyText(clock, sizeof reply.ExchangeClock1, reply.LoginClock, sizeof reply.LoginClock);

    CZantuVextRspInfo status;
    spi->OnLoginReply(&reply, ToStatus(info != nullptr ? info : &success, status), requestId, IsLast);
}

// The reply names the user of the last login; the session record's content is not used.
void CVextMdApiImpl::OnLogoutRsp(const quot::LogoutRsp* record, const quot::RspInfo* info, int requestId,
                                 int) {
    CZantuVextMdSpi* const spi = UserSpi.load(std::memory_order_acquire);
    if (spi == nullptr) return;
    CZantuVextLogoutRecord logout{};
    if (record != nullptr) translate::CopyText(logout.UserCode, LoadIdentity().UserCode);
    CZantuVextRspInfo status;
    spi->OnLogoutReply(record != nullptr ? &logout : nullptr, ToStatus(info, status), requestId, IsLast);
}

void CVextMdApiImpl::OnSubscribeRsp(const quot::QuotSubscribeRsp* record, const quot::RspInfo* info,
                                    int requestId, int) {
    if (CZantuVextMdSpi* spi = UserSpi.load(std::memory_order_acquire))
        DeliverInstrumentReply(spi, &CZantuVextMdSpi::OnSubscribeReply, record, info, requestId);
}

void CVextMdApiImpl::OnUnsubscribeRsp(const quot::QuotUnSubscribeRsp* record, const quot::RspInfo* info,
                                      int requestId, int) {
    if (CZantuVextMdSpi* spi = UserSpi.load(std::memory_order_acquire))
        DeliverInstrumentReply(spi, &CZantuVextMdSpi::OnUnsubscribeReply, record, info, requestId);
}

// Every pushed quote is delivered, subscribed by this object or not.
void CVextMdApiImpl::OnQuot(const quot::Quot* record) {
    CZantuVextMdSpi* const spi = UserSpi.load(std::memory_order_acquire);
    if (spi == nullptr) return;
    CZantuVextMarketSnapshot snapshot =
        record != nullptr ? ToMarketSnapshot(*record) : CZantuVextMarketSnapshot{};
    spi->OnMarketSnapshot(&snapshot);
}
