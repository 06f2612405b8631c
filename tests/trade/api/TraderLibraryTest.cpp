// The trading library as a calling program uses it: libordergate.so driven through the public header
// only, against scripted fronts on 127.0.0.1. A whole session (connect, login, flows, orders,
// rejections, notifications, cancellation, queries, logout, reconnection and a second login of the same
// day), and the results of every kind of operation before Init, while connecting and while disconnected.
#include "ZantuVextTraderApi.h"

#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "tests/support/RecordingTraderSpi.h"
#include "tests/support/TradeFrames.h"
#include "tests/trade/api/TraderSlots.h"

using namespace std::chrono_literals;

namespace {

template <size_t Width>
void SetText(char (&member)[Width], const std::string& text) {
    std::memset(member, 0, Width);
    text.copy(member, Width);
}

using Items = std::vector<std::pair<int32_t, int32_t>>;

// Fronts first, so that the trading object goes before them. The first front refuses connections: after
// Init and after every loss the first attempt fails at once and the next comes a second later, so
// requests meet no connection meanwhile.
class TraderLibrary : public ::testing::Test {
  protected:
    TraderLibrary() : Api(CZantuVextTraderApi::CreateVextTraderApi(nullptr)) {
        EXPECT_TRUE(Down.Refuse().WaitSteps());
        Api->SetSpi(&User);
        for (const ScriptedFront* front : {&Down, &Up}) {
            std::string address = "tcp://" + front->Address();
            Api->AddFront(&address[0]);
        }
    }
    ~TraderLibrary() override {
        if (Api != nullptr) Api->Release();
    }

    static CZantuVextLoginRequest Login() {
        CZantuVextLoginRequest login{};
        SetText(login.BrokerCode, "B1");
        SetText(login.UserCode, "U1");
        SetText(login.LoginPassword, "secret");
        return login;
    }

    // Login reply 117: trading day 2024-03-15 and the SessionID (front 5 / session 7 unless given).
    // Every member in binding order, as SysMode and SessionID share their tag.
    static Bytes LoginReply(int32_t requestId, int64_t sessionId = (int64_t{5} << 32) | 7) {
        const Bytes login = Cat(
            {TextField(fld::InvestorID, "U1"), TextField(fld::TradeDate, "2024-03-15"),
             TextField(fld::InvestorName, "user one"), TextField(fld::SysName, "front one"),
             CharField(fld::SysMode, 'R'), CharField(fld::PayServerType, '0'), TextField(fld::AdviserID, ""),
             CharField(fld::InvestorAdviserFlag, '0'), LongField(fld::SessionID, sessionId)});
        return Payload(117, requestId, 0, Cat({RspInfoElement(0, ""), Element(fld::LoginRsp.Tag, login)}));
    }

    ScriptedFront Down;
    ScriptedFront Up;
    RecordingTraderSpi User;
    CZantuVextTraderApi* Api;
};

CZantuVextInputOrder CloseToday(const char* exchange) {
    CZantuVextInputOrder order{};
    SetText(order.InvestorCode, "U1");
    SetText(order.InstrumentCode, "rb2410");
    SetText(order.OrderRef, "7");
    order.PriceKind = '2';
    order.Side = '1';
    SetText(order.OpenClose, "3");
    order.Price = 3500.5;
    order.Quantity = 2;
    order.TimeRule = '3';
    order.VolumeRule = '1';
    SetText(order.ExchangeCode, exchange);
    return order;
}

Bytes ServerOrder(char status, int32_t qtyLeft) {
    return Cat({TextField(fld::InvestorID, "U1"), TextField(fld::OrderID, "000123"),
                TextField(fld::OrderDate, "2024-03-15"), TextField(fld::OrderTime, "09:00:01"),
                TextField(fld::InstrumentID, "rb2410"), CharField(fld::BSFlag, 'S'),
                CharField(fld::OCFlag, 'T'), CharField(fld::PriceType, 'L'), DoubleField(fld::Price, 3500.5),
                IntField(fld::Qty, 2), IntField(fld::QtyLeft, qtyLeft), CharField(fld::OrderStatus, status),
                TextField(fld::ExchangeID, "SHFE"), LongField(fld::SessionID, (int64_t{5} << 32) | 7),
                TextField(fld::OrderRef, "7"), TextField(fld::OrderSysID, "SYS1")});
}

}  // namespace

TEST_F(TraderLibrary, WholeSessionWithReconnectionAndSecondLogin) {
    Api->SetPrivateResumeMode(0);  // private flow from its start
    Api->SetPublicResumeMode(2);   // public flow: only what is new

    // Before Init: refused slots at once, local replies wait for the callback thread, server requests -1.
    EXPECT_EQ(Api->Unsupported11(0), -3);
    EXPECT_EQ(Api->Unsupported92(nullptr, 0), -3);
    EXPECT_EQ(Api->EmptyQuery84(nullptr, 81), 0);
    ExpectServerRequests(Api, -1);

    Up.Accept(5s);
    Api->Init();
    ExpectServerRequests(Api, -1);  // the refusing front first, the next attempt a second later
    ASSERT_TRUE(User.WaitFor("OnConnected", 1, 5s));
    ASSERT_TRUE(User.WaitFor("OnEmptyReply96"));
    EXPECT_EQ(Api->Unsupported39(nullptr, 0), -3);

    // Login: the trading day, the numbers, then the flows with the chosen modes.
    CZantuVextLoginRequest login = Login();
    Up.ExpectFrame(HasRequest(116, 1)).Send(LoginReply(1)).ExpectFrame(HasServiceNo(3));
    ASSERT_EQ(Api->SubmitLogin(&login, 1), 0);
    ASSERT_TRUE(User.WaitFor("OnLoginReply"));
    ASSERT_TRUE(Up.WaitSteps());
    const auto loginSent = RequestRecord<trade::LoginReq>(FramesOf(Up, 116).at(0));
    EXPECT_STREQ(loginSent.InvestorID, "U1");
    EXPECT_STREQ(loginSent.InvestorPassword, "secret");
    const TraderEvent loginReply = User.Events("OnLoginReply")[0];
    EXPECT_EQ(loginReply.Status.ErrorCode, 0);
    const auto reply = loginReply.As<CZantuVextLoginReply>();
    EXPECT_STREQ(reply.TradingDate, "20240315");
    EXPECT_EQ(reply.FrontNumber, 5);
    EXPECT_EQ(reply.SessionNumber, 7);
    EXPECT_STREQ(reply.ServerName, "front one");
    EXPECT_STREQ(Api->CurrentTradingDay(), "20240315");
    EXPECT_EQ(FlowSubscriptionItems(FramesOf(Up, 3).at(0)), (Items{{1, 0}, {2, -1}}));

    // Order entry: close today on SHFE and INE, plain close elsewhere; the login's session numbers.
    int requestId = 1;
    for (const char* exchange : {"SHFE", "INE", "DCE"}) {
        CZantuVextInputOrder order = CloseToday(exchange);
        Up.ExpectFrame(HasRequest(122, ++requestId));
        ASSERT_EQ(Api->SubmitOrder(&order, requestId), 0);
    }
    ASSERT_TRUE(Up.WaitSteps());
    const auto orders = FramesOf(Up, 122);
    ASSERT_EQ(orders.size(), 3u);
    const char ocFlags[] = {'T', 'T', 'C'};
    for (size_t i = 0; i < 3; ++i) {
        const auto sent = RequestRecord<trade::InputOrder>(orders[i]);
        EXPECT_EQ(sent.OCFlag, ocFlags[i]);
        EXPECT_EQ(sent.BSFlag, 'S');
        EXPECT_EQ(sent.PriceType, 'L');
        EXPECT_EQ(sent.Price, 3500.5);
        EXPECT_EQ(sent.Qty, 2);
        EXPECT_EQ(sent.SessionID, (int64_t{5} << 32) | 7);
        EXPECT_EQ(sent.ConditionType, 'P');
        EXPECT_EQ(sent.ConditionMethod, '5');
        EXPECT_STREQ(sent.InvestorID, "U1");
        EXPECT_STREQ(sent.InstrumentID, "rb2410");
    }

    // The third order is rejected; the first is entered, partly filled and filled on the private flow.
    const Bytes echoed = Cat({TextField(fld::InvestorID, "U1"), TextField(fld::InstrumentID, "rb2410"),
                              CharField(fld::PriceType, 'L'), TextField(fld::ExchangeID, "DCE")});
    Up.Send(Payload(123, 4, 0,
                    Cat({RspInfoElement(31, "no close today"), Element(fld::InputOrder.Tag, echoed)})))
        .Send(Payload(1, 124, 1, Element(fld::Order.Tag, ServerOrder('I', 2))))
        .Send(Payload(1, 124, 2, Element(fld::Order.Tag, ServerOrder('I', 1))))
        .Send(Payload(
            1, 130, 3,
            Element(fld::Trade.Tag,
                    Cat({TextField(fld::MatchID, "M1"), TextField(fld::OrderID, "000123"),
                         CharField(fld::BSFlag, 'S'), CharField(fld::OCFlag, 'T'), IntField(fld::Qty, 1),
                         TextField(fld::MatchDate, "20240315"), TextField(fld::MatchTime, "09:00:02")}))))
        .Send(Payload(1, 124, 4, Element(fld::Order.Tag, ServerOrder('F', 0))));
    ASSERT_TRUE(User.WaitFor("OnOrderUpdate", 3));
    ASSERT_TRUE(User.WaitFor("OnOrderInsertReply"));
    const TraderEvent rejection = User.Events("OnOrderInsertReply")[0];
    EXPECT_EQ(rejection.RequestId, 4);
    EXPECT_EQ(rejection.Status.ErrorCode, 31);
    EXPECT_STREQ(rejection.Status.ErrorText, "no close today");
    EXPECT_STREQ(rejection.As<CZantuVextInputOrder>().ExchangeCode, "DCE");
    EXPECT_STREQ(rejection.As<CZantuVextInputOrder>().BrokerCode, "B1");
    const auto updates = User.Events("OnOrderUpdate");
    const char states[] = {'3', '1', '0'};
    const char* texts[] = {"\322\321\261\250\310\353", "\262\277\267\326\263\311\275\273",
                           "\310\253\262\277\263\311\275\273"};
    for (size_t i = 0; i < 3; ++i) {
        const auto order = updates[i].As<CZantuVextOrder>();
        EXPECT_EQ(order.OrderState, states[i]);
        EXPECT_STREQ(order.StateText, texts[i]);
        EXPECT_EQ(order.OrderNumber, 123);
        EXPECT_STREQ(order.TradingDay, "20240315");
        EXPECT_STREQ(order.EntryDate, "20240315");
        EXPECT_EQ(order.FrontNumber, 5);
        EXPECT_EQ(order.SessionNumber, 7);
    }
    ASSERT_TRUE(User.WaitFor("OnTradeUpdate"));
    const auto fill = User.Events("OnTradeUpdate")[0].As<CZantuVextTrade>();
    EXPECT_STREQ(fill.TradeCode, "M1");
    EXPECT_EQ(fill.OpenClose, '3');
    EXPECT_STREQ(fill.FillDate, "20240315");
    EXPECT_EQ(fill.OrderNumber, 123);

    // Cancellation with the order's own numbers, session number -1, and its rejection.
    CZantuVextOrderAction action{};
    SetText(action.InvestorCode, "U1");
    SetText(action.OrderRef, "7");
    action.FrontNumber = 5;
    action.SessionNumber = -1;
    SetText(action.ExchangeCode, "SHFE");
    SetText(action.OrderSysCode, "SYS1");
    SetText(action.InstrumentCode, "rb2410");
    Up.ExpectFrame(HasRequest(127, 5))
        .Send(Payload(128, 5, 0,
                      Cat({RspInfoElement(40, "filled already"),
                           Element(fld::OrderCancelRsp.Tag,
                                   Cat({TextField(fld::OrderSysID, "SYS1"),
                                        LongField(fld::SessionID, (int64_t{5} << 32) - 1)}))})));
    ASSERT_EQ(Api->SubmitOrderCancel(&action, 5), 0);
    ASSERT_TRUE(User.WaitFor("OnOrderCancelReply"));
    const auto cancelSent = RequestRecord<trade::OrderCancelReq>(FramesOf(Up, 127).at(0));
    EXPECT_EQ(cancelSent.SessionID, (int64_t{5} << 32) - 1);
    EXPECT_STREQ(cancelSent.OrderSysID, "SYS1");
    const auto cancelReply = User.Events("OnOrderCancelReply")[0].As<CZantuVextOrderAction>();
    EXPECT_EQ(cancelReply.FrontNumber, 4);  // 5 x 2^32 - 1 has the high half 4
    EXPECT_EQ(cancelReply.SessionNumber, -1);
    EXPECT_EQ(cancelReply.RequestId, 5);

    // Queries: two orders in one reply, then a position query without any record.
    CZantuVextOrderQuery orderQuery{};
    CZantuVextPositionQuery positionQuery{};
    SetText(positionQuery.InstrumentCode, "rb2410");
    Up.ExpectFrame(HasRequest(137, 6))
        .Send(Payload(138, 6, 0,
                      Cat({RspInfoElement(0, ""),
                           Element(fld::OrderList.Tag, Cat({ListRecord(ServerOrder('F', 0)),
                                                            ListRecord(ServerOrder('C', 2))}))})))
        .ExpectFrame(HasRequest(141, 7))
        .Send(Payload(142, 7, 0, RspInfoElement(0, "")));
    ASSERT_EQ(Api->QueryOrders(&orderQuery, 6), 0);
    ASSERT_EQ(Api->QueryPositions(&positionQuery, 7), 0);
    ASSERT_TRUE(User.WaitFor("OnPositionQueryReply"));
    const auto orderReplies = User.Events("OnOrderQueryReply");
    ASSERT_EQ(orderReplies.size(), 2u);
    EXPECT_FALSE(orderReplies[0].IsLast);
    EXPECT_TRUE(orderReplies[1].IsLast);
    EXPECT_EQ(orderReplies[1].As<CZantuVextOrder>().OrderState, '5');
    const TraderEvent noPosition = User.Events("OnPositionQueryReply")[0];
    EXPECT_EQ(noPosition.Pointer, nullptr);
    EXPECT_TRUE(noPosition.IsLast);
    EXPECT_EQ(noPosition.RequestId, 7);
    EXPECT_STREQ(RequestRecord<trade::PosiQueryReq>(FramesOf(Up, 141).at(0)).InstrumentID, "rb2410");

    // Logout.
    Up.ExpectFrame(HasRequest(118, 8))
        .Send(Payload(
            119, 8, 0,
            Cat({RspInfoElement(0, ""), Element(fld::LogoutRsp.Tag, TextField(fld::InvestorID, "U1"))})));
    ASSERT_EQ(Api->SubmitLogout(nullptr, 8), 0);
    ASSERT_TRUE(User.WaitFor("OnLogoutReply"));
    EXPECT_STREQ(User.Events("OnLogoutReply")[0].As<CZantuVextLogoutRecord>().UserCode, "U1");

    // The connection is lost: requests find none until the reconnection a second later.
    Up.Close();
    ASSERT_TRUE(User.WaitFor("OnDisconnected"));
    ExpectServerRequests(Api, -1);
    EXPECT_EQ(Api->EmptyQuery93(nullptr, 82), 0);
    ASSERT_TRUE(User.WaitFor("OnEmptyReply121"));
    Up.Accept(5s);
    ASSERT_TRUE(User.WaitFor("OnConnected", 2, 5s));

    // The second login of the same day resumes both flows where they stopped.
    // This time the server numbers the session front 1 / session -1.
    Up.ExpectFrame(HasRequest(116, 9))
        .Send(LoginReply(9, (int64_t{1} << 32) | 0xFFFFFFFF))
        .ExpectFrame(HasServiceNo(3));
    ASSERT_EQ(Api->SubmitLogin(&login, 9), 0);
    ASSERT_TRUE(User.WaitFor("OnLoginReply", 2));
    ASSERT_TRUE(Up.WaitSteps());
    const auto subscriptions = FramesOf(Up, 3);
    ASSERT_EQ(subscriptions.size(), 2u);
    EXPECT_EQ(FlowSubscriptionItems(subscriptions[1]), (Items{{1, 4}, {2, -1}}));
    const auto relogin = User.Events("OnLoginReply")[1].As<CZantuVextLoginReply>();
    EXPECT_EQ(relogin.FrontNumber, 1);
    EXPECT_EQ(relogin.SessionNumber, -1);

    // An order now carries 1 x 2^32 + (-1), the session number sign-extended.
    CZantuVextInputOrder order = CloseToday("SHFE");
    Up.ExpectFrame(HasRequest(122, 10));
    ASSERT_EQ(Api->SubmitOrder(&order, 10), 0);
    ASSERT_TRUE(Up.WaitSteps());
    EXPECT_EQ(RequestRecord<trade::InputOrder>(FramesOf(Up, 122).at(3)).SessionID,
              int64_t{0x00000000FFFFFFFF});

    // Local replies and session callbacks came on two different threads.
    EXPECT_NE(User.Events("OnEmptyReply96")[0].Thread, User.Events("OnConnected")[0].Thread);
    EXPECT_NE(User.Events("OnEmptyReply96")[0].Thread, std::this_thread::get_id());
    Api->Release();
    Api = nullptr;
    EXPECT_TRUE(Up.Finish());
    EXPECT_TRUE(Down.Finish());
}
