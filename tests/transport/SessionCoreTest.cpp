// The session core's lifecycle: posting before, during and after a connection, Init's errors, Shutdown
// while waiting and while connected, shutting down from inside a callback, and the error texts.
#include "transport/SessionCore.h"

#include <atomic>
#include <future>
#include <thread>

#include <boost/system/system_error.hpp>
#include <gtest/gtest.h>

#include "codec/APIPackage.h"
#include "tests/support/CoreUnderTest.h"
#include "tests/support/Hex.h"
#include "tests/support/ScriptedFront.h"
#include "transport/CloseReasons.h"
#include "transport/FrontRotation.h"

using namespace std::chrono_literals;

namespace {

const CConnectionSettings Small{64 * 1024, 64 * 1024, 120};
using Events = std::vector<std::string>;

// Waits until the I/O threads let go by shutdowns from callbacks have ended.
::testing::AssertionResult IoThreadsEnd(int expected) {
    for (auto deadline = std::chrono::steady_clock::now() + 2s;
         std::chrono::steady_clock::now() < deadline;) {
        if (CSessionCore::RunningIoThreads() == expected) return ::testing::AssertionSuccess();
        std::this_thread::sleep_for(1ms);
    }
    return ::testing::AssertionFailure() << CSessionCore::RunningIoThreads() << " I/O threads still running";
}

}  // namespace

TEST(SessionCore, ErrorTextsAreTheGbkTable) {
    EXPECT_BYTES(reinterpret_cast<const uint8_t*>(CSessionCore::GetErrorText(0)), 10,
                 Hex("B2D9 D7F7 B3C9 B9A6 A3A1"));
    EXPECT_BYTES(reinterpret_cast<const uint8_t*>(CSessionCore::GetErrorText(-1)), 10,
                 Hex("B2D9 D7F7 CAA7 B0DC A3A1"));
    EXPECT_STREQ(CSessionCore::GetErrorText(5), "\xCE\xB4\xD6\xAA\xB4\xED\xCE\xF3\xB1\xE0\xC2\xEB");
    EXPECT_STREQ(CSessionCore::GetErrorText(1), CSessionCore::GetErrorText(5));
}

TEST(SessionCore, PostIsRefusedUntilConnectedAndAcceptedAfterwards) {
    ScriptedFront down;
    ScriptedFront up;
    ASSERT_TRUE(down.Refuse().WaitSteps());
    CoreUnderTest s({down.Address(), up.Address()}, Small);
    EXPECT_EQ(s.Core.Post(Request(1, 1)), -1);  // before Init
    up.Accept().ExpectFrame(HasRequest(1, 2));
    s.Core.Init();
    ASSERT_TRUE(s.Log.WaitFor("Connecting " + down.Address()));
    EXPECT_EQ(s.Core.Post(Request(1, 1)), -1);  // waiting for the next attempt
    ASSERT_TRUE(s.Log.WaitFor("OnConnected", 3s));
    EXPECT_EQ(s.Core.Post(Request(1, 2)), 0);
    ASSERT_TRUE(up.WaitSteps());
    s.Core.Shutdown();
    EXPECT_EQ(s.Core.Post(Request(1, 3)), -1);  // after Shutdown
    down.Finish();
    up.Finish();
}

TEST(SessionCore, RequestPostedJustBeforeTheConnectionDropsProducesNothing) {
    ScriptedFront front;
    CoreUnderTest s({front.Address()}, Small);
    std::atomic<bool> handlerRan{false};
    std::atomic<int> posted{1};
    // The reply to request 1 posts request 2, then fails dispatch: the connection closes before the
    // posted handler gets its turn on the I/O thread.
    s.Link.AfterPackage = [&](CServerConnection&, CAPIPackage&) {
        posted = s.Core.Post([&](CServerConnection& connection) {
            handlerRan = true;
            SendRequest(connection, 1, 2);
        });
        return -1;
    };
    front.Accept().ExpectFrame(HasRequest(1, 1)).Send(BuildPackage(2, 1)).ExpectPeerClose().Accept();
    s.Core.Init();
    ASSERT_TRUE(s.Log.WaitFor("OnConnected"));
    ASSERT_EQ(s.Core.Post(Request(1, 1)), 0);
    ASSERT_TRUE(s.Log.WaitFor("OnDisconnected"));
    ASSERT_TRUE(s.Log.WaitFor("OnConnected"));
    ASSERT_TRUE(front.WaitSteps());
    s.Core.Shutdown();
    front.Finish();
    EXPECT_EQ(posted, 0);
    EXPECT_FALSE(handlerRan);
    for (const ReceivedFrame& frame : front.Frames())
        EXPECT_FALSE(frame.ServiceNo == 1 && frame.RequestID == 2) << "the dropped request was sent";
}

TEST(SessionCore, ShutdownWhileWaitingEndsTheAttemptsWithoutACallback) {
    ScriptedFront down;
    ASSERT_TRUE(down.Refuse().WaitSteps());
    CoreUnderTest s({down.Address()}, Small);
    s.Core.Init();
    ASSERT_TRUE(s.Log.WaitFor("Connecting"));
    EXPECT_EQ(s.Core.Shutdown(), 0);
    const Events atShutdown = s.Log.Events();
    // Nothing can be awaited here: an attempt left behind would come after the retry pause.
    std::this_thread::sleep_for(CFrontRotation::RetryPause + 300ms);
    EXPECT_EQ(s.Log.Events(), atShutdown);
    EXPECT_EQ(atShutdown, (Events{"Connecting " + down.Address()}));
    EXPECT_EQ(s.Core.Shutdown(), 0);  // a second one does nothing
    down.Finish();
}

TEST(SessionCore, ShutdownWhileConnectedClosesWithoutOnDisconnected) {
    ScriptedFront front;
    CoreUnderTest s({front.Address()}, Small);
    front.Accept().ExpectPeerClose();
    s.Core.Init();
    ASSERT_TRUE(s.Log.WaitFor("OnConnected"));
    EXPECT_EQ(s.Core.Shutdown(), 0);
    // The I/O thread has been joined: no callback can follow.
    EXPECT_EQ(s.Log.Events(), (Events{"Connecting " + front.Address(), "OnConnected", "Closed Stoped"}));
    front.Finish();
}

TEST(SessionCore, DestructionWhileConnectedShutsDown) {
    ScriptedFront front;
    EventLog log;
    RecordingLink link(log);
    auto core = std::make_unique<CSessionCore>(link, Small);
    core->AddFront(front.Address().c_str());
    front.Accept().ExpectPeerClose();
    core->Init();
    ASSERT_TRUE(log.WaitFor("OnConnected"));
    core.reset();
    EXPECT_EQ(log.Count("OnDisconnected"), 0u);
    front.Finish();
}

TEST(SessionCore, SessionFreedFromInsideEachCallbackStopsCleanly) {
    enum class From { Connected, Package, Disconnected };
    for (From from : {From::Connected, From::Package, From::Disconnected}) {
        SCOPED_TRACE(static_cast<int>(from));
        const int threadsBefore = CSessionCore::RunningIoThreads();
        ScriptedFront front;
        EventLog log;
        RecordingLink link(log);
        auto* core = new CSessionCore(link, Small);
        // What a facade's Release does when the user calls it from a callback on the I/O thread.
        const auto release = [&] {
            delete core;
            log.Add("Released");
        };
        if (from == From::Connected) link.AfterConnected = release;
        if (from == From::Disconnected) link.AfterDisconnected = release;
        if (from == From::Package) {
            link.AfterPackage = [&](CServerConnection&, CAPIPackage&) {
                release();
                return 0;
            };
        }
        core->AddFront(front.Address().c_str());
        front.Accept();
        if (from == From::Package) front.Send(BuildPackage(123, 1)).SendRaw(Framed(BuildPackage(123, 2)));
        if (from == From::Disconnected) front.Close();
        if (from != From::Disconnected) front.ExpectPeerClose();
        core->Init();
        ASSERT_TRUE(log.WaitFor("Released"));
        ASSERT_TRUE(IoThreadsEnd(threadsBefore));
        const Events events = log.Events();
        EXPECT_EQ(events.back(), "Released");
        EXPECT_EQ(log.Count("Package"), from == From::Package ? 1u : 0u);
        front.Finish();
    }
}

TEST(SessionCore, InitResolvesTheFirstFrontOnTheCallersThread) {
    CoreUnderTest s({"bad host:80"}, Small);  // the resolver refuses it without a lookup
    EXPECT_THROW(s.Core.Init(), boost::system::system_error);
    EXPECT_EQ(s.Core.Post(Request(1, 1)), -1);
    EXPECT_EQ(s.Core.Shutdown(), 0);
}

TEST(SessionCore, InitWithoutFrontsConnectsNowhere) {
    CoreUnderTest s({}, Small);
    EXPECT_EQ(s.Core.Init(), 0);
    EXPECT_EQ(s.Core.Post(Request(1, 1)), -1);
    EXPECT_EQ(s.Core.Shutdown(), 0);
    EXPECT_TRUE(s.Log.Events().empty());
}

TEST(SessionCore, FrontsAddedAfterInitAndASecondInitChangeNothing) {
    ScriptedFront down;
    ScriptedFront up;
    ASSERT_TRUE(down.Refuse().WaitSteps());
    CoreUnderTest s({down.Address()}, Small);
    s.Core.Init();
    s.Core.AddFront(up.Address().c_str());
    EXPECT_EQ(s.Core.Init(), 0);
    ASSERT_TRUE(s.Log.WaitForCount("Connecting", 2, 3s));
    s.Core.Shutdown();
    EXPECT_EQ(s.Log.Matching("Connecting"),
              (Events{"Connecting " + down.Address(), "Connecting " + down.Address()}));
    down.Finish();
    up.Finish();
}
