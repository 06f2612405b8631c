// A scripted front server for session tests: a listener on 127.0.0.1 (ephemeral port) with its own
// io_context and thread, running a script of steps in order against the client that connects to it.
//
//   EventLog log;
//   ScriptedFront front;                                  // listening at once
//   RecordingLink link(log);
//   CSessionCore core(link, {64 * 1024, 64 * 1024, 4});
//   core.AddFront(front.Address().c_str());
//   front.Accept()
//       .ExpectFrame(HasRequest(122, 7))                 // heartbeats are skipped unless asked for
//       .Send(BuildPackage(123, 7))
//       .SendRaw(Hex("00 00 00 32 ..."), {2, 4})          // three writes: bytes [0,2) [2,4) [4,end)
//       .Close();
//   core.Init();
//   ASSERT_TRUE(log.WaitFor("Package 123 7"));
//   core.Shutdown();
//   front.Finish();                                       // fails the test for a failed or unrun step
//
// Steps run on the front's thread as soon as they are added, one after the other; each has a bound
// (default 2 s) counted from its start. The first failing step ends the script; Finish reports it by
// number and name ("step 2 ExpectFrame(ServiceNo 122 RequestID 7): got ServiceNo 118 RequestID 7") and
// lists the steps not run. Every frame read by ExpectFrame or ExpectPeerClose is recorded, heartbeats
// included, and Frames() returns them. Several fronts may run in one test (A, B, C). Declare fronts and
// the EventLog before the session, so that the session is destroyed first.
#pragma once

#include <chrono>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <gtest/gtest.h>

#include "tests/support/Hex.h"

class CAPIPackage;
struct FieldBindingList;

// One frame read by the front.
struct ReceivedFrame {
    Bytes Frame;  // as received: the 4-byte length, then the payload
    uint16_t ServiceNo = 0;
    int32_t RequestID = 0;
    int32_t EndFlag = 0;
    uint32_t BodyLength = 0;  // ApiBody value length (0 without a body)
    int Connection = 0;       // 1 for the first connection the front accepted, 2 for the next...
    std::chrono::steady_clock::time_point Arrival;

    bool IsHeartbeat() const { return ServiceNo == 0 && RequestID == 0 && BodyLength == 0; }
    // Decodes the body element with the tag (a record) into the bindings. False when it is absent or
    // does not decode.
    bool DecodeRecord(uint16_t recordTag, const FieldBindingList& bindings) const;
    std::string Describe() const;  // "ServiceNo 122 RequestID 7 (54 bytes)"
};

// What ExpectFrame waits for.
struct FrameMatcher {
    std::string Description;  // shown in the step name
    std::function<bool(const ReceivedFrame&)> Match;
    bool MatchesHeartbeats = false;  // false: heartbeat frames are recorded and skipped
};

FrameMatcher AnyFrame();  // any frame but a heartbeat
FrameMatcher IsHeartbeat();
FrameMatcher HasServiceNo(uint16_t serviceNo);
FrameMatcher HasRequest(uint16_t serviceNo, int32_t requestId);
FrameMatcher Satisfies(std::string description, std::function<bool(const ReceivedFrame&)> match);

// Payload bytes of an API package built with the codec: BeginPackage, then `body` appends to it.
Bytes BuildPackage(uint16_t serviceNo, int32_t requestId, const std::function<void(CAPIPackage&)>& body = {});
// The frame of a payload: its 4-byte big-endian length, then the payload.
Bytes Framed(const Bytes& payload);

class ScriptedFront {
  public:
    using Duration = std::chrono::milliseconds;
    static constexpr Duration DefaultBound{2000};
    // Pause between the writes of SendRaw, so that the client is likely to read them separately.
    static constexpr Duration SplitPause{20};

    ScriptedFront();
    // Stops at once, abandoning the script (a test should call Finish).
    ~ScriptedFront();
    ScriptedFront(const ScriptedFront&) = delete;
    ScriptedFront& operator=(const ScriptedFront&) = delete;

    uint16_t Port() const { return ListenPort; }
    std::string Address() const;  // "127.0.0.1:<port>", for AddFront

    // Waits for a client and makes it the connection of the following steps (an earlier one is closed).
    ScriptedFront& Accept(Duration bound = DefaultBound);
    // Reads frames until one matches (fails on another frame, on the peer closing, or at the bound).
    ScriptedFront& ExpectFrame(FrameMatcher matcher, Duration bound = DefaultBound);
    // Sends the payload as one frame.
    ScriptedFront& Send(const Bytes& payload);
    // Sends the bytes as they are, as separate writes cut at the split points (offsets, ascending).
    ScriptedFront& SendRaw(const Bytes& bytes, std::vector<size_t> splitPoints = {});
    // Closes the connection.
    ScriptedFront& Close();
    // Reads (and records) frames until the client closes the connection.
    ScriptedFront& ExpectPeerClose(Duration bound = DefaultBound);
    // Closes the listening socket: from then on connection attempts are refused at once.
    ScriptedFront& Refuse();

    // Waits until every step added so far has run (or the script has failed).
    ::testing::AssertionResult WaitSteps(Duration bound = Duration{10000});
    // Waits for the remaining steps (each within its bound), stops the front and closes its sockets,
    // then adds a test failure for a failed step and for steps that did not run. True when all passed.
    bool Finish();

    std::vector<ReceivedFrame> Frames() const;
    int Connections() const;

  private:
    enum class Kind { Accept, ExpectFrame, Send, SendRaw, Close, ExpectPeerClose, Refuse };
    struct Step {
        int Number;
        Kind What;
        std::string Name;
        Duration Bound;
        FrameMatcher Matcher;
        Bytes Data;
        std::vector<size_t> Splits;
    };
    enum class ReadResult { Frame, PeerClosed, TimedOut, Failed };
    using Clock = std::chrono::steady_clock;

    ScriptedFront& Add(Step step);
    void Run();
    std::string Execute(const Step& step);
    std::string DoAccept(Clock::time_point deadline);
    std::string ReadFrames(const FrameMatcher* matcher, Clock::time_point deadline, Duration bound);
    std::string WriteAll(const uint8_t* data, size_t size, Clock::time_point deadline);
    ReadResult ReadFrame(Clock::time_point deadline, ReceivedFrame& frame, std::string& error);
    bool RunUntil(const bool& done, Clock::time_point deadline);

    boost::asio::io_context Io;
    boost::asio::ip::tcp::acceptor Acceptor;
    boost::asio::ip::tcp::socket Socket;
    uint16_t ListenPort = 0;

    mutable std::mutex Mutex;
    std::condition_variable Changed;
    std::deque<Step> Queue;  // the front step is running while Busy
    bool Busy = false;
    int StepNumber = 0;  // of the last step added
    int StepsDone = 0;
    std::string Failure;
    bool Stopping = false;
    std::vector<ReceivedFrame> Received;
    int Accepted = 0;
    std::atomic<bool> Abort{false};
    bool Finished = false;
    std::thread Thread;
};
