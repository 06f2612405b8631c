// Both libraries as a trading program loads them (libordergate.so and libquotegate.so, through their
// public headers only) against the simulated front running in this process on 127.0.0.1: two accounts
// trading with each other, a program cut off in the middle of its notifications that reconnects and
// resumes, quotes of subscribed instruments only, and every reason an order is refused.
#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "ZantuVextMdApi.h"
#include "ZantuVextTraderApi.h"
#include "tests/support/RecordingMdSpi.h"
#include "tests/support/RecordingTraderSpi.h"
#include "tools/simfront/FrontCore.h"
#include "tools/simfront/SimFront.h"

namespace {

using namespace std::chrono_literals;

// Generous: the bound only matters when something is lost, and sanitizer builds are slow.
constexpr std::chrono::milliseconds Bound = 30s;
constexpr const char Password[] = "123456";

template <size_t Width>
void SetText(char (&member)[Width], const std::string& text) {
    std::memset(member, 0, Width);
    text.copy(member, Width - 1);
}

// The simulated front with its built-in accounts and instruments. With a quote interval of 0 the market
// stands still, so that prices set by a test stay where they are.
class Front {
  public:
    explicit Front(std::chrono::milliseconds quoteInterval = 0ms)
        : Server(simfront::DefaultSetup(), simfront::CoreOptions{}, Network(quoteInterval)) {
        Server.Start();
    }
    std::string TradeAddress() const { return "tcp://127.0.0.1:" + std::to_string(Server.Ports().Trade); }
    std::string QuoteAddress() const { return "tcp://127.0.0.1:" + std::to_string(Server.Ports().Quote); }

    // Puts the synthetic market of an instrument at a last price of `ticks` and returns its best offer.
    double OfferAfterMoving(const std::string& instrument, int64_t ticks) {
        double offer = 0;
        Server.WithCore([&](simfront::CFrontCore& core) {
            const size_t i = *core.Market().Find(instrument);
            core.Market().Synthetic.MoveTo(i, ticks);
            offer = core.Market().Price(i, core.Market().Synthetic.At(i).Asks[0].Ticks);
        });
        return offer;
    }

    simfront::CSimFront Server;

  private:
    static simfront::NetworkOptions Network(std::chrono::milliseconds quoteInterval) {
        simfront::NetworkOptions network;
        network.QuoteInterval = quoteInterval;
        return network;
    }
};

// One trading program: the library with a recording callback object, connected to the front.
class Trader {
  public:
    Trader(const std::string& front, const std::string& user)
        : User(user), Api(CZantuVextTraderApi::CreateVextTraderApi("")) {
        Api->SetSpi(&Spi);
        std::string address = front;
        Api->AddFront(&address[0]);
        Api->SetPrivateResumeMode(0);  // the private flow from its start
        Api->SetPublicResumeMode(2);   // only new market status
        Api->Init();
    }
    ~Trader() { Api->Release(); }
    Trader(const Trader&) = delete;
    Trader& operator=(const Trader&) = delete;

    // Waits for the `connection`-th connection and logs in on it.
    void LogIn(size_t connection = 1) {
        ASSERT_TRUE(Spi.WaitFor("OnConnected", connection, Bound));
        CZantuVextLoginRequest login{};
        SetText(login.BrokerCode, "0001");
        SetText(login.UserCode, User);
        SetText(login.LoginPassword, Password);
        ASSERT_EQ(Api->SubmitLogin(&login, NextRequest++), 0);
        ASSERT_TRUE(Spi.WaitFor("OnLoginReply", connection, Bound));
        const TraderEvent reply = Spi.Events("OnLoginReply").at(connection - 1);
        ASSERT_TRUE(reply.HasStatus);
        ASSERT_EQ(reply.Status.ErrorCode, 0) << reply.Status.ErrorText;
    }

    CZantuVextInputOrder Limit(const std::string& instrument, char side, double price, int quantity,
                               const std::string& ref) const {
        CZantuVextInputOrder order{};
        SetText(order.InvestorCode, User);
        SetText(order.InstrumentCode, instrument);
        SetText(order.OrderRef, ref);
        order.PriceKind = '2';  // limit
        order.Side = side;      // '0' buy, '1' sell
        order.OpenClose[0] = '0';
        order.Price = price;
        order.Quantity = quantity;
        order.TimeRule = '3';  // good for the day
        order.VolumeRule = '1';
        return order;
    }
    // Submits an order and returns its request id.
    int Submit(CZantuVextInputOrder order) {
        const int requestId = NextRequest++;
        EXPECT_EQ(Api->SubmitOrder(&order, requestId), 0);
        return requestId;
    }
    // Sends a query of the orders and one of the trades and waits for the last reply of both. The
    // front answers in order, so every notification it sent before is in the log by then.
    void QueryOrdersAndTrades() {
        const size_t orders = Spi.Events("OnOrderQueryReply").size();
        const size_t trades = Spi.Events("OnTradeQueryReply").size();
        CZantuVextOrderQuery orderQuery{};
        CZantuVextTradeQuery tradeQuery{};
        ASSERT_EQ(Api->QueryOrders(&orderQuery, NextRequest++), 0);
        ASSERT_EQ(Api->QueryTrades(&tradeQuery, NextRequest++), 0);
        ASSERT_TRUE(WaitForLast("OnOrderQueryReply", orders));
        ASSERT_TRUE(WaitForLast("OnTradeQueryReply", trades));
    }
    std::vector<CZantuVextPosition> Positions() {
        const size_t before = Spi.Events("OnPositionQueryReply").size();
        CZantuVextPositionQuery query{};
        EXPECT_EQ(Api->QueryPositions(&query, NextRequest++), 0);
        EXPECT_TRUE(WaitForLast("OnPositionQueryReply", before));
        std::vector<CZantuVextPosition> positions;
        const std::vector<TraderEvent> replies = Spi.Events("OnPositionQueryReply");
        for (size_t i = before; i < replies.size(); ++i) {
            if (!replies[i].Record.empty()) positions.push_back(replies[i].As<CZantuVextPosition>());
        }
        return positions;
    }

    template <typename R>
    std::vector<R> Records(const std::string& callback) const {
        std::vector<R> records;
        for (const TraderEvent& event : Spi.Events(callback))
            records.push_back(event.As<R>());
        return records;
    }

    const std::string User;
    RecordingTraderSpi Spi;
    CZantuVextTraderApi* const Api;

  private:
    // Waits for a reply with isLast among those after the first `skip` of that callback.
    bool WaitForLast(const std::string& callback, size_t skip) {
        for (size_t count = skip + 1;; ++count) {
            if (!Spi.WaitFor(callback, count, Bound)) return false;
            if (Spi.Events(callback).at(count - 1).IsLast) return true;
        }
    }

    int NextRequest = 1;
};

using OrderChange = std::tuple<std::string, char, int>;  // OrderSysCode, OrderState, FilledQuantity

// Two programs on the two accounts, both logged in.
class Counterparties : public ::testing::Test {
  protected:
    void SetUp() override {
        seller.LogIn();
        buyer.LogIn();
    }

    Front front;
    Trader seller{front.TradeAddress(), "10001"};
    Trader buyer{front.TradeAddress(), "10002"};
};

TEST_F(Counterparties, TradeWithEachOther) {
    const double offer = front.OfferAfterMoving("cu2409", 7200);

    // The seller's order rests at the synthetic offer; at that price it comes before the market.
    seller.Submit(seller.Limit("cu2409", '1', offer, 3, "s1"));
    ASSERT_TRUE(seller.Spi.WaitFor("OnOrderUpdate", 1, Bound));
    EXPECT_EQ(seller.Records<CZantuVextOrder>("OnOrderUpdate")[0].OrderState, '3')
        << "resting, nothing filled";
    buyer.Submit(buyer.Limit("cu2409", '0', offer, 2, "b1"));
    ASSERT_TRUE(buyer.Spi.WaitFor("OnTradeUpdate", 1, Bound));
    ASSERT_TRUE(seller.Spi.WaitFor("OnTradeUpdate", 1, Bound));

    const CZantuVextTrade sold = seller.Records<CZantuVextTrade>("OnTradeUpdate").at(0);
    const CZantuVextTrade bought = buyer.Records<CZantuVextTrade>("OnTradeUpdate").at(0);
    EXPECT_STREQ(sold.TradeCode, bought.TradeCode) << "one match, seen from both sides";
    EXPECT_EQ(sold.Side, '1');
    EXPECT_EQ(bought.Side, '0');
    EXPECT_EQ(sold.Quantity, 2);
    EXPECT_EQ(bought.Quantity, 2);
    EXPECT_EQ(sold.Price, offer);
    EXPECT_STREQ(sold.OrderRef, "s1");
    EXPECT_STREQ(bought.OrderRef, "b1");

    ASSERT_TRUE(seller.Spi.WaitFor("OnOrderUpdate", 2, Bound));
    const CZantuVextOrder partly = seller.Records<CZantuVextOrder>("OnOrderUpdate").at(1);
    EXPECT_EQ(partly.OrderState, '1') << "partly filled, the rest still rests";
    EXPECT_EQ(partly.FilledQuantity, 2);
    EXPECT_EQ(partly.RemainingQuantity, 1);
    ASSERT_TRUE(buyer.Spi.WaitFor("OnOrderUpdate", 2, Bound));
    EXPECT_EQ(buyer.Records<CZantuVextOrder>("OnOrderUpdate").back().OrderState, '0') << "all filled";

    const std::vector<CZantuVextPosition> shortSide = seller.Positions();
    const std::vector<CZantuVextPosition> longSide = buyer.Positions();
    ASSERT_EQ(shortSide.size(), 1u);
    ASSERT_EQ(longSide.size(), 1u);
    EXPECT_EQ(shortSide[0].PositionSide, '3');
    EXPECT_EQ(shortSide[0].Quantity, 2);
    EXPECT_EQ(longSide[0].PositionSide, '2');
    EXPECT_EQ(longSide[0].Quantity, 2);
    EXPECT_STREQ(longSide[0].InstrumentCode, "cu2409");
}

// The seller rests one large order; the buyer takes it a lot at a time while the seller's connection
// is cut, while the seller is away and after it has logged in again. The seller has then seen each
// change of its order and each of its trades once: as many notifications as its private flow holds,
// none twice, and the same trades as a query of them returns.
TEST_F(Counterparties, ProgramCutOffMidStreamResumesWithoutLossOrDuplicate) {
    constexpr int Lots = 30;
    const double offer = front.OfferAfterMoving("rb2410", 3600);
    seller.Submit(seller.Limit("rb2410", '1', offer, Lots, "big"));
    ASSERT_TRUE(seller.Spi.WaitFor("OnOrderUpdate", 1, Bound));

    // One lot at a time, each once the previous one has filled, so that the fills go on over time.
    const auto buy = [&](int from, int to) {
        for (int lot = from; lot < to; ++lot) {
            buyer.Submit(buyer.Limit("rb2410", '0', offer, 1, "b" + std::to_string(lot)));
            if (!buyer.Spi.WaitFor("OnTradeUpdate", static_cast<size_t>(lot) + 1, Bound)) return;
        }
    };
    // A stream of fills, and the cut while it goes on.
    std::thread stream([&] { buy(0, 20); });
    EXPECT_TRUE(seller.Spi.WaitFor("OnTradeUpdate", 3, Bound));
    EXPECT_EQ(front.Server.DropUser("10001"), 1u);
    stream.join();
    ASSERT_TRUE(seller.Spi.WaitFor("OnDisconnected", 1, Bound));
    // While the seller is away (reconnected or not, not logged in) it gets nothing of these.
    buy(20, 25);
    ASSERT_TRUE(buyer.Spi.WaitFor("OnTradeUpdate", 25, Bound));
    seller.LogIn(2);
    buy(25, Lots);
    ASSERT_TRUE(buyer.Spi.WaitFor("OnTradeUpdate", Lots, Bound));
    seller.QueryOrdersAndTrades();

    uint32_t flowLength = 0;
    front.Server.WithCore([&](simfront::CFrontCore& core) {
        flowLength = core.Trading().FindAccount("10001")->PrivateFlow.Last();
    });
    const std::vector<CZantuVextOrder> orders = seller.Records<CZantuVextOrder>("OnOrderUpdate");
    const std::vector<CZantuVextTrade> trades = seller.Records<CZantuVextTrade>("OnTradeUpdate");
    EXPECT_EQ(trades.size(), static_cast<size_t>(Lots));
    EXPECT_EQ(orders.size() + trades.size(), flowLength);

    std::set<OrderChange> changes;
    for (const CZantuVextOrder& o : orders) {
        EXPECT_TRUE(changes.emplace(o.OrderSysCode, o.OrderState, o.FilledQuantity).second)
            << "order change seen twice: " << o.OrderSysCode << " " << o.OrderState << " "
            << o.FilledQuantity;
    }
    ASSERT_FALSE(orders.empty());
    EXPECT_EQ(orders.back().OrderState, '0');
    EXPECT_EQ(orders.back().FilledQuantity, Lots);
    for (int filled = 0; filled <= Lots; ++filled) {
        const bool seen = std::any_of(orders.begin(), orders.end(),
                                      [&](const CZantuVextOrder& o) { return o.FilledQuantity == filled; });
        EXPECT_TRUE(seen) << "no notification of the order with " << filled << " lots filled";
    }

    std::set<std::string> notified;
    for (const CZantuVextTrade& t : trades)
        EXPECT_TRUE(notified.insert(t.TradeCode).second) << "trade seen twice: " << t.TradeCode;
    std::set<std::string> queried;
    for (const CZantuVextTrade& t : seller.Records<CZantuVextTrade>("OnTradeQueryReply")) {
        if (t.TradeCode[0] != '\0') queried.insert(t.TradeCode);
    }
    EXPECT_EQ(notified, queried);
}

TEST(LibrariesAgainstFront, EveryRefusalComesBackThroughTheOrderInsertReply) {
    Front front;
    Trader trader(front.TradeAddress(), "10001");
    trader.LogIn();
    const struct {
        const char* Name;
        CZantuVextInputOrder Order;
        int ErrorCode;
        const char* Text;
    } cases[] = {
        {"unknown instrument", trader.Limit("xx9999", '0', 100, 1, "r1"), 10, "unknown instrument"},
        {"zero quantity", trader.Limit("cu2409", '0', 72000, 0, "r2"), 15, "the quantity must be positive"},
        {"negative quantity", trader.Limit("cu2409", '0', 72000, -1, "r3"), 15,
         "the quantity must be positive"},
        {"price off the tick grid", trader.Limit("cu2409", '0', 72005, 1, "r4"), 17,
         "the price is not on the tick grid"},
        {"price above the daily limits", trader.Limit("cu2409", '0', 77050, 1, "r5"), 18,
         "the price is outside the daily limits"},
        {"price below the daily limits", trader.Limit("cu2409", '1', 66950, 1, "r6"), 18,
         "the price is outside the daily limits"},
        {"insufficient funds", trader.Limit("cu2409", '0', 72000, 1000, "r7"), 19, "insufficient funds"},
    };
    std::map<int, size_t> caseOfRequest;
    for (size_t i = 0; i < std::size(cases); ++i)
        caseOfRequest[trader.Submit(cases[i].Order)] = i;
    ASSERT_TRUE(trader.Spi.WaitFor("OnOrderInsertReply", std::size(cases), Bound));

    for (const TraderEvent& reply : trader.Spi.Events("OnOrderInsertReply")) {
        ASSERT_EQ(caseOfRequest.count(reply.RequestId), 1u) << reply.RequestId;
        const auto& c = cases[caseOfRequest[reply.RequestId]];
        SCOPED_TRACE(c.Name);
        ASSERT_TRUE(reply.HasStatus);
        EXPECT_EQ(reply.Status.ErrorCode, c.ErrorCode);
        EXPECT_EQ(std::string(reply.Status.ErrorText).rfind(c.Text, 0), 0u) << reply.Status.ErrorText;
        EXPECT_TRUE(reply.IsLast);
        const CZantuVextInputOrder echoed = reply.As<CZantuVextInputOrder>();
        EXPECT_STREQ(echoed.OrderRef, c.Order.OrderRef);
        EXPECT_STREQ(echoed.InstrumentCode, c.Order.InstrumentCode);
    }
    trader.QueryOrdersAndTrades();
    EXPECT_TRUE(trader.Spi.Events("OnOrderUpdate").empty()) << "a refused order is not entered";
}

// One market-data program: the library with a recording callback object, logged in and subscribed.
class QuoteReader {
  public:
    QuoteReader(const std::string& front, std::vector<std::string> instruments)
        : Api(CZantuVextMdApi::CreateVextMdApi("", false, false)) {
        Api->SetSpi(&Spi);
        std::string address = front;
        Api->AddFront(&address[0]);
        Api->Init();
        EXPECT_TRUE(Spi.WaitFor("OnConnected", 1, Bound));
        CZantuVextLoginRequest login{};
        SetText(login.UserCode, "10002");
        SetText(login.LoginPassword, Password);
        EXPECT_EQ(Api->SubmitLogin(&login, 1), 0);
        EXPECT_TRUE(Spi.WaitFor("OnLoginReply", 1, Bound));
        Subscribe(instruments);
    }
    ~QuoteReader() { Api->Release(); }
    QuoteReader(const QuoteReader&) = delete;
    QuoteReader& operator=(const QuoteReader&) = delete;

    void Subscribe(std::vector<std::string> instruments) { Change(instruments, true); }
    void Unsubscribe(std::vector<std::string> instruments) { Change(instruments, false); }

    // The instruments of the snapshots, in order of arrival, after the first `skip` events.
    std::vector<std::string> SnapshotsAfter(size_t skip) const {
        const std::vector<MdEvent> events = Spi.Events();
        std::vector<std::string> codes;
        for (size_t i = skip; i < events.size(); ++i) {
            if (events[i].Name == "OnMarketSnapshot")
                codes.push_back(events[i].As<CZantuVextMarketSnapshot>().InstrumentCode);
        }
        return codes;
    }
    // Waits until `count` snapshots of an instrument have arrived after the first `skip` events.
    bool WaitForSnapshots(const std::string& instrument, size_t count, size_t skip = 0) const {
        const auto deadline = std::chrono::steady_clock::now() + Bound;
        for (;;) {
            const size_t seen = Spi.EventsNamed("OnMarketSnapshot").size();
            const std::vector<std::string> codes = SnapshotsAfter(skip);
            if (static_cast<size_t>(std::count(codes.begin(), codes.end(), instrument)) >= count) return true;
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left <= 0ms || !Spi.WaitFor("OnMarketSnapshot", seen + 1, left)) return false;
        }
    }
    // The number of events up to and including the last reply of that name.
    size_t EventsThrough(const std::string& reply) const {
        const std::vector<MdEvent> events = Spi.Events();
        for (size_t i = events.size(); i > 0; --i) {
            if (events[i - 1].Name == reply) return i;
        }
        return 0;
    }

    RecordingMdSpi Spi;
    CZantuVextMdApi* const Api;

  private:
    void Change(std::vector<std::string>& instruments, bool subscribe) {
        const char* reply = subscribe ? "OnSubscribeReply" : "OnUnsubscribeReply";
        const size_t before = Spi.EventsNamed(reply).size();
        std::vector<char*> codes;
        for (std::string& code : instruments)
            codes.push_back(&code[0]);
        const int count = static_cast<int>(codes.size());
        EXPECT_EQ(subscribe ? Api->SubscribeQuotes(codes.data(), count)
                            : Api->UnsubscribeQuotes(codes.data(), count),
                  0);
        EXPECT_TRUE(Spi.WaitFor(reply, before + codes.size(), Bound));
    }
};

TEST(LibrariesAgainstFront, QuotesComeForSubscribedInstrumentsOnly) {
    Front front(5ms);
    QuoteReader metals(front.QuoteAddress(), {"cu2409", "rb2410"});
    QuoteReader index(front.QuoteAddress(), {"IF2409"});
    for (const char* code : {"cu2409", "rb2410"})
        EXPECT_TRUE(metals.WaitForSnapshots(code, 3)) << code;
    EXPECT_TRUE(index.WaitForSnapshots("IF2409", 3));

    // Once the unsubscription is answered, rebar no longer comes; copper still does.
    metals.Unsubscribe({"rb2410"});
    const size_t answered = metals.EventsThrough("OnUnsubscribeReply");
    ASSERT_GT(answered, 0u);
    EXPECT_TRUE(metals.WaitForSnapshots("cu2409", 5, answered));

    for (const std::string& code : metals.SnapshotsAfter(0))
        EXPECT_TRUE(code == "cu2409" || code == "rb2410") << code;
    for (const std::string& code : metals.SnapshotsAfter(answered))
        EXPECT_EQ(code, "cu2409");
    for (const std::string& code : index.SnapshotsAfter(0))
        EXPECT_EQ(code, "IF2409");
}

}  // namespace
