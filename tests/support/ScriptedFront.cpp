#include "tests/support/ScriptedFront.h"

#include <algorithm>

#include <boost/asio/error.hpp>
#include <boost/asio/read.hpp>
#include <boost/asio/write.hpp>

#include "codec/APIPackage.h"
#include "codec/ByteOrder.h"

using boost::asio::ip::tcp;

namespace {

constexpr uint32_t LargestFrameRead = 1u << 24;  // a client bug, not a frame

std::string Within(std::chrono::milliseconds bound) {
    return " within " + std::to_string(bound.count()) + " ms";
}

bool IsPeerClose(const boost::system::error_code& error) {
    return error == boost::asio::error::eof || error == boost::asio::error::connection_reset ||
           error == boost::asio::error::broken_pipe;
}

}  // namespace

bool ReceivedFrame::DecodeRecord(uint16_t recordTag, const FieldBindingList& bindings) const {
    if (Frame.size() < 4) return false;
    ExactBuffer payload(Bytes(Frame.begin() + 4, Frame.end()));
    CAPIPackage package;
    package.OpenPackage(payload.data(), payload.size());
    CKDXPackage record;
    if (package.OpenElement(recordTag, record) != 0) return false;
    return bindings.Decode(record.Data, record.Length) == 0;
}

std::string ReceivedFrame::Describe() const {
    return "ServiceNo " + std::to_string(ServiceNo) + " RequestID " + std::to_string(RequestID) + " (" +
           std::to_string(Frame.size()) + " bytes)";
}

FrameMatcher AnyFrame() {
    return {"any", [](const ReceivedFrame&) { return true; }, false};
}

FrameMatcher IsHeartbeat() {
    return {"heartbeat", [](const ReceivedFrame& f) { return f.IsHeartbeat(); }, true};
}

FrameMatcher HasServiceNo(uint16_t serviceNo) {
    return {"ServiceNo " + std::to_string(serviceNo),
            [serviceNo](const ReceivedFrame& f) { return f.ServiceNo == serviceNo; }, false};
}

FrameMatcher HasRequest(uint16_t serviceNo, int32_t requestId) {
    return {"ServiceNo " + std::to_string(serviceNo) + " RequestID " + std::to_string(requestId),
            [serviceNo, requestId](const ReceivedFrame& f) {
                return f.ServiceNo == serviceNo && f.RequestID == requestId;
            },
            false};
}

FrameMatcher Satisfies(std::string description, std::function<bool(const ReceivedFrame&)> match) {
    return {std::move(description), std::move(match), false};
}

Bytes BuildPackage(uint16_t serviceNo, int32_t requestId, const std::function<void(CAPIPackage&)>& body) {
    std::vector<uint8_t> buffer(MaxPayloadLength);
    CAPIPackage package;
    package.BeginPackage(serviceNo, requestId, buffer.data());
    if (body) body(package);
    return Bytes(package.GetBuffer(), package.GetBuffer() + package.GetLength());
}

Bytes Framed(const Bytes& payload) {
    Bytes frame(4 + payload.size());
    be::Store32(frame.data(), static_cast<uint32_t>(payload.size()));
    std::copy(payload.begin(), payload.end(), frame.begin() + 4);
    return frame;
}

ScriptedFront::ScriptedFront() : Acceptor(Io), Socket(Io) {
    const tcp::endpoint loopback(boost::asio::ip::address_v4::loopback(), 0);
    Acceptor.open(loopback.protocol());
    Acceptor.bind(loopback);
    Acceptor.listen();
    ListenPort = Acceptor.local_endpoint().port();
    Thread = std::thread([this] { Run(); });
}

ScriptedFront::~ScriptedFront() {
    {
        std::lock_guard<std::mutex> lock(Mutex);
        Stopping = true;
    }
    Abort = true;
    Changed.notify_all();
    if (Thread.joinable()) Thread.join();
    boost::system::error_code ignored;
    Socket.close(ignored);
    Acceptor.close(ignored);
}

std::string ScriptedFront::Address() const {
    return "127.0.0.1:" + std::to_string(ListenPort);
}

ScriptedFront& ScriptedFront::Add(Step step) {
    {
        std::lock_guard<std::mutex> lock(Mutex);
        step.Number = ++StepNumber;
        Queue.push_back(std::move(step));
    }
    Changed.notify_all();
    return *this;
}

ScriptedFront& ScriptedFront::Accept(Duration bound) {
    return Add({0, Kind::Accept, "Accept", bound, {}, {}, {}});
}

ScriptedFront& ScriptedFront::ExpectFrame(FrameMatcher matcher, Duration bound) {
    std::string name = "ExpectFrame(" + matcher.Description + ")";
    return Add({0, Kind::ExpectFrame, std::move(name), bound, std::move(matcher), {}, {}});
}

ScriptedFront& ScriptedFront::Send(const Bytes& payload) {
    return Add(
        {0, Kind::Send, "Send(" + std::to_string(payload.size()) + " bytes)", DefaultBound, {}, payload, {}});
}

ScriptedFront& ScriptedFront::SendRaw(const Bytes& bytes, std::vector<size_t> splitPoints) {
    return Add({0,
                Kind::SendRaw,
                "SendRaw(" + std::to_string(bytes.size()) + " bytes)",
                DefaultBound,
                {},
                bytes,
                std::move(splitPoints)});
}

ScriptedFront& ScriptedFront::Close() {
    return Add({0, Kind::Close, "Close", DefaultBound, {}, {}, {}});
}

ScriptedFront& ScriptedFront::ExpectPeerClose(Duration bound) {
    return Add({0, Kind::ExpectPeerClose, "ExpectPeerClose", bound, {}, {}, {}});
}

ScriptedFront& ScriptedFront::Refuse() {
    return Add({0, Kind::Refuse, "Refuse", DefaultBound, {}, {}, {}});
}

::testing::AssertionResult ScriptedFront::WaitSteps(Duration bound) {
    std::unique_lock<std::mutex> lock(Mutex);
    if (!Changed.wait_for(lock, bound, [&] { return (Queue.empty() && !Busy) || !Failure.empty(); })) {
        return ::testing::AssertionFailure()
               << "steps still running after " << bound.count() << " ms, from step " << Queue.front().Number
               << " " << Queue.front().Name;
    }
    if (!Failure.empty()) return ::testing::AssertionFailure() << Failure;
    return ::testing::AssertionSuccess();
}

bool ScriptedFront::Finish() {
    if (Finished) return true;
    Finished = true;
    Duration remaining{1000};
    {
        std::lock_guard<std::mutex> lock(Mutex);
        for (const Step& step : Queue)
            remaining += step.Bound;
    }
    const ::testing::AssertionResult done = WaitSteps(remaining);
    {
        std::lock_guard<std::mutex> lock(Mutex);
        Stopping = true;
    }
    Abort = true;
    Changed.notify_all();
    Thread.join();
    boost::system::error_code ignored;
    Socket.close(ignored);
    Acceptor.close(ignored);
    if (done) return true;
    std::string notRun;
    for (const Step& step : Queue)
        notRun += "\n  step " + std::to_string(step.Number) + " " + step.Name;
    ADD_FAILURE() << "scripted front on port " << ListenPort << ": " << done.message()
                  << (notRun.empty() ? "" : "\nsteps not run:" + notRun);
    return false;
}

std::vector<ReceivedFrame> ScriptedFront::Frames() const {
    std::lock_guard<std::mutex> lock(Mutex);
    return Received;
}

int ScriptedFront::Connections() const {
    std::lock_guard<std::mutex> lock(Mutex);
    return Accepted;
}

void ScriptedFront::Run() {
    std::unique_lock<std::mutex> lock(Mutex);
    for (;;) {
        Changed.wait(lock, [&] { return Stopping || (!Queue.empty() && Failure.empty()); });
        if (Stopping) return;
        Busy = true;
        const Step step = Queue.front();
        lock.unlock();
        const std::string error = Execute(step);
        lock.lock();
        Busy = false;
        Queue.pop_front();
        ++StepsDone;
        if (!error.empty()) Failure = "step " + std::to_string(step.Number) + " " + step.Name + ": " + error;
        Changed.notify_all();
    }
}

std::string ScriptedFront::Execute(const Step& step) {
    const Clock::time_point deadline = Clock::now() + step.Bound;
    boost::system::error_code ignored;
    switch (step.What) {
        case Kind::Accept:
            return DoAccept(deadline);
        case Kind::ExpectFrame:
            return ReadFrames(&step.Matcher, deadline, step.Bound);
        case Kind::Send: {
            const Bytes frame = Framed(step.Data);
            return WriteAll(frame.data(), frame.size(), deadline);
        }
        case Kind::SendRaw: {
            size_t from = 0;
            std::vector<size_t> cuts = step.Splits;
            cuts.push_back(step.Data.size());
            for (size_t to : cuts) {
                to = std::min(std::max(to, from), step.Data.size());
                if (from > 0) std::this_thread::sleep_for(SplitPause);
                const std::string error = WriteAll(step.Data.data() + from, to - from, deadline);
                if (!error.empty()) return error;
                from = to;
            }
            return "";
        }
        case Kind::Close:
            Socket.shutdown(tcp::socket::shutdown_both, ignored);
            Socket.close(ignored);
            return "";
        case Kind::ExpectPeerClose:
            return ReadFrames(nullptr, deadline, step.Bound);
        case Kind::Refuse:
            Acceptor.close(ignored);
            return "";
    }
    return "unknown step";
}

// Runs the front's context until `done` or the deadline, then cancels whatever is still pending and
// lets it complete, so that no handler outlives the locals it refers to.
bool ScriptedFront::RunUntil(const bool& done, Clock::time_point deadline) {
    Io.restart();
    while (!done && !Abort) {
        const Clock::time_point now = Clock::now();
        if (now >= deadline) break;
        Io.run_one_for(std::min<Clock::duration>(deadline - now, std::chrono::milliseconds(20)));
    }
    if (done) return true;
    boost::system::error_code ignored;
    Acceptor.cancel(ignored);
    Socket.cancel(ignored);
    Io.restart();
    Io.run();
    return done;
}

std::string ScriptedFront::DoAccept(Clock::time_point deadline) {
    if (!Acceptor.is_open()) return "the front refuses connections";
    tcp::socket next(Io);
    bool done = false;
    boost::system::error_code result;
    Acceptor.async_accept(next, [&](const boost::system::error_code& error) {
        result = error;
        done = true;
    });
    if (!RunUntil(done, deadline) || result == boost::asio::error::operation_aborted)
        return "no connection in time";
    if (result) return "accept failed: " + result.message();
    boost::system::error_code ignored;
    Socket.close(ignored);
    Socket = std::move(next);
    Socket.set_option(tcp::no_delay(true), ignored);
    std::lock_guard<std::mutex> lock(Mutex);
    ++Accepted;
    return "";
}

std::string ScriptedFront::WriteAll(const uint8_t* data, size_t size, Clock::time_point deadline) {
    if (!Socket.is_open()) return "no connection";
    bool done = false;
    boost::system::error_code result;
    boost::asio::async_write(Socket, boost::asio::buffer(data, size),
                             [&](const boost::system::error_code& error, size_t) {
                                 result = error;
                                 done = true;
                             });
    if (!RunUntil(done, deadline)) return "write not done in time";
    if (result) return "write failed: " + result.message();
    return "";
}

ScriptedFront::ReadResult ScriptedFront::ReadFrame(Clock::time_point deadline, ReceivedFrame& frame,
                                                   std::string& error) {
    if (!Socket.is_open()) {
        error = "no connection";
        return ReadResult::Failed;
    }
    uint8_t head[4];
    bool done = false;
    boost::system::error_code result;
    const auto onRead = [&](const boost::system::error_code& e, size_t) {
        result = e;
        done = true;
    };
    boost::asio::async_read(Socket, boost::asio::buffer(head), onRead);
    if (!RunUntil(done, deadline) || result == boost::asio::error::operation_aborted)
        return ReadResult::TimedOut;
    if (IsPeerClose(result)) return ReadResult::PeerClosed;
    if (result) {
        error = "read failed: " + result.message();
        return ReadResult::Failed;
    }
    const uint32_t length = be::Load32(head);
    if (length > LargestFrameRead) {
        error = "frame length " + std::to_string(length);
        return ReadResult::Failed;
    }
    frame.Frame.assign(head, head + 4);
    frame.Frame.resize(4 + size_t{length});
    done = false;
    boost::asio::async_read(Socket, boost::asio::buffer(frame.Frame.data() + 4, length), onRead);
    if (!RunUntil(done, deadline) || result == boost::asio::error::operation_aborted)
        return ReadResult::TimedOut;
    if (result) {
        error = "connection ended inside a frame: " + result.message();
        return ReadResult::Failed;
    }
    frame.Arrival = Clock::now();
    CAPIPackage package;
    package.OpenPackage(frame.Frame.data() + 4, length);
    frame.ServiceNo = package.ServiceNo;
    frame.RequestID = package.RequestID;
    frame.EndFlag = package.EndFlag;
    frame.BodyLength = package.Data != nullptr ? package.Length : 0;
    std::lock_guard<std::mutex> lock(Mutex);
    frame.Connection = Accepted;
    Received.push_back(frame);
    return ReadResult::Frame;
}

// Reads frames until one matches `matcher` or, without a matcher, until the client closes.
std::string ScriptedFront::ReadFrames(const FrameMatcher* matcher, Clock::time_point deadline,
                                      Duration bound) {
    for (;;) {
        ReceivedFrame frame;
        std::string error;
        switch (ReadFrame(deadline, frame, error)) {
            case ReadResult::TimedOut:
                return (matcher ? "no frame" : "the client kept the connection open") + Within(bound);
            case ReadResult::PeerClosed:
                return matcher ? "the client closed the connection" : "";
            case ReadResult::Failed:
                return error;
            case ReadResult::Frame:
                break;
        }
        if (matcher == nullptr || (frame.IsHeartbeat() && !matcher->MatchesHeartbeats)) continue;
        return matcher->Match(frame) ? "" : "got " + frame.Describe();
    }
}
