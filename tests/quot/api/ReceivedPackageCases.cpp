#include "tests/quot/api/ReceivedPackageCases.h"

#include <climits>
#include <cstring>

#include <gtest/gtest.h>

#include "tests/quot/api/QuoteFixtures.h"

using namespace quotefix;

std::vector<ReceivedPackageCase> ReceivedPackageCases() {
    const auto snapshot = [](const MdEvent& e) {
        EXPECT_TRUE(e.HasRecord);
        return e.As<CZantuVextMarketSnapshot>();
    };
    return {
        {"full quote: dates, counts, cut texts, five levels, shared tag 1637", PushedQuote(FullQuoteFields()),
         "OnMarketSnapshot",
         [=](const MdEvent& e, CZantuVextMdApi&) { ExpectFullQuoteSnapshot(snapshot(e)); }},
        {"eight-digit trade date passes through, QtyTotal 2^31",
         PushedQuote(
             Cat({TextField(tag::TradeDate, "20240315"), LongField(tag::QtyTotal, int64_t{1} << 31)})),
         "OnMarketSnapshot",
         [=](const MdEvent& e, CZantuVextMdApi&) {
             const CZantuVextMarketSnapshot s = snapshot(e);
             EXPECT_STREQ(s.TradingDate, "20240315");
             EXPECT_EQ(s.TotalVolume, INT_MIN);
         }},
        {"only level 6 has a bid", PushedQuote(DoubleField(tag::BidPrice6, 99.5)), "OnMarketSnapshot",
         [=](const MdEvent& e, CZantuVextMdApi&) {
             const Bytes zero(sizeof(CZantuVextMarketSnapshot), 0);
             EXPECT_BYTES(e.Record.data(), e.Record.size(), zero);
         }},
        {"quote package without Quot", Payload(125, 0, 0, RspInfoElement(0, "")), "OnMarketSnapshot",
         [=](const MdEvent& e, CZantuVextMdApi&) {
             const Bytes zero(sizeof(CZantuVextMarketSnapshot), 0);
             EXPECT_BYTES(e.Record.data(), e.Record.size(), zero);
         }},
        {"subscribe reply without RspInfo", SubscribeReply(8, 0, "cu2405", false), "OnSubscribeReply",
         [](const MdEvent& e, CZantuVextMdApi&) {
             EXPECT_TRUE(e.HasRecord);
             EXPECT_FALSE(e.HasStatus);
             EXPECT_STREQ(e.As<CZantuVextInstrumentId>().InstrumentCode, "cu2405");
             EXPECT_TRUE(e.IsLast);
         }},
        {"login reply sets the trading day", LoginReply(7, "2024-03-15", 0, (int64_t{3} << 32) | 9),
         "OnLoginReply",
         [](const MdEvent& e, CZantuVextMdApi& api) {
             EXPECT_STREQ(api.CurrentTradingDay(), "20240315");
             const auto reply = e.As<CZantuVextLoginReply>();
             EXPECT_STREQ(reply.TradingDate, "20240315");
             EXPECT_STREQ(reply.ServerName, "front-1");
             EXPECT_EQ(reply.FrontNumber, 3);
             EXPECT_EQ(reply.SessionNumber, 9);
             EXPECT_EQ(e.RequestId, 7);
             EXPECT_EQ(e.Status.ErrorCode, 0);
         }},
        {"failed login reply sets the trading day too", LoginReply(8, "2024-03-18", -1), "OnLoginReply",
         [](const MdEvent& e, CZantuVextMdApi& api) {
             EXPECT_STREQ(api.CurrentTradingDay(), "20240318");
             EXPECT_TRUE(e.HasRecord);
             EXPECT_EQ(e.Status.ErrorCode, 65535);
             EXPECT_STREQ(e.Status.ErrorText, "login failed");
         }},
    };
}
