// The market-data library as a calling program links it (libquotegate.so, public header only) against a
// scripted front on 127.0.0.1: the requests it writes, compared byte for byte with payloads laid out
// from the wire rules, and what the user receives for the packages the front sends.
#include "ZantuVextMdApi.h"

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/quot/api/QuoteFixtures.h"
#include "tests/quot/api/ReceivedPackageCases.h"
#include "tests/support/RecordingMdSpi.h"
#include "tests/support/ScriptedFront.h"

using namespace quotefix;

namespace {

class MdApiEndToEnd : public ::testing::Test {
  protected:
    MdApiEndToEnd() : Api(CZantuVextMdApi::CreateVextMdApi(nullptr, true, true)) {
        Api->SetSpi(&User);
        std::string address = "tcp://" + Front.Address();
        Api->AddFront(&address[0]);
    }
    ~MdApiEndToEnd() override { Release(); }

    void Release() {
        if (Api != nullptr) Api->Release();
        Api = nullptr;
    }
    // Payloads of the frames the front read on one connection, heartbeats left out.
    std::vector<Bytes> Requests(int connection = 1) const {
        std::vector<Bytes> payloads;
        for (const ReceivedFrame& f : Front.Frames())
            if (!f.IsHeartbeat() && f.Connection == connection)
                payloads.emplace_back(f.Frame.begin() + 4, f.Frame.end());
        return payloads;
    }
    void ExpectRequests(const std::vector<Bytes>& expected, int connection = 1) const {
        const std::vector<Bytes> actual = Requests(connection);
        ASSERT_EQ(actual.size(), expected.size());
        for (size_t i = 0; i < actual.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_BYTES(actual[i].data(), actual[i].size(), expected[i]);
        }
    }

    static CZantuVextLoginRequest LoginOf(const char* broker, const char* user, const char* password) {
        CZantuVextLoginRequest r{};
        std::strcpy(r.BrokerCode, broker);
        std::strcpy(r.UserCode, user);
        std::strcpy(r.LoginPassword, password);
        return r;
    }

    ScriptedFront Front;  // before the object, which is released first
    RecordingMdSpi User;
    CZantuVextMdApi* Api;
};

}  // namespace

TEST_F(MdApiEndToEnd, RequestsReachTheFrontAsTheServiceExpectsThem) {
    CZantuVextLoginRequest login = LoginOf("BROKER1", "USER1", "secret");
    CZantuVextLogoutRecord someoneElse{};
    std::strcpy(someoneElse.UserCode, "SOMEONE");
    std::string codes[] = {"cu2405", "ABCDEFGHIJKLMNOPQRST", "a"};  // the second has 20 characters
    char* list[] = {&codes[0][0], &codes[1][0], &codes[2][0]};

    // Not started: refused or dropped, nothing sent.
    EXPECT_EQ(Api->SubmitLogin(&login, 3), -1);
    EXPECT_EQ(Api->SubmitLogout(&someoneElse, 4), -1);
    EXPECT_EQ(Api->SubscribeQuotes(list, 3), 0);

    Front.Accept()
        .ExpectFrame(HasRequest(116, 3))
        .Send(LoginReply(3, "2024-03-15", 0))
        .ExpectFrame(HasRequest(7, 0))
        .ExpectFrame(HasRequest(7, 0))
        .ExpectFrame(HasRequest(7, 0))
        .ExpectFrame(HasRequest(9, 0))
        .ExpectFrame(HasRequest(118, 4))
        .Send(LogoutReply(4, "whoever"));
    Api->Init();
    ASSERT_TRUE(User.WaitFor("OnConnected"));
    EXPECT_STREQ(Api->CurrentTradingDay(), "");
    EXPECT_EQ(Api->SubmitLogin(&login, 3), 0);
    ASSERT_TRUE(User.WaitFor("OnLoginReply"));
    EXPECT_STREQ(Api->CurrentTradingDay(), "20240315");

    EXPECT_EQ(Api->SubscribeQuotes(list, 0), 0);  // sends nothing
    EXPECT_EQ(Api->Unsupported10(list, 1), -3);   // nor do these
    EXPECT_EQ(Api->Unsupported11(list, 1), -3);
    EXPECT_EQ(Api->Unsupported14(list, 1), -3);
    EXPECT_EQ(Api->Join(), 0);
    EXPECT_EQ(Api->SubscribeQuotes(list, 3), 0);
    EXPECT_EQ(Api->UnsubscribeQuotes(list + 2, 1), 0);
    EXPECT_EQ(Api->SubmitLogout(&someoneElse, 4), 0);
    ASSERT_TRUE(User.WaitFor("OnLogoutReply"));
    ASSERT_TRUE(Front.WaitSteps());
    Release();
    Front.Finish();

    ExpectRequests({LoginRequest(3, "USER1", "secret"), SubscribeRequest(7, "cu2405"),
                    SubscribeRequest(7, "ABCDEFGHIJKLMNO"), SubscribeRequest(7, "a"),
                    SubscribeRequest(9, "a"), LogoutRequest(4, "USER1")});
    const MdEvent logout = User.EventsNamed("OnLogoutReply").at(0);
    EXPECT_STREQ(logout.As<CZantuVextLogoutRecord>().UserCode, "USER1");
    EXPECT_EQ(logout.RequestId, 4);
    EXPECT_TRUE(logout.IsLast);
}

TEST_F(MdApiEndToEnd, ReceivedPackagesReachTheUserAsPublicRecords) {
    Front.Accept();
    Api->Init();
    ASSERT_TRUE(User.WaitFor("OnConnected"));
    for (const ReceivedPackageCase& c : ReceivedPackageCases()) {
        SCOPED_TRACE(c.Name);
        const size_t before = User.EventsNamed(c.Callback).size();
        Front.Send(c.Payload);
        ASSERT_TRUE(User.WaitFor(c.Callback, before + 1));
        c.Check(User.EventsNamed(c.Callback).back(), *Api);
    }
    ASSERT_TRUE(Front.WaitSteps());
    Release();
    Front.Finish();
    for (const MdEvent& e : User.Events())
        EXPECT_TRUE(e.Name == "OnConnected" || e.Name == "OnMarketSnapshot" || e.IsLast) << e.Name;
}

TEST_F(MdApiEndToEnd, AfterAReconnectionNothingIsSentAgainAndTheLoginIsRemembered) {
    CZantuVextLoginRequest login = LoginOf("BROKER1", "USER1", "secret");
    std::string code = "cu2405";
    char* list[] = {&code[0]};
    Front.Accept()
        .ExpectFrame(HasRequest(116, 1))
        .Send(LoginReply(1, "2024-03-15", 0))
        .ExpectFrame(HasRequest(7, 0))
        .Close()
        .Accept()
        .ExpectFrame(HasRequest(118, 2));
    Api->Init();
    ASSERT_TRUE(User.WaitFor("OnConnected"));
    ASSERT_EQ(Api->SubmitLogin(&login, 1), 0);
    ASSERT_TRUE(User.WaitFor("OnLoginReply"));
    ASSERT_EQ(Api->SubscribeQuotes(list, 1), 0);
    ASSERT_TRUE(User.WaitFor("OnConnected", 2, std::chrono::seconds(5)));
    EXPECT_STREQ(Api->CurrentTradingDay(), "20240315");
    // The first request on the new connection is the one sent now: no login, no subscription before it.
    EXPECT_EQ(Api->SubmitLogout(nullptr, 2), 0);
    ASSERT_TRUE(Front.WaitSteps());
    Release();
    Front.Finish();

    EXPECT_EQ(User.Names(),
              (std::vector<std::string>{"OnConnected", "OnLoginReply", "OnDisconnected", "OnConnected"}));
    EXPECT_EQ(User.EventsNamed("OnDisconnected").at(0).Reason, 0);
    ExpectRequests({LogoutRequest(2, "USER1")}, 2);
}

TEST(MdApiLibrary, VersionAndTradingDayBeforeAnyLogin) {
    EXPECT_STREQ(CZantuVextMdApi::GetApiVersion(), "6.3.19_P1");
    CZantuVextMdApi* api = CZantuVextMdApi::CreateVextMdApi("ignored", false, false);
    ASSERT_NE(api, nullptr);
    EXPECT_STREQ(api->CurrentTradingDay(), "");
    EXPECT_EQ(api->Join(), 0);
    api->Release();
}
