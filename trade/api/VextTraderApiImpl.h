// CVextTraderApiImpl, the object behind CZantuVextTraderApi: translates public requests into session
// requests, answers the rest locally through its callback loop, and translates the session's callbacks
// (CVOSKTradeSpi, its second base) into the user's. Public operations run on the calling program's
// threads, session callbacks on the session I/O thread, local replies on the callback thread. Created
// by CreateVextTraderApi (or a test, with its own session), destroyed only by Release.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <type_traits>

#include "ZantuVextTraderApi.h"
#include "trade/api/CallbackLoop.h"
#include "trade/api/RecordTranslation.h"
#include "trade/api/TradingDay.h"
#include "trade/session/VOSKTradeApi.h"
#include "translate/StatusInfo.h"

struct TraderApiImplAccess;

class CVextTraderApiImpl final : public CZantuVextTraderApi, public CVOSKTradeSpi {
  public:
    // Result of the operations the library does not offer.
    static constexpr int NotOffered = -3;

    // Takes ownership of the session (released by Release) and becomes its callback object.
    explicit CVextTraderApiImpl(CVOSKTradeApi* session);
    CVextTraderApiImpl(const CVextTraderApiImpl&) = delete;
    CVextTraderApiImpl& operator=(const CVextTraderApiImpl&) = delete;

    // ---- CZantuVextTraderApi
    void Release() override;
    void Init() override;
    int Join() override;
    const char* CurrentTradingDay() override;
    void AddFront(char* frontAddress) override;
    void ReservedSlot5(int) override {}
    void ReservedSlot6(int) override {}
    void SetSpi(CZantuVextTraderSpi* spi) override;
    void SetPrivateResumeMode(int resumeType) override;
    void SetPublicResumeMode(int resumeType) override;
    int EchoIdentity(CZantuVextIdentityRequest* request, int requestId) override;
    int SubmitLogin(CZantuVextLoginRequest* request, int requestId) override;
    int SubmitLogout(CZantuVextLogoutRecord* request, int requestId) override;
    int SubmitPasswordChange(CZantuVextPasswordChange* request, int requestId) override;
    int QueryZeroValue(void* request, int requestId) override;
    int SubmitOrder(CZantuVextInputOrder* order, int requestId) override;
    int SubmitOrderCancel(CZantuVextOrderAction* action, int requestId) override;
    int SubmitConfirmation(CZantuVextConfirmation* request, int requestId) override;
    int QueryAccount(void* query, int requestId) override;
    int QueryInvestor(void* query, int requestId) override;
    int QueryProduct(CZantuVextProductQuery* query, int requestId) override;
    int QueryConfirmation(void* query, int requestId) override;
    int QueryAccountProfile(void* query, int requestId) override;

#define KDX_QUERY(operation, PublicQuery, sessionOperation, SessionQuery)                          \
    int operation(PublicQuery* query, int requestId) override {                                    \
        return SendQuery<trade::SessionQuery>(&CVOSKTradeApi::sessionOperation, query, requestId); \
    }
#define KDX_QUERY_REPLY(sessionCallback, SessionRecord, PublicRecord, userCallback)
#include "trade/api/QueryServices.def"
#undef KDX_QUERY
#undef KDX_QUERY_REPLY

#define KDX_UNSUPPORTED_1(slot)           \
    int Unsupported##slot(int) override { \
        return NotOffered;                \
    }
#define KDX_UNSUPPORTED_2(slot)                  \
    int Unsupported##slot(void*, int) override { \
        return NotOffered;                       \
    }
#define KDX_REFUSED(slot, reply)                                                                  \
    int RefusedRequest##slot(void* request, int requestId) override {                             \
        return PostReply(&CZantuVextTraderSpi::OnRefusedReply##reply, request, &NotSupportedInfo, \
                         requestId);                                                              \
    }
#define KDX_EMPTY_QUERY(slot, reply)                                                                      \
    int EmptyQuery##slot(void*, int requestId) override {                                                 \
        return PostReply(&CZantuVextTraderSpi::OnEmptyReply##reply, static_cast<void*>(nullptr), nullptr, \
                         requestId);                                                                      \
    }
#include "trade/api/LocalSlots.def"
#undef KDX_UNSUPPORTED_1
#undef KDX_UNSUPPORTED_2
#undef KDX_REFUSED
#undef KDX_EMPTY_QUERY

  private:
    // Slot 94, right after the public slots: the first virtual function this class adds, so it stands
    // before the entries of the session callbacks below. Called on the callback thread for EchoIdentity:
    // builds the identity reply from the copied request and queues OnEchoIdentityReply.
    virtual void DeliverIdentityEcho(const CZantuVextIdentityRequest* copy, int requestId);

  public:
    // ---- CVOSKTradeSpi (session I/O thread)
    void OnConnected() override;
    void OnDisconnected() override;
    void OnLoginRsp(const trade::LoginRsp* record, const trade::RspInfo* info, int requestId,
                    int more) override;
    void OnLogoutRsp(const trade::LogoutRsp* record, const trade::RspInfo* info, int requestId,
                     int more) override;
    void OnChangePasswordRsp(const trade::ChangePasswordRsp* record, const trade::RspInfo* info,
                             int requestId, int more) override;
    void OnInputOrderRsp(const trade::InputOrder* record, const trade::RspInfo* info, int requestId,
                         int more) override;
    void OnOrderCancelRsp(const trade::OrderCancelRsp* record, const trade::RspInfo* info, int requestId,
                          int more) override;
    void OnOrderNty(const trade::Order* record) override;
    void OnTradeNty(const trade::Trade* record) override;

#define KDX_QUERY(operation, PublicQuery, sessionOperation, SessionQuery)
#define KDX_QUERY_REPLY(sessionCallback, SessionRecord, PublicRecord, userCallback)                     \
    void sessionCallback(const trade::SessionRecord* record, const trade::RspInfo* info, int requestId, \
                         int more) override {                                                           \
        ForwardReply<PublicRecord>(&CZantuVextTraderSpi::userCallback, record, info, requestId, more);  \
    }
#include "trade/api/QueryServices.def"
#undef KDX_QUERY
#undef KDX_QUERY_REPLY

  private:
    friend struct TraderApiImplAccess;

    template <typename Record>
    using UserReply = void (CZantuVextTraderSpi::*)(Record*, CZantuVextRspInfo*, int, bool);

    // Objects are destroyed only by Release; CZantuVextTraderApi has no virtual destructor.
    ~CVextTraderApiImpl();

    // Queues a local reply for the callback object registered now (nothing when there is none). The
    // handler holds its own copies of a record value and of the status; a pointer value (the caller's
    // own request, or null) is passed on as it is. Returns 0.
    template <typename Record, typename Value>
    int PostReply(UserReply<Record> callback, Value value, const CZantuVextRspInfo* status, int requestId);

    template <typename SessionQuery, typename PublicQuery>
    int SendQuery(int (CVOSKTradeApi::*operation)(const SessionQuery*, int), const PublicQuery* query,
                  int requestId);

    // A request whose only member is the stored user code as InvestorID.
    template <typename SessionRequest>
    int SendForUser(int (CVOSKTradeApi::*operation)(const SessionRequest*, int), int requestId);

    template <typename PublicRecord, typename SessionRecord>
    void ForwardReply(UserReply<PublicRecord> callback, const SessionRecord* record,
                      const trade::RspInfo* info, int requestId, int more);

    // The stored codes and the trading day, copied for one translation.
    tradeapi::ReplyContext Context() const;

    CVOSKTradeApi* const Session;
    std::atomic<CZantuVextTraderSpi*> UserSpi{nullptr};

    // Written by the login and password-change requests, read by every translation.
    mutable std::mutex IdentityMutex;
    char UserCode[16] = {};
    char BrokerCode[11] = {};
    CZantuVextPasswordChange StoredPasswordChange{};

    // SessionID of the last login reply: front number (high half) and session number (low half).
    std::atomic<int64_t> LoginSessionId{0};
    CTradingDay TradingDay;
    std::atomic<int> PrivateResumeMode{0};
    std::atomic<int> PublicResumeMode{0};

    const CZantuVextRspInfo NotSupportedInfo;
    const CZantuVextRspInfo ZeroInfo{};
    CCallbackLoop Loop;
};

template <typename Record, typename Value>
int CVextTraderApiImpl::PostReply(UserReply<Record> callback, Value value, const CZantuVextRspInfo* status,
                                  int requestId) {
    CZantuVextTraderSpi* const spi = UserSpi.load();
    if (spi == nullptr) return 0;
    Loop.Post([spi, callback, value, hasStatus = status != nullptr,
               statusCopy = status != nullptr ? *status : CZantuVextRspInfo{}, requestId]() mutable {
        Record* record;
        if constexpr (std::is_pointer_v<Value>) {
            record = value;
        } else {
            record = &value;
        }
        (spi->*callback)(record, hasStatus ? &statusCopy : nullptr, requestId, true);
    });
    return 0;
}

template <typename SessionQuery, typename PublicQuery>
int CVextTraderApiImpl::SendQuery(int (CVOSKTradeApi::*operation)(const SessionQuery*, int),
                                  const PublicQuery* query, int requestId) {
    const tradeapi::ReplyContext context = Context();
    SessionQuery request{};
    tradeapi::ToSessionQuery(request, query != nullptr ? *query : PublicQuery{}, context.UserCode);
    return (Session->*operation)(&request, requestId);
}

template <typename SessionRequest>
int CVextTraderApiImpl::SendForUser(int (CVOSKTradeApi::*operation)(const SessionRequest*, int),
                                    int requestId) {
    SessionRequest request{};
    translate::CopyText(request.InvestorID, Context().UserCode);
    return (Session->*operation)(&request, requestId);
}

template <typename PublicRecord, typename SessionRecord>
void CVextTraderApiImpl::ForwardReply(UserReply<PublicRecord> callback, const SessionRecord* record,
                                      const trade::RspInfo* info, int requestId, int more) {
    CZantuVextTraderSpi* const spi = UserSpi.load();
    if (spi == nullptr) return;
    PublicRecord reply{};
    if (record != nullptr) tradeapi::ToPublic(reply, *record, Context());
    CZantuVextRspInfo status{};
    if (info != nullptr) status = translate::MakeRspInfo(info->RspNo, info->RspDesc);
    (spi->*callback)(record != nullptr ? &reply : nullptr, info != nullptr ? &status : nullptr, requestId,
                     more == 0);
}
