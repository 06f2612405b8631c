// The trading protocol of the simulated front, driven with packages: login checks, order checks,
// matching against the synthetic market and between accounts, cancellation, queries, and the flow
// journal replayed from a position.
#include "tools/simfront/TradeDesk.h"

#include <cstring>

#include <gtest/gtest.h>

#include "tests/tools/simfront/CoreHarness.h"

namespace simtest {
namespace {

using simfront::TextOf;

class TradeDeskTest : public ::testing::Test {
  protected:
    size_t Index(const char* id) { return *h.Core->Market().Find(id); }
    // Puts the synthetic best bid of an instrument at bid (ticks); the best offer is one tick above.
    void MoveMarket(const char* id, int64_t bid) { h.Core->Market().Synthetic.MoveTo(Index(id), bid); }
    std::vector<Payload> Order(uint32_t client, const trade::InputOrder& order, int32_t requestId = 1) {
        return h.Send(client, Request<122>(order, requestId));
    }

    CCoreHarness h;
};

TEST_F(TradeDeskTest, LoginChecksUserAndPasswordAndReportsDateAndSession) {
    const struct {
        const char* User;
        const char* Password;
        int16_t RspNo;
        const char* Text;
    } cases[] = {
        {"10001", "wrong", 3, "wrong password"},
        {"99999", "123456", 2, "unknown user"},
        {"", "", 2, "unknown user"},
        {"10002", "123456", 0, ""},
    };
    uint32_t sessionNumber = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.User);
        const uint32_t client = h.Connect();
        ++sessionNumber;
        const std::vector<Payload> reply = h.Send(client, LoginRequest(c.User, c.Password, 77));
        ASSERT_EQ(reply.size(), 1u);
        EXPECT_EQ(ServiceOf(reply[0]), 117);
        EXPECT_EQ(RequestIDOf(reply[0]), 77);
        EXPECT_EQ(InfoOf(reply[0]).RspNo, c.RspNo);
        EXPECT_EQ(TextOf(InfoOf(reply[0]).RspDesc), c.Text);
        const auto rsp = RecordOf<trade::LoginRsp>(reply[0]);
        EXPECT_EQ(TextOf(rsp.TradeDate), TestTradeDate) << "a failed login carries the date too";
        EXPECT_EQ(rsp.SessionID, (int64_t{1} << 32) | sessionNumber);
        if (c.RspNo == 0) {
            EXPECT_EQ(TextOf(rsp.InvestorName), "Demo trader B");
        }
    }
}

TEST_F(TradeDeskTest, AConnectionLoggedInAsOneUserRefusesAnother) {
    const uint32_t client = h.LoggedIn("10001", false);
    EXPECT_EQ(InfoOf(h.Send(client, LoginRequest("10002")).at(0)).RspNo, 4);
    (void)h.Send(client, Request<118>(trade::LogoutReq{}));
    EXPECT_EQ(InfoOf(h.Send(client, LoginRequest("10002")).at(0)).RspNo, 0);
}

TEST_F(TradeDeskTest, PasswordChangeChecksTheOldPasswordAndTakesEffect) {
    const uint32_t client = h.LoggedIn("10001", false);
    trade::ChangePasswordReq change{};
    std::strcpy(change.InvestorOldPassword, "bad");
    std::strcpy(change.InvestorNewPassword, "654321");
    EXPECT_EQ(InfoOf(h.Send(client, Request<120>(change)).at(0)).RspNo, 3);
    std::strcpy(change.InvestorOldPassword, "123456");
    const std::vector<Payload> reply = h.Send(client, Request<120>(change));
    EXPECT_EQ(ServiceOf(reply.at(0)), 121);
    EXPECT_EQ(InfoOf(reply.at(0)).RspNo, 0);
    EXPECT_EQ(TextOf(RecordOf<trade::ChangePasswordRsp>(reply[0]).InvestorID), "10001");
    EXPECT_EQ(h.Core->Trading().Authenticate("10001", "123456"), simfront::SimError::WrongPassword);
    EXPECT_EQ(h.Core->Trading().Authenticate("10001", "654321"), simfront::SimError::None);
}

TEST_F(TradeDeskTest, RefusedOrdersAreAnsweredWithReasonAndTheEchoedOrder) {
    const uint32_t client = h.LoggedIn("10001");
    const struct {
        const char* Name;
        trade::InputOrder Order;
        int16_t RspNo;
        const char* Text;
    } cases[] = {
        {"unknown instrument", LimitOrder("xx9999", 'B', 'O', 100, 1), 10, "unknown instrument: xx9999"},
        {"zero quantity", LimitOrder("cu2409", 'B', 'O', 72000, 0), 15, "the quantity must be positive"},
        {"negative quantity", LimitOrder("cu2409", 'B', 'O', 72000, -2), 15, "the quantity must be positive"},
        {"off the tick grid", LimitOrder("cu2409", 'B', 'O', 72005, 1), 17, "not on the tick grid: tick 10"},
        {"above the limit", LimitOrder("cu2409", 'B', 'O', 77050, 1), 18,
         "outside the daily limits: 66960 to 77040"},
        {"zero price", LimitOrder("cu2409", 'S', 'O', 0, 1), 18, "outside the daily limits"},
        {"insufficient funds", LimitOrder("cu2409", 'B', 'O', 72000, 1000), 19, "insufficient funds: needs"},
        {"nothing to close", LimitOrder("cu2409", 'S', 'C', 72000, 1), 20, "not enough position to close: 0"},
        {"bad side", LimitOrder("cu2409", 'X', 'O', 72000, 1), 12, "BSFlag"},
        {"above the per-order limit", LimitOrder("cu2409", 'B', 'O', 72000, 1001), 16, "at most 1000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::vector<Payload> reply = Order(client, c.Order, 31);
        ASSERT_EQ(reply.size(), 1u) << "a refusal is one reply and no notification";
        EXPECT_EQ(ServiceOf(reply[0]), 123);
        EXPECT_EQ(RequestIDOf(reply[0]), 31);
        EXPECT_EQ(InfoOf(reply[0]).RspNo, c.RspNo);
        EXPECT_NE(TextOf(InfoOf(reply[0]).RspDesc).find(c.Text), std::string::npos)
            << TextOf(InfoOf(reply[0]).RspDesc);
        EXPECT_EQ(TextOf(RecordOf<trade::InputOrder>(reply[0]).InstrumentID), TextOf(c.Order.InstrumentID));
    }
    trade::InputOrder wrongExchange = LimitOrder("cu2409", 'B', 'O', 72000, 1);
    std::strcpy(wrongExchange.ExchangeID, "DCE");
    EXPECT_EQ(InfoOf(Order(client, wrongExchange).at(0)).RspNo, 11);
    EXPECT_EQ(InfoOf(Order(h.Connect(), LimitOrder("cu2409", 'B', 'O', 72000, 1)).at(0)).RspNo, 1);
}

TEST_F(TradeDeskTest, AnOrderCrossingTheSyntheticOfferFillsAndOpensAPosition) {
    const uint32_t client = h.LoggedIn("10001");
    MoveMarket("cu2409", 7200);  // bid 72000, offer 72010
    trade::InputOrder in = LimitOrder("cu2409", 'B', 'O', 72010, 1, "7");
    in.SessionID = 0x0000000100000001;
    const std::vector<Payload> out = Order(client, in);
    const auto orders = CCoreHarness::OrdersIn(out);
    const auto trades = CCoreHarness::TradesIn(out);
    ASSERT_EQ(orders.size(), 2u);
    ASSERT_EQ(trades.size(), 1u);
    EXPECT_EQ(out.size(), 3u) << "accepted orders get no reply, only notifications";
    EXPECT_EQ(orders[0].OrderStatus, 'I');
    EXPECT_EQ(orders[0].QtyLeft, 1);
    EXPECT_EQ(orders[1].OrderStatus, 'F');
    EXPECT_EQ(orders[1].QtyLeft, 0);
    EXPECT_EQ(orders[1].AvgPrice, 72010);
    EXPECT_EQ(TextOf(orders[1].OrderRef), "7");
    EXPECT_EQ(orders[1].SessionID, 0x0000000100000001);
    EXPECT_EQ(TextOf(orders[1].ExchangeID), "SHFE");
    EXPECT_EQ(TextOf(orders[1].OrderSysID), "000000000001");
    EXPECT_EQ(TextOf(orders[1].OrderID), "1");
    EXPECT_EQ(trades[0].Price, 72010);
    EXPECT_EQ(TextOf(trades[0].OrderSysID), "000000000001");
    // The notifications are numbered on the account's private flow, after nothing.
    for (size_t i = 0; i < out.size(); ++i)
        EXPECT_EQ(EndFlagOf(out[i]), static_cast<int32_t>(i + 1));

    const std::vector<Payload> posi = h.Send(client, Request<141>(trade::PosiQueryReq{}));
    ASSERT_EQ(posi.size(), 1u);
    const auto positions = ListOf<trade::Posi>(posi[0], fld::PosiList.Tag);
    ASSERT_EQ(positions.size(), 1u);
    EXPECT_EQ(positions[0].BSFlag, 'B');
    EXPECT_EQ(positions[0].Qty, 1);
    EXPECT_DOUBLE_EQ(positions[0].Margin, 72010 * 5 * 0.10);
    EXPECT_DOUBLE_EQ(positions[0].Fee, 72010 * 5 * 0.00005);

    const auto fund =
        ListOf<trade::Fund>(h.Send(client, Request<143>(trade::FundQueryReq{})).at(0), fld::FundList.Tag);
    ASSERT_EQ(fund.size(), 1u);
    EXPECT_DOUBLE_EQ(fund[0].Margin, positions[0].Margin);
    EXPECT_DOUBLE_EQ(fund[0].Fee, positions[0].Fee);
    EXPECT_LE(fund[0].FreeBalance, 10000000 - fund[0].Margin - fund[0].Fee + 1e-6);

    // Closing the lot at a higher bid books the profit.
    MoveMarket("cu2409", 7210);  // bid 72100
    const auto closing = CCoreHarness::OrdersIn(Order(client, LimitOrder("cu2409", 'S', 'C', 72100, 1)));
    ASSERT_EQ(closing.back().OrderStatus, 'F');
    const auto after =
        ListOf<trade::Posi>(h.Send(client, Request<141>(trade::PosiQueryReq{})).at(0), fld::PosiList.Tag);
    ASSERT_EQ(after.size(), 1u);
    EXPECT_EQ(after[0].Qty, 0);
    EXPECT_DOUBLE_EQ(after[0].ClosedPL, 90 * 5);
}

TEST_F(TradeDeskTest, TwoAccountsTradeWithEachOtherAtTheRestingPrice) {
    const uint32_t a = h.LoggedIn("10001");
    const uint32_t b = h.LoggedIn("10002");
    MoveMarket("cu2409", 7200);  // synthetic offer 72010
    const auto resting = CCoreHarness::OrdersIn(Order(a, LimitOrder("cu2409", 'S', 'O', 72010, 3)));
    ASSERT_EQ(resting.size(), 1u) << "below the synthetic bid nothing fills";

    const std::vector<Payload> bOut = Order(b, LimitOrder("cu2409", 'B', 'O', 72010, 2));
    const std::vector<Payload> aOut = h.Take(a);
    const auto bTrades = CCoreHarness::TradesIn(bOut);
    const auto aTrades = CCoreHarness::TradesIn(aOut);
    ASSERT_EQ(bTrades.size(), 1u) << "the resting order comes before the synthetic level at its price";
    ASSERT_EQ(aTrades.size(), 1u);
    EXPECT_EQ(TextOf(aTrades[0].MatchID), TextOf(bTrades[0].MatchID));
    EXPECT_EQ(aTrades[0].BSFlag, 'S');
    EXPECT_EQ(aTrades[0].Qty, 2);
    const auto aOrders = CCoreHarness::OrdersIn(aOut);
    ASSERT_EQ(aOrders.size(), 1u);
    EXPECT_EQ(aOrders[0].OrderStatus, 'I');
    EXPECT_EQ(aOrders[0].QtyLeft, 1);
    EXPECT_EQ(h.Take(b).size(), 0u);
}

TEST_F(TradeDeskTest, CancellationStopsARestingOrderOnceAndFreesItsMoney) {
    const uint32_t client = h.LoggedIn("10001");
    MoveMarket("cu2409", 7200);
    const auto placed = CCoreHarness::OrdersIn(Order(client, LimitOrder("cu2409", 'B', 'O', 71000, 2, "r1")));
    ASSERT_EQ(placed.size(), 1u);
    const auto frozen =
        ListOf<trade::Fund>(h.Send(client, Request<143>(trade::FundQueryReq{})).at(0), fld::FundList.Tag);
    EXPECT_DOUBLE_EQ(frozen.at(0).FrozenMargin, 2 * 71000 * 5 * 0.10);

    trade::OrderCancelReq cancel{};
    std::strcpy(cancel.OrderSysID, TextOf(placed[0].OrderSysID).c_str());
    const std::vector<Payload> out = h.Send(client, Request<127>(cancel));
    ASSERT_EQ(out.size(), 1u) << "an accepted cancellation has no reply";
    const auto cancelled = CCoreHarness::OrdersIn(out);
    ASSERT_EQ(cancelled.size(), 1u);
    EXPECT_EQ(cancelled[0].OrderStatus, 'C');
    EXPECT_EQ(cancelled[0].QtyLeft, 2);
    const auto freed =
        ListOf<trade::Fund>(h.Send(client, Request<143>(trade::FundQueryReq{})).at(0), fld::FundList.Tag);
    EXPECT_EQ(freed.at(0).FrozenMargin, 0);

    const std::vector<Payload> again = h.Send(client, Request<127>(cancel, 9));
    ASSERT_EQ(again.size(), 1u);
    EXPECT_EQ(ServiceOf(again[0]), 128);
    EXPECT_EQ(InfoOf(again[0]).RspNo, 31);
    EXPECT_EQ(TextOf(RecordOf<trade::OrderCancelRsp>(again[0]).OrderSysID), TextOf(placed[0].OrderSysID));

    std::strcpy(cancel.OrderSysID, "424242");
    EXPECT_EQ(InfoOf(h.Send(client, Request<127>(cancel)).at(0)).RspNo, 30);

    // By the session's own reference, as the trading library sends it.
    (void)Order(client, LimitOrder("cu2409", 'B', 'O', 71000, 1, "r2"));
    trade::OrderCancelReq byRef{};
    std::strcpy(byRef.OrderRef, "r2");
    byRef.SessionID = 0;
    EXPECT_EQ(CCoreHarness::OrdersIn(h.Send(client, Request<127>(byRef))).at(0).OrderStatus, 'C');
    // Another account's order is not found.
    const uint32_t other = h.LoggedIn("10002");
    std::strcpy(cancel.OrderSysID, TextOf(placed[0].OrderSysID).c_str());
    EXPECT_EQ(InfoOf(h.Send(other, Request<127>(cancel)).at(0)).RspNo, 30);
}

TEST_F(TradeDeskTest, RestingOrderFillsAtItsPriceWhenTheMarketComesToIt) {
    const uint32_t client = h.LoggedIn("10001");
    MoveMarket("cu2409", 7200);
    (void)Order(client, LimitOrder("cu2409", 'B', 'O', 71000, 1));
    MoveMarket("cu2409", 7095);  // offers from 70960 up, below the bid of 71000
    h.Core->Trading().CrossResting();
    const std::vector<Payload> out = h.Take(client);
    const auto trades = CCoreHarness::TradesIn(out);
    ASSERT_EQ(trades.size(), 1u);
    EXPECT_EQ(trades[0].Price, 71000);
    EXPECT_EQ(CCoreHarness::OrdersIn(out).back().OrderStatus, 'F');
}

TEST_F(TradeDeskTest, ImmediateOrdersCancelWhatDoesNotFillAtOnce) {
    const uint32_t client = h.LoggedIn("10001");
    MoveMarket("cu2409", 7200);
    trade::InputOrder ioc = LimitOrder("cu2409", 'B', 'O', 72010, 100);
    ioc.TimeCondition = '1';
    const auto orders = CCoreHarness::OrdersIn(Order(client, ioc));
    EXPECT_EQ(orders.back().OrderStatus, 'C');
    EXPECT_GT(orders.back().QtyLeft, 0) << "one synthetic level holds at most 60 lots";
    EXPECT_LT(orders.back().QtyLeft, 100);

    trade::InputOrder market = LimitOrder("cu2409", 'S', 'C', 0, 1);
    market.PriceType = 'M';
    const auto closing = CCoreHarness::OrdersIn(Order(client, market));
    EXPECT_EQ(closing.back().OrderStatus, 'F');
}

TEST_F(TradeDeskTest, FlowSubscriptionReplaysFromTheAskedPositionWithoutLossOrDuplicate) {
    const uint32_t first = h.LoggedIn("10001");
    std::vector<Payload> sent;
    for (int i = 0; i < 3; ++i) {
        const std::vector<Payload> out = Order(first, LimitOrder("cu2409", 'B', 'O', 70000, 1));
        sent.insert(sent.end(), out.begin(), out.end());
    }
    ASSERT_EQ(sent.size(), 3u);

    const uint32_t resumed = h.LoggedIn("10001", false);
    const std::vector<Payload> replay = h.Send(resumed, FlowSubscription({{1, 1}, {2, 3}}));
    ASSERT_EQ(replay.size(), 1u + 2u + 2u);
    EXPECT_EQ(ServiceOf(replay[0]), 4);
    const auto granted = ListOf<trade::FlowSubscribeRsp>(replay[0], fld::FlowSubscribeRspList.Tag);
    ASSERT_EQ(granted.size(), 2u);
    EXPECT_EQ(granted[0].FlowID, 1);
    EXPECT_EQ(granted[0].PkgNo, 1);
    EXPECT_EQ(granted[1].PkgNo, 3);
    EXPECT_EQ(replay[1], sent[1]);
    EXPECT_EQ(replay[2], sent[2]);
    // The public flow holds one market status per exchange.
    EXPECT_EQ(ServiceOf(replay[3]), 2);
    EXPECT_EQ(RequestIDOf(replay[3]), 129);
    EXPECT_EQ(EndFlagOf(replay[4]), 5);

    const uint32_t fresh = h.LoggedIn("10001", false);
    const std::vector<Payload> onlyNew = h.Send(fresh, FlowSubscription({{1, -1}}));
    ASSERT_EQ(onlyNew.size(), 1u);
    EXPECT_EQ(ListOf<trade::FlowSubscribeRsp>(onlyNew[0], fld::FlowSubscribeRspList.Tag).at(0).PkgNo, 3)
        << "asking for new packages only is granted the last one, so the next is taken";

    (void)Order(first, LimitOrder("cu2409", 'B', 'O', 70000, 1));
    for (const uint32_t client : {resumed, fresh}) {
        const std::vector<Payload> live = h.Take(client);
        ASSERT_EQ(live.size(), 1u);
        EXPECT_EQ(EndFlagOf(live[0]), 4);
    }
    EXPECT_EQ(h.Take(h.LoggedIn("10002")).size(), 0u) << "another account's flow stays its own";
}

TEST_F(TradeDeskTest, LongQueryRepliesAreSplitAcrossPackages) {
    const uint32_t client = h.LoggedIn("10001", false);
    constexpr int Orders = 40;
    for (int i = 0; i < Orders; ++i)
        (void)Order(client, LimitOrder("rb2410", 'B', 'O', 3400, 1));
    const std::vector<Payload> reply = h.Send(client, Request<137>(trade::OrderQueryReq{}, 5));
    ASSERT_GT(reply.size(), 1u);
    size_t items = 0;
    for (size_t i = 0; i < reply.size(); ++i) {
        EXPECT_LE(reply[i].size(), MaxPayloadLength);
        EXPECT_EQ(EndFlagOf(reply[i]), i + 1 < reply.size() ? 1 : 0);
        items += ListOf<trade::Order>(reply[i], fld::OrderList.Tag).size();
    }
    EXPECT_EQ(items, static_cast<size_t>(Orders));
}

TEST_F(TradeDeskTest, ReferenceQueriesFilterByInstrumentAndExchange) {
    const uint32_t client = h.LoggedIn("10001", false);
    trade::InstrumentQueryReq one{};
    std::strcpy(one.InstrumentID, "au2410");
    const auto au =
        ListOf<trade::Instrument>(h.Send(client, Request<145>(one)).at(0), fld::InstrumentList.Tag);
    ASSERT_EQ(au.size(), 1u);
    EXPECT_EQ(au[0].MinMovement, 0.02);
    EXPECT_EQ(au[0].TradeUnit, 1000);
    EXPECT_EQ(TextOf(au[0].GoodsName), "au");
    EXPECT_EQ(au[0].OverNightFeeType, 0);

    trade::ExchangeQueryReq cffex{};
    std::strcpy(cffex.ExchangeID, "CFFEX");
    const auto exchanges =
        ListOf<trade::Exchange>(h.Send(client, Request<303>(cffex)).at(0), fld::ExchangeList.Tag);
    ASSERT_EQ(exchanges.size(), 1u);
    trade::ProductQueryReq options{};
    options.InstrumentType = 'O';
    EXPECT_EQ(
        ListOf<trade::Product>(h.Send(client, Request<301>(options)).at(0), fld::ProductList.Tag).size(), 3u);
    trade::InvestorMarginRateQueryReq margin{};
    std::strcpy(margin.ExchangeID, "DCE");
    EXPECT_EQ(ListOf<trade::InvestorMarginRate>(h.Send(client, Request<307>(margin)).at(0),
                                                fld::InvestorMarginRateList.Tag)
                  .size(),
              3u);
    trade::QuotQueryReq quote{};
    std::strcpy(quote.InstrumentID, "IF2409");
    const auto quotes = ListOf<trade::Quot>(h.Send(client, Request<131>(quote)).at(0), fld::QuotList.Tag);
    ASSERT_EQ(quotes.size(), 1u);
    EXPECT_EQ(TextOf(quotes[0].ExchangeID), "CFFEX");
    EXPECT_GT(quotes[0].AskPrice, quotes[0].BidPrice);
}

TEST_F(TradeDeskTest, UnservedAndMalformedRequestsLeaveTheSessionWorking) {
    const uint32_t client = h.LoggedIn("10001", false);
    const std::vector<Payload> notOffered = h.Send(client, AnyRequest(161, trade::BulletinQueryReq{}, 3));
    ASSERT_EQ(notOffered.size(), 1u);
    EXPECT_EQ(ServiceOf(notOffered[0]), 162);
    EXPECT_EQ(InfoOf(notOffered[0]).RspNo, 90);
    EXPECT_TRUE(h.Send(client, AnyRequest(9999, trade::BulletinQueryReq{})).empty());
    EXPECT_TRUE(h.Send(client, Hex("de ad be ef 00 01 02")).empty());
    EXPECT_TRUE(h.Send(client, Payload{}).empty());
    EXPECT_EQ(h.Send(client, Request<143>(trade::FundQueryReq{})).size(), 1u);
    EXPECT_EQ(InfoOf(h.Send(h.Connect(), Request<143>(trade::FundQueryReq{})).at(0)).RspNo, 1)
        << "queries need a login";
}

}  // namespace
}  // namespace simtest
