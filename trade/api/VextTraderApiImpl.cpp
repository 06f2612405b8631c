#include "trade/api/VextTraderApiImpl.h"

#include <cstring>

#include "translate/DateText.h"
#include "translate/Numbers.h"
#include "translate/ReferenceCodes.h"
#include "translate/TextCopy.h"

using translate::CopyText;

namespace {

// Resume types of the calling program (0 from the start, 1 from the last position, 2 only new) are the
// flow modes 1, 2 and 3; any other type leaves the flow unsubscribed (0).
int ResumeModeOf(int resumeType) {
    return resumeType >= 0 && resumeType <= 2 ? resumeType + 1 : 0;
}

// Flow modes sent at a later login of the same trading day: both flows after their last position.
constexpr int ResumeAfterLastPosition = 2;

// Front addresses are "tcp://host:port"; the session wants "host:port".
constexpr size_t FrontSchemeLength = 6;

template <typename Record>
const Record& OrZero(const Record* record) {
    static const Record zero{};
    return record != nullptr ? *record : zero;
}

}  // namespace

CVextTraderApiImpl::CVextTraderApiImpl(CVOSKTradeApi* session)
    : Session(session), NotSupportedInfo(translate::NotSupportedRspInfo()) {
    Session->SetSpi(this);
}

CVextTraderApiImpl::~CVextTraderApiImpl() = default;

// ---- Life

void CVextTraderApiImpl::Release() {
    UserSpi.store(nullptr);
    // Waits for a running local reply unless called from one; queued ones are discarded.
    Loop.Stop();
    // The session waits for its I/O thread to leave its loop unless called from it; no session callback
    // reaches this object afterwards.
    Session->Release();
    delete this;
}

void CVextTraderApiImpl::Init() {
    Loop.Start();
    Session->Init();
}

int CVextTraderApiImpl::Join() {
    Loop.Join();
    return 0;
}

const char* CVextTraderApiImpl::CurrentTradingDay() {
    return TradingDay.Text();
}

void CVextTraderApiImpl::AddFront(char* frontAddress) {
    // A text too short to hold the scheme names no front.
    if (frontAddress == nullptr || strnlen(frontAddress, FrontSchemeLength) < FrontSchemeLength) return;
    Session->AddFront(frontAddress + FrontSchemeLength);
}

void CVextTraderApiImpl::SetSpi(CZantuVextTraderSpi* spi) {
    UserSpi.store(spi);
}

void CVextTraderApiImpl::SetPrivateResumeMode(int resumeType) {
    PrivateResumeMode.store(ResumeModeOf(resumeType));
}

void CVextTraderApiImpl::SetPublicResumeMode(int resumeType) {
    PublicResumeMode.store(ResumeModeOf(resumeType));
}

tradeapi::ReplyContext CVextTraderApiImpl::Context() const {
    tradeapi::ReplyContext context{};
    {
        std::lock_guard<std::mutex> lock(IdentityMutex);
        CopyText(context.BrokerCode, BrokerCode);
        CopyText(context.UserCode, UserCode);
    }
    TradingDay.CopyTo(context.TradingDay);
    return context;
}

// ---- Locally answered requests (callback thread)

int CVextTraderApiImpl::EchoIdentity(CZantuVextIdentityRequest* request, int requestId) {
    Loop.Post([this, copy = OrZero(request), requestId] { DeliverIdentityEcho(&copy, requestId); });
    return 0;
}

void CVextTraderApiImpl::DeliverIdentityEcho(const CZantuVextIdentityRequest* copy, int requestId) {
    CZantuVextIdentityReply reply;
    tradeapi::BuildIdentityReply(reply, *copy);
    PostReply(&CZantuVextTraderSpi::OnEchoIdentityReply, reply, &ZeroInfo, requestId);
}

int CVextTraderApiImpl::QueryZeroValue(void*, int requestId) {
    return PostReply(&CZantuVextTraderSpi::OnZeroValueReply, CZantuVextZeroValue{0}, nullptr, requestId);
}

int CVextTraderApiImpl::SubmitConfirmation(CZantuVextConfirmation* request, int requestId) {
    CZantuVextConfirmation reply;
    tradeapi::BuildConfirmation(reply, OrZero(request), Context(), translate::LocalWallClock());
    return PostReply(&CZantuVextTraderSpi::OnConfirmationReply, reply, &ZeroInfo, requestId);
}

int CVextTraderApiImpl::QueryConfirmation(void*, int requestId) {
    CZantuVextConfirmation reply;
    tradeapi::BuildConfirmationQuery(reply, Context(), translate::LocalWallClock());
    return PostReply(&CZantuVextTraderSpi::OnConfirmationQueryReply, reply, &ZeroInfo, requestId);
}

int CVextTraderApiImpl::QueryAccountProfile(void*, int requestId) {
    CZantuVextAccountProfile reply;
    tradeapi::BuildAccountProfile(reply, Context());
    return PostReply(&CZantuVextTraderSpi::OnAccountProfileReply, reply, &ZeroInfo, requestId);
}

int CVextTraderApiImpl::QueryInvestor(void*, int requestId) {
    // Built when the item runs, for the callback object registered then.
    Loop.Post([this, requestId] {
        CZantuVextTraderSpi* const spi = UserSpi.load();
        if (spi == nullptr) return;
        CZantuVextInvestor reply;
        tradeapi::BuildInvestor(reply, Context());
        CZantuVextRspInfo status = ZeroInfo;
        spi->OnInvestorQueryReply(&reply, &status, requestId, true);
    });
    return 0;
}

// ---- Login, logout, password change

int CVextTraderApiImpl::SubmitLogin(CZantuVextLoginRequest* request, int requestId) {
    const CZantuVextLoginRequest& login = OrZero(request);
    char userCode[sizeof UserCode];
    CopyText(userCode, login.UserCode);
    {
        std::lock_guard<std::mutex> lock(IdentityMutex);
        // A new user starts without a trading day.
        if (!translate::SameText(userCode, UserCode)) TradingDay.Clear();
        CopyText(BrokerCode, login.BrokerCode);
        CopyText(UserCode, userCode);
    }
    trade::LoginReq session{};
    CopyText(session.InvestorID, userCode);
    CopyText(session.InvestorPassword, login.LoginPassword);
    return Session->SubmitLogin(&session, requestId);
}

int CVextTraderApiImpl::SubmitLogout(CZantuVextLogoutRecord*, int requestId) {
    return SendForUser<trade::LogoutReq>(&CVOSKTradeApi::SubmitLogout, requestId);
}

int CVextTraderApiImpl::SubmitPasswordChange(CZantuVextPasswordChange* request, int requestId) {
    const CZantuVextPasswordChange& change = OrZero(request);
    trade::ChangePasswordReq session{};
    {
        std::lock_guard<std::mutex> lock(IdentityMutex);
        CopyText(session.InvestorID, UserCode);
        StoredPasswordChange = change;
    }
    CopyText(session.InvestorOldPassword, change.OldPassword);
    CopyText(session.InvestorNewPassword, change.NewPassword);
    return Session->SubmitChangePassword(&session, requestId);
}

void CVextTraderApiImpl::OnConnected() {
    if (CZantuVextTraderSpi* const spi = UserSpi.load()) spi->OnConnected();
}

void CVextTraderApiImpl::OnDisconnected() {
    if (CZantuVextTraderSpi* const spi = UserSpi.load()) spi->OnDisconnected(0);
}

void CVextTraderApiImpl::OnLoginRsp(const trade::LoginRsp* record, const trade::RspInfo* info, int requestId,
                                    int) {
    CZantuVextTraderSpi* const spi = UserSpi.load();
    if (spi == nullptr) return;
    CZantuVextLoginReply reply{};
    if (record != nullptr) {
        tradeapi::ToPublic(reply, *record, Context(), translate::LocalWallClock());
        LoginSessionId.store(record->SessionID);
    }
    CZantuVextRspInfo status{};
    if (info != nullptr) status = translate::MakeRspInfo(info->RspNo, info->RspDesc);
    if (status.ErrorCode == 0) {
        const int privateMode = PrivateResumeMode.load();
        const int publicMode = PublicResumeMode.load();
        if (privateMode != 0 || publicMode != 0) {
            // A later login of the same trading day resumes both flows where they stopped.
            if (TradingDay.Equals(reply.TradingDate)) {
                (void)Session->SubscribeFlows(ResumeAfterLastPosition, ResumeAfterLastPosition);
            } else {
                (void)Session->SubscribeFlows(privateMode, publicMode);
            }
        }
        TradingDay.Store(reply.TradingDate);
    }
    spi->OnLoginReply(record != nullptr ? &reply : nullptr, &status, requestId, true);
}

void CVextTraderApiImpl::OnLogoutRsp(const trade::LogoutRsp* record, const trade::RspInfo* info,
                                     int requestId, int) {
    CZantuVextTraderSpi* const spi = UserSpi.load();
    if (spi == nullptr) return;
    CZantuVextLogoutRecord reply{};
    CopyText(reply.UserCode, Context().UserCode);
    CZantuVextRspInfo status{};
    if (info != nullptr) status = translate::MakeRspInfo(info->RspNo, info->RspDesc);
    spi->OnLogoutReply(record != nullptr ? &reply : nullptr, info != nullptr ? &status : nullptr, requestId,
                       true);
}

void CVextTraderApiImpl::OnChangePasswordRsp(const trade::ChangePasswordRsp* record,
                                             const trade::RspInfo* info, int requestId, int) {
    CZantuVextTraderSpi* const spi = UserSpi.load();
    if (spi == nullptr) return;
    CZantuVextPasswordChange reply{};
    {
        std::lock_guard<std::mutex> lock(IdentityMutex);
        CopyText(reply.UserCode, UserCode);
        CopyText(reply.OldPassword, StoredPasswordChange.OldPassword);
        CopyText(reply.NewPassword, StoredPasswordChange.NewPassword);
    }
    CZantuVextRspInfo status{};
    if (info != nullptr) status = translate::MakeRspInfo(info->RspNo, info->RspDesc);
    spi->OnPasswordChangeReply(record != nullptr ? &reply : nullptr, info != nullptr ? &status : nullptr,
                               requestId, true);
}

// ---- Orders

int CVextTraderApiImpl::SubmitOrder(CZantuVextInputOrder* order, int requestId) {
    trade::InputOrder session;
    // Front number x 2^32 + session number, the session number sign-extended: a negative session
    // number borrows from the front number.
    const int64_t login = LoginSessionId.load();
    tradeapi::ToSession(
        session, OrZero(order),
        translate::ToSessionId(translate::FrontNumberOf(login), translate::SessionNumberOf(login)));
    return Session->SubmitInputOrder(&session, requestId);
}

int CVextTraderApiImpl::SubmitOrderCancel(CZantuVextOrderAction* action, int requestId) {
    trade::OrderCancelReq session;
    tradeapi::ToSession(session, OrZero(action));
    return Session->SubmitOrderCancel(&session, requestId);
}

void CVextTraderApiImpl::OnInputOrderRsp(const trade::InputOrder* record, const trade::RspInfo* info,
                                         int requestId, int) {
    CZantuVextTraderSpi* const spi = UserSpi.load();
    // An accepted order has no reply; a rejection without its echoed order has none either.
    if (spi == nullptr || info == nullptr || info->RspNo == 0 || record == nullptr) return;
    CZantuVextRspInfo status = translate::MakeRspInfo(info->RspNo, info->RspDesc);
    CZantuVextInputOrder reply;
    tradeapi::ToPublic(reply, *record, Context());
    spi->OnOrderInsertReply(&reply, &status, requestId, true);
}

void CVextTraderApiImpl::OnOrderCancelRsp(const trade::OrderCancelRsp* record, const trade::RspInfo* info,
                                          int requestId, int) {
    CZantuVextTraderSpi* const spi = UserSpi.load();
    if (spi == nullptr || info == nullptr || info->RspNo == 0) return;
    CZantuVextRspInfo status = translate::MakeRspInfo(info->RspNo, info->RspDesc);
    CZantuVextOrderAction reply{};
    if (record != nullptr) tradeapi::ToPublic(reply, *record, Context(), requestId);
    spi->OnOrderCancelReply(record != nullptr ? &reply : nullptr, &status, requestId, true);
}

void CVextTraderApiImpl::OnOrderNty(const trade::Order* record) {
    CZantuVextTraderSpi* const spi = UserSpi.load();
    if (spi == nullptr || record == nullptr) return;
    CZantuVextOrder order;
    tradeapi::ToPublic(order, *record, Context());
    spi->OnOrderUpdate(&order);
}

void CVextTraderApiImpl::OnTradeNty(const trade::Trade* record) {
    CZantuVextTraderSpi* const spi = UserSpi.load();
    if (spi == nullptr || record == nullptr) return;
    CZantuVextTrade fill;
    tradeapi::ToPublic(fill, *record, Context());
    spi->OnTradeUpdate(&fill);
}

// ---- Queries answered by the server (the rest come from QueryServices.def)

int CVextTraderApiImpl::QueryAccount(void*, int requestId) {
    return SendForUser<trade::FundQueryReq>(&CVOSKTradeApi::QueryFund, requestId);
}

int CVextTraderApiImpl::QueryProduct(CZantuVextProductQuery* query, int requestId) {
    const CZantuVextProductQuery& product = OrZero(query);
    const translate::ProductQueryType type = translate::ToProductQueryType(product.ProductClass);
    if (type.Refused) {
        return PostReply(&CZantuVextTraderSpi::OnProductQueryReply, static_cast<CZantuVextProduct*>(nullptr),
                         &NotSupportedInfo, requestId);
    }
    trade::ProductQueryReq session;
    tradeapi::ToSessionQuery(session, product, Context().UserCode);
    session.InstrumentType = type.InstrumentType;
    return Session->QueryProduct(&session, requestId);
}
