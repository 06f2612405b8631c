// Market-data protocol handlers and quote publishing.
#include "tools/simfront/QuoteDesk.h"

#include <map>

#include "codec/ReplyReading.h"
#include "quot/session/QuotDispatcher.h"
#include "quot/session/QuotRecords.h"
#include "tools/simfront/Packages.h"

namespace simfront {
namespace {

// The market-data requests, named after the session operations that send them.
enum QuotServiceNo : uint16_t {
#define KDX_QUOT_SERVICE(serviceNo, operation, record) operation##No = serviceNo,
#include "quot/session/QuotServices.def"
#undef KDX_QUOT_SERVICE
};

bool IsQuotRequest(uint16_t serviceNo) {
    switch (serviceNo) {
#define KDX_QUOT_SERVICE(serviceNo, operation, record) case serviceNo:
#include "quot/session/QuotServices.def"
#undef KDX_QUOT_SERVICE
        return true;
        default:
            return false;
    }
}

quot::RspInfo Status(SimError error, const std::string& detail = {}) {
    return MakeRspInfo<quot::RspInfo>(error, detail);
}

}  // namespace

CQuoteDesk::CQuoteDesk(const CMarketState& market, const CoreOptions& options, const std::string& tradeDate,
                       Authenticator authenticate, COutbox& out)
    : Market(market),
      Options(options),
      TradeDate(tradeDate),
      Authenticate(std::move(authenticate)),
      Out(out) {}

void CQuoteDesk::Log(const std::string& line) const {
    if (Options.Log) Options.Log(line);
}

void CQuoteDesk::Open(uint32_t client, int64_t sessionId) {
    Clients[client].SessionID = sessionId;
}

void CQuoteDesk::Close(uint32_t client) {
    Clients.erase(client);
}

void CQuoteDesk::Handle(uint32_t id, CAPIPackage& package) {
    const auto it = Clients.find(id);
    if (it == Clients.end()) return;
    Client& c = it->second;
    switch (package.ServiceNo) {
        case 0:  // heartbeat
            return;
        case SubmitLoginNo:
            return OnLogin(id, c, package);
        case SubmitLogoutNo:
            return OnLogout(id, c, package);
        case SubscribeQuotNo:
            return OnSubscription<quot::QuotSubscribeReq, quot::QuotSubscribeRsp>(id, c, package, true);
        case UnsubscribeQuotNo:
            return OnSubscription<quot::QuotUnSubscribeReq, quot::QuotUnSubscribeRsp>(id, c, package, false);
        default:
            break;
    }
    // The history queries of the protocol, which this front does not serve.
    if (IsQuotRequest(package.ServiceNo)) {
        Out.Deliver(id, Reply(package.ServiceNo + 1, package.RequestID, Status(SimError::NotOffered),
                              static_cast<const quot::RspInfo*>(nullptr)));
        return;
    }
    Log("quote client " + std::to_string(id) + ": ServiceNo " + std::to_string(package.ServiceNo) +
        " ignored");
}

void CQuoteDesk::OnLogin(uint32_t id, Client& c, CAPIPackage& package) {
    quot::LoginReq req;
    (void)ReadElement(package, req);
    const std::string user = TextOf(req.InvestorID);
    SimError error = Authenticate(user, TextOf(req.InvestorPassword));
    if (error == SimError::None && !c.User.empty() && c.User != user) error = SimError::OtherUserLoggedIn;
    quot::LoginRsp rsp{};
    SetText(rsp.InvestorID, user);
    SetText(rsp.TradeDate, TradeDate);
    SetText(rsp.SysName, "simfront");
    rsp.SessionID = c.SessionID;
    if (error == SimError::None) c.User = user;
    Out.Deliver(id, Reply(SubmitLoginNo + 1, package.RequestID, Status(error), &rsp));
    Log("quote client " + std::to_string(id) + " login " + user + ": " +
        (error == SimError::None ? "ok" : TextOf(error)));
}

void CQuoteDesk::OnLogout(uint32_t id, Client& c, CAPIPackage& package) {
    quot::LogoutRsp rsp{};
    SetText(rsp.InvestorID, c.User);
    const SimError error = c.User.empty() ? SimError::NotLoggedIn : SimError::None;
    c.User.clear();
    c.Instruments.clear();
    Out.Deliver(id, Reply(SubmitLogoutNo + 1, package.RequestID, Status(error), &rsp));
}

template <typename Req, typename Rsp>
void CQuoteDesk::OnSubscription(uint32_t id, Client& c, CAPIPackage& package, bool subscribe) {
    Req req;
    (void)ReadElement(package, req);
    Rsp rsp{};
    translate::CopyText(rsp.InstrumentID, req.InstrumentID);
    const std::optional<size_t> instrument = Market.Find(TextOf(req.InstrumentID));
    SimError error = SimError::None;
    if (c.User.empty())
        error = SimError::NotLoggedIn;
    else if (!instrument)
        error = SimError::UnknownInstrument;
    const uint16_t replyNo = (subscribe ? SubscribeQuotNo : UnsubscribeQuotNo) + 1;
    Out.Deliver(
        id, Reply(replyNo, package.RequestID,
                  Status(error, error == SimError::UnknownInstrument ? TextOf(req.InstrumentID) : ""), &rsp));
    if (error != SimError::None) return;
    if (!subscribe) {
        c.Instruments.erase(*instrument);
        return;
    }
    // A new subscriber sees the market at once rather than at the next step.
    if (c.Instruments.insert(*instrument).second) Out.Deliver(id, QuotePackage(*instrument));
}

Payload CQuoteDesk::QuotePackage(size_t instrument) const {
    const WallTime now = Options.Clock ? Options.Clock() : LocalWallTime();
    quot::Quot quote;
    Market.FillQuot(quote, instrument, TradeDate, now.Date, now.Time);
    COutPackage out(quot::PushedQuoteServiceNo, 0);
    (void)out.Write(quote);
    return out.Bytes();
}

void CQuoteDesk::Publish() {
    std::map<size_t, Payload> quotes;  // built once per instrument and step
    for (const auto& [id, c] : Clients) {
        for (const size_t instrument : c.Instruments) {
            auto it = quotes.find(instrument);
            if (it == quotes.end()) it = quotes.emplace(instrument, QuotePackage(instrument)).first;
            Out.Deliver(id, it->second);
        }
    }
}

}  // namespace simfront
