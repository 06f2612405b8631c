// The market-data protocol of the simulated front: login, subscription replies and the quotes pushed
// to subscribers.
#include "tools/simfront/QuoteDesk.h"

#include <cstring>

#include <gtest/gtest.h>

#include "tests/tools/simfront/CoreHarness.h"

namespace simtest {
namespace {

using simfront::Channel;
using simfront::TextOf;

Payload Subscribe(const char* instrument, bool subscribe = true) {
    if (!subscribe) {
        quot::QuotUnSubscribeReq req{};
        std::strcpy(req.InstrumentID, instrument);
        return AnyRequest(9, req, 0);
    }
    quot::QuotSubscribeReq req{};
    std::strcpy(req.InstrumentID, instrument);
    return AnyRequest(7, req, 0);
}

quot::RspInfo QuotInfoOf(const Payload& p) {
    COpened opened(p);
    quot::RspInfo info{};
    (void)ReadElement(*opened, info);
    return info;
}

TEST(QuoteDesk, SubscribersGetAQuoteAtOnceAndAfterEveryStep) {
    CCoreHarness h;
    const uint32_t client = h.Connect(Channel::Quote);
    EXPECT_EQ(QuotInfoOf(h.Send(client, Subscribe("cu2409")).at(0)).RspNo, 1) << "subscribing needs a login";

    const std::vector<Payload> loggedIn = h.Send(client, QuoteLoginRequest("10001", 4));
    ASSERT_EQ(loggedIn.size(), 1u);
    EXPECT_EQ(ServiceOf(loggedIn[0]), 117);
    EXPECT_EQ(QuotInfoOf(loggedIn[0]).RspNo, 0);
    EXPECT_EQ(TextOf(RecordOf<quot::LoginRsp>(loggedIn[0]).TradeDate), TestTradeDate);

    const std::vector<Payload> unknown = h.Send(client, Subscribe("zz1"));
    ASSERT_EQ(unknown.size(), 1u);
    EXPECT_EQ(ServiceOf(unknown[0]), 8);
    EXPECT_EQ(QuotInfoOf(unknown[0]).RspNo, 10);
    EXPECT_EQ(TextOf(RecordOf<quot::QuotSubscribeRsp>(unknown[0]).InstrumentID), "zz1");

    const std::vector<Payload> subscribed = h.Send(client, Subscribe("cu2409"));
    ASSERT_EQ(subscribed.size(), 2u);
    EXPECT_EQ(QuotInfoOf(subscribed[0]).RspNo, 0);
    EXPECT_EQ(ServiceOf(subscribed[1]), 125);
    const auto quote = RecordOf<quot::Quot>(subscribed[1]);
    EXPECT_EQ(TextOf(quote.InstrumentID), "cu2409");
    EXPECT_EQ(TextOf(quote.ExchangeID), "SHFE") << "ExchangeID and AskQty5 share a tag and both arrive";
    EXPECT_GT(quote.AskQty5, 0);
    EXPECT_EQ(quote.AskPrice5 - quote.AskPrice, 40);
    EXPECT_EQ(quote.HighLimit, 77040);
    EXPECT_EQ(quote.PreSettle, 72000);
    EXPECT_EQ(TextOf(quote.ModifyTime), "09:30:00");

    h.Core->Tick();
    const std::vector<Payload> stepped = h.Take(client);
    ASSERT_EQ(stepped.size(), 1u);
    EXPECT_EQ(ServiceOf(stepped[0]), 125);

    const std::vector<Payload> unsubscribed = h.Send(client, Subscribe("cu2409", false));
    ASSERT_EQ(unsubscribed.size(), 1u);
    EXPECT_EQ(ServiceOf(unsubscribed[0]), 10);
    h.Core->Tick();
    EXPECT_TRUE(h.Take(client).empty());
}

TEST(QuoteDesk, QuotesShowRestingOrdersInTheDepth) {
    CCoreHarness h;
    const uint32_t trader = h.LoggedIn("10002");
    h.Core->Market().Synthetic.MoveTo(*h.Core->Market().Find("cu2409"), 7200);
    const int32_t syntheticAsk = h.Core->Market().Synthetic.At(*h.Core->Market().Find("cu2409")).Asks[0].Qty;
    (void)h.Send(trader, Request<122>(LimitOrder("cu2409", 'S', 'O', 72010, 7)));

    const uint32_t client = h.Connect(Channel::Quote);
    (void)h.Send(client, QuoteLoginRequest("10001"));
    const auto quote = RecordOf<quot::Quot>(h.Send(client, Subscribe("cu2409")).at(1));
    EXPECT_EQ(quote.AskPrice, 72010);
    EXPECT_EQ(quote.AskQty, syntheticAsk + 7);
}

}  // namespace
}  // namespace simtest
