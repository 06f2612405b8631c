// The trading library's life as a calling program sees it, through libordergate.so and the public
// header: the refused and locally answered slots before Init, while connecting and while connected, and
// Release before Init, while connecting, while notifications flood in, and from callbacks on either
// thread. Run under ThreadSanitizer as well.
#include "ZantuVextTraderApi.h"

#include <atomic>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "tests/support/RecordingTraderSpi.h"
#include "tests/support/TradeFrames.h"
#include "tests/trade/api/TraderSlots.h"

using namespace std::chrono_literals;

namespace {

void AddFronts(CZantuVextTraderApi* api, std::initializer_list<const ScriptedFront*> fronts) {
    for (const ScriptedFront* front : fronts) {
        std::string address = "tcp://" + front->Address();
        api->AddFront(&address[0]);
    }
}

Bytes LoginReply(int32_t requestId) {
    const Bytes login =
        Cat({TextField(fld::TradeDate, "2024-03-15"), LongField(fld::SessionID, int64_t{1} << 32)});
    return Payload(117, requestId, 0, Cat({RspInfoElement(0, ""), Element(fld::LoginRsp.Tag, login)}));
}

void LogIn(CZantuVextTraderApi* api) {
    CZantuVextLoginRequest login{};
    std::memcpy(login.UserCode, "U1", 2);
    EXPECT_EQ(api->SubmitLogin(&login, 1), 0);
}

// Calls every refused slot and every EmptyQuery slot once; request ids count on from `requestId`.
void CallLocalSlots(CZantuVextTraderApi* api, int& requestId) {
    int record = 0;
    for (OneArgument operation : UnsupportedOne)
        EXPECT_EQ((api->*operation)(1), -3);
    for (TwoArguments operation : UnsupportedTwo)
        EXPECT_EQ((api->*operation)(&record, 1), -3);
    for (const EmptyCase& c : EmptyQueries)
        EXPECT_EQ((api->*c.Operation)(&record, ++requestId), 0);
}

TEST(TraderLibraryLifecycle, LocalSlotsBeforeInitWhileConnectingAndConnected) {
    ScriptedFront down;
    ScriptedFront up;
    ASSERT_TRUE(down.Refuse().WaitSteps());
    RecordingTraderSpi user;
    CZantuVextTraderApi* api = CZantuVextTraderApi::CreateVextTraderApi("ignored");
    api->SetSpi(&user);
    AddFronts(api, {&down, &up});
    int requestId = 0;
    CallLocalSlots(api, requestId);
    ExpectServerRequests(api, -1);
    up.Accept(5s).ExpectPeerClose(5s);
    api->Init();
    CallLocalSlots(api, requestId);
    ExpectServerRequests(api, -1);  // the refusing front first
    ASSERT_TRUE(user.WaitFor("OnConnected", 1, 5s));
    CallLocalSlots(api, requestId);

    const size_t count = 3 * std::size(EmptyQueries);
    ASSERT_TRUE(user.WaitForCount(count + 1));
    std::vector<TraderEvent> replies;
    for (const TraderEvent& event : user.Events())
        if (event.Name != "OnConnected") replies.push_back(event);
    ASSERT_EQ(replies.size(), count);
    for (size_t i = 0; i < count; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(replies[i].Name, EmptyQueries[i % std::size(EmptyQueries)].Reply);
        EXPECT_EQ(replies[i].RequestId, static_cast<int>(i) + 1);
        EXPECT_EQ(replies[i].Pointer, nullptr);
        EXPECT_FALSE(replies[i].HasStatus);
        EXPECT_NE(replies[i].Thread, std::this_thread::get_id());
        EXPECT_NE(replies[i].Thread, user.Events("OnConnected")[0].Thread);
    }
    api->Release();
    EXPECT_TRUE(up.Finish());
    EXPECT_TRUE(down.Finish());
}

TEST(TraderLibraryLifecycle, ReleaseBeforeInitAndWhileConnecting) {
    ScriptedFront down;
    ASSERT_TRUE(down.Refuse().WaitSteps());
    RecordingTraderSpi user;
    CZantuVextTraderApi* idle = CZantuVextTraderApi::CreateVextTraderApi(nullptr);
    idle->SetSpi(&user);
    idle->QueryZeroValue(nullptr, 1);  // queued, never delivered
    idle->Release();
    CZantuVextTraderApi* connecting = CZantuVextTraderApi::CreateVextTraderApi(nullptr);
    connecting->SetSpi(&user);
    AddFronts(connecting, {&down});
    connecting->Init();
    connecting->QueryInvestor(nullptr, 2);
    connecting->Release();
    EXPECT_TRUE(down.Finish());
    for (const TraderEvent& event : user.Events())
        EXPECT_EQ(event.Name, "OnInvestorQueryReply");  // at most the reply queued after Init
}

// Counts order notifications; the first one holds the session I/O thread for a moment, so that Release
// meets a running callback and packages still to dispatch.
struct CountingSpi : RecordingTraderSpi {
    std::atomic<int> Updates{0};
    void OnOrderUpdate(CZantuVextOrder*) override {
        if (++Updates == 1) {
            const auto until = std::chrono::steady_clock::now() + 20ms;
            while (std::chrono::steady_clock::now() < until)
                std::this_thread::yield();
        }
    }
};

TEST(TraderLibraryLifecycle, ReleaseWhileNotificationsFloodIn) {
    ScriptedFront front;
    CountingSpi user;
    CZantuVextTraderApi* api = CZantuVextTraderApi::CreateVextTraderApi(nullptr);
    api->SetSpi(&user);
    api->SetPrivateResumeMode(0);
    AddFronts(api, {&front});
    front.Accept().ExpectFrame(HasRequest(116, 1)).Send(LoginReply(1)).ExpectFrame(HasServiceNo(3));
    // One write of the whole flood: the connection may be reset by Release before separate writes end.
    Bytes flood;
    for (uint32_t seq = 1; seq <= 300; ++seq) {
        const Bytes frame = Framed(Payload(1, 124, static_cast<int32_t>(seq),
                                           Element(fld::Order.Tag, TextField(fld::OrderID, "1"))));
        flood.insert(flood.end(), frame.begin(), frame.end());
    }
    front.SendRaw(flood).ExpectPeerClose(5s);
    api->Init();
    ASSERT_TRUE(user.WaitFor("OnConnected"));
    LogIn(api);
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (user.Updates.load() == 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::yield();
    ASSERT_GT(user.Updates.load(), 0);
    for (int i = 0; i < 50; ++i)
        api->QueryInvestor(nullptr, i);  // local replies queued behind
    api->Release();
    const int afterRelease = user.Updates.load();
    EXPECT_TRUE(front.Finish());
    EXPECT_EQ(user.Updates.load(), afterRelease);  // nothing after Release returned
}

// Releases the object from the first callback of the given name, on whatever thread it comes, with
// local replies queued just before.
struct ReleasingSpi : RecordingTraderSpi {
    std::string ReleaseOn;
    CZantuVextTraderApi* Api = nullptr;
    std::atomic<bool> Released{false};
    void OnLoginReply(CZantuVextLoginReply* r, CZantuVextRspInfo* s, int id, bool last) override {
        RecordingTraderSpi::OnLoginReply(r, s, id, last);
        MaybeRelease("OnLoginReply");
    }
    void OnZeroValueReply(CZantuVextZeroValue* r, CZantuVextRspInfo* s, int id, bool last) override {
        RecordingTraderSpi::OnZeroValueReply(r, s, id, last);
        MaybeRelease("OnZeroValueReply");
    }
    void MaybeRelease(const std::string& name) {
        if (name != ReleaseOn) return;
        for (int i = 0; i < 10; ++i) {
            Api->QueryZeroValue(nullptr, i);
            Api->EchoIdentity(nullptr, i);
        }
        Api->Release();
        Released = true;
    }
};

TEST(TraderLibraryLifecycle, ReleaseFromACallbackOnEitherThread) {
    for (const char* releaseOn : {"OnLoginReply", "OnZeroValueReply"}) {
        SCOPED_TRACE(releaseOn);
        ScriptedFront front;
        ReleasingSpi user;
        user.ReleaseOn = releaseOn;
        user.Api = CZantuVextTraderApi::CreateVextTraderApi(nullptr);
        user.Api->SetSpi(&user);
        AddFronts(user.Api, {&front});
        front.Accept().ExpectFrame(HasRequest(116, 1)).Send(LoginReply(1)).ExpectPeerClose(5s);
        user.Api->Init();
        ASSERT_TRUE(user.WaitFor("OnConnected"));
        LogIn(user.Api);
        if (user.ReleaseOn == "OnZeroValueReply") {
            ASSERT_TRUE(user.WaitFor("OnLoginReply"));
            user.Api->QueryZeroValue(nullptr, 99);  // the last call from this thread
        }
        const auto deadline = std::chrono::steady_clock::now() + 5s;
        while (!user.Released.load() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::yield();
        ASSERT_TRUE(user.Released.load());
        EXPECT_TRUE(front.Finish());
        EXPECT_EQ(user.Events(releaseOn).size(), 1u);
        // Released on the callback thread itself, the replies queued before it are never delivered.
        if (user.ReleaseOn == "OnZeroValueReply") {
            EXPECT_TRUE(user.Events("OnEchoIdentityReply").empty());
        }
    }
}

}  // namespace
