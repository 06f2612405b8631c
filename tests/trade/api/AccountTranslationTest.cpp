// Login, logout, password change and the connection events, translated both ways over a fake session:
// what reaches the session, what reaches the user, the trading day and the flow subscriptions.
#include <string>

#include <gtest/gtest.h>

#include "tests/trade/api/FacadeFixture.h"

namespace {

using Account = FacadeTest;

trade::RspInfo Status(int16_t rspNo, const std::string& text) {
    trade::RspInfo info{};
    info.RspNo = rspNo;
    SetText(info.RspDesc, text.c_str());
    return info;
}

TEST_F(Account, LoginSendsUserCodeAndPasswordCutToTheirFields) {
    CZantuVextLoginRequest request{};
    SetText(request.BrokerCode, "BROKER01234");      // 11 characters, no NUL: stored as 10
    SetText(request.UserCode, "USER0123456789ABC");  // 16 characters, no NUL: 15
    SetText(request.LoginPassword, "PASSWORD0123456789ABCDEF");
    EXPECT_EQ(Api->SubmitLogin(&request, 21), 0);
    const auto logins = Log->Calls("SubmitLogin");
    ASSERT_EQ(logins.size(), 1u);
    EXPECT_EQ(logins[0].RequestId, 21);
    trade::LoginReq expected{};
    SetText(expected.InvestorID, "USER0123456789A");
    SetText(expected.InvestorPassword, "PASSWORD0123456789AB");
    EXPECT_EQ(std::memcmp(logins[0].Record.data(), &expected, sizeof expected), 0);

    trade::LoginRsp reply{};
    const trade::RspInfo ok{};
    Session().OnLoginRsp(&reply, &ok, 21, 0);
    const auto login = User.Events("OnLoginReply")[0].As<CZantuVextLoginReply>();
    EXPECT_STREQ(login.BrokerCode, "BROKER0123");
    EXPECT_STREQ(login.UserCode, "USER0123456789A");
}

TEST_F(Account, LoginReplyGivesTradingDayNumbersClocksAndServerName) {
    CZantuVextLoginRequest request{};
    SetText(request.BrokerCode, "B1");
    SetText(request.UserCode, "U1");
    Api->SubmitLogin(&request, 1);
    trade::LoginRsp reply{};
    SetText(reply.TradeDate, "2024-03-15");
    SetText(reply.SysName, std::string(50, 'S').c_str());
    reply.SessionID = (int64_t{5} << 32) | 7;
    const trade::RspInfo ok{};
    Session().OnLoginRsp(&reply, &ok, 1, 1);

    const auto events = User.Events("OnLoginReply");
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].Thread, std::this_thread::get_id());  // synchronously, on the session's thread
    EXPECT_TRUE(events[0].IsLast);
    EXPECT_EQ(events[0].RequestId, 1);
    ASSERT_TRUE(events[0].HasStatus);
    EXPECT_EQ(events[0].Status.ErrorCode, 0);
    const auto login = events[0].As<CZantuVextLoginReply>();
    EXPECT_STREQ(login.TradingDate, "20240315");
    EXPECT_EQ(login.FrontNumber, 5);
    EXPECT_EQ(login.SessionNumber, 7);
    EXPECT_STREQ(login.BrokerCode, "B1");
    EXPECT_STREQ(login.UserCode, "U1");
    EXPECT_EQ(login.ServerName, std::string(40, 'S'));
    EXPECT_STREQ(login.OrderRefSeed, "1");
    ASSERT_EQ(std::strlen(login.LoginClock), 8u);
    EXPECT_EQ(login.LoginClock[2], ':');
    EXPECT_EQ(login.LoginClock[5], ':');
    for (const char* clock : {login.ExchangeClock1, login.ExchangeClock2, login.ExchangeClock3,
                              login.ExchangeClock4, login.ExchangeClock5})
        EXPECT_STREQ(clock, login.LoginClock);
    EXPECT_STREQ(Api->CurrentTradingDay(), "20240315");
}

TEST_F(Account, TradingDateFromEveryFormOfServerDate) {
    struct Case {
        const char* tradeDate;
        const char* tradingDate;
    };
    const Case cases[] = {
        {"2024-03-15", "20240315"},
        {"20240316", "20240316"},  // eight digits stay as they are
        {"", ""},
        {"2024/3/15", "20243/5"},  // anything else keeps the positions
        {"2024-03-17XY", "20240317"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tradeDate);
        LogIn(c.tradeDate);
        EXPECT_STREQ(User.Events("OnLoginReply").back().As<CZantuVextLoginReply>().TradingDate,
                     c.tradingDate);
        EXPECT_STREQ(Api->CurrentTradingDay(), c.tradingDate);
    }
}

TEST_F(Account, StatusCodeIsUnsignedAndTextCutTo80) {
    LogIn();
    trade::LoginRsp reply{};
    const trade::RspInfo failed = Status(-1, std::string(100, 'e'));
    Session().OnLoginRsp(&reply, &failed, 2, 0);
    const TraderEvent event = User.Events("OnLoginReply").back();
    EXPECT_EQ(event.Status.ErrorCode, 65535);
    EXPECT_EQ(event.Status.ErrorText, std::string(80, 'e'));
}

TEST_F(Account, FlowsSubscribedWithTheModesThenResumedOnTheSameDay) {
    Api->SetPrivateResumeMode(0);  // mode 1
    Api->SetPublicResumeMode(-1);  // mode 0
    LogIn("2024-03-15");
    LogIn("2024-03-15");  // after a reconnection
    LogIn("2024-03-18");  // the next trading day
    const auto subscriptions = Log->Calls("SubscribeFlows");
    ASSERT_EQ(subscriptions.size(), 3u);
    EXPECT_EQ(subscriptions[0].PrivateMode, 1);
    EXPECT_EQ(subscriptions[0].PublicMode, 0);
    EXPECT_EQ(subscriptions[1].PrivateMode, 2);
    EXPECT_EQ(subscriptions[1].PublicMode, 2);
    EXPECT_EQ(subscriptions[2].PrivateMode, 1);
    EXPECT_EQ(subscriptions[2].PublicMode, 0);
}

TEST_F(Account, BothModesZeroSubscribeNothing) {
    LogIn();
    LogIn();
    EXPECT_TRUE(Log->Calls("SubscribeFlows").empty());
    EXPECT_STREQ(Api->CurrentTradingDay(), "20240315");
}

TEST_F(Account, SubscriptionIsPostedBeforeTheLoginReply) {
    struct Probe : RecordingTraderSpi {
        FakeTradeSessionLog* Log = nullptr;
        size_t SubscriptionsSeen = 0;
        void OnLoginReply(CZantuVextLoginReply* r, CZantuVextRspInfo* s, int id, bool last) override {
            SubscriptionsSeen = Log->Calls("SubscribeFlows").size();
            RecordingTraderSpi::OnLoginReply(r, s, id, last);
        }
    } probe;
    probe.Log = Log.get();
    Api->SetSpi(&probe);
    Api->SetPrivateResumeMode(2);
    LogIn();
    EXPECT_EQ(probe.SubscriptionsSeen, 1u);
}

TEST_F(Account, AnotherUserClearsTheTradingDayAtOnce) {
    LogIn();
    CZantuVextLoginRequest same{};
    SetText(same.UserCode, "U1");
    Api->SubmitLogin(&same, 2);
    EXPECT_STREQ(Api->CurrentTradingDay(), "20240315");
    CZantuVextLoginRequest other{};
    SetText(other.UserCode, "U2");
    Api->SubmitLogin(&other, 3);
    EXPECT_STREQ(Api->CurrentTradingDay(), "");
}

TEST_F(Account, FailedLoginChangesNeitherDayNorSubscriptionsButCarriesTheDate) {
    Api->SetPrivateResumeMode(0);
    LogIn("2024-03-15");
    trade::LoginRsp reply{};
    SetText(reply.TradeDate, "2024-03-18");
    reply.SessionID = (int64_t{9} << 32) | 9;
    const trade::RspInfo failed = Status(12, "bad password");
    Session().OnLoginRsp(&reply, &failed, 2, 0);
    EXPECT_STREQ(Api->CurrentTradingDay(), "20240315");
    EXPECT_EQ(Log->Calls("SubscribeFlows").size(), 1u);
    const TraderEvent event = User.Events("OnLoginReply").back();
    EXPECT_STREQ(event.As<CZantuVextLoginReply>().TradingDate, "20240318");
    EXPECT_EQ(event.As<CZantuVextLoginReply>().FrontNumber, 9);
    EXPECT_EQ(event.Status.ErrorCode, 12);
    EXPECT_STREQ(event.Status.ErrorText, "bad password");
    // Front and session numbers follow every login reply with a record.
    CZantuVextInputOrder order{};
    Api->SubmitOrder(&order, 3);
    EXPECT_EQ(Log->Calls("SubmitInputOrder")[0].As<trade::InputOrder>().SessionID, (int64_t{9} << 32) | 9);
}

TEST_F(Account, LoginReplyWithoutRecordGivesNullAndAnEmptyDay) {
    Api->SetPublicResumeMode(1);
    LogIn();
    Session().OnLoginRsp(nullptr, nullptr, 2, 0);
    const TraderEvent event = User.Events("OnLoginReply").back();
    EXPECT_EQ(event.Pointer, nullptr);
    ASSERT_TRUE(event.HasStatus);  // the status is always given
    EXPECT_EQ(event.Status.ErrorCode, 0);
    EXPECT_STREQ(Api->CurrentTradingDay(), "");
    const auto subscriptions = Log->Calls("SubscribeFlows");
    ASSERT_EQ(subscriptions.size(), 2u);
    EXPECT_EQ(subscriptions[1].PublicMode, 2);  // a new (empty) day: the modes
}

TEST_F(Account, WithoutCallbackObjectALoginReplyStoresAndSubscribesNothing) {
    Api->SetPrivateResumeMode(0);
    Api->SetSpi(nullptr);
    LogIn();
    EXPECT_STREQ(Api->CurrentTradingDay(), "");
    EXPECT_TRUE(Log->Calls("SubscribeFlows").empty());
    Api->SetSpi(&User);
    LogIn();  // the same day, but none was stored: the modes again
    const auto subscriptions = Log->Calls("SubscribeFlows");
    ASSERT_EQ(subscriptions.size(), 1u);
    EXPECT_EQ(subscriptions[0].PrivateMode, 1);
}

TEST_F(Account, LogoutSendsTheStoredUserAndEchoesItWithoutBroker) {
    LogIn();
    CZantuVextLogoutRecord request{};
    SetText(request.BrokerCode, "XX");
    SetText(request.UserCode, "OTHER");
    EXPECT_EQ(Api->SubmitLogout(&request, 4), 0);
    EXPECT_STREQ(Log->Calls("SubmitLogout")[0].As<trade::LogoutReq>().InvestorID, "U1");
    trade::LogoutRsp reply{};
    SetText(reply.InvestorID, "SERVER");
    const trade::RspInfo ok{};
    Session().OnLogoutRsp(&reply, &ok, 4, 0);
    Session().OnLogoutRsp(nullptr, nullptr, 5, 0);
    const auto events = User.Events("OnLogoutReply");
    ASSERT_EQ(events.size(), 2u);
    const auto logout = events[0].As<CZantuVextLogoutRecord>();
    EXPECT_STREQ(logout.BrokerCode, "");
    EXPECT_STREQ(logout.UserCode, "U1");
    EXPECT_TRUE(events[0].HasStatus);
    EXPECT_EQ(events[1].Pointer, nullptr);
    EXPECT_FALSE(events[1].HasStatus);
    EXPECT_EQ(events[1].RequestId, 5);
    EXPECT_STREQ(Api->CurrentTradingDay(), "20240315");  // a logout keeps the day
}

TEST_F(Account, PasswordChangeSends20AndEchoesTheLatestRequest) {
    LogIn();
    const std::string oldPassword = "OLDPASSWORD0123456789ABC";  // 25 characters
    const std::string newPassword = "NEWPASSWORD0123456789ABC";
    CZantuVextPasswordChange request{};
    SetText(request.BrokerCode, "XX");
    SetText(request.UserCode, "OTHER");
    SetText(request.OldPassword, oldPassword.c_str());
    SetText(request.NewPassword, newPassword.c_str());
    EXPECT_EQ(Api->SubmitPasswordChange(&request, 6), 0);
    const auto sent = Log->Calls("SubmitChangePassword")[0].As<trade::ChangePasswordReq>();
    EXPECT_STREQ(sent.InvestorID, "U1");
    EXPECT_EQ(sent.InvestorOldPassword, oldPassword.substr(0, 20));
    EXPECT_EQ(sent.InvestorNewPassword, newPassword.substr(0, 20));

    trade::ChangePasswordRsp reply{};
    SetText(reply.InvestorID, "SERVER");
    const trade::RspInfo ok{};
    Session().OnChangePasswordRsp(&reply, &ok, 6, 0);
    const auto echoed = User.Events("OnPasswordChangeReply")[0].As<CZantuVextPasswordChange>();
    EXPECT_STREQ(echoed.BrokerCode, "");
    EXPECT_STREQ(echoed.UserCode, "U1");
    EXPECT_EQ(echoed.OldPassword, oldPassword);
    EXPECT_EQ(echoed.NewPassword, newPassword);

    SetText(request.NewPassword, "SECOND");
    Api->SubmitPasswordChange(&request, 7);
    Session().OnChangePasswordRsp(&reply, nullptr, 6, 0);
    const TraderEvent second = User.Events("OnPasswordChangeReply").back();
    EXPECT_STREQ(second.As<CZantuVextPasswordChange>().NewPassword, "SECOND");
    EXPECT_FALSE(second.HasStatus);
}

TEST_F(Account, ConnectionEventsPassThrough) {
    Session().OnConnected();
    Session().OnDisconnected();
    const auto events = User.Events();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].Name, "OnConnected");
    EXPECT_EQ(events[1].Name, "OnDisconnected");
    EXPECT_EQ(events[1].RequestId, 0);  // the reason
    EXPECT_TRUE(Log->Calls().empty());  // no login of its own
}

}  // namespace
