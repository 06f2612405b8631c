#include "tests/quot/api/QuoteFixtures.h"

#include <cmath>
#include <cstring>

#include <gtest/gtest.h>

namespace quotefix {

namespace {

constexpr uint16_t PushedQuoteServiceNo = 125, LoginReplyServiceNo = 117, LogoutReplyServiceNo = 119;

// Levels 1 to 10 of the full quote: bid price 100 n + 0.25, bid quantity 10 n + 1, ask price
// 100 n + 0.75, ask quantity 10 n + 2.
double BidPriceOf(int level) {
    return 100.0 * level + 0.25;
}
double AskPriceOf(int level) {
    return 100.0 * level + 0.75;
}

// Tags of level n in binding order (bid price, bid quantity, ask price, ask quantity).
struct LevelTags {
    uint16_t BidPrice, BidQty, AskPrice, AskQty;
};
LevelTags TagsOfLevel(int level) {
    if (level == 1) return {1083, 1099, 1084, 1100};
    const uint16_t base = static_cast<uint16_t>(level <= 5 ? 1622 + 4 * (level - 2) : 1640 + 4 * (level - 6));
    return {base, static_cast<uint16_t>(base + 2), static_cast<uint16_t>(base + 1),
            static_cast<uint16_t>(base + 3)};
}

Bytes Level(int level) {
    const LevelTags t = TagsOfLevel(level);
    return Cat({DoubleField(t.BidPrice, BidPriceOf(level)), IntField(t.BidQty, 10 * level + 1),
                DoubleField(t.AskPrice, AskPriceOf(level)), IntField(t.AskQty, 10 * level + 2)});
}

}  // namespace

Bytes TextField(uint16_t tag, const std::string& text) {
    return Element(tag, Text(text));
}

Bytes IntField(uint16_t tag, int32_t value) {
    return Element(tag, BigEndian(static_cast<uint32_t>(value), 4));
}

Bytes LongField(uint16_t tag, int64_t value) {
    return Element(tag, BigEndian(static_cast<uint64_t>(value), 8));
}

Bytes DoubleField(uint16_t tag, double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return Element(tag, BigEndian(bits, 8));
}

Bytes RspInfoElement(int16_t rspNo, const std::string& text) {
    return Element(tag::RspInfo, Cat({Element(tag::RspNo, BigEndian(static_cast<uint16_t>(rspNo), 2)),
                                      TextField(tag::RspDesc, text)}));
}

Bytes LoginRequest(int32_t requestId, const std::string& investorId, const std::string& password) {
    const Bytes record = Cat({TextField(1034, investorId),     // InvestorID
                              TextField(1035, password),       // InvestorPassword
                              TextField(1660, ""),             // IP
                              Element(1681, Bytes{0}),         // ProductType, one character
                              IntField(1682, 0)});             // ProductVersion
    return Payload(116, requestId, 0, Element(1032, record));  // LoginReq
}

Bytes LogoutRequest(int32_t requestId, const std::string& investorId) {
    return Payload(118, requestId, 0, Element(1037, TextField(tag::InvestorID, investorId)));  // LogoutReq
}

Bytes SubscribeRequest(uint16_t serviceNo, const std::string& instrument) {
    const uint16_t recordTag = serviceNo == 7 ? 1017 : 1019;  // QuotSubscribeReq, QuotUnSubscribeReq
    return Payload(
        serviceNo, 0, 0,
        Element(recordTag, Cat({TextField(tag::InvestorID, ""), TextField(tag::InstrumentID, instrument)})));
}

Bytes PushedQuote(const Bytes& quotFields) {
    return Payload(PushedQuoteServiceNo, 0, 0, Element(tag::Quot, quotFields));
}

Bytes FullQuoteFields() {
    Bytes fields = Cat({
        TextField(1072, "M000123"),     // MatchID
        TextField(1081, "2024-03-15"),  // TradeDate
        TextField(1046, "cu2405"),      // InstrumentID
        DoubleField(1047, 70010.5),     // Price
        IntField(1048, 3),              // Qty
    });
    fields = Cat({fields, Level(1)});
    fields = Cat({
        fields, DoubleField(1093, 69900.0),       // OpenPrice
        DoubleField(1094, 70100.0),               // HighestPrice
        DoubleField(1095, 69800.0),               // LowestPrice
        DoubleField(1214, 73000.0),               // HighLimit
        DoubleField(1215, 66000.0),               // LowLimit
        LongField(1088, -1),                      // OI
        DoubleField(1091, 70000.25),              // SettlePrice
        DoubleField(1092, 69950.0),               // PreClose
        DoubleField(1085, 69940.0),               // PreSettle
        LongField(1086, 123456789012),            // PreOI
        LongField(1087, (int64_t{1} << 32) + 5),  // QtyTotal
        DoubleField(1089, 1.5e9),                 // Amount
        TextField(1062, "2024-03-14"),            // ModifyDate
        TextField(1063, "21:00:01"),              // ModifyTime
    });
    for (int level = 2; level <= 10; ++level)
        fields = Cat({fields, Level(level)});      // AskQty5 is tag 1637
    return Cat({fields, Element(1045, Text("B")),  // BSFlag
                TextField(1637, "SHFEXXXXXYZ")});  // ExchangeID, tag 1637 again
}

void ExpectFullQuoteSnapshot(const CZantuVextMarketSnapshot& s) {
    EXPECT_STREQ(s.TradingDate, "20240315");
    EXPECT_STREQ(s.InstrumentCode, "cu2405");
    EXPECT_STREQ(s.ExchangeCode, "SHFEXXXX");  // 8 of 11 characters
    EXPECT_EQ(s.LastTradePrice, 70010.5);
    EXPECT_EQ(s.PriorSettle, 69940.0);
    EXPECT_EQ(s.PriorClose, 69950.0);
    EXPECT_EQ(s.PriorOpenInterest, 123456789012.0);
    EXPECT_EQ(s.SessionOpen, 69900.0);
    EXPECT_EQ(s.SessionHigh, 70100.0);
    EXPECT_EQ(s.SessionLow, 69800.0);
    EXPECT_EQ(s.TotalVolume, 5);  // low 32 bits of 2^32 + 5
    EXPECT_EQ(s.TotalTurnover, 1.5e9);
    EXPECT_EQ(s.CurrentOpenInterest, std::ldexp(1.0, 64));  // -1 read as unsigned
    EXPECT_EQ(s.LastPriceCopy, 70010.5);
    EXPECT_EQ(s.CurrentSettle, 70000.25);
    EXPECT_EQ(s.LimitUp, 73000.0);
    EXPECT_EQ(s.LimitDown, 66000.0);
    EXPECT_STREQ(s.SnapshotTime, "21:00:01");
    EXPECT_STREQ(s.ChangeDate, "20240314");
    const double* prices[][2] = {{&s.Bid1Price, &s.Ask1Price},
                                 {&s.Bid2Price, &s.Ask2Price},
                                 {&s.Bid3Price, &s.Ask3Price},
                                 {&s.Bid4Price, &s.Ask4Price},
                                 {&s.Bid5Price, &s.Ask5Price}};
    const int* quantities[][2] = {{&s.Bid1Qty, &s.Ask1Qty},
                                  {&s.Bid2Qty, &s.Ask2Qty},
                                  {&s.Bid3Qty, &s.Ask3Qty},
                                  {&s.Bid4Qty, &s.Ask4Qty},
                                  {&s.Bid5Qty, &s.Ask5Qty}};
    for (int level = 1; level <= 5; ++level) {
        SCOPED_TRACE(level);
        EXPECT_EQ(*prices[level - 1][0], BidPriceOf(level));
        EXPECT_EQ(*prices[level - 1][1], AskPriceOf(level));
        EXPECT_EQ(*quantities[level - 1][0], 10 * level + 1);
        EXPECT_EQ(*quantities[level - 1][1], 10 * level + 2);  // Ask5Qty 52 beside ExchangeID on 1637
    }
    // Reserved stretches and padding are zero, so nothing of levels 6 to 10 is anywhere in the record.
    const auto* bytes = reinterpret_cast<const uint8_t*>(&s);
    const size_t zeroStretches[][2] = {{49, 31}, {140, 4}, {192, 16}, {217, 7}, {236, 4}, {252, 4},
                                       {268, 4}, {284, 4}, {300, 4},  {316, 4}, {332, 4}, {348, 4},
                                       {364, 4}, {380, 4}, {384, 8},  {401, 7}};
    for (const auto& stretch : zeroStretches)
        for (size_t i = stretch[0]; i < stretch[0] + stretch[1]; ++i)
            EXPECT_EQ(bytes[i], 0) << "byte " << i;
}

Bytes LoginReply(int32_t requestId, const std::string& tradeDate, int16_t rspNo, int64_t sessionId) {
    const Bytes login =
        Element(tag::LoginRsp, Cat({TextField(tag::TradeDate, tradeDate), TextField(tag::SysName, "front-1"),
                                    LongField(tag::SessionID, sessionId)}));
    return Payload(LoginReplyServiceNo, requestId, 1,
                   Cat({login, RspInfoElement(rspNo, rspNo ? "login failed" : "")}));
}

Bytes LogoutReply(int32_t requestId, const std::string& investorId) {
    return Payload(
        LogoutReplyServiceNo, requestId, 1,
        Cat({Element(tag::LogoutRsp, TextField(tag::InvestorID, investorId)), RspInfoElement(0, "")}));
}

Bytes SubscribeReply(uint16_t serviceNo, int32_t requestId, const std::string& instrument, bool withRspInfo) {
    const uint16_t recordTag = serviceNo == 8 ? tag::QuotSubscribeRsp : tag::QuotUnSubscribeRsp;
    Bytes body = Element(recordTag, TextField(tag::InstrumentID, instrument));
    if (withRspInfo) body = Cat({body, RspInfoElement(0, "")});
    return Payload(serviceNo, requestId, 1, body);
}

}  // namespace quotefix
