// The trading object's life over a fake session: creation and release, Init, Join, the slot of the
// identity echo, fronts, resume modes, the refused (-3) and locally answered slots before and after Init,
// and Release while callbacks run, wait in the queue, or a thread waits in Join.
#include "trade/api/VextTraderApiImpl.h"

#include <atomic>
#include <future>
#include <memory>
#include <thread>

#include <gtest/gtest.h>

#include "tests/support/VirtualSlot.h"
#include "tests/trade/api/FacadeFixture.h"
#include "tests/trade/api/TraderSlots.h"

struct TraderApiImplAccess {
    static std::ptrdiff_t IdentityEchoSlot() { return VirtualSlot(&CVextTraderApiImpl::DeliverIdentityEcho); }
    static const CCallbackLoop& Loop(CZantuVextTraderApi* api) {
        return static_cast<CVextTraderApiImpl*>(api)->Loop;
    }
};

namespace {

using namespace std::chrono_literals;

using Lifecycle = FacadeTest;

TEST_F(Lifecycle, IdentityEchoStandsRightAfterThePublicSlots) {
    EXPECT_EQ(TraderApiImplAccess::IdentityEchoSlot(), 94);
}

TEST_F(Lifecycle, CreatedObjectBecomesTheSessionCallbackAndReleasesTheSession) {
    EXPECT_EQ(Log->Spi.load(), static_cast<CVOSKTradeSpi*>(static_cast<CVextTraderApiImpl*>(Api)));
    EXPECT_STREQ(Api->CurrentTradingDay(), "");
    Api->Release();
    Api = nullptr;
    EXPECT_TRUE(Log->Released.load());
}

TEST_F(Lifecycle, InitStartsTheSessionOnce) {
    Api->Init();
    Api->Init();
    EXPECT_EQ(Log->InitCalls.load(), 2);  // the session itself runs once
    Api->EmptyQuery37(nullptr, 1);
    ASSERT_TRUE(User.WaitFor("OnEmptyReply25"));
}

TEST_F(Lifecycle, AddFrontSkipsTheSchemeAndIgnoresTooShortTexts) {
    char address[] = "tcp://10.0.0.1:4000";
    Api->AddFront(address);
    char other[] = "xyz://host:1";
    Api->AddFront(other);
    // Exact-size heap copies: a read past the text is seen by AddressSanitizer.
    for (const char* shortText : {"", "tcp:", "tcp:/"}) {
        std::unique_ptr<char[]> copy(new char[std::strlen(shortText) + 1]);
        std::memcpy(copy.get(), shortText, std::strlen(shortText) + 1);
        Api->AddFront(copy.get());
    }
    Api->AddFront(nullptr);
    char schemeOnly[] = "tcp://";
    Api->AddFront(schemeOnly);
    EXPECT_EQ(Log->Fronts(), (std::vector<std::string>{"10.0.0.1:4000", "host:1", ""}));
}

TEST(LifecycleModes, ResumeTypesBecomeFlowModesAtLogin) {
    struct Case {
        int privateType;
        int publicType;
        bool subscribes;
        int privateMode;
        int publicMode;
    };
    const Case cases[] = {
        {0, 1, true, 1, 2},   {2, -1, true, 3, 0},  {7, 0, true, 0, 1},
        {7, -1, false, 0, 0}, {-1, 3, false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.privateType) + "/" + std::to_string(c.publicType));
        auto log = std::make_shared<FakeTradeSessionLog>();
        RecordingTraderSpi user;
        CZantuVextTraderApi* api = new CVextTraderApiImpl(new CFakeTradeSession(log));
        api->SetSpi(&user);
        api->SetPrivateResumeMode(c.privateType);
        api->SetPublicResumeMode(c.publicType);
        trade::LoginRsp reply{};
        SetText(reply.TradeDate, "2024-03-15");
        const trade::RspInfo ok{};
        log->Spi.load()->OnLoginRsp(&reply, &ok, 1, 0);
        const auto subscriptions = log->Calls("SubscribeFlows");
        ASSERT_EQ(subscriptions.size(), c.subscribes ? 1u : 0u);
        if (c.subscribes) {
            EXPECT_EQ(subscriptions[0].PrivateMode, c.privateMode);
            EXPECT_EQ(subscriptions[0].PublicMode, c.publicMode);
        }
        api->Release();
    }
}

TEST_F(Lifecycle, UnsupportedSlotsReturnMinusThreeAndDoNothingBeforeAndAfterInit) {
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round == 0 ? "before Init" : "after Init");
        int record = 0;
        for (OneArgument operation : UnsupportedOne)
            EXPECT_EQ((Api->*operation)(5), -3);
        for (TwoArguments operation : UnsupportedTwo)
            EXPECT_EQ((Api->*operation)(&record, 5), -3);
        Api->ReservedSlot5(1);
        Api->ReservedSlot6(1);
        EXPECT_TRUE(Log->Calls().empty());
        if (round == 0) Api->Init();
    }
    // Nothing was queued ahead of this reply.
    Api->EmptyQuery93(nullptr, 1);
    ASSERT_TRUE(User.WaitFor("OnEmptyReply121"));
    EXPECT_EQ(User.Events().size(), 1u);
}

TEST_F(Lifecycle, EmptyQueriesAnswerOnTheCallbackThreadBeforeAndAfterInit) {
    int requestId = 0;
    for (const EmptyCase& c : EmptyQueries)
        EXPECT_EQ((Api->*c.Operation)(&requestId, ++requestId), 0);
    EXPECT_TRUE(User.Events().empty());  // queued until the callback thread runs
    Api->Init();
    for (const EmptyCase& c : EmptyQueries)
        EXPECT_EQ((Api->*c.Operation)(nullptr, ++requestId), 0);
    const size_t count = 2 * std::size(EmptyQueries);
    ASSERT_TRUE(User.WaitForCount(count));
    const auto events = User.Events();
    ASSERT_EQ(events.size(), count);
    for (size_t i = 0; i < count; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(events[i].Name, EmptyQueries[i % std::size(EmptyQueries)].Reply);
        EXPECT_EQ(events[i].Pointer, nullptr);
        EXPECT_FALSE(events[i].HasStatus);
        EXPECT_EQ(events[i].RequestId, static_cast<int>(i) + 1);
        EXPECT_TRUE(events[i].IsLast);
        EXPECT_NE(events[i].Thread, std::this_thread::get_id());
        EXPECT_EQ(events[i].Thread, events[0].Thread);
    }
    EXPECT_TRUE(Log->Calls().empty());
}

TEST_F(Lifecycle, ServerRequestsReturnWhatTheSessionReturns) {
    for (int result : {-1, 0}) {
        SCOPED_TRACE(result);
        Log->Result = result;
        ExpectServerRequests(Api, result);
    }
}

TEST_F(Lifecycle, JoinWithoutInitReturnsAtOnce) {
    EXPECT_EQ(Api->Join(), 0);
}

TEST_F(Lifecycle, JoinOnTheCallbackThreadIsRefused) {
    struct JoiningSpi : RecordingTraderSpi {
        CZantuVextTraderApi* Api = nullptr;
        std::atomic<bool> Refused{false};
        void OnZeroValueReply(CZantuVextZeroValue* r, CZantuVextRspInfo* s, int id, bool last) override {
            try {
                Api->Join();
            } catch (const std::system_error& error) {
                Refused = error.code() == std::errc::resource_deadlock_would_occur;
            }
            RecordingTraderSpi::OnZeroValueReply(r, s, id, last);
        }
    } joining;
    joining.Api = Api;
    Api->SetSpi(&joining);
    Api->Init();
    Api->QueryZeroValue(nullptr, 1);
    ASSERT_TRUE(joining.WaitFor("OnZeroValueReply"));
    EXPECT_TRUE(joining.Refused.load());
    Api->Release();
    Api = nullptr;
}

TEST_F(Lifecycle, ThreadWaitingInJoinReturnsZeroOnceAnotherThreadReleases) {
    Api->Init();
    const CCallbackLoop& loop = TraderApiImplAccess::Loop(Api);
    std::future<int> joined = std::async(std::launch::async, [api = Api] { return api->Join(); });
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (loop.JoinWaiters() == 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::yield();
    ASSERT_EQ(loop.JoinWaiters(), 1);
    EXPECT_EQ(joined.wait_for(0s), std::future_status::timeout);
    Api->Release();
    Api = nullptr;
    ASSERT_EQ(joined.wait_for(5s), std::future_status::ready);
    EXPECT_EQ(joined.get(), 0);
}

// A callback object whose first local reply blocks until the object's Release has stopped the queue.
struct BlockingSpi : RecordingTraderSpi {
    const CCallbackLoop* Loop = nullptr;
    std::atomic<bool> Entered{false};
    void OnZeroValueReply(CZantuVextZeroValue* r, CZantuVextRspInfo* s, int id, bool last) override {
        RecordingTraderSpi::OnZeroValueReply(r, s, id, last);
        Entered = true;
        const auto deadline = std::chrono::steady_clock::now() + 5s;
        while (!Loop->Stopped() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::yield();
    }
};

TEST_F(Lifecycle, ReleaseWhileACallbackRunsWaitsForItAndDiscardsTheQueue) {
    BlockingSpi blocking;
    blocking.Loop = &TraderApiImplAccess::Loop(Api);
    Api->SetSpi(&blocking);
    Api->Init();
    Api->QueryZeroValue(nullptr, 1);
    for (int i = 0; i < 100; ++i) {
        CZantuVextConfirmation confirmation{};
        Api->SubmitConfirmation(&confirmation, i);
        Api->EchoIdentity(nullptr, i);
        Api->QueryInvestor(nullptr, i);
    }
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (!blocking.Entered.load() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::yield();
    ASSERT_TRUE(blocking.Entered.load());
    std::thread release([api = Api] { api->Release(); });
    Api = nullptr;
    release.join();
    EXPECT_TRUE(Log->Released.load());
    EXPECT_EQ(blocking.Events().size(), 1u);  // the queued replies were discarded
}

TEST_F(Lifecycle, ReleaseFromALocalReplyOnTheCallbackThread) {
    struct ReleasingSpi : RecordingTraderSpi {
        CZantuVextTraderApi* Api = nullptr;
        void OnInvestorQueryReply(CZantuVextInvestor* r, CZantuVextRspInfo* s, int id, bool last) override {
            Api->Release();
            RecordingTraderSpi::OnInvestorQueryReply(r, s, id, last);
        }
    } releasing;
    releasing.Api = Api;
    Api->SetSpi(&releasing);
    Api->Init();
    Api->QueryInvestor(nullptr, 1);
    Api->EchoIdentity(nullptr, 2);
    Api = nullptr;
    ASSERT_TRUE(releasing.WaitFor("OnInvestorQueryReply"));
    EXPECT_TRUE(Log->Released.load());
    EXPECT_EQ(releasing.Events().size(), 1u);
}

TEST_F(Lifecycle, ReleaseFromASessionCallback) {
    struct ReleasingSpi : RecordingTraderSpi {
        CZantuVextTraderApi* Api = nullptr;
        void OnConnected() override {
            RecordingTraderSpi::OnConnected();
            Api->Release();
        }
    } releasing;
    releasing.Api = Api;
    Api->SetSpi(&releasing);
    Api->Init();
    Session().OnConnected();
    Api = nullptr;
    EXPECT_TRUE(Log->Released.load());
}

}  // namespace

namespace {

TEST_F(Lifecycle, TradingDayReadDuringLoginRepliesIsNeverHalfWritten) {
    LogIn("2024-03-15");
    const char* first = Api->CurrentTradingDay();
    for (const char* next : {"2024-03-18", "2024-03-19", "2025-12-31"}) {
        SCOPED_TRACE(next);
        const std::string before = Api->CurrentTradingDay();
        const std::string after = std::string(next, 4) + std::string(next + 5, 2) + std::string(next + 8, 2);
        std::atomic<bool> torn{false};
        std::thread reader([&] {
            const auto deadline = std::chrono::steady_clock::now() + 5s;
            for (;;) {
                const std::string seen(Api->CurrentTradingDay());
                if (seen == after) return;
                if (seen != before) torn = true;
                if (std::chrono::steady_clock::now() > deadline) return;
            }
        });
        LogIn(next);
        reader.join();
        EXPECT_FALSE(torn.load());
        EXPECT_EQ(std::string(Api->CurrentTradingDay()), after);
    }
    EXPECT_EQ(std::strlen(first), 8u);  // a pointer handed out earlier still reads a whole date
}

}  // namespace
