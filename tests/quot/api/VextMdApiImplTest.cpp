// The market-data object over a fake session: what each public operation hands the session, and what
// each session callback hands the user. The test plays the session I/O thread.
#include "quot/api/VextMdApiImpl.h"

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/quot/api/FakeQuotSession.h"
#include "tests/support/Hex.h"
#include "tests/support/RecordingMdSpi.h"

namespace {

class MdFacade : public ::testing::Test {
  protected:
    MdFacade() : Api(new CVextMdApiImpl(new CFakeQuotSession(Log))) { Api->SetSpi(&User); }
    ~MdFacade() override {
        if (Api != nullptr) Api->Release();
    }

    // The facade as its session sees it.
    CVOSKQuotSpi& Session() { return *Log.Spi; }

    CZantuVextLoginRequest LoginRequest(const char* broker, const char* user, const char* password) {
        CZantuVextLoginRequest r;
        std::memset(&r, 'x', sizeof r);  // bytes outside the three members are not read
        std::strcpy(r.BrokerCode, broker);
        std::strcpy(r.UserCode, user);
        std::strcpy(r.LoginPassword, password);
        return r;
    }
    void Login(const char* broker, const char* user) {
        CZantuVextLoginRequest r = LoginRequest(broker, user, "pw");
        ASSERT_EQ(Api->SubmitLogin(&r, 1), 0);
    }
    void LoginReply(const char* tradeDate, int16_t rspNo = 0) {
        quot::LoginRsp rsp{};
        std::strcpy(rsp.TradeDate, tradeDate);
        quot::RspInfo info{};
        info.RspNo = rspNo;
        Session().OnLoginRsp(&rsp, &info, 1, 1);
    }

    FakeSessionLog Log;
    RecordingMdSpi User;
    CZantuVextMdApi* Api;
};

// Instrument codes as a caller hands them: each in a heap block of exactly its length and terminator,
// so reading past a short code is seen by ASan.
class CodeList {
  public:
    explicit CodeList(std::initializer_list<std::string> codes) {
        for (const std::string& code : codes) {
            Blocks.emplace_back(Bytes(code.begin(), code.end() + 1));
            Pointers.push_back(reinterpret_cast<char*>(Blocks.back().data()));
        }
    }
    char** data() { return Pointers.data(); }
    int size() const { return static_cast<int>(Pointers.size()); }

  private:
    std::vector<ExactBuffer> Blocks;
    std::vector<char*> Pointers;
};

}  // namespace

// --- lifecycle and locally answered slots

TEST_F(MdFacade, RegistersWithItsSessionAndReleasesIt) {
    EXPECT_EQ(Log.Spi, static_cast<CVOSKQuotSpi*>(static_cast<CVextMdApiImpl*>(Api)));
    Api->Init();
    EXPECT_EQ(Log.Inits, 1);
    Api->Release();
    Api = nullptr;
    EXPECT_TRUE(Log.Released);
}

TEST_F(MdFacade, UnofferedSlotsAnswerAtOnceAndSendNothing) {
    int dummy = 0;
    EXPECT_EQ(Api->Unsupported10(&dummy, 1), -3);
    EXPECT_EQ(Api->Unsupported11(&dummy, 1), -3);
    EXPECT_EQ(Api->Unsupported14(&dummy, 1), -3);
    EXPECT_EQ(Api->Join(), 0);
    Api->ReservedSlot5(1);
    Api->ReservedSlot6(1);
    EXPECT_TRUE(Log.Logins.empty() && Log.Logouts.empty() && Log.Subscribes.empty() && Log.Fronts.empty());
    EXPECT_EQ(Log.Inits + Log.Queries, 0);
    EXPECT_TRUE(User.Events().empty());
}

TEST_F(MdFacade, FrontsLoseTheirSixSchemeCharacters) {
    std::string addresses[] = {"tcp://127.0.0.1:7001", "udp://h:1", "tcp://", "tcp", ""};
    for (std::string& a : addresses)
        Api->AddFront(a.data());
    Api->AddFront(nullptr);
    EXPECT_EQ(Log.Fronts, (std::vector<std::string>{"127.0.0.1:7001", "h:1"}));
}

// --- login and logout requests

TEST_F(MdFacade, LoginSendsUserAndPasswordCutToTheSessionMembers) {
    CZantuVextLoginRequest r = LoginRequest("B123456789", "U12345678901234", "P1234567890123456789");
    // Members filled to their last byte, without terminator: read within their widths only.
    std::memset(r.UserCode, 'U', sizeof r.UserCode);
    std::memset(r.LoginPassword, 'P', sizeof r.LoginPassword);
    Log.Result = -1;
    EXPECT_EQ(Api->SubmitLogin(&r, 42), -1);  // the session's result
    ASSERT_EQ(Log.Logins.size(), 1u);
    const auto& [login, requestId] = Log.Logins[0];
    EXPECT_EQ(requestId, 42);
    EXPECT_STREQ(login.InvestorID, std::string(15, 'U').c_str());
    EXPECT_STREQ(login.InvestorPassword, std::string(20, 'P').c_str());
    EXPECT_STREQ(login.IP, "");
    EXPECT_EQ(login.ProductType, '\0');
    EXPECT_EQ(login.ProductVersion, 0);
    EXPECT_EQ(Api->SubmitLogin(nullptr, 43), -1);
    EXPECT_EQ(Log.Logins.size(), 1u);
}

TEST_F(MdFacade, LogoutIsForTheUserOfTheLastLoginWhateverTheRecordSays) {
    CZantuVextLogoutRecord other{};
    std::strcpy(other.UserCode, "SOMEONE");
    EXPECT_EQ(Api->SubmitLogout(&other, 5), 0);  // before any login: empty InvestorID
    Login("B1", "FIRST");
    Login("B2", "SECOND");
    Log.Result = -1;
    EXPECT_EQ(Api->SubmitLogout(&other, 6), -1);
    EXPECT_EQ(Api->SubmitLogout(nullptr, 7), -1);
    ASSERT_EQ(Log.Logouts.size(), 3u);
    EXPECT_STREQ(Log.Logouts[0].first.InvestorID, "");
    EXPECT_EQ(Log.Logouts[0].second, 5);
    EXPECT_STREQ(Log.Logouts[1].first.InvestorID, "SECOND");
    EXPECT_EQ(Log.Logouts[1].second, 6);
    EXPECT_STREQ(Log.Logouts[2].first.InvestorID, "SECOND");
}

// --- subscriptions

TEST_F(MdFacade, OneRequestPerCodeWithRequestIdZero) {
    CodeList codes{"cu2405", "ABCDEFGHIJKLMNOPQRST", "a"};  // the second has 20 characters
    Log.Result = -1;                                        // not connected: still 0
    EXPECT_EQ(Api->SubscribeQuotes(codes.data(), codes.size()), 0);
    EXPECT_EQ(Api->UnsubscribeQuotes(codes.data(), codes.size()), 0);
    const char* expected[] = {"cu2405", "ABCDEFGHIJKLMNO", "a"};
    ASSERT_EQ(Log.Subscribes.size(), 3u);
    ASSERT_EQ(Log.Unsubscribes.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_STREQ(Log.Subscribes[i].first.InstrumentID, expected[i]);
        EXPECT_STREQ(Log.Subscribes[i].first.InvestorID, "");
        EXPECT_EQ(Log.Subscribes[i].second, 0);
        EXPECT_STREQ(Log.Unsubscribes[i].first.InstrumentID, expected[i]);
        EXPECT_EQ(Log.Unsubscribes[i].second, 0);
        // The record's bytes after the code stay NUL.
        const auto& id = Log.Subscribes[i].first.InstrumentID;
        for (size_t k = std::strlen(expected[i]); k < sizeof id; ++k)
            EXPECT_EQ(id[k], '\0');
    }
}

TEST_F(MdFacade, EmptyNegativeOrNullCodeListsSendNothing) {
    CodeList codes{"cu2405"};
    char* withNull[] = {nullptr, codes.data()[0], nullptr};
    EXPECT_EQ(Api->SubscribeQuotes(codes.data(), 0), 0);
    EXPECT_EQ(Api->SubscribeQuotes(codes.data(), -1), 0);
    EXPECT_EQ(Api->SubscribeQuotes(nullptr, 3), 0);
    EXPECT_EQ(Api->UnsubscribeQuotes(codes.data(), -5), 0);
    EXPECT_TRUE(Log.Subscribes.empty() && Log.Unsubscribes.empty());
    EXPECT_EQ(Api->SubscribeQuotes(withNull, 3), 0);  // null entries are skipped
    ASSERT_EQ(Log.Subscribes.size(), 1u);
    EXPECT_STREQ(Log.Subscribes[0].first.InstrumentID, "cu2405");
}

// --- login reply and the trading day

TEST_F(MdFacade, LoginReplyCarriesTheStoredIdentityAndTheServerSession) {
    CZantuVextLoginRequest request = LoginRequest("", "USER", "pw");
    std::memcpy(request.BrokerCode, "BROKER12345", 11);  // no terminator: 10 characters are kept
    ASSERT_EQ(Api->SubmitLogin(&request, 1), 0);
    quot::LoginRsp rsp{};
    std::strcpy(rsp.TradeDate, "2024-03-15");
    std::memset(rsp.SysName, 'S', 50);
    rsp.SessionID = (int64_t{7} << 32) | 0xFFFFFFFE;
    quot::RspInfo info{};
    info.RspNo = -1;  // 65535 to the user
    std::memset(info.RspDesc, 'd', 256);
    Session().OnLoginRsp(&rsp, &info, 9, 0);

    ASSERT_EQ(User.Names(), std::vector<std::string>{"OnLoginReply"});
    const auto events = User.Events();
    const MdEvent& e = events[0];
    EXPECT_TRUE(e.HasRecord && e.HasStatus && e.IsLast);
    EXPECT_EQ(e.RequestId, 9);
    const auto reply = e.As<CZantuVextLoginReply>();
    EXPECT_STREQ(reply.TradingDate, "20240315");
    EXPECT_STREQ(reply.BrokerCode, "BROKER1234");
    EXPECT_STREQ(reply.UserCode, "USER");
    EXPECT_STREQ(reply.ServerName, std::string(40, 'S').c_str());
    EXPECT_EQ(reply.FrontNumber, 7);
    EXPECT_EQ(reply.SessionNumber, -2);
    EXPECT_STREQ(reply.OrderRefSeed, "1");
    ASSERT_EQ(std::strlen(reply.LoginClock), 8u);
    EXPECT_EQ(reply.LoginClock[2], ':');
    EXPECT_EQ(reply.LoginClock[5], ':');
    for (const char* clock : {reply.ExchangeClock1, reply.ExchangeClock2, reply.ExchangeClock3,
                              reply.ExchangeClock4, reply.ExchangeClock5})
        EXPECT_STREQ(clock, reply.LoginClock);
    EXPECT_EQ(e.Status.ErrorCode, 65535);
    EXPECT_STREQ(e.Status.ErrorText, std::string(80, 'd').c_str());
    // Reserved bytes and padding of the reply stay zero.
    EXPECT_BYTES(reinterpret_cast<const uint8_t*>(reply.Reserved86), 2, Hex("00 00"));
    EXPECT_BYTES(reinterpret_cast<const uint8_t*>(reply.Reserved154), 2, Hex("00 00"));
}

TEST_F(MdFacade, EveryLoginReplySetsTheTradingDayFailedOrNot) {
    EXPECT_STREQ(Api->CurrentTradingDay(), "");
    struct Case {
        const char* tradeDate;
        int16_t rspNo;
        const char* day;
    };
    const Case cases[] = {
        {"2024-03-15", 0, "20240315"},
        {"2024-03-18", 17, "20240318"},  // failed login
        {"20240319", 0, "20240319"},     // eight digits pass through, not "202439"
        {"", 3, ""},
        {"2024-03-15", 0, "20240315"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tradeDate);
        LoginReply(c.tradeDate, c.rspNo);
        EXPECT_STREQ(Api->CurrentTradingDay(), c.day);
        EXPECT_STREQ(User.Events().back().As<CZantuVextLoginReply>().TradingDate, c.day);
        EXPECT_EQ(User.Events().back().Status.ErrorCode, c.rspNo);
    }
}

TEST_F(MdFacade, TradingDayTextHandedOutEarlierIsNotRewritten) {
    LoginReply("2024-03-15");
    const char* first = Api->CurrentTradingDay();
    for (const char* next : {"2024-03-18", "2024-03-19", "2024-03-15", "2024-03-20"}) {
        LoginReply(next);
        EXPECT_STREQ(first, "20240315");
    }
    EXPECT_STREQ(Api->CurrentTradingDay(), "20240320");
}

TEST_F(MdFacade, WithoutUserCallbackRepliesAndQuotesAreDropped) {
    LoginReply("2024-03-15");
    Api->SetSpi(nullptr);
    LoginReply("2024-03-18");
    EXPECT_STREQ(Api->CurrentTradingDay(), "20240315");  // unchanged
    quot::Quot quote{};
    Session().OnQuot(&quote);
    Session().OnConnected();
    Session().OnDisconnected();
    Session().OnLogoutRsp(nullptr, nullptr, 1, 1);
    Session().OnSubscribeRsp(nullptr, nullptr, 1, 1);
    Session().OnUnsubscribeRsp(nullptr, nullptr, 1, 1);
    EXPECT_EQ(User.Names(), std::vector<std::string>{"OnLoginReply"});
}

// --- other replies and events

TEST_F(MdFacade, LogoutReplyNamesTheStoredUser) {
    Login("BROKER", "USER1");
    quot::LogoutRsp rsp{};
    std::strcpy(rsp.InvestorID, "OTHER");  // not used
    quot::RspInfo info{};
    Session().OnLogoutRsp(&rsp, &info, 3, 1);
    Session().OnLogoutRsp(nullptr, nullptr, 4, 1);
    const auto events = User.Events();
    ASSERT_EQ(events.size(), 2u);
    const auto logout = events[0].As<CZantuVextLogoutRecord>();
    EXPECT_STREQ(logout.UserCode, "USER1");
    EXPECT_STREQ(logout.BrokerCode, "");
    EXPECT_TRUE(events[0].HasStatus && events[0].IsLast);
    EXPECT_EQ(events[0].RequestId, 3);
    EXPECT_FALSE(events[1].HasRecord || events[1].HasStatus);
}

TEST_F(MdFacade, SubscribeRepliesPassRecordAndStatusOnlyWhenPresent) {
    quot::QuotSubscribeRsp sub{};
    std::memset(sub.InstrumentID, 'I', 15);
    quot::QuotUnSubscribeRsp unsub{};
    std::strcpy(unsub.InstrumentID, "cu2405");
    quot::RspInfo info{};
    info.RspNo = 12;
    std::strcpy(info.RspDesc, "no such instrument");
    Session().OnSubscribeRsp(&sub, nullptr, 0, 1);
    Session().OnSubscribeRsp(nullptr, &info, 0, 1);
    Session().OnUnsubscribeRsp(&unsub, &info, 0, 0);

    const auto events = User.Events();
    ASSERT_EQ(User.Names(),
              (std::vector<std::string>{"OnSubscribeReply", "OnSubscribeReply", "OnUnsubscribeReply"}));
    EXPECT_TRUE(events[0].HasRecord);
    EXPECT_FALSE(events[0].HasStatus);
    EXPECT_STREQ(events[0].As<CZantuVextInstrumentId>().InstrumentCode, std::string(15, 'I').c_str());
    EXPECT_FALSE(events[1].HasRecord);
    EXPECT_EQ(events[1].Status.ErrorCode, 12);
    EXPECT_STREQ(events[1].Status.ErrorText, "no such instrument");
    EXPECT_STREQ(events[2].As<CZantuVextInstrumentId>().InstrumentCode, "cu2405");
    for (const MdEvent& e : events)
        EXPECT_TRUE(e.IsLast);  // whatever the end flag
}

TEST_F(MdFacade, ConnectionEventsReachTheUserWithReasonZero) {
    Session().OnConnected();
    Session().OnDisconnected();
    EXPECT_EQ(User.Names(), (std::vector<std::string>{"OnConnected", "OnDisconnected"}));
    EXPECT_EQ(User.Events()[1].Reason, 0);
    EXPECT_TRUE(Log.Logins.empty() && Log.Subscribes.empty());  // nothing re-sent by the object
}

TEST_F(MdFacade, QuoteReachesTheUserAsSnapshot) {
    quot::Quot quote{};
    std::strcpy(quote.InstrumentID, "neversubscribed");
    std::strcpy(quote.TradeDate, "2024-03-15");
    quote.Price = 101.5;
    Session().OnQuot(&quote);
    ASSERT_EQ(User.Names(), std::vector<std::string>{"OnMarketSnapshot"});
    const auto s = User.Events()[0].As<CZantuVextMarketSnapshot>();
    EXPECT_STREQ(s.InstrumentCode, "neversubscribed");
    EXPECT_STREQ(s.TradingDate, "20240315");
    EXPECT_EQ(s.LastTradePrice, 101.5);
    EXPECT_EQ(s.LastPriceCopy, 101.5);
}

TEST_F(MdFacade, ReleaseFromInsideACallbackTouchesNothingAfterwards) {
    // Under ASan a member access after the user callback returns shows as a use after free.
    User.OnEvent = [this](const MdEvent&) {
        Api->Release();
        Api = nullptr;
    };
    quot::Quot quote{};
    Log.Spi->OnQuot(&quote);
    EXPECT_TRUE(Log.Released);
}
