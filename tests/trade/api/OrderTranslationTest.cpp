// Order entry and cancellation, rejections, order and trade notifications and the order and trade
// queries, translated both ways over a fake session.
#include <climits>
#include <string>

#include <gtest/gtest.h>

#include "tests/trade/api/FacadeFixture.h"

namespace {

using Orders = FacadeTest;

trade::RspInfo Rejection(int16_t rspNo, const char* text) {
    trade::RspInfo info{};
    info.RspNo = rspNo;
    SetText(info.RspDesc, text);
    return info;
}

CZantuVextInputOrder LimitOrder() {
    CZantuVextInputOrder order{};
    SetText(order.BrokerCode, "IGNORED");
    SetText(order.InvestorCode, "INV1");
    SetText(order.InstrumentCode, "rb2410");
    SetText(order.OrderRef, "REF1");
    SetText(order.UserCode, "IGNORED");
    order.PriceKind = '2';
    order.Side = '0';
    SetText(order.OpenClose, "0");
    order.Price = 3512.5;
    order.Quantity = 3;
    order.TimeRule = '3';
    order.VolumeRule = '1';
    order.RequestId = 77;
    SetText(order.ExchangeCode, "SHFE");
    SetText(order.UnitCode, "UNIT");
    SetText(order.ClientCode, "CLIENT");
    SetText(order.IpAddress, "10.1.2.3");
    SetText(order.MacAddress, "00:11:22:33:44:55");
    return order;
}

TEST_F(Orders, OrderEntryFillsTheSessionOrder) {
    LogIn();
    CZantuVextInputOrder order = LimitOrder();
    EXPECT_EQ(Api->SubmitOrder(&order, 31), 0);
    const auto calls = Log->Calls("SubmitInputOrder");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].RequestId, 31);
    trade::InputOrder expected{};
    SetText(expected.InvestorID, "INV1");
    SetText(expected.InstrumentID, "rb2410");
    expected.BSFlag = 'B';
    expected.OCFlag = 'O';
    expected.PriceType = 'L';
    expected.Price = 3512.5;
    expected.Qty = 3;
    expected.ConditionType = 'P';
    expected.ConditionMethod = '5';
    SetText(expected.ExchangeID, "SHFE");
    expected.SessionID = (int64_t{5} << 32) | 7;  // the login's, not the request's
    SetText(expected.OrderRef, "REF1");
    expected.RequestID = 77;
    SetText(expected.ClientID, "CLIENT");
    SetText(expected.IPAddress, "10.1.2.3");
    SetText(expected.MacAddress, "00:11:22:33:44:55");
    SetText(expected.InvestorUnit, "UNIT");
    expected.TimeCondition = '3';
    expected.VolumeCondition = '1';
    EXPECT_EQ(std::memcmp(calls[0].Record.data(), &expected, sizeof expected), 0);
}

TEST_F(Orders, CodeTranslationsOfOrderEntry) {
    struct Case {
        char priceKind;
        char side;
        char openClose;
        const char* exchange;
        char priceType;
        char bsFlag;
        char ocFlag;
    };
    const Case cases[] = {
        {'1', '0', '0', "SHFE", 'M', 'B', 'O'}, {'2', '1', '3', "SHFE", 'L', 'S', 'T'},
        {'9', '7', '3', "INE", 'L', 'S', 'T'},  {'2', '1', '3', "DCE", 'L', 'S', 'C'},
        {'2', '1', '3', "shfe", 'L', 'S', 'C'}, {'2', '1', '1', "SHFE", 'L', 'S', 'C'},
        {'2', '1', '2', "INE", 'L', 'S', 'C'},  {'2', '1', '4', "DCE", 'L', 'S', 'C'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string({c.priceKind, c.side, c.openClose, ' '}) + c.exchange);
        CZantuVextInputOrder order = LimitOrder();
        order.PriceKind = c.priceKind;
        order.Side = c.side;
        order.OpenClose[0] = c.openClose;
        SetText(order.ExchangeCode, c.exchange);
        Api->SubmitOrder(&order, 1);
        const auto sent = Log->Calls("SubmitInputOrder").back().As<trade::InputOrder>();
        EXPECT_EQ(sent.PriceType, c.priceType);
        EXPECT_EQ(sent.BSFlag, c.bsFlag);
        EXPECT_EQ(sent.OCFlag, c.ocFlag);
        EXPECT_EQ(sent.TimeCondition, '3');  // the caller's, unchanged
    }
}

TEST_F(Orders, SessionIdArithmeticAndNoLoginGivesZero) {
    CZantuVextInputOrder order = LimitOrder();
    Api->SubmitOrder(&order, 1);
    EXPECT_EQ(Log->Calls("SubmitInputOrder")[0].As<trade::InputOrder>().SessionID, 0);
    LogIn("2024-03-15", (int64_t{1} << 32) | 0xFFFFFFFF);  // front 1, session -1
    Api->SubmitOrder(&order, 2);
    EXPECT_EQ(Log->Calls("SubmitInputOrder")[1].As<trade::InputOrder>().SessionID,
              int64_t{0x00000000FFFFFFFF});
}

TEST_F(Orders, UnterminatedCallerMembersAreCutAtTheirWidth) {
    CZantuVextInputOrder order = LimitOrder();
    std::memset(order.InvestorCode, 'I', sizeof order.InvestorCode);      // 13, limit 15
    std::memset(order.ExchangeCode, 'E', sizeof order.ExchangeCode);      // 9, limit 16: UnitCode follows
    std::memset(order.ClientCode, 'C', sizeof order.ClientCode);          // 11, limit 15
    std::memset(order.IpAddress, 'P', sizeof order.IpAddress);            // 16, limit 32
    std::memset(order.MacAddress, 'M', sizeof order.MacAddress);          // 21, limit 32: end of the record
    std::memset(order.OrderRef, 'R', sizeof order.OrderRef);              // 13, limit 30
    std::memset(order.InstrumentCode, 'X', sizeof order.InstrumentCode);  // 31, limit 15
    // An exact-size heap copy: a read past the record is seen by AddressSanitizer.
    std::unique_ptr<CZantuVextInputOrder> copy(new CZantuVextInputOrder(order));
    Api->SubmitOrder(copy.get(), 1);
    const auto sent = Log->Calls("SubmitInputOrder")[0].As<trade::InputOrder>();
    EXPECT_EQ(sent.InvestorID, std::string(13, 'I'));
    EXPECT_EQ(sent.ExchangeID, std::string(9, 'E'));
    EXPECT_EQ(sent.ClientID, std::string(11, 'C'));
    EXPECT_EQ(sent.IPAddress, std::string(16, 'P'));
    EXPECT_EQ(sent.MacAddress, std::string(21, 'M'));
    EXPECT_EQ(sent.OrderRef, std::string(13, 'R'));
    EXPECT_EQ(sent.InstrumentID, std::string(15, 'X'));
    EXPECT_STREQ(sent.InvestorUnit, "UNIT");
}

trade::InputOrder EchoedOrder(char priceType) {
    trade::InputOrder echoed{};
    SetText(echoed.InvestorID, "INVESTOR0123456");  // 15 characters
    SetText(echoed.InstrumentID, "rb2410");
    echoed.BSFlag = 'S';
    echoed.OCFlag = 'T';
    echoed.PriceType = priceType;
    echoed.Price = 3500.0;
    echoed.Qty = 2;
    SetText(echoed.ExchangeID, "SHFE");
    SetText(echoed.OrderRef, "REF0123456789ABC");
    echoed.RequestID = 55;
    echoed.TimeCondition = '9';
    echoed.VolumeCondition = '9';
    SetText(echoed.ClientID, "CLIENT");
    return echoed;
}

TEST_F(Orders, RejectedOrderComesBackWithTheEchoedOrder) {
    LogIn();
    const trade::InputOrder echoed = EchoedOrder('L');
    const trade::RspInfo rejected = Rejection(-2, "no money");
    Session().OnInputOrderRsp(&echoed, &rejected, 31, 0);
    const auto events = User.Events("OnOrderInsertReply");
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].RequestId, 31);
    EXPECT_TRUE(events[0].IsLast);
    EXPECT_EQ(events[0].Status.ErrorCode, 65534);
    EXPECT_STREQ(events[0].Status.ErrorText, "no money");
    const auto reply = events[0].As<CZantuVextInputOrder>();
    CZantuVextInputOrder expected{};
    SetText(expected.BrokerCode, "B1");
    SetText(expected.InvestorCode, "INVESTOR012");
    expected.InvestorCode[11] = '3';
    SetText(expected.InstrumentCode, "rb2410");
    SetText(expected.OrderRef, "REF0123456789");
    expected.OrderRef[12] = '\0';
    SetText(expected.UserCode, "INVESTOR0123456");
    expected.PriceKind = '2';
    expected.Side = '1';
    expected.OpenClose[0] = '3';
    expected.Fixed91 = '1';
    expected.Price = 3500.0;
    expected.Quantity = 2;
    expected.TimeRule = '3';
    SetText(expected.TradingDayCopy, "20240315");
    expected.VolumeRule = '1';
    expected.Fixed120 = 1;
    expected.Fixed124 = '1';
    expected.Fixed136 = '0';
    SetText(expected.ExchangeCode, "SHFE");
    EXPECT_EQ(std::memcmp(&reply, &expected, sizeof expected), 0);
    EXPECT_STREQ(reply.InvestorCode, "INVESTOR0123");
    EXPECT_STREQ(reply.OrderRef, "REF012345678");
}

TEST_F(Orders, MarketOrderEchoSaysTimeRuleOne) {
    const trade::InputOrder echoed = EchoedOrder('M');
    const trade::RspInfo rejected = Rejection(3, "closed");
    Session().OnInputOrderRsp(&echoed, &rejected, 1, 0);
    const auto reply = User.Events("OnOrderInsertReply")[0].As<CZantuVextInputOrder>();
    EXPECT_EQ(reply.TimeRule, '1');
    EXPECT_EQ(reply.PriceKind, '1');
}

TEST_F(Orders, AcceptedOrdersAndRejectionsWithoutRecordHaveNoReply) {
    const trade::InputOrder echoed = EchoedOrder('L');
    const trade::RspInfo accepted{};
    const trade::RspInfo rejected = Rejection(3, "closed");
    Session().OnInputOrderRsp(&echoed, &accepted, 1, 0);
    Session().OnInputOrderRsp(&echoed, nullptr, 2, 0);
    Session().OnInputOrderRsp(nullptr, &rejected, 3, 0);
    EXPECT_TRUE(User.Events().empty());
}

TEST_F(Orders, CancellationUsesTheRequestsOwnSessionNumbers) {
    LogIn();
    CZantuVextOrderAction action{};
    SetText(action.BrokerCode, "IGNORED");
    SetText(action.InvestorCode, "INV1");
    SetText(action.OrderRef, "REF1");
    action.RequestId = 99;
    action.FrontNumber = 1;
    action.SessionNumber = -1;
    SetText(action.ExchangeCode, "SHFE");
    SetText(action.OrderSysCode, "SYS1");
    SetText(action.UserCode, "IGNORED");
    SetText(action.InstrumentCode, "rb2410");
    EXPECT_EQ(Api->SubmitOrderCancel(&action, 41), 0);
    const auto calls = Log->Calls("SubmitOrderCancel");
    ASSERT_EQ(calls.size(), 1u);
    trade::OrderCancelReq expected{};
    SetText(expected.InvestorID, "INV1");
    SetText(expected.ExchangeID, "SHFE");
    SetText(expected.InstrumentID, "rb2410");
    expected.SessionID = 0x00000000FFFFFFFF;
    SetText(expected.OrderRef, "REF1");
    SetText(expected.OrderSysID, "SYS1");
    EXPECT_EQ(std::memcmp(calls[0].Record.data(), &expected, sizeof expected), 0);
    EXPECT_EQ(calls[0].RequestId, 41);
}

TEST_F(Orders, RejectedCancellationWithAndWithoutRecord) {
    LogIn();
    trade::OrderCancelRsp cancel{};
    SetText(cancel.InvestorID, "INV1");
    SetText(cancel.ExchangeID, "SHFE");
    SetText(cancel.InstrumentID, "rb2410");
    cancel.SessionID = (int64_t{3} << 32) | 0xFFFFFFFE;
    SetText(cancel.OrderRef, "REF1");
    SetText(cancel.OrderSysID, std::string(30, 'S').c_str());
    const trade::RspInfo rejected = Rejection(8, "already filled");
    const trade::RspInfo accepted{};
    Session().OnOrderCancelRsp(&cancel, &accepted, 40, 0);
    Session().OnOrderCancelRsp(&cancel, nullptr, 40, 0);
    Session().OnOrderCancelRsp(&cancel, &rejected, 41, 0);
    Session().OnOrderCancelRsp(nullptr, &rejected, 42, 0);
    const auto events = User.Events("OnOrderCancelReply");
    ASSERT_EQ(events.size(), 2u);
    const auto reply = events[0].As<CZantuVextOrderAction>();
    CZantuVextOrderAction expected{};
    SetText(expected.BrokerCode, "B1");
    SetText(expected.InvestorCode, "INV1");
    SetText(expected.OrderRef, "REF1");
    expected.RequestId = 41;
    expected.FrontNumber = 3;
    expected.SessionNumber = -2;
    SetText(expected.ExchangeCode, "SHFE");
    SetText(expected.OrderSysCode, std::string(20, 'S').c_str());
    expected.ActionCode = '0';
    SetText(expected.UserCode, "INV1");
    SetText(expected.InstrumentCode, "rb2410");
    EXPECT_EQ(std::memcmp(&reply, &expected, sizeof expected), 0);
    EXPECT_EQ(events[0].Status.ErrorCode, 8);
    EXPECT_EQ(events[1].Pointer, nullptr);
    EXPECT_EQ(events[1].RequestId, 42);
    EXPECT_EQ(events[1].Status.ErrorCode, 8);
}

trade::Order ServerOrder() {
    trade::Order order{};
    SetText(order.InvestorID, "INV1");
    SetText(order.TradeDate, "2024-03-14");
    SetText(order.OrderID, "000123");
    SetText(order.OrderDate, "2024-03-15");
    SetText(order.OrderTime, "09:01:02");
    SetText(order.InstrumentID, "rb2410");
    order.BSFlag = 'B';
    order.OCFlag = 'C';
    order.PriceType = 'L';
    order.Price = 3500.0;
    order.Qty = 10;
    order.QtyLeft = 10;
    order.AvgPrice = 1.5;
    SetText(order.ModifyDate, "2024-03-16");
    SetText(order.ModifyTime, "09:03:04");
    order.OrderStatus = 'I';
    order.Margin = 9.0;
    SetText(order.ExchangeID, "SHFE");
    order.SessionID = (int64_t{5} << 32) | 7;
    SetText(order.OrderRef, "REF1");
    SetText(order.AccountID, "ACC1");
    SetText(order.OrderSysID, "SYS1");
    order.RequestID = 31;
    SetText(order.ClientID, "CLIENT");
    SetText(order.IPAddress, "10.1.2.3");
    SetText(order.MacAddress, "MAC");
    SetText(order.InvestorUnit, "UNIT");
    order.TimeCondition = '3';
    order.VolumeCondition = '1';
    order.OrderSubmitStatus = '0';
    SetText(order.UserProductInfo, "PRODUCT");
    return order;
}

TEST_F(Orders, OrderNotificationBecomesTheOrderRecord) {
    LogIn();
    const trade::Order order = ServerOrder();
    Session().OnOrderNty(&order);
    const auto events = User.Events("OnOrderUpdate");
    ASSERT_EQ(events.size(), 1u);
    CZantuVextOrder expected{};
    SetText(expected.BrokerCode, "B1");
    SetText(expected.InvestorCode, "INV1");
    SetText(expected.InstrumentCode, "rb2410");
    SetText(expected.OrderRef, "REF1");
    SetText(expected.UserCode, "INV1");
    expected.PriceKind = '2';
    expected.Side = '0';
    expected.OpenClose[0] = '1';
    expected.Fixed91 = '1';
    expected.Price = 3500.0;
    expected.Quantity = 10;
    expected.TimeRule = '3';
    SetText(expected.TradingDayCopy, "20240315");
    expected.VolumeRule = '1';
    expected.Fixed120 = 1;
    expected.Fixed124 = '1';
    expected.Fixed136 = '0';
    expected.RequestId = 31;
    SetText(expected.OrderCode, "000123");
    SetText(expected.ExchangeCode, "SHFE");
    SetText(expected.ClientCode, "CLIENT");
    SetText(expected.ExchangeInstrumentCode, "rb2410");
    SetText(expected.AccountCode, "ACC1");
    expected.SubmitState = '0';
    SetText(expected.TradingDay, "20240315");
    SetText(expected.OrderSysCode, "SYS1");
    expected.OrderState = '3';
    expected.FilledQuantity = 0;
    expected.RemainingQuantity = 10;
    SetText(expected.EntryDate, "20240315");
    SetText(expected.EntryTime, "09:01:02");
    SetText(expected.ChangeTime, "09:03:04");
    expected.FrontNumber = 5;
    expected.SessionNumber = 7;
    SetText(expected.ProductInfo, "PRODUCT");
    SetText(expected.StateText, "\322\321\261\250\310\353");  // entered, GBK
    expected.OrderNumber = 123;
    SetText(expected.UnitCode, "UNIT");
    SetText(expected.IpAddress, "10.1.2.3");
    SetText(expected.MacAddress, "MAC");
    EXPECT_EQ(std::memcmp(events[0].Record.data(), &expected, sizeof expected), 0);
}

TEST_F(Orders, OrderStatesQuantitiesAndTexts) {
    struct Case {
        char status;
        int32_t qty;
        int32_t qtyLeft;
        const char* description;
        char state;
        int32_t filled;
        const char* text;  // GBK
    };
    const Case cases[] = {
        {'I', 10, 10, "", '3', 0, "\322\321\261\250\310\353"},          // entered
        {'I', 10, 4, "", '1', 6, "\262\277\267\326\263\311\275\273"},   // partly filled
        {'F', 10, 0, "", '0', 10, "\310\253\262\277\263\311\275\273"},  // all filled
        {'C', 10, 10, "", '5', 0, "\322\321\263\267\317\373"},          // cancelled
        {'X', 10, 10, "", 'a', 0, "\322\321\312\334\300\355"},          // accepted
        {'F', 10, 0, "server text", '0', 10, "server text"},
        {'I', INT_MIN, 1, "", '1', INT_MAX, "\262\277\267\326\263\311\275\273"},  // wraps
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(1, c.status) + " " + std::to_string(c.qtyLeft));
        trade::Order order = ServerOrder();
        order.OrderStatus = c.status;
        order.Qty = c.qty;
        order.QtyLeft = c.qtyLeft;
        SetText(order.OrderStatusDesc, c.description);
        Session().OnOrderNty(&order);
        const auto record = User.Events("OnOrderUpdate").back().As<CZantuVextOrder>();
        EXPECT_EQ(record.OrderState, c.state);
        EXPECT_EQ(record.FilledQuantity, c.filled);
        EXPECT_EQ(record.RemainingQuantity, c.qtyLeft);
        EXPECT_STREQ(record.StateText, c.text);
    }
}

TEST_F(Orders, OrderNumbersAndDatesOfEveryForm) {
    struct Case {
        const char* orderId;
        int32_t number;
        const char* orderDate;
        const char* entryDate;
    };
    const Case cases[] = {
        {"000123", 123, "2024-03-15", "20240315"},
        {"  -42x", -42, "20240315", "20240315"},
        {"A123", 0, "", ""},
        {"", 0, "2024-3-5", "20243-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.orderId);
        trade::Order order = ServerOrder();
        SetText(order.OrderID, c.orderId);
        SetText(order.OrderDate, c.orderDate);
        Session().OnOrderNty(&order);
        const auto record = User.Events("OnOrderUpdate").back().As<CZantuVextOrder>();
        EXPECT_EQ(record.OrderNumber, c.number);
        EXPECT_STREQ(record.EntryDate, c.entryDate);
    }
}

trade::Trade ServerTrade() {
    trade::Trade fill{};
    SetText(fill.InvestorID, "INV1");
    SetText(fill.TradeDate, "2024-03-14");
    SetText(fill.MatchID, "M1");
    SetText(fill.OrderID, "000456");
    SetText(fill.InstrumentID, "rb2410");
    fill.BSFlag = 'S';
    fill.OCFlag = 'T';
    fill.Price = 3501.0;
    fill.Qty = 2;
    SetText(fill.MatchDate, "2024-03-15");
    SetText(fill.MatchTime, "09:05:06");
    fill.FeeRate = 0.5;
    fill.Margin = 7.0;
    SetText(fill.ExchangeID, "SHFE");
    SetText(fill.AccountID, "ACC1");
    SetText(fill.OrderSysID, "SYS1");
    SetText(fill.OrderRef, "REF1");
    SetText(fill.ClientID, "CLIENT");
    SetText(fill.InvestorUnit, "UNIT");
    return fill;
}

TEST_F(Orders, TradeNotificationBecomesTheTradeRecord) {
    LogIn();
    const trade::Trade fill = ServerTrade();
    Session().OnTradeNty(&fill);
    const auto events = User.Events("OnTradeUpdate");
    ASSERT_EQ(events.size(), 1u);
    CZantuVextTrade expected{};
    SetText(expected.BrokerCode, "B1");
    SetText(expected.InvestorCode, "INV1");
    SetText(expected.InstrumentCode, "rb2410");
    SetText(expected.OrderRef, "REF1");
    SetText(expected.UserCode, "INV1");
    SetText(expected.ExchangeCode, "SHFE");
    SetText(expected.TradeCode, "M1");
    expected.Side = '1';
    SetText(expected.OrderSysCode, "SYS1");
    SetText(expected.ClientCode, "CLIENT");
    SetText(expected.ExchangeInstrumentCode, "rb2410");
    expected.OpenClose = '3';
    expected.Fixed191 = '1';
    expected.Price = 3501.0;
    expected.Quantity = 2;
    SetText(expected.FillDate, "20240315");
    SetText(expected.FillTime, "09:05:06");
    expected.Fixed222 = '0';
    SetText(expected.AccountCode, "ACC1");
    SetText(expected.OrderCode, "000456");
    SetText(expected.TradingDay, "20240315");
    expected.OrderNumber = 456;
    SetText(expected.UnitCode, "UNIT");
    EXPECT_EQ(std::memcmp(events[0].Record.data(), &expected, sizeof expected), 0);
}

TEST_F(Orders, NotificationsWithoutCallbackObjectAreDropped) {
    Api->SetSpi(nullptr);
    const trade::Order order = ServerOrder();
    const trade::Trade fill = ServerTrade();
    Session().OnOrderNty(&order);
    Session().OnTradeNty(&fill);
    EXPECT_TRUE(User.Events().empty());
}

TEST_F(Orders, OrderAndTradeQueriesSendTheFilterAndReplyPerRecord) {
    LogIn();
    CZantuVextOrderQuery orders{};
    std::memset(orders.Reserved0, 'x', sizeof orders.Reserved0);
    SetText(orders.InstrumentCode, "rb2410");
    std::memset(orders.ExchangeCode, 'E', sizeof orders.ExchangeCode);  // no NUL
    EXPECT_EQ(Api->QueryOrders(&orders, 51), 0);
    CZantuVextTradeQuery trades{};
    SetText(trades.ExchangeCode, "SHFE");
    EXPECT_EQ(Api->QueryTrades(&trades, 52), 0);
    const auto orderQuery = Log->Calls("QueryOrder")[0].As<trade::OrderQueryReq>();
    EXPECT_STREQ(orderQuery.InvestorID, "U1");
    EXPECT_STREQ(orderQuery.InstrumentID, "rb2410");
    EXPECT_EQ(orderQuery.ExchangeID, std::string(9, 'E'));
    const auto tradeQuery = Log->Calls("QueryTrade")[0].As<trade::TradeQueryReq>();
    EXPECT_STREQ(tradeQuery.InvestorID, "U1");
    EXPECT_STREQ(tradeQuery.InstrumentID, "");
    EXPECT_STREQ(tradeQuery.ExchangeID, "SHFE");

    const trade::Order order = ServerOrder();
    const trade::RspInfo ok{};
    Session().OnOrderQueryRsp(&order, &ok, 51, 1);
    Session().OnOrderQueryRsp(&order, &ok, 51, 0);
    Session().OnTradeQueryRsp(nullptr, nullptr, 52, 0);  // nothing found
    const auto replies = User.Events("OnOrderQueryReply");
    ASSERT_EQ(replies.size(), 2u);
    EXPECT_FALSE(replies[0].IsLast);
    EXPECT_TRUE(replies[1].IsLast);
    EXPECT_EQ(replies[0].As<CZantuVextOrder>().OrderNumber, 123);
    EXPECT_EQ(replies[0].As<CZantuVextOrder>().OrderState, '3');
    const auto empty = User.Events("OnTradeQueryReply");
    ASSERT_EQ(empty.size(), 1u);
    EXPECT_EQ(empty[0].Pointer, nullptr);
    EXPECT_FALSE(empty[0].HasStatus);
    EXPECT_TRUE(empty[0].IsLast);
    EXPECT_EQ(empty[0].RequestId, 52);
}

}  // namespace
