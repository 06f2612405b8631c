// The trading session end to end against a scripted loopback front: every request service on the wire,
// replies reaching the callback object, and the refusals before a connection exists.
#include "trade/session/VOSKTradeApiImp.h"

#include <gtest/gtest.h>

#include "codec/APIPackage.h"
#include "tests/support/EventLog.h"
#include "tests/support/RecordingTradeSpi.h"
#include "tests/support/ScriptedFront.h"

namespace {

// A session started against the front; released at the end of the test, before the front.
struct Session {
    explicit Session(const std::string& front) : Api(new CVOSKTradeApiImp()) {
        Spi.OnCall = [this](const TradeCall& call) { Log.Add(call.Name); };
        Api->SetSpi(&Spi);
        Api->AddFront(front.c_str());
    }
    ~Session() { Api->Release(); }

    EventLog Log;
    RecordingTradeSpi Spi;
    CVOSKTradeApi* Api;
};

std::vector<ReceivedFrame> Requests(const ScriptedFront& front) {
    std::vector<ReceivedFrame> requests;
    for (const ReceivedFrame& f : front.Frames())
        if (!f.IsHeartbeat()) requests.push_back(f);
    return requests;
}

TEST(TradeSession, EveryServiceSendsItsRecordWithEveryField) {
    ScriptedFront front;
    Session session(front.Address());
    front.Accept();
    session.Api->Init();
    ASSERT_TRUE(session.Log.WaitFor("OnConnected"));

    std::vector<Bytes> expected;
    int32_t requestId = 100;
#define KDX_SERVICE(serviceNo, slot, operation, record, replyNo)                                 \
    {                                                                                            \
        const trade::record zero{};                                                              \
        EXPECT_EQ(session.Api->operation(&zero, ++requestId), 0) << #operation;                  \
        front.ExpectFrame(HasRequest(serviceNo, requestId));                                     \
        expected.push_back(Framed(BuildPackage(serviceNo, requestId, [&](CAPIPackage& package) { \
            ASSERT_GT(WriteRecordElement(package, zero), 0);                                     \
        })));                                                                                    \
    }
#include "trade/session/TradeServices.def"
#undef KDX_SERVICE
    ASSERT_TRUE(front.WaitSteps());
    const auto requests = Requests(front);
    ASSERT_EQ(requests.size(), expected.size());
    for (size_t i = 0; i < requests.size(); ++i) {
        SCOPED_TRACE(requests[i].Describe());
        EXPECT_EQ(requests[i].EndFlag, 0);
        EXPECT_BYTES(requests[i].Frame.data(), requests[i].Frame.size(), expected[i]);
    }
    EXPECT_TRUE(front.Finish());
}

TEST(TradeSession, RepliesReachTheCallbackAndUnknownServicesKeepTheConnection) {
    ScriptedFront front;
    Session session(front.Address());
    trade::LoginRsp login{};
    std::strcpy(login.TradeDate, "2024-03-15");
    front.Accept()
        .Send(BuildPackage(133, 5))
        .Send(BuildPackage(0, 0))
        .Send(BuildPackage(122, 1))
        .Send(BuildPackage(117, 9,
                           [&](CAPIPackage& package) { ASSERT_GT(WriteRecordElement(package, login), 0); }));
    session.Api->Init();
    ASSERT_TRUE(session.Log.WaitFor("OnLoginRsp"));
    const auto calls = session.Spi.Calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].Name, "OnConnected");
    EXPECT_EQ(calls[1].RequestId, 9);
    EXPECT_STREQ(calls[1].As<trade::LoginRsp>().TradeDate, "2024-03-15");

    // Still the same connection: a request goes out on it.
    trade::LogoutReq logout{};
    EXPECT_EQ(session.Api->SubmitLogout(&logout, 10), 0);
    front.ExpectFrame(HasRequest(118, 10));
    EXPECT_TRUE(front.WaitSteps());
    // Checked before Finish, whose closing of the connection the session would report.
    EXPECT_EQ(session.Log.Count("OnDisconnected"), 0u);
    EXPECT_EQ(front.Connections(), 1);
    EXPECT_TRUE(front.Finish());
}

TEST(TradeSession, RequestsAreRefusedWithoutAConnection) {
    ScriptedFront front;
    front.Refuse();
    ASSERT_TRUE(front.WaitSteps());
    Session session(front.Address());
    const trade::LoginReq login{};
    EXPECT_EQ(session.Api->SubmitLogin(&login, 1), -1);  // before Init
    EXPECT_EQ(session.Api->SubscribeFlows(1, 1), -1);
    session.Api->Init();
    EXPECT_EQ(session.Api->SubmitLogin(&login, 1), -1);  // the front refuses: never connected
    EXPECT_EQ(session.Api->QueryOrder(nullptr, 2), -1);
    EXPECT_TRUE(front.Finish());
}

}  // namespace
