#include "tests/tools/simfront/CoreHarness.h"

#include <cstring>

#include "tools/simfront/Packages.h"

namespace simtest {

uint16_t ServiceOf(const Payload& payload) {
    COpened p(payload);
    return p->ServiceNo;
}

int32_t EndFlagOf(const Payload& payload) {
    COpened p(payload);
    return p->EndFlag;
}

int32_t RequestIDOf(const Payload& payload) {
    COpened p(payload);
    return p->RequestID;
}

trade::RspInfo InfoOf(const Payload& payload) {
    COpened p(payload);
    trade::RspInfo info{};
    (void)ReadElement(*p, info);
    return info;
}

Payload FlowSubscription(const std::vector<std::pair<int32_t, int32_t>>& items) {
    simfront::COutPackage out(trade::FlowSubscribeServiceNo, 0);
    CKDXRecordSet set;
    (void)out.Body().BeginRecordSet(fld::FlowSubscribeReqList.Tag, set);
    for (const auto& [flow, pkgNo] : items) {
        trade::FlowSubscribeReq item{flow, pkgNo};
        const RecordBindings bindings(item);
        (void)set.AddRecord(bindings);
    }
    return out.Bytes();
}

Payload LoginRequest(const char* user, const char* password, int32_t requestId) {
    trade::LoginReq login{};
    std::strncpy(login.InvestorID, user, sizeof login.InvestorID - 1);
    std::strncpy(login.InvestorPassword, password, sizeof login.InvestorPassword - 1);
    return Request<116>(login, requestId);
}

quot::LoginReq QuoteLogin(const char* user) {
    quot::LoginReq login{};
    std::strncpy(login.InvestorID, user, sizeof login.InvestorID - 1);
    std::strcpy(login.InvestorPassword, "123456");
    return login;
}

Payload QuoteLoginRequest(const char* user, int32_t requestId) {
    return AnyRequest(116, QuoteLogin(user), requestId);
}

trade::InputOrder LimitOrder(const char* instrument, char side, char offset, double price, int32_t qty,
                             const char* orderRef) {
    trade::InputOrder o{};
    std::strncpy(o.InstrumentID, instrument, sizeof o.InstrumentID - 1);
    o.BSFlag = side;
    o.OCFlag = offset;
    o.PriceType = 'L';
    o.Price = price;
    o.Qty = qty;
    std::strncpy(o.OrderRef, orderRef, sizeof o.OrderRef - 1);
    o.TimeCondition = '3';
    o.VolumeCondition = '1';
    return o;
}

namespace {
simfront::CoreOptions TestOptions() {
    simfront::CoreOptions options;
    options.TradeDate = TestTradeDate;
    options.Seed = 7;
    options.Clock = [] { return simfront::WallTime{"2024-03-15", "09:30:00"}; };
    return options;
}
}  // namespace

CCoreHarness::CCoreHarness() : CCoreHarness(simfront::DefaultSetup()) {}

CCoreHarness::CCoreHarness(simfront::FrontSetup setup)
    : Core(std::make_unique<simfront::CFrontCore>(std::move(setup), TestOptions(), *this)) {}

uint32_t CCoreHarness::Connect(simfront::Channel channel) {
    Core->Open(++LastClient, channel);
    return LastClient;
}

std::vector<Payload> CCoreHarness::Send(uint32_t client, const Payload& request) {
    ExactBuffer copy(request);
    Core->Receive(client, copy.data(), copy.size());
    return Take(client);
}

std::vector<Payload> CCoreHarness::Take(uint32_t client) {
    std::vector<Payload> packages = std::move(Inbox[client]);
    Inbox[client].clear();
    return packages;
}

uint32_t CCoreHarness::LoggedIn(const char* user, bool subscribe) {
    const uint32_t client = Connect();
    const std::vector<Payload> reply = Send(client, LoginRequest(user));
    EXPECT_EQ(InfoOf(reply.at(0)).RspNo, 0);
    if (subscribe) (void)Send(client, FlowSubscription({{1, 0}, {2, -1}}));
    return client;
}

std::vector<trade::Order> CCoreHarness::OrdersIn(const std::vector<Payload>& packages) {
    std::vector<trade::Order> orders;
    for (const Payload& p : packages) {
        if (ServiceOf(p) == 1 && RequestIDOf(p) == 124) orders.push_back(RecordOf<trade::Order>(p));
    }
    return orders;
}

std::vector<trade::Trade> CCoreHarness::TradesIn(const std::vector<Payload>& packages) {
    std::vector<trade::Trade> trades;
    for (const Payload& p : packages) {
        if (ServiceOf(p) == 1 && RequestIDOf(p) == 130) trades.push_back(RecordOf<trade::Trade>(p));
    }
    return trades;
}

}  // namespace simtest
