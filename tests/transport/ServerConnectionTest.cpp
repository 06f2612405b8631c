// A server connection against a scripted front over loopback: framing of what arrives in odd pieces,
// the size limit, dispatch results, heartbeats, the receive timeout and the send backlog.
#include "transport/ServerConnection.h"

#include <future>
#include <thread>

#include <gtest/gtest.h>

#include "codec/APIPackage.h"
#include "tests/support/CoreUnderTest.h"
#include "tests/support/ScriptedFront.h"
#include "transport/CloseReasons.h"

using namespace std::chrono_literals;

namespace {

const CConnectionSettings Small{64 * 1024, 64 * 1024, 120};
const CConnectionSettings ShortTimeout{64 * 1024, 64 * 1024, 2};  // heartbeat after 1 s, timeout 2 s

std::string Closed(const char* reason) {
    return std::string("Closed ") + reason;
}

using Events = std::vector<std::string>;

}  // namespace

TEST(ServerConnection, LengthInTwoHalvesThenPayloadIsProcessedOnce) {
    ScriptedFront front;
    CoreUnderTest s({front.Address()}, Small);
    front.Accept().SendRaw(Framed(BuildPackage(123, 7)), {2, 4}).Send(BuildPackage(125, 8));
    s.Core.Init();
    ASSERT_TRUE(s.Log.WaitFor("Package 125 8"));
    EXPECT_EQ(s.Log.Matching("Package"), (Events{"Package 123 7", "Package 125 8"}));
    s.Core.Shutdown();
    front.Finish();
}

TEST(ServerConnection, ThreeFramesInOneWriteAreProcessedInOrder) {
    ScriptedFront front;
    CoreUnderTest s({front.Address()}, Small);
    front.Accept().SendRaw(
        Cat({Framed(BuildPackage(123, 1)), Framed(BuildPackage(123, 2)), Framed(BuildPackage(125, 3))}));
    s.Core.Init();
    ASSERT_TRUE(s.Log.WaitFor("Package 125 3"));
    EXPECT_EQ(s.Log.Matching("Package"), (Events{"Package 123 1", "Package 123 2", "Package 125 3"}));
    s.Core.Shutdown();
    front.Finish();
}

TEST(ServerConnection, EmptyFrameIsAnEmptyPayload) {
    ScriptedFront front;
    CoreUnderTest s({front.Address()}, Small);
    s.Link.AfterPackage = [&](CServerConnection&, CAPIPackage& package) {
        s.Log.Add("Length " + std::to_string(package.GetLength()) +
                  (package.Data ? " with body" : " without body"));
        return 0;
    };
    front.Accept().SendRaw(Hex("00 00 00 00")).Send(BuildPackage(125, 8));
    s.Core.Init();
    ASSERT_TRUE(s.Log.WaitFor("Package 125 8"));
    EXPECT_EQ(s.Log.Matching("Package"), (Events{"Package 0 0", "Package 125 8"}));
    EXPECT_EQ(s.Log.Matching("Length").front(), "Length 0 without body");
    s.Core.Shutdown();
    front.Finish();
}

TEST(ServerConnection, LargestFrameIsProcessedAndOneByteMoreClosesAndReconnectsToTheFirstFront) {
    ScriptedFront front;
    ScriptedFront second;
    CoreUnderTest s({front.Address(), second.Address()}, Small);
    const Bytes largest = BuildPackage(124, 1, [](CAPIPackage& package) {
        static const uint8_t filler[MaxPayloadLength - 50] = {};
        ASSERT_EQ(package.AppendBytes(filler, sizeof filler), static_cast<int>(sizeof filler));
    });
    ASSERT_EQ(largest.size(), MaxPayloadLength);
    front.Accept()
        .Send(largest)
        .SendRaw(Hex("00 00 1F FD"))  // 8189, and no payload at all
        .ExpectPeerClose()
        .Accept();
    s.Core.Init();
    ASSERT_TRUE(s.Log.WaitFor("Package 124 1"));
    ASSERT_TRUE(s.Log.WaitFor(Closed(closereason::PackageTooLarge)));
    ASSERT_TRUE(s.Log.WaitFor("OnDisconnected"));
    ASSERT_TRUE(s.Log.WaitFor("Connecting"));
    ASSERT_TRUE(s.Log.WaitFor("OnConnected"));
    EXPECT_EQ(s.Log.Matching("Connecting"),
              (Events{"Connecting " + front.Address(), "Connecting " + front.Address()}));
    s.Core.Shutdown();
    front.Finish();
    second.Finish();
}

TEST(ServerConnection, NegativeDispatchResultClosesAndDropsTheRestOfTheRead) {
    ScriptedFront front;
    CoreUnderTest s({front.Address()}, Small);
    s.Link.AfterPackage = [](CServerConnection&, CAPIPackage& package) {
        return package.ServiceNo == 130 ? -1 : 0;
    };
    front.Accept()
        .SendRaw(Cat({Framed(BuildPackage(130, 1)), Framed(BuildPackage(131, 2))}))
        .ExpectPeerClose()
        .Accept();
    s.Core.Init();
    ASSERT_TRUE(s.Log.WaitFor(Closed(closereason::BusinessError)));
    ASSERT_TRUE(s.Log.WaitFor("OnDisconnected"));
    ASSERT_TRUE(s.Log.WaitFor("OnConnected"));
    EXPECT_EQ(s.Log.Matching("Package"), (Events{"Package 130 1"}));
    s.Core.Shutdown();
    front.Finish();
}

TEST(ServerConnection, HeartbeatIsTheFiftyFourByteFrameAfterHalfTheTimeoutWithoutSending) {
    ScriptedFront front;
    CoreUnderTest s({front.Address()}, ShortTimeout);
    front.Accept().ExpectFrame(IsHeartbeat(), 3s);
    s.Core.Init();
    ASSERT_TRUE(front.WaitSteps());
    s.Core.Shutdown();
    front.Finish();
    const std::vector<ReceivedFrame> frames = front.Frames();
    ASSERT_FALSE(frames.empty());
    EXPECT_BYTES(frames[0].Frame.data(), frames[0].Frame.size(),
                 Hex("00 00 00 32"                          // frame length 50
                     "03 F1 00 00 00 00 00 22"              // ApiHead, 34
                     "03 F0 00 00 00 00 00 02 00 00"        // ServiceNo 0
                     "03 EB 00 00 00 00 00 04 00 00 00 00"  // RequestID 0
                     "03 EC 00 00 00 00 00 04 00 00 00 00"  // EndFlag 0
                     "03 F2 00 00 00 00 00 00"));           // ApiBody, empty
}

TEST(ServerConnection, EverySendPostponesTheHeartbeat) {
    ScriptedFront front;
    CoreUnderTest s({front.Address()}, {64 * 1024, 64 * 1024, 4});  // heartbeat after 2 s, timeout 4 s
    constexpr int Requests = 10;  // 250 ms apart: 2.25 s of traffic against the 2 s heartbeat interval
    front.Accept();
    for (int i = 1; i <= Requests; ++i)
        front.ExpectFrame(HasRequest(1, i))
            .Send(BuildPackage(2, i));  // replies keep the receive timeout away
    front.ExpectFrame(IsHeartbeat(), 4s);
    s.Core.Init();
    ASSERT_TRUE(s.Log.WaitFor("OnConnected"));
    for (int i = 1; i <= Requests; ++i) {
        if (i > 1) std::this_thread::sleep_for(250ms);  // pacing the traffic, not waiting for an event
        ASSERT_EQ(s.Core.Post(Request(1, i)), 0);
    }
    ASSERT_TRUE(front.WaitSteps());
    s.Core.Shutdown();
    front.Finish();
    const std::vector<ReceivedFrame> frames = front.Frames();
    ASSERT_EQ(frames.size(), size_t{Requests + 1});
    for (int i = 0; i < Requests; ++i)
        EXPECT_FALSE(frames[i].IsHeartbeat()) << "heartbeat although a request went out less than 2 s before";
    EXPECT_TRUE(frames.back().IsHeartbeat());
}

TEST(ServerConnection, NothingReceivedForTheTimeoutClosesReportsAndReconnects) {
    ScriptedFront front;
    CoreUnderTest s({front.Address()}, ShortTimeout);
    front.Accept().ExpectPeerClose(4s).Accept();
    s.Core.Init();
    ASSERT_TRUE(s.Log.WaitFor("OnConnected"));
    ASSERT_TRUE(s.Log.WaitFor(Closed(closereason::HeartbeatTimeout), 4s));
    ASSERT_TRUE(s.Log.WaitFor("OnDisconnected"));
    ASSERT_TRUE(s.Log.WaitFor("Connecting " + front.Address()));
    ASSERT_TRUE(s.Log.WaitFor("OnConnected"));
    s.Core.Shutdown();
    front.Finish();
}

TEST(ServerConnection, BacklogLargerThanABlockIsWrittenInOrderAndTheBlocksAreFreed) {
    ScriptedFront front;
    CoreUnderTest s({front.Address()}, {64, 64 * 1024, 120});  // every 54-byte frame straddles a block end
    constexpr int Frames = 40;
    front.Accept();
    for (int i = 0; i < Frames; ++i)
        front.ExpectFrame(HasRequest(5, i));
    s.Core.Init();
    ASSERT_TRUE(s.Log.WaitFor("OnConnected"));
    std::promise<size_t> queued;
    ASSERT_EQ(s.Core.Post([&](CServerConnection& connection) {
        for (int i = 0; i < Frames; ++i)
            SendRequest(connection, 5, i);
        queued.set_value(connection.SendBlockCount());
    }),
              0);
    EXPECT_GT(queued.get_future().get(), 2u);
    ASSERT_TRUE(front.WaitSteps());
    // The last write completion may still be on its way to the I/O thread: ask until it has run.
    size_t blocks = 0;
    for (auto deadline = std::chrono::steady_clock::now() + 2s;
         std::chrono::steady_clock::now() < deadline;) {
        std::promise<size_t> count;
        std::future<size_t> answer = count.get_future();
        ASSERT_EQ(
            s.Core.Post([&](CServerConnection& connection) { count.set_value(connection.SendBlockCount()); }),
            0);
        ASSERT_EQ(answer.wait_for(2s), std::future_status::ready);
        if ((blocks = answer.get()) == 1) break;
        std::this_thread::sleep_for(5ms);
    }
    EXPECT_EQ(blocks, 1u);
    s.Core.Shutdown();
    front.Finish();
}
