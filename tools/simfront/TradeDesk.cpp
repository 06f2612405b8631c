// Trading protocol handlers, order life cycle and account keeping, in the order of a session's life:
// login, flows, orders, fills, cancellation, queries.
#include "tools/simfront/TradeDesk.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>

#include "codec/ReplyReading.h"
#include "tools/simfront/Packages.h"
#include "trade/session/RequestEncoders.h"

namespace simfront {
namespace {

constexpr uint16_t PrivateFlowServiceNo = 1;
constexpr uint16_t PublicFlowServiceNo = 2;
constexpr uint16_t FlowSubscribeReplyNo = trade::FlowSubscribeServiceNo + 1;

// The notification code of a record on a flow, as the notification table gives it.
constexpr int32_t NoticeCode(int32_t flowId, std::string_view record) {
#define KDX_NOTICE(flow, code, rec, callback) \
    if (flowId == (flow) && record == #rec) return code;
#include "trade/session/TradeNotifications.def"
#undef KDX_NOTICE
    return 0;
}
constexpr int32_t OrderNotice = NoticeCode(trade::PrivateFlowID, "Order");
constexpr int32_t TradeNotice = NoticeCode(trade::PrivateFlowID, "Trade");
constexpr int32_t MarketStatusNotice = NoticeCode(trade::PublicFlowID, "MarketStatusNty");
static_assert(OrderNotice != 0 && TradeNotice != 0 && MarketStatusNotice != 0);

// The reply ServiceNo of a request of the service table, 0 for any other number.
uint16_t ReplyNoOf(uint16_t serviceNo) {
    switch (serviceNo) {
#define KDX_SERVICE(no, slot, operation, record, replyNo) \
    case no:                                              \
        return replyNo;
#include "trade/session/TradeServices.def"
#undef KDX_SERVICE
        default:
            return 0;
    }
}

// The market status every exchange announces on the public flow when the front starts.
constexpr char TradingStatus = '2';
const char TradingStatusText[] = "continuous trading";

// An empty filter matches everything.
template <size_t N>
bool Matches(const char (&filter)[N], const std::string& value) {
    return filter[0] == '\0' || TextOf(filter) == value;
}

std::string FormatPrice(double price) {
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", price);
    return text;
}

trade::RspInfo Status(SimError error, const std::string& detail = {}) {
    return MakeRspInfo<trade::RspInfo>(error, detail);
}

}  // namespace

CTradeDesk::CTradeDesk(CMarketState& market, const CoreOptions& options, const std::string& tradeDate,
                       COutbox& out)
    : Market(market), Options(options), TradeDate(tradeDate), Out(out) {
    for (const AccountSpec& definition : market.Setup.Accounts)
        Accounts[definition.User].Definition = definition;
    for (const ExchangeSpec& exchange : market.Setup.Exchanges) {
        trade::MarketStatusNty status{};
        status.MarketStatus = TradingStatus;
        SetText(status.MarketStatusDesc, TradingStatusText);
        SetText(status.ExchangeID, exchange.ID);
        PublicJournal.Append(
            FlowNotice(PublicFlowServiceNo, MarketStatusNotice, PublicJournal.NextSequence(), status));
    }
}

void CTradeDesk::Log(const std::string& line) const {
    if (Options.Log) Options.Log(line);
}

WallTime CTradeDesk::Now() const {
    return Options.Clock ? Options.Clock() : LocalWallTime();
}

void CTradeDesk::Send(uint32_t client, const Payload& payload) {
    Out.Deliver(client, payload);
}

void CTradeDesk::Open(uint32_t client, int64_t sessionId) {
    Clients[client].SessionID = sessionId;
}

void CTradeDesk::Close(uint32_t client) {
    Clients.erase(client);
}

SimError CTradeDesk::Authenticate(const std::string& user, const std::string& password) const {
    const auto it = Accounts.find(user);
    if (it == Accounts.end()) return SimError::UnknownUser;
    if (it->second.Definition.Password != password) return SimError::WrongPassword;
    return SimError::None;
}

const Account* CTradeDesk::FindAccount(const std::string& user) const {
    const auto it = Accounts.find(user);
    return it == Accounts.end() ? nullptr : &it->second;
}

std::vector<uint32_t> CTradeDesk::ClientsOf(const std::string& user) const {
    std::vector<uint32_t> found;
    for (const auto& [id, client] : Clients) {
        if (client.User != nullptr && client.User->Definition.User == user) found.push_back(id);
    }
    return found;
}

void CTradeDesk::Handle(uint32_t client, CAPIPackage& package) {
    const auto it = Clients.find(client);
    if (it == Clients.end()) return;
    Request r{client, it->second, package};
    switch (package.ServiceNo) {
        case 0:  // heartbeat
            return;
        case trade::FlowSubscribeServiceNo:
            return OnFlowSubscribe(r);
        case 116:
            return OnLogin(r);
        case 118:
            return OnLogout(r);
        case 120:
            return OnChangePassword(r);
        case 122:
            return OnInputOrder(r, trade::Service<122>::ReplyNo);
        case 159:
            return OnInputOrder(r, trade::Service<159>::ReplyNo);
        case 127:
            return OnOrderCancel(r);
        default:
            return OnQueries(r);
    }
}

// ---- login, logout, password

void CTradeDesk::OnLogin(Request& r) {
    trade::LoginReq req;
    (void)ReadElement(r.Package, req);
    const std::string user = TextOf(req.InvestorID);
    SimError error = Authenticate(user, TextOf(req.InvestorPassword));
    if (error == SimError::None && r.Session.User != nullptr && r.Session.User->Definition.User != user) {
        error = SimError::OtherUserLoggedIn;
    }
    trade::LoginRsp rsp{};
    SetText(rsp.InvestorID, user);
    SetText(rsp.TradeDate, TradeDate);
    SetText(rsp.SysName, "simfront");
    rsp.SessionID = r.Session.SessionID;
    if (error == SimError::None) {
        Account& account = Accounts[user];
        SetText(rsp.InvestorName, account.Definition.Name);
        r.Session.User = &account;
        r.Session.Private = r.Session.Public = false;
        r.Session.ProductInfo = TextOf(req.UserProductInfo);
    }
    Send(r.ClientID, Reply(trade::Service<116>::ReplyNo, r.Package.RequestID, Status(error), &rsp));
    Log("trade client " + std::to_string(r.ClientID) + " login " + user + ": " +
        (error == SimError::None ? "ok" : TextOf(error)));
}

void CTradeDesk::OnLogout(Request& r) {
    trade::LogoutRsp rsp{};
    const SimError error = r.Session.User == nullptr ? SimError::NotLoggedIn : SimError::None;
    if (r.Session.User != nullptr) SetText(rsp.InvestorID, r.Session.User->Definition.User);
    r.Session.User = nullptr;
    r.Session.Private = r.Session.Public = false;
    Send(r.ClientID, Reply(trade::Service<118>::ReplyNo, r.Package.RequestID, Status(error), &rsp));
}

void CTradeDesk::OnChangePassword(Request& r) {
    trade::ChangePasswordReq req;
    (void)ReadElement(r.Package, req);
    trade::ChangePasswordRsp rsp{};
    SimError error = SimError::None;
    Account* account = r.Session.User;
    if (account == nullptr)
        error = SimError::NotLoggedIn;
    else if (req.InvestorID[0] != '\0' && TextOf(req.InvestorID) != account->Definition.User)
        error = SimError::InvestorMismatch;
    else if (TextOf(req.InvestorOldPassword) != account->Definition.Password)
        error = SimError::WrongPassword;
    else if (req.InvestorNewPassword[0] == '\0')
        error = SimError::EmptyNewPassword;
    if (account != nullptr) SetText(rsp.InvestorID, account->Definition.User);
    if (error == SimError::None) account->Definition.Password = TextOf(req.InvestorNewPassword);
    Send(r.ClientID, Reply(trade::Service<120>::ReplyNo, r.Package.RequestID, Status(error), &rsp));
}

// ---- flows

void CTradeDesk::OnFlowSubscribe(Request& r) {
    COutPackage reply(FlowSubscribeReplyNo, r.Package.RequestID);
    Account* account = r.Session.User;
    if (account == nullptr) {
        (void)reply.Write(Status(SimError::NotLoggedIn));
        Send(r.ClientID, reply.Bytes());
        return;
    }
    (void)reply.Write(Status(SimError::None));
    CKDXRecordSet granted;
    (void)reply.Body().BeginRecordSet(fld::FlowSubscribeRspList.Tag, granted);
    struct Replay {
        const CFlowJournal* Journal;
        uint32_t From;
    };
    std::vector<Replay> replays;
    WalkList<trade::FlowSubscribeReq>(
        r.Package, fld::FlowSubscribeReqList.Tag, [&](const trade::FlowSubscribeReq* item, int) {
            if (item == nullptr) return;
            const bool isPrivate = item->FlowID == trade::PrivateFlowID;
            if (!isPrivate && item->FlowID != trade::PublicFlowID) return;
            const CFlowJournal& journal = isPrivate ? account->PrivateFlow : PublicJournal;
            trade::FlowSubscribeRsp rsp{};
            rsp.FlowID = item->FlowID;
            rsp.PkgNo = static_cast<int32_t>(journal.Grant(static_cast<uint32_t>(item->PkgNo)));
            const RecordBindings bindings(rsp);
            (void)granted.AddRecord(bindings);
            replays.push_back({&journal, static_cast<uint32_t>(rsp.PkgNo)});
            (isPrivate ? r.Session.Private : r.Session.Public) = true;
        });
    Send(r.ClientID, reply.Bytes());
    // The client takes the granted positions from the reply first, then the packages after them.
    for (const Replay& replay : replays) {
        for (uint32_t n = replay.From + 1; n <= replay.Journal->Last(); ++n)
            Send(r.ClientID, replay.Journal->At(n));
    }
    Log("trade client " + std::to_string(r.ClientID) + " subscribed " + std::to_string(replays.size()) +
        " flow(s)");
}

void CTradeDesk::Notify(Account& account, int32_t code, Payload package) {
    (void)code;
    account.PrivateFlow.Append(std::move(package));
    const Payload& stored = account.PrivateFlow.At(account.PrivateFlow.Last());
    for (const auto& [id, client] : Clients) {
        if (client.User == &account && client.Private) Send(id, stored);
    }
}

template <typename R>
void CTradeDesk::NotifyPrivate(Account& account, int32_t code, const R& record) {
    Notify(account, code, FlowNotice(PrivateFlowServiceNo, code, account.PrivateFlow.NextSequence(), record));
}

// ---- money

double CTradeDesk::MarginPerLot(size_t instrument, char side, int64_t ticks) const {
    const InstrumentSpec& s = Market.Definition(instrument);
    const double rate = side == 'B' ? s.LongMargin : s.ShortMargin;
    return s.MarginType == 'A' ? rate : rate * Market.Price(instrument, ticks) * s.Multiplier;
}

double CTradeDesk::FeeFor(size_t instrument, bool opens, int64_t ticks, int32_t qty) const {
    const InstrumentSpec& s = Market.Definition(instrument);
    // Every lot is of today, so closing pays the close-today rate.
    const double rate = opens ? s.OpenFee : s.CloseTodayFee;
    return s.FeeType == 'A' ? rate * qty : rate * Market.Price(instrument, ticks) * s.Multiplier * qty;
}

double CTradeDesk::FloatingPL(const Position& p) const {
    const InstrumentSpec& s = Market.Definition(p.Instrument);
    const double last = Market.LastPrice(p.Instrument);
    const double sign = p.Side == 'B' ? 1 : -1;
    double pl = 0;
    for (const trade::PosiDetail& lot : p.Lots)
        pl += (last - lot.Price) * lot.QtyLeft * s.Multiplier * sign;
    return pl;
}

trade::Fund CTradeDesk::FundOf(const Account& a) const {
    trade::Fund f{};
    SetText(f.TradeDate, TradeDate);
    SetText(f.InvestorID, a.Definition.User);
    SetText(f.InvestorName, a.Definition.Name);
    f.LastBalance = a.Definition.Balance;
    for (const auto& [key, p] : a.Positions) {
        f.Fee += p.Fee;
        f.ClosedPL += p.ClosedPL;
        f.FloatingPL += FloatingPL(p);
        for (const trade::PosiDetail& lot : p.Lots)
            f.Margin += lot.Margin;
    }
    for (const uint64_t key : a.Active) {
        const OrderEntry& o = Orders.at(key);
        f.FrozenMargin += o.MarginPerLot * o.Record.QtyLeft;
        f.FeeFrozen += o.FeePerLot * o.Record.QtyLeft;
    }
    f.ProfitLoss = f.ClosedPL + f.FloatingPL;
    f.TotalPL = f.ProfitLoss - f.Fee;
    f.FloatBalance = f.LastBalance + f.ClosedPL + f.FloatingPL - f.Fee;
    f.FrozenBalance = f.FrozenMargin + f.FeeFrozen;
    // A floating profit is not yet money to trade with; a floating loss already counts.
    f.FreeBalance =
        f.LastBalance + f.ClosedPL + std::min(f.FloatingPL, 0.0) - f.Fee - f.Margin - f.FrozenBalance;
    return f;
}

double CTradeDesk::Available(const Account& account) const {
    return FundOf(account).FreeBalance;
}

int32_t CTradeDesk::ClosableQty(const Account& account, size_t instrument, char side) const {
    int32_t qty = 0;
    const auto it = account.Positions.find({instrument, side});
    if (it != account.Positions.end()) {
        for (const trade::PosiDetail& lot : it->second.Lots)
            qty += lot.QtyLeft;
    }
    // Closing orders still working hold their lots.
    for (const uint64_t key : account.Active) {
        const OrderEntry& o = Orders.at(key);
        if (!o.Opens && o.Instrument == instrument && OppositeSide(o.Record.BSFlag) == side)
            qty -= o.Record.QtyLeft;
    }
    return qty;
}

// ---- orders

SimError CTradeDesk::CheckOrder(const Client& c, const trade::InputOrder& in, OrderEntry& o,
                                std::string& detail) {
    if (c.User == nullptr) return SimError::NotLoggedIn;
    const Account& account = *c.User;
    if (in.InvestorID[0] != '\0' && TextOf(in.InvestorID) != account.Definition.User)
        return SimError::InvestorMismatch;
    const std::optional<size_t> found = Market.Find(TextOf(in.InstrumentID));
    if (!found) {
        detail = TextOf(in.InstrumentID);
        return SimError::UnknownInstrument;
    }
    const size_t i = *found;
    const InstrumentSpec& s = Market.Definition(i);
    if (in.ExchangeID[0] != '\0' && TextOf(in.ExchangeID) != s.Exchange) {
        detail = s.ID + " is listed on " + s.Exchange;
        return SimError::ExchangeMismatch;
    }
    if (in.BSFlag != 'B' && in.BSFlag != 'S') return SimError::BadSide;
    if (in.OCFlag != 'O' && in.OCFlag != 'C' && in.OCFlag != 'T') return SimError::BadOffset;
    if (in.PriceType != 'L' && in.PriceType != 'M') return SimError::BadPriceType;
    if (in.Qty <= 0) return SimError::BadQuantity;
    if (in.Qty > s.MaxOrderQty) {
        detail = "at most " + std::to_string(s.MaxOrderQty);
        return SimError::QuantityAboveLimit;
    }
    const double low = Market.Price(i, s.LowLimitTicks);
    const double high = Market.Price(i, s.HighLimitTicks);
    if (in.PriceType == 'L') {
        const std::string range = FormatPrice(low) + " to " + FormatPrice(high);
        if (!std::isfinite(in.Price) || in.Price < low - s.Tick / 2 || in.Price > high + s.Tick / 2) {
            detail = range;
            return SimError::PriceOutsideLimits;
        }
        if (!PriceToTicks(in.Price, s.Tick, o.LimitTicks)) {
            detail = "tick " + FormatPrice(s.Tick);
            return SimError::PriceOffTick;
        }
        if (o.LimitTicks < s.LowLimitTicks || o.LimitTicks > s.HighLimitTicks) {
            detail = range;
            return SimError::PriceOutsideLimits;
        }
    } else {
        // A market order may trade up to the daily limit on its side.
        o.LimitTicks = in.BSFlag == 'B' ? s.HighLimitTicks : s.LowLimitTicks;
    }
    if (in.OrderRef[0] != '\0' &&
        OrderRefs.count(account.Definition.User + '\n' + std::to_string(in.SessionID) + '\n' +
                        TextOf(in.OrderRef)) > 0) {
        return SimError::DuplicateOrderRef;
    }
    o.Instrument = i;
    o.Opens = in.OCFlag == 'O';
    // Market orders and immediate-or-cancel orders (TimeCondition '1') never rest.
    o.Immediate = in.PriceType == 'M' || in.TimeCondition == '1';
    if (o.Opens) {
        // Money is frozen at the limit price; a market order is frozen at the upper limit.
        const int64_t frozenAt = in.PriceType == 'L' ? o.LimitTicks : s.HighLimitTicks;
        o.MarginPerLot = MarginPerLot(i, in.BSFlag, frozenAt);
        o.FeePerLot = FeeFor(i, true, frozenAt, 1);
        const double needed = (o.MarginPerLot + o.FeePerLot) * in.Qty;
        const double available = Available(account);
        if (needed > available + 1e-6) {
            detail = "needs " + FormatPrice(needed) + ", available " + FormatPrice(available);
            return SimError::InsufficientFunds;
        }
    } else {
        const int32_t closable = ClosableQty(account, i, OppositeSide(in.BSFlag));
        if (in.Qty > closable) {
            detail = std::to_string(std::max(closable, 0)) + " lot(s) can be closed";
            return SimError::InsufficientPosition;
        }
    }
    return SimError::None;
}

void CTradeDesk::OnInputOrder(Request& r, uint16_t replyNo) {
    trade::InputOrder in;
    (void)ReadElement(r.Package, in);
    OrderEntry o;
    std::string detail;
    const SimError error = CheckOrder(r.Session, in, o, detail);
    if (error != SimError::None) {
        Send(r.ClientID, Reply(replyNo, r.Package.RequestID, Status(error, detail), &in));
        Log("order rejected: " + TextOf(in.InvestorID) + " " + in.BSFlag + in.OCFlag + " " +
            std::to_string(in.Qty) + " " + TextOf(in.InstrumentID) + " @ " + FormatPrice(in.Price) + ": " +
            TextOf(error) + (detail.empty() ? "" : ": " + detail));
        return;
    }
    Account& account = *r.Session.User;
    const uint64_t key = ++LastOrder;
    const WallTime now = Now();
    const InstrumentSpec& s = Market.Definition(o.Instrument);
    o.User = account.Definition.User;
    // What the order shares with the request is echoed; the rest is the front's.
    trade::Order& rec = o.Record;
    rec = ConvertRecord<trade::Order>(in);
    SetText(rec.InvestorID, account.Definition.User);
    SetText(rec.TradeDate, TradeDate);
    SetText(rec.OrderID, std::to_string(key));
    SetText(rec.OrderDate, now.Date);
    SetText(rec.OrderTime, now.Time);
    SetText(rec.InstrumentID, s.ID);
    rec.QtyLeft = in.Qty;
    SetText(rec.ModifyDate, now.Date);
    SetText(rec.ModifyTime, now.Time);
    rec.OrderStatus = 'I';
    rec.FrozenMargin = o.MarginPerLot * in.Qty;
    SetText(rec.ExchangeID, s.Exchange);
    if (rec.SessionID == 0) rec.SessionID = r.Session.SessionID;
    if (rec.AccountID[0] == '\0') SetText(rec.AccountID, account.Definition.User);
    if (rec.ClientID[0] == '\0') SetText(rec.ClientID, account.Definition.User);
    rec.QVLFrontID = static_cast<int32_t>(rec.SessionID >> 32);
    rec.QVLSessionID = static_cast<int32_t>(rec.SessionID & 0xFFFFFFFF);
    translate::CopyText(rec.QVLOrderRef, in.OrderRef);
    char sysId[32];
    std::snprintf(sysId, sizeof sysId, "%012llu", static_cast<unsigned long long>(key));
    SetText(rec.OrderSysID, sysId);
    SetText(rec.UserProductInfo, r.Session.ProductInfo);
    if (in.OrderRef[0] != '\0') {
        OrderRefs.insert(account.Definition.User + '\n' + std::to_string(rec.SessionID) + '\n' +
                         TextOf(in.OrderRef));
    }

    const OrderEntry& entry = Orders.emplace(key, std::move(o)).first->second;
    account.Orders.push_back(key);
    account.Active.insert(key);
    NotifyPrivate(account, OrderNotice, entry.Record);
    Log("order " + std::to_string(key) + " accepted: " + account.Definition.User + " " + in.BSFlag +
        in.OCFlag + " " + std::to_string(in.Qty) + " " + s.ID +
        (in.PriceType == 'M' ? " at market" : " @ " + FormatPrice(in.Price)));
    Execute(key);
}

void CTradeDesk::Execute(uint64_t key) {
    OrderEntry& o = Orders.at(key);
    const char side = o.Record.BSFlag;
    const std::vector<Fill> fills =
        MatchIncoming(Market.Books[o.Instrument], Market.Synthetic.Opposite(o.Instrument, side), side,
                      o.LimitTicks, o.Record.QtyLeft);
    for (const Fill& fill : fills) {
        const std::string matchId = std::to_string(++LastMatch);
        // Open interest grows when both sides open and shrinks when both close; against the synthetic
        // market the order alone decides.
        int64_t oiChange = o.Opens ? fill.Qty : -fill.Qty;
        if (fill.Maker != 0) {
            const bool makerOpens = Orders.at(fill.Maker).Opens;
            oiChange = o.Opens == makerOpens ? oiChange : 0;
        }
        ApplyFill(key, fill.Ticks, fill.Qty, matchId);
        if (fill.Maker != 0) ApplyFill(fill.Maker, fill.Ticks, fill.Qty, matchId);
        Market.Synthetic.RecordTrade(o.Instrument, fill.Ticks, fill.Qty, oiChange, side);
    }
    if (o.Record.QtyLeft == 0) return;
    if (o.Immediate) {
        Cancel(key, "remaining quantity cancelled");
        return;
    }
    Market.Books[o.Instrument].Add(side, key, o.LimitTicks, o.Record.QtyLeft);
}

void CTradeDesk::CrossResting() {
    for (size_t i = 0; i < Market.Books.size(); ++i) {
        InstrumentMarket const& m = Market.Synthetic.At(i);
        Depth bids = m.Bids;
        Depth asks = m.Asks;
        const std::vector<Fill> fills = simfront::CrossResting(Market.Books[i], bids, asks);
        for (const Fill& fill : fills) {
            const OrderEntry& o = Orders.at(fill.Maker);
            const char makerSide = o.Record.BSFlag;
            const int64_t oiChange = o.Opens ? fill.Qty : -fill.Qty;
            ApplyFill(fill.Maker, fill.Ticks, fill.Qty, std::to_string(++LastMatch));
            Market.Synthetic.RecordTrade(i, fill.Ticks, fill.Qty, oiChange, OppositeSide(makerSide));
        }
        Market.Synthetic.Opposite(i, 'S') = bids;
        Market.Synthetic.Opposite(i, 'B') = asks;
    }
}

void CTradeDesk::ApplyFill(uint64_t key, int64_t ticks, int32_t qty, const std::string& matchId) {
    OrderEntry& o = Orders.at(key);
    Account& account = Accounts.at(o.User);
    const InstrumentSpec& s = Market.Definition(o.Instrument);
    const WallTime now = Now();
    const double price = Market.Price(o.Instrument, ticks);
    trade::Order& rec = o.Record;
    const char side = rec.BSFlag;

    rec.QtyLeft -= qty;
    o.FilledAmount += price * qty;
    rec.AvgPrice = o.FilledAmount / (rec.Qty - rec.QtyLeft);
    const double fee = FeeFor(o.Instrument, o.Opens, ticks, qty);
    const double margin = o.Opens ? MarginPerLot(o.Instrument, side, ticks) * qty : 0;

    // The trade carries what it shares with its order; the lot it opens, what it shares with the trade.
    trade::Trade t = ConvertRecord<trade::Trade>(rec);
    SetText(t.MatchID, matchId);
    t.Price = price;
    t.Qty = qty;
    SetText(t.MatchDate, now.Date);
    SetText(t.MatchTime, now.Time);
    t.FeeRate = o.Opens ? s.OpenFee : s.CloseTodayFee;
    t.Margin = margin;
    if (o.Opens) {
        Position& p = account.Positions[{o.Instrument, side}];
        p.Instrument = o.Instrument;
        p.Side = side;
        trade::PosiDetail lot = ConvertRecord<trade::PosiDetail>(t);
        lot.QtyLeft = qty;
        SetText(lot.InvestorName, account.Definition.Name);
        lot.Fee = fee;
        SetText(lot.CreateDate, now.Date);
        SetText(lot.CreateTime, now.Time);
        lot.CreatePrice = price;
        SetText(lot.CreateTradeDate, TradeDate);
        lot.MarginRateType = s.MarginType;
        lot.MarginRate = side == 'B' ? s.LongMargin : s.ShortMargin;
        lot.PreSettle = s.PreSettle;
        p.Lots.push_back(lot);
        p.OpenVolume += qty;
        p.OpenAmount += price * qty * s.Multiplier;
        p.Fee += fee;
        rec.Margin += margin;
    } else {
        // Lots close oldest first.
        Position& p = account.Positions.at({o.Instrument, OppositeSide(side)});
        const double sign = p.Side == 'B' ? 1 : -1;
        int32_t left = qty;
        while (left > 0 && !p.Lots.empty()) {
            trade::PosiDetail& lot = p.Lots.front();
            const int32_t take = std::min(left, lot.QtyLeft);
            const double pl = (price - lot.Price) * take * s.Multiplier * sign;
            lot.Margin -= lot.Margin * take / lot.QtyLeft;
            lot.QtyLeft -= take;
            lot.ClosedPL += pl;
            lot.CloseProfitByDate += pl;
            lot.CloseProfitByTrade += pl;
            lot.CloseVolume += take;
            lot.CloseAmount += price * take * s.Multiplier;
            p.ClosedPL += pl;
            left -= take;
            if (lot.QtyLeft == 0) p.Lots.pop_front();
        }
        p.CloseVolume += qty;
        p.CloseAmount += price * qty * s.Multiplier;
        p.Fee += fee;
    }
    rec.FrozenMargin = o.MarginPerLot * rec.QtyLeft;
    rec.OrderStatus = rec.QtyLeft == 0 ? 'F' : 'I';
    SetText(rec.ModifyDate, now.Date);
    SetText(rec.ModifyTime, now.Time);
    if (rec.QtyLeft == 0) {
        o.Active = false;
        account.Active.erase(key);
    }
    account.Trades.push_back(t);
    NotifyPrivate(account, TradeNotice, t);
    NotifyPrivate(account, OrderNotice, rec);
    Log("trade " + matchId + ": order " + std::to_string(key) + " " + account.Definition.User + " " + side +
        rec.OCFlag + " " + std::to_string(qty) + " " + s.ID + " @ " + FormatPrice(price) +
        (rec.QtyLeft == 0 ? ", filled" : ", partly filled"));
}

void CTradeDesk::Cancel(uint64_t key, const std::string& reason) {
    OrderEntry& o = Orders.at(key);
    if (!o.Active) return;
    Account& account = Accounts.at(o.User);
    const WallTime now = Now();
    o.Active = false;
    account.Active.erase(key);
    Market.Books[o.Instrument].Remove(key);
    o.Record.OrderStatus = 'C';
    o.Record.FrozenMargin = 0;
    SetText(o.Record.OrderStatusDesc, reason);
    SetText(o.Record.ModifyDate, now.Date);
    SetText(o.Record.ModifyTime, now.Time);
    NotifyPrivate(account, OrderNotice, o.Record);
    Log("order " + std::to_string(key) + " cancelled: " + (reason.empty() ? "by the user" : reason));
}

OrderEntry* CTradeDesk::LookUpForCancel(const Client& c, const trade::OrderCancelReq& req) {
    const Account& account = *c.User;
    // The exchange's order number first, then the front's, then the session's own reference.
    uint64_t key = 0;
    if (req.OrderSysID[0] != '\0' || req.OrderID[0] != '\0') {
        const std::string number = TextOf(req.OrderSysID[0] != '\0' ? req.OrderSysID : req.OrderID);
        if (number.find_first_not_of("0123456789") != std::string::npos || number.size() > 18) return nullptr;
        key = std::stoull(number);
    } else if (req.OrderRef[0] != '\0') {
        // SessionID 0 names this connection's session, as it does on order entry.
        const int64_t session = req.SessionID != 0 ? req.SessionID : c.SessionID;
        const std::string ref = TextOf(req.OrderRef);
        for (const uint64_t k : account.Orders) {
            const trade::Order& rec = Orders.at(k).Record;
            if (rec.SessionID == session && TextOf(rec.OrderRef) == ref) key = k;
        }
    }
    const auto it = Orders.find(key);
    if (it == Orders.end() || it->second.User != account.Definition.User) return nullptr;
    return &it->second;
}

void CTradeDesk::OnOrderCancel(Request& r) {
    trade::OrderCancelReq req;
    (void)ReadElement(r.Package, req);
    SimError error = SimError::None;
    OrderEntry* o = nullptr;
    if (r.Session.User == nullptr)
        error = SimError::NotLoggedIn;
    else if ((o = LookUpForCancel(r.Session, req)) == nullptr)
        error = SimError::OrderNotFound;
    else if (!o->Active)
        error = SimError::OrderFinished;
    if (error == SimError::None) {
        Cancel(std::stoull(TextOf(o->Record.OrderID)), "");
        return;
    }
    const trade::OrderCancelRsp rsp = ConvertRecord<trade::OrderCancelRsp>(req);
    Send(r.ClientID, Reply(trade::Service<127>::ReplyNo, r.Package.RequestID, Status(error), &rsp));
    Log(std::string("cancel refused: ") + TextOf(error));
}

// ---- queries

template <typename Query, typename Item, typename Each>
void CTradeDesk::ListQuery(Request& r, uint16_t replyNo, uint16_t listTag, Each&& each) {
    if (r.Session.User == nullptr) {
        Send(r.ClientID, Reply(replyNo, r.Package.RequestID, Status(SimError::NotLoggedIn),
                               static_cast<const Item*>(nullptr)));
        return;
    }
    Query q;
    (void)ReadElement(r.Package, q);
    CListReply<trade::RspInfo> reply(replyNo, r.Package.RequestID, Status(SimError::None), listTag);
    each(q, [&](const Item& item) { reply.Add(item); });
    for (const Payload& package : reply.Finish())
        Send(r.ClientID, package);
}

trade::Posi CTradeDesk::PosiOf(const Account& a, const Position& p) const {
    const InstrumentSpec& s = Market.Definition(p.Instrument);
    trade::Posi x{};
    SetText(x.TradeDate, TradeDate);
    SetText(x.InvestorID, a.Definition.User);
    SetText(x.ExchangeID, s.Exchange);
    SetText(x.InstrumentID, s.ID);
    x.BSFlag = p.Side;
    for (const trade::PosiDetail& lot : p.Lots) {
        x.Qty += lot.QtyLeft;
        x.Margin += lot.Margin;
        x.Cost += lot.Price * lot.QtyLeft * s.Multiplier;
    }
    x.Price = x.Qty > 0 ? x.Cost / (x.Qty * static_cast<double>(s.Multiplier)) : 0;
    x.TodayQty = x.Qty;
    x.ClosedPL = p.ClosedPL;
    x.FloatingPL = FloatingPL(p);
    x.Fee = p.Fee;
    for (const uint64_t key : a.Active) {
        const OrderEntry& o = Orders.at(key);
        if (o.Instrument != p.Instrument) continue;
        if (!o.Opens && OppositeSide(o.Record.BSFlag) == p.Side) x.QtyFrozen += o.Record.QtyLeft;
        if (o.Opens && o.Record.BSFlag == p.Side) {
            (p.Side == 'B' ? x.LongFrozen : x.ShortFrozen) += o.Record.QtyLeft;
            (p.Side == 'B' ? x.LongFrozenAmount : x.ShortFrozenAmount) += o.MarginPerLot * o.Record.QtyLeft;
            x.FrozenMargin += o.MarginPerLot * o.Record.QtyLeft;
            x.FeeFrozen += o.FeePerLot * o.Record.QtyLeft;
        }
    }
    x.TodayQtyFrozen = x.QtyFrozen;
    x.PositionDate = '1';
    x.OpenVolume = p.OpenVolume;
    x.CloseVolume = p.CloseVolume;
    x.OpenAmount = p.OpenAmount;
    x.CloseAmount = p.CloseAmount;
    x.PreSettle = s.PreSettle;
    x.SettlePrice = Market.LastPrice(p.Instrument);
    x.OpenCost = x.Cost;
    x.CloseProfitByDate = p.ClosedPL;
    x.CloseProfitByTrade = p.ClosedPL;
    x.MarginRateType = s.MarginType;
    x.MarginRate = p.Side == 'B' ? s.LongMargin : s.ShortMargin;
    return x;
}

namespace {

trade::Instrument InstrumentRecord(const InstrumentSpec& s) {
    trade::Instrument x{};
    SetText(x.InstrumentID, s.ID);
    SetText(x.InstrumentName, s.Name);
    x.FeeType = s.FeeType;
    x.FeeRate = s.OpenFee;
    x.MarginRateType = s.MarginType;
    x.MarginRate = s.LongMargin;
    x.DailyPriceLimit = s.LimitRatio;
    x.TradeUnit = s.Multiplier;
    x.MinMovement = s.Tick;
    x.PriceScale = s.Tick;
    x.PriceCoefficient = 1;
    x.PriceMultiply = 1;
    x.EachQtyLimt = s.MaxOrderQty;
    SetText(x.GoodsName, s.Product);
    SetText(x.ExchangeID, s.Exchange);
    x.InstrumentType = s.Type;
    SetText(x.UnderlyingInstrID, s.Underlying);
    x.StrikePrice = s.Strike;
    x.OptionsType = s.OptionType;
    x.CloseFeeRate = s.CloseFee;
    x.CloseTodayFeeRate = s.CloseTodayFee;
    SetText(x.ExpiredDate, s.ExpireDate);
    SetText(x.OpenDate, s.ListDate);
    SetText(x.DeliveryDate, s.ExpireDate);
    x.ShortAllowed = 1;
    return x;
}

}  // namespace

trade::InvestorMarginRate CTradeDesk::MarginRateOf(size_t instrument, const std::string& user) const {
    const InstrumentSpec& s = Market.Definition(instrument);
    trade::InvestorMarginRate x{};
    SetText(x.InvestorID, user);
    SetText(x.ExchangeID, s.Exchange);
    SetText(x.InstrumentID, s.ID);
    x.MarginRateType = s.MarginType;
    x.LongMarginRate = s.LongMargin;
    x.ShortMarginRate = s.ShortMargin;
    return x;
}

void CTradeDesk::OnQueries(Request& r) {
    const uint16_t service = r.Package.ServiceNo;
    const uint16_t replyNo = ReplyNoOf(service);
    const auto instruments = [&](const auto& q, auto&& add, auto&& make) {
        for (size_t i = 0; i < Market.Setup.Instruments.size(); ++i) {
            const InstrumentSpec& s = Market.Definition(i);
            if (Matches(q.InstrumentID, s.ID) && Matches(q.ExchangeID, s.Exchange)) add(make(i, s));
        }
    };
    const auto positions = [&](const auto& q, auto&& each) {
        for (const auto& [key, p] : r.Session.User->Positions) {
            const InstrumentSpec& s = Market.Definition(p.Instrument);
            if (Matches(q.InstrumentID, s.ID) && Matches(q.ExchangeID, s.Exchange)) each(p);
        }
    };
    const auto accountOrders = [&](const auto& q, auto&& add) {
        for (const uint64_t key : r.Session.User->Orders) {
            const OrderEntry& o = Orders.at(key);
            if (Matches(q.InstrumentID, Market.Definition(o.Instrument).ID) &&
                Matches(q.ExchangeID, Market.Definition(o.Instrument).Exchange))
                add(o.Record);
        }
    };
    const std::string user = r.Session.User != nullptr ? r.Session.User->Definition.User : std::string();
    switch (service) {
        case 131:
            return ListQuery<trade::QuotQueryReq, trade::Quot>(
                r, replyNo, fld::QuotList.Tag, [&](const auto& q, auto&& add) {
                    const WallTime now = Now();
                    instruments(q, add, [&](size_t i, const InstrumentSpec&) {
                        trade::Quot quot;
                        Market.FillQuot(quot, i, TradeDate, now.Date, now.Time);
                        return quot;
                    });
                });
        case 137:
            return ListQuery<trade::OrderQueryReq, trade::Order>(r, replyNo, fld::OrderList.Tag,
                                                                 accountOrders);
        case 139:
            return ListQuery<trade::TradeQueryReq, trade::Trade>(
                r, replyNo, fld::TradeList.Tag, [&](const auto& q, auto&& add) {
                    for (const trade::Trade& t : r.Session.User->Trades) {
                        if (Matches(q.InstrumentID, TextOf(t.InstrumentID)) &&
                            Matches(q.ExchangeID, TextOf(t.ExchangeID)))
                            add(t);
                    }
                });
        case 141:
            return ListQuery<trade::PosiQueryReq, trade::Posi>(
                r, replyNo, fld::PosiList.Tag, [&](const auto& q, auto&& add) {
                    positions(q, [&](const Position& p) { add(PosiOf(*r.Session.User, p)); });
                });
        case 143:
            return ListQuery<trade::FundQueryReq, trade::Fund>(
                r, replyNo, fld::FundList.Tag,
                [&](const auto&, auto&& add) { add(FundOf(*r.Session.User)); });
        case 145:
            return ListQuery<trade::InstrumentQueryReq, trade::Instrument>(
                r, replyNo, fld::InstrumentList.Tag, [&](const auto& q, auto&& add) {
                    instruments(q, add, [](size_t, const InstrumentSpec& s) { return InstrumentRecord(s); });
                });
        case 147:
            return ListQuery<trade::PosiDetailQueryReq, trade::PosiDetail>(
                r, replyNo, fld::PosiDetailList.Tag, [&](const auto& q, auto&& add) {
                    positions(q, [&](const Position& p) {
                        const double last = Market.LastPrice(p.Instrument);
                        const double sign = p.Side == 'B' ? 1 : -1;
                        for (trade::PosiDetail lot : p.Lots) {
                            lot.FloatingPL = (last - lot.Price) * lot.QtyLeft *
                                             Market.Definition(p.Instrument).Multiplier * sign;
                            lot.PositionProfitByDate = lot.PositionProfitByTrade = lot.FloatingPL;
                            lot.SettlePrice = last;
                            add(lot);
                        }
                    });
                });
        case 301:
            return ListQuery<trade::ProductQueryReq, trade::Product>(
                r, replyNo, fld::ProductList.Tag, [&](const auto& q, auto&& add) {
                    for (const ProductSpec& p : Market.Setup.Products) {
                        if (!Matches(q.ExchangeID, p.Exchange) || !Matches(q.ProductID, p.ID)) continue;
                        if (q.InstrumentType != '\0' && q.InstrumentType != p.Type) continue;
                        trade::Product x{};
                        SetText(x.ExchangeID, p.Exchange);
                        x.InstrumentType = p.Type;
                        SetText(x.ProductID, p.ID);
                        SetText(x.ProductName, p.Name);
                        add(x);
                    }
                });
        case 303:
            return ListQuery<trade::ExchangeQueryReq, trade::Exchange>(
                r, replyNo, fld::ExchangeList.Tag, [&](const auto& q, auto&& add) {
                    for (const ExchangeSpec& e : Market.Setup.Exchanges) {
                        if (!Matches(q.ExchangeID, e.ID)) continue;
                        trade::Exchange x{};
                        SetText(x.ExchangeID, e.ID);
                        SetText(x.ExchangeName, e.Name);
                        add(x);
                    }
                });
        case 305:
            return ListQuery<trade::InvestorFeeRateQueryReq, trade::InvestorFeeRate>(
                r, replyNo, fld::InvestorFeeRateList.Tag, [&](const auto& q, auto&& add) {
                    instruments(q, add, [&](size_t, const InstrumentSpec& s) {
                        trade::InvestorFeeRate x{};
                        SetText(x.InvestorID, user);
                        SetText(x.ExchangeID, s.Exchange);
                        SetText(x.InstrumentID, s.ID);
                        x.FeeType = s.FeeType;
                        x.FeeRate = s.OpenFee;
                        x.CloseFeeRate = s.CloseFee;
                        x.CloseTodayFeeRate = s.CloseTodayFee;
                        return x;
                    });
                });
        case 307:
            return ListQuery<trade::InvestorMarginRateQueryReq, trade::InvestorMarginRate>(
                r, replyNo, fld::InvestorMarginRateList.Tag, [&](const auto& q, auto&& add) {
                    instruments(q, add,
                                [&](size_t i, const InstrumentSpec&) { return MarginRateOf(i, user); });
                });
        case 309:
            return ListQuery<trade::ExchangeMarginRateQueryReq, trade::ExchangeMarginRate>(
                r, replyNo, fld::ExchangeMarginRateList.Tag, [&](const auto& q, auto&& add) {
                    instruments(q, add, [&](size_t i, const InstrumentSpec&) {
                        return ConvertRecord<trade::ExchangeMarginRate>(MarginRateOf(i, user));
                    });
                });
        default:
            break;
    }
    if (replyNo == 0) {
        Log("trade client " + std::to_string(r.ClientID) + ": ServiceNo " + std::to_string(service) +
            " ignored");
        return;
    }
    Send(r.ClientID, Reply(replyNo, r.Package.RequestID, Status(SimError::NotOffered),
                           static_cast<const trade::RspInfo*>(nullptr)));
}

}  // namespace simfront
