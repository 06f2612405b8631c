// Account and reference-data queries over a fake session: which members of each request are read
// (at their contract offsets), what the session receives, the product classes refused locally, and every
// reply record built from its session record.
#include <string>

#include <gtest/gtest.h>

#include "tests/trade/api/FacadeFixture.h"

namespace {

using Queries = FacadeTest;

constexpr size_t None = SIZE_MAX;

// A request record whose every byte is 'z' except the two texts, each written at its offset with a NUL.
template <typename Query>
Query RequestBytes(size_t instrumentAt, size_t exchangeAt) {
    Query query;
    std::memset(&query, 'z', sizeof query);
    auto* bytes = reinterpret_cast<char*>(&query);
    if (instrumentAt != None) std::memcpy(bytes + instrumentAt, "rb2410", 7);
    std::memcpy(bytes + exchangeAt, "SHFE", 5);
    return query;
}

template <typename Query, typename SessionQuery>
void ExpectQuery(CZantuVextTraderApi* api, const FakeTradeSessionLog& log,
                 int (CZantuVextTraderApi::*operation)(Query*, int), const char* sessionOperation,
                 size_t instrumentAt, size_t exchangeAt) {
    SCOPED_TRACE(sessionOperation);
    Query query = RequestBytes<Query>(instrumentAt, exchangeAt);
    EXPECT_EQ((api->*operation)(&query, 61), 0);
    const auto calls = log.Calls(sessionOperation);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].RequestId, 61);
    SessionQuery expected{};
    if constexpr (requires { expected.InvestorID; }) SetText(expected.InvestorID, "U1");
    if constexpr (requires { expected.InstrumentID; }) SetText(expected.InstrumentID, "rb2410");
    SetText(expected.ExchangeID, "SHFE");
    EXPECT_EQ(std::memcmp(calls[0].Record.data(), &expected, sizeof expected), 0);
}

TEST_F(Queries, EachQueryReadsItsMembersAtTheirOffsets) {
    LogIn();
    using Api_ = CZantuVextTraderApi;
    ExpectQuery<CZantuVextPositionQuery, trade::PosiQueryReq>(Api, *Log, &Api_::QueryPositions, "QueryPosi",
                                                              24, 55);
    ExpectQuery<CZantuVextMarginRateQuery, trade::InvestorMarginRateQueryReq>(
        Api, *Log, &Api_::QueryMarginRates, "QueryInvestorMarginRate", 24, 56);
    ExpectQuery<CZantuVextFeeRateQuery, trade::InvestorFeeRateQueryReq>(Api, *Log, &Api_::QueryFeeRates,
                                                                        "QueryInvestorFeeRate", 24, 55);
    ExpectQuery<CZantuVextExchangeQuery, trade::ExchangeQueryReq>(Api, *Log, &Api_::QueryExchange,
                                                                  "QueryExchange", None, 0);
    ExpectQuery<CZantuVextInstrumentQuery, trade::InstrumentQueryReq>(Api, *Log, &Api_::QueryInstrument,
                                                                      "QueryInstrument", 0, 31);
    ExpectQuery<CZantuVextSnapshotQuery, trade::QuotQueryReq>(Api, *Log, &Api_::QueryMarketSnapshot,
                                                              "QueryQuot", 0, 31);
    ExpectQuery<CZantuVextPositionDetailQuery, trade::PosiDetailQueryReq>(
        Api, *Log, &Api_::QueryPositionDetail, "QueryPosiDetail", 24, 55);
    ExpectQuery<CZantuVextExchangeMarginRateQuery, trade::ExchangeMarginRateQueryReq>(
        Api, *Log, &Api_::QueryExchangeMarginRates, "QueryExchangeMarginRate", 11, 43);
}

TEST_F(Queries, AccountQuerySendsOnlyTheUser) {
    LogIn();
    int ignored = 0x7A7A7A7A;
    EXPECT_EQ(Api->QueryAccount(&ignored, 62), 0);
    trade::FundQueryReq expected{};
    SetText(expected.InvestorID, "U1");
    const auto calls = Log->Calls("QueryFund");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(std::memcmp(calls[0].Record.data(), &expected, sizeof expected), 0);
}

TEST_F(Queries, ProductClassesDecideTheTypeOrARefusalOnTheCallbackThread) {
    struct Case {
        char productClass;
        bool sent;
        char instrumentType;
    };
    const Case cases[] = {
        {'1', true, 'F'}, {'2', true, 'O'}, {'3', false, 0}, {'4', false, 0},
        {'5', false, 0},  {'6', false, 0},  {'7', true, 0},  {'\0', true, 0},
    };
    Api->Init();
    int requestId = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(1, c.productClass));
        CZantuVextProductQuery query = RequestBytes<CZantuVextProductQuery>(None, 32);
        SetText(query.ProductCode, "rb0123456789");  // 12 characters: 10 are sent
        query.ProductClass = c.productClass;
        const size_t before = Log->Calls("QueryProduct").size();
        EXPECT_EQ(Api->QueryProduct(&query, ++requestId), 0);
        const auto calls = Log->Calls("QueryProduct");
        ASSERT_EQ(calls.size(), before + (c.sent ? 1 : 0));
        if (!c.sent) continue;
        trade::ProductQueryReq expected{};
        SetText(expected.ExchangeID, "SHFE");
        expected.InstrumentType = c.instrumentType;
        SetText(expected.ProductID, "rb01234567");
        EXPECT_EQ(std::memcmp(calls.back().Record.data(), &expected, sizeof expected), 0);
    }
    ASSERT_TRUE(User.WaitFor("OnProductQueryReply", 4));
    const auto refusals = User.Events("OnProductQueryReply");
    ASSERT_EQ(refusals.size(), 4u);
    for (size_t i = 0; i < refusals.size(); ++i) {
        EXPECT_EQ(refusals[i].Pointer, nullptr);
        EXPECT_EQ(refusals[i].Status.ErrorCode, 99);
        EXPECT_STREQ(refusals[i].Status.ErrorText, "Not supported");
        EXPECT_EQ(refusals[i].RequestId, static_cast<int>(i) + 3);
        EXPECT_TRUE(refusals[i].IsLast);
        EXPECT_NE(refusals[i].Thread, std::this_thread::get_id());
    }
}

// ---- Replies

const trade::RspInfo Ok{};

TEST_F(Queries, PositionReply) {
    LogIn();
    trade::Posi p{};
    SetText(p.TradeDate, "2024-01-01");
    SetText(p.InvestorID, "SERVERINV");
    SetText(p.ExchangeID, "SHFE");
    SetText(p.InstrumentID, "rb2410");
    p.BSFlag = 'S';
    p.Price = 1;
    p.Qty = 2;
    p.TodayQty = 3;
    p.QtyFrozen = 4;
    p.TodayQtyFrozen = 5;
    p.PreQty = 6;
    p.PrePrice = 7;
    p.ClosedPL = 8;
    p.FloatingPL = 9;
    p.Margin = 10;
    p.Fee = 11;
    p.FrozenMargin = 12;
    p.FeeFrozen = 13;
    p.Cost = 14;
    p.PreCost = 15;
    p.PositionDate = '2';
    p.LongFrozen = 16;
    p.ShortFrozen = 17;
    p.LongFrozenAmount = 18;
    p.ShortFrozenAmount = 19;
    p.OpenVolume = 20;
    p.CloseVolume = 21;
    p.OpenAmount = 22;
    p.CloseAmount = 23;
    p.PreMargin = 24;
    p.PreSettle = 25;
    p.SettlePrice = 26;
    p.OpenCost = 27;
    p.CloseProfitByDate = 28;
    p.CloseProfitByTrade = 29;
    p.MarginRateType = 'R';
    p.MarginRate = 0.12;
    p.PositionCostOffset = 30;
    p.CashIn = 31;
    p.FrozenCash = 32;
    Session().OnPosiQueryRsp(&p, &Ok, 63, 0);
    CZantuVextPosition e{};
    SetText(e.InstrumentCode, "rb2410");
    SetText(e.BrokerCode, "B1");
    SetText(e.InvestorCode, "U1");
    e.PositionSide = '3';
    e.Fixed56 = '1';
    e.PositionDay = '2';
    e.PriorQuantity = 6;
    e.Quantity = 2;
    e.LongFrozen = 16;
    e.ShortFrozen = 17;
    e.LongFrozenAmount = 18;
    e.ShortFrozenAmount = 19;
    e.OpenQuantity = 20;
    e.CloseQuantity = 21;
    e.OpenAmount = 22;
    e.CloseAmount = 23;
    e.PositionCost = 14;
    e.PriorMargin = 24;
    e.UsedMargin = 10;
    e.FrozenMargin = 12;
    e.FrozenCash = 32;
    e.CashIn = 31;
    e.ClosedProfit = 8;
    e.FloatingProfit = 9;
    e.PriorSettlePrice = 25;
    e.SettlePrice = 26;
    SetText(e.TradingDay, "20240315");
    e.OpenCost = 27;
    e.ExchangeMargin = 10;
    e.CloseProfitByDate = 28;
    e.CloseProfitByTrade = 29;
    e.TodayQuantity = 3;
    e.RatioMarginRate = 0.12;
    SetText(e.ExchangeCode, "SHFE");
    e.CostOffset = 30;
    const auto events = User.Events("OnPositionQueryReply");
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(std::memcmp(events[0].Record.data(), &e, sizeof e), 0);
    EXPECT_EQ(events[0].RequestId, 63);
    EXPECT_TRUE(events[0].IsLast);
}

TEST_F(Queries, MarginRatesOfPositionsAndDetailsByType) {
    struct Case {
        char type;
        double ratio;
        double amount;
    };
    const Case cases[] = {{'R', 0.12, 0.0}, {'A', 0.0, 0.12}, {'X', 0.0, 0.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(1, c.type));
        trade::Posi position{};
        position.MarginRateType = c.type;
        position.MarginRate = 0.12;
        position.BSFlag = 'B';
        position.PositionDate = '1';
        Session().OnPosiQueryRsp(&position, &Ok, 1, 0);
        const auto p = User.Events("OnPositionQueryReply").back().As<CZantuVextPosition>();
        EXPECT_EQ(p.RatioMarginRate, c.ratio);
        EXPECT_EQ(p.AmountMarginRate, c.amount);
        EXPECT_EQ(p.PositionSide, '2');
        EXPECT_EQ(p.PositionDay, '1');
        trade::PosiDetail detail{};
        detail.MarginRateType = c.type;
        detail.MarginRate = 0.12;
        Session().OnPosiDetailQueryRsp(&detail, &Ok, 1, 0);
        const auto d = User.Events("OnPositionDetailQueryReply").back().As<CZantuVextPositionDetail>();
        EXPECT_EQ(d.RatioMarginRate, c.ratio);
        EXPECT_EQ(d.AmountMarginRate, c.amount);
    }
}

TEST_F(Queries, AccountReply) {
    LogIn();
    trade::Fund f{};
    SetText(f.InvestorID, "SERVERINV");
    f.LastBalance = 1;
    f.FloatBalance = 2;
    f.FreeBalance = 3;
    f.Margin = 4;
    f.FrozenMargin = 5;
    f.Fee = 6;
    f.FeeFrozen = 7;
    f.ClosedPL = 8;
    f.FloatingPL = 9;
    f.ProfitLoss = 10;
    f.TotalPL = 11;
    f.FrozenBalance = 12;
    f.InAmount = 13;
    f.OutAmount = 14;
    f.OverNightFee = 15;
    f.PreMargin = 16;
    f.CashIn = 17;
    f.FrozenCash = 18;
    Session().OnFundQueryRsp(&f, &Ok, 64, 0);
    CZantuVextAccount e{};
    SetText(e.BrokerCode, "B1");
    SetText(e.InvestorCode, "U1");
    e.PriorBalance = 1;
    e.Deposit = 13;
    e.Withdrawal = 14;
    e.FrozenMargin = 5;
    e.FrozenCash = 18;
    e.FrozenFee = 7;
    e.UsedMargin = 4;
    e.CashIn = 17;
    e.Fee = 6;
    e.ClosedProfit = 8;
    e.FloatingProfit = 9;
    e.Balance = 2;
    e.Available = 3;
    SetText(e.TradingDay, "20240315");
    SetText(e.CurrencyCode, "CNY");
    const auto events = User.Events("OnAccountQueryReply");
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(std::memcmp(events[0].Record.data(), &e, sizeof e), 0);
}

TEST_F(Queries, PositionDetailReply) {
    LogIn();
    trade::PosiDetail d{};
    SetText(d.MatchID, std::string(30, 'M').c_str());
    SetText(d.InvestorID, "SERVERINV");
    SetText(d.InstrumentID, "rb2410");
    d.BSFlag = 'S';
    d.Qty = 9;
    d.QtyLeft = 4;
    d.Margin = 5;
    SetText(d.ExchangeID, "SHFE");
    d.CreatePrice = 6;
    SetText(d.CreateTradeDate, "2024-03-01");
    d.CloseProfitByDate = 7;
    d.CloseProfitByTrade = 8;
    d.PositionProfitByDate = 9;
    d.PositionProfitByTrade = 10;
    d.MarginRateType = 'A';
    d.MarginRate = 11;
    d.PreSettle = 12;
    d.SettlePrice = 13;
    d.CloseVolume = 14;
    d.CloseAmount = 15;
    d.TimeFirstVolume = 16;
    SetText(d.InvestorUnit, "UNIT");
    Session().OnPosiDetailQueryRsp(&d, &Ok, 65, 0);
    CZantuVextPositionDetail e{};
    SetText(e.InstrumentCode, "rb2410");
    SetText(e.BrokerCode, "B1");
    SetText(e.InvestorCode, "U1");
    e.Fixed55 = '1';
    e.Side = '1';
    SetText(e.OpenDate, "20240301");
    SetText(e.TradeCode, std::string(20, 'M').c_str());
    e.Quantity = 4;
    e.OpenPrice = 6;
    SetText(e.TradingDay, "20240315");
    e.Fixed120 = '0';
    SetText(e.ExchangeCode, "SHFE");
    e.CloseProfitByDate = 7;
    e.CloseProfitByTrade = 8;
    e.PositionProfitByDate = 9;
    e.PositionProfitByTrade = 10;
    e.UsedMargin = 5;
    e.ExchangeMargin = 5;
    e.AmountMarginRate = 11;
    e.PriorSettlePrice = 12;
    e.SettlePrice = 13;
    e.CloseQuantity = 14;
    e.CloseAmount = 15;
    e.FirstVolume = 16;
    SetText(e.UnitCode, "UNIT");
    const auto events = User.Events("OnPositionDetailQueryReply");
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(std::memcmp(events[0].Record.data(), &e, sizeof e), 0);
}

trade::Instrument ServerInstrument() {
    trade::Instrument i{};
    SetText(i.InstrumentID, "rb2410");
    SetText(i.InstrumentName, std::string(30, 'N').c_str());
    i.MarginRate = 0.1;
    i.TradeUnit = 10;
    i.MinMovement = 1.0;
    SetText(i.GoodsName, "rebar");
    SetText(i.ExchangeID, "SHFE0123456");  // 11 characters: 8 are kept
    i.InstrumentType = 'F';
    SetText(i.UnderlyingInstrID, "rb");
    i.StrikePrice = 3600.0;
    i.OptionsType = 'C';
    SetText(i.ExpiredDate, "2024-09-16");
    SetText(i.OpenDate, "2023-09-15");
    return i;
}

TEST_F(Queries, InstrumentReply) {
    LogIn();
    const trade::Instrument i = ServerInstrument();
    Session().OnInstrumentQueryRsp(&i, &Ok, 66, 0);
    CZantuVextInstrument e{};
    SetText(e.InstrumentCode, "rb2410");
    SetText(e.ExchangeCode, "SHFE0123");
    SetText(e.InstrumentName, std::string(20, 'N').c_str());
    SetText(e.ExchangeInstrumentCode, "rb2410");
    SetText(e.ProductCode, "rebar");
    e.ProductClass = '1';
    e.DeliveryYear = 2024;
    e.DeliveryMonth = 9;
    e.Fixed132 = 2147483647;
    e.Fixed136 = 1;
    e.Fixed140 = 2147483647;
    e.Fixed144 = 1;
    e.Multiplier = 10;
    e.TickSize = 1.0;
    SetText(e.CreateDate, "20230915");
    SetText(e.OpenDate, "20230915");
    SetText(e.ExpireDate, "20240916");
    SetText(e.DeliveryStart, "20240916");
    SetText(e.DeliveryEnd, "20240916");
    e.Fixed205 = '1';
    e.Fixed208 = 1;
    e.Fixed212 = '2';
    e.Fixed213 = '1';
    e.LongMarginRate = 0.1;
    e.ShortMarginRate = 0.1;
    e.Fixed232 = '0';
    SetText(e.UnderlyingCode, "rb");
    e.StrikePrice = 3600.0;
    e.OptionKind = '1';
    e.Fixed288 = '0';
    const auto events = User.Events("OnInstrumentQueryReply");
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(std::memcmp(events[0].Record.data(), &e, sizeof e), 0);
}

TEST_F(Queries, InstrumentDatesClassesAndOptionKinds) {
    struct Case {
        const char* expired;
        const char* open;
        char type;
        char options;
        const char* expireDate;
        int32_t year;
        int32_t month;
        const char* openDate;
        char productClass;
        char optionKind;
    };
    const Case cases[] = {
        {"", "", 'D', 'P', "", 0, 0, "", 'D', '2'},
        {"20250131", "2024-01-02", 'S', '\0', "20250131", 2025, 1, "20240102", '4', '2'},
        {"2025-12-01", "", 'X', 'C', "20251201", 2025, 12, "", '\0', '1'},
        {"2024-09-16", "", 'O', 'C', "20240916", 2024, 9, "", '2', '1'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expired);
        trade::Instrument i = ServerInstrument();
        SetText(i.ExpiredDate, c.expired);
        SetText(i.OpenDate, c.open);
        i.InstrumentType = c.type;
        i.OptionsType = c.options;
        Session().OnInstrumentQueryRsp(&i, &Ok, 1, 0);
        const auto r = User.Events("OnInstrumentQueryReply").back().As<CZantuVextInstrument>();
        EXPECT_STREQ(r.ExpireDate, c.expireDate);
        EXPECT_STREQ(r.DeliveryStart, c.expireDate);
        EXPECT_STREQ(r.DeliveryEnd, c.expireDate);
        EXPECT_EQ(r.DeliveryYear, c.year);
        EXPECT_EQ(r.DeliveryMonth, c.month);
        EXPECT_STREQ(r.OpenDate, c.openDate);
        EXPECT_STREQ(r.CreateDate, c.openDate);
        EXPECT_EQ(r.ProductClass, c.productClass);
        EXPECT_EQ(r.OptionKind, c.optionKind);
    }
}

TEST_F(Queries, ProductAndExchangeReplies) {
    trade::Product product{};
    SetText(product.ExchangeID, "SHFE");
    product.InstrumentType = 'D';
    SetText(product.ProductID, "rb01234567");
    SetText(product.ProductName, std::string(30, 'P').c_str());
    Session().OnProductQueryRsp(&product, &Ok, 67, 0);
    product.InstrumentType = 'S';
    Session().OnProductQueryRsp(&product, &Ok, 67, 0);
    CZantuVextProduct e{};
    SetText(e.ProductCode, "rb01234567");
    SetText(e.ProductName, std::string(20, 'P').c_str());
    SetText(e.ExchangeCode, "SHFE");
    e.ProductClass = '4';
    SetText(e.ExchangeProductCode, "rb01234567");
    const auto products = User.Events("OnProductQueryReply");
    ASSERT_EQ(products.size(), 2u);
    EXPECT_EQ(std::memcmp(products[0].Record.data(), &e, sizeof e), 0);
    EXPECT_EQ(products[1].As<CZantuVextProduct>().ProductClass, '\0');

    trade::Exchange exchange{};
    SetText(exchange.ExchangeID, "SHFE");
    SetText(exchange.ExchangeName, std::string(50, 'X').c_str());
    Session().OnExchangeQueryRsp(&exchange, &Ok, 68, 0);
    CZantuVextExchange x{};
    SetText(x.ExchangeCode, "SHFE");
    SetText(x.ExchangeName, std::string(50, 'X').c_str());
    x.Fixed70 = '0';
    EXPECT_EQ(std::memcmp(User.Events("OnExchangeQueryReply")[0].Record.data(), &x, sizeof x), 0);
}

TEST_F(Queries, FeeAndMarginRateRepliesPlaceRatesByType) {
    LogIn();
    for (char type : {'R', 'A'}) {
        SCOPED_TRACE(std::string(1, type));
        const bool ratio = type == 'R';
        trade::InvestorFeeRate fee{};
        SetText(fee.InvestorID, "INVESTOR0123");
        SetText(fee.ExchangeID, "SHFE");
        SetText(fee.InstrumentID, "rb2410");
        fee.FeeType = type;
        fee.FeeRate = 1;
        fee.CloseFeeRate = 2;
        fee.CloseTodayFeeRate = 3;
        Session().OnInvestorFeeRateQueryRsp(&fee, &Ok, 69, 0);
        CZantuVextFeeRate f{};
        SetText(f.InstrumentCode, "rb2410");
        f.Fixed31 = '1';
        SetText(f.BrokerCode, "B1");
        SetText(f.InvestorCode, "INVESTOR0123");
        (ratio ? f.OpenFeeRatio : f.OpenFeeAmount) = 1;
        (ratio ? f.CloseFeeRatio : f.CloseFeeAmount) = 2;
        (ratio ? f.CloseTodayFeeRatio : f.CloseTodayFeeAmount) = 3;
        SetText(f.ExchangeCode, "SHFE");
        EXPECT_EQ(std::memcmp(User.Events("OnFeeRateQueryReply").back().Record.data(), &f, sizeof f), 0);

        trade::InvestorMarginRate margin{};
        SetText(margin.InvestorID, "INV1");
        SetText(margin.ExchangeID, "SHFE");
        SetText(margin.InstrumentID, "rb2410");
        margin.MarginRateType = type;
        margin.LongMarginRate = 4;
        margin.ShortMarginRate = 5;
        Session().OnInvestorMarginRateQueryRsp(&margin, &Ok, 70, 0);
        CZantuVextMarginRate m{};
        SetText(m.InstrumentCode, "rb2410");
        m.Fixed31 = '1';
        SetText(m.BrokerCode, "B1");
        SetText(m.InvestorCode, "INV1");
        m.Fixed56 = '1';
        (ratio ? m.LongMarginRatio : m.LongMarginAmount) = 4;
        (ratio ? m.ShortMarginRatio : m.ShortMarginAmount) = 5;
        SetText(m.ExchangeCode, "SHFE");
        EXPECT_EQ(std::memcmp(User.Events("OnMarginRateQueryReply").back().Record.data(), &m, sizeof m), 0);

        trade::ExchangeMarginRate exchange{};
        SetText(exchange.ExchangeID, "SHFE");
        SetText(exchange.InstrumentID, "rb2410");
        exchange.MarginRateType = type;
        exchange.LongMarginRate = 6;
        exchange.ShortMarginRate = 7;
        Session().OnExchangeMarginRateQueryRsp(&exchange, &Ok, 71, 0);
        CZantuVextExchangeMarginRate x{};  // no broker code
        SetText(x.InstrumentCode, "rb2410");
        x.Fixed42 = '1';
        (ratio ? x.LongMarginRatio : x.LongMarginAmount) = 6;
        (ratio ? x.ShortMarginRatio : x.ShortMarginAmount) = 7;
        SetText(x.ExchangeCode, "SHFE");
        EXPECT_EQ(
            std::memcmp(User.Events("OnExchangeMarginRateQueryReply").back().Record.data(), &x, sizeof x), 0);
    }
}

TEST_F(Queries, MarketSnapshotReplyKeepsLevelOneAndTheLoginDay) {
    trade::Quot q{};
    SetText(q.MatchID, "M1");
    SetText(q.TradeDate, "2024-03-14");
    SetText(q.InstrumentID, "rb2410");
    q.Price = 1;
    q.Qty = 2;
    q.BidPrice = 3;
    q.BidQty = 4;
    q.AskPrice = 5;
    q.AskQty = 6;
    q.OpenPrice = 7;
    q.HighestPrice = 8;
    q.LowestPrice = 9;
    q.HighLimit = 10;
    q.LowLimit = 11;
    q.OI = -1;
    q.SettlePrice = 12;
    q.PreClose = 13;
    q.PreSettle = 14;
    q.PreOI = 15;
    q.QtyTotal = (int64_t{1} << 32) + 5;
    q.Amount = 16;
    SetText(q.ModifyDate, "2024-03-15");
    SetText(q.ModifyTime, "09:30:00.5");
    q.BidPrice2 = 17;
    q.BidQty2 = 18;
    q.AskPrice5 = 19;
    q.AskQty5 = 20;
    q.BidPrice6 = 21;
    SetText(q.ExchangeID, "SHFE");
    Session().OnQuotQueryRsp(&q, &Ok, 72, 0);  // before any login: no trading day
    LogIn();
    Session().OnQuotQueryRsp(&q, &Ok, 73, 0);
    CZantuVextMarketSnapshot e{};
    SetText(e.InstrumentCode, "rb2410");
    SetText(e.ExchangeCode, "SHFE");
    e.LastTradePrice = 1;
    e.PriorSettle = 14;
    e.PriorClose = 13;
    e.PriorOpenInterest = 15;
    e.SessionOpen = 7;
    e.SessionHigh = 8;
    e.SessionLow = 9;
    e.TotalVolume = 5;
    e.TotalTurnover = 16;
    e.CurrentOpenInterest = 18446744073709551616.0;
    e.LastPriceCopy = 1;
    e.CurrentSettle = 12;
    e.LimitUp = 10;
    e.LimitDown = 11;
    SetText(e.SnapshotTime, "09:30:00");
    e.Bid1Price = 3;
    e.Bid1Qty = 4;
    e.Ask1Price = 5;
    e.Ask1Qty = 6;
    SetText(e.ChangeDate, "20240315");
    const auto events = User.Events("OnMarketSnapshotQueryReply");
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(std::memcmp(events[0].Record.data(), &e, sizeof e), 0);
    SetText(e.TradingDate, "20240315");
    EXPECT_EQ(std::memcmp(events[1].Record.data(), &e, sizeof e), 0);
}

TEST_F(Queries, RepliesWithoutRecordOrStatusPassNullAndTheMoreFlag) {
    const trade::RspInfo failed = [] {
        trade::RspInfo info{};
        info.RspNo = 7;
        SetText(info.RspDesc, "no rights");
        return info;
    }();
    Session().OnPosiQueryRsp(nullptr, &failed, 80, 0);
    Session().OnFundQueryRsp(nullptr, nullptr, 81, 0);
    trade::Exchange exchange{};
    Session().OnExchangeQueryRsp(&exchange, &Ok, 82, 1);
    Session().OnExchangeQueryRsp(&exchange, &Ok, 82, 0);
    const auto events = User.Events();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].Pointer, nullptr);
    EXPECT_EQ(events[0].Status.ErrorCode, 7);
    EXPECT_STREQ(events[0].Status.ErrorText, "no rights");
    EXPECT_TRUE(events[0].IsLast);
    EXPECT_EQ(events[1].Pointer, nullptr);
    EXPECT_FALSE(events[1].HasStatus);
    EXPECT_FALSE(events[2].IsLast);
    EXPECT_TRUE(events[3].IsLast);
    EXPECT_EQ(events[3].RequestId, 82);
}

TEST_F(Queries, RepliesWithoutCallbackObjectAreDropped) {
    Api->SetSpi(nullptr);
    trade::Exchange exchange{};
    Session().OnExchangeQueryRsp(&exchange, &Ok, 1, 0);
    Session().OnPosiQueryRsp(nullptr, nullptr, 2, 0);
    EXPECT_TRUE(User.Events().empty());
}

}  // namespace
