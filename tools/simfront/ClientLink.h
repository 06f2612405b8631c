// One client's connection to the front: frames of a 4-byte big-endian length and a payload, split by a
// FrameAssembler and handed to the owner; payloads framed and queued; supervision (a heartbeat after
// HeartbeatInterval without sending, close after ReceiveTimeout without receiving). Held by
// shared_ptr: the shell holds it while open, every pending read, write and timer wait holds a copy.
// All state is touched on the I/O thread only. Close reasons are the constants below.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include <boost/asio/steady_timer.hpp>

#include "tools/simfront/FlowJournal.h"
#include "transport/FrameAssembler.h"
#include "transport/TcpConnection.h"

namespace simfront {

namespace linkclose {
inline constexpr const char PeerClosed[] = "";  // read or write failure, the peer's shutdown included
inline constexpr const char ReceiveTimeout[] = "nothing received within the timeout";
inline constexpr const char FrameTooLarge[] = "frame longer than 8188 bytes";
inline constexpr const char BacklogTooLarge[] = "client does not read: send backlog too large";
inline constexpr const char InternalError[] = "internal error while handling a request";
inline constexpr const char Stopping[] = "front stopping";
inline constexpr const char Dropped[] = "dropped on request";
}  // namespace linkclose

struct LinkTiming {
    std::chrono::milliseconds HeartbeatInterval{60000};
    std::chrono::milliseconds ReceiveTimeout{120000};
    uint64_t MaxBacklog = 64u << 20;  // queued bytes beyond which a client that does not read is closed
};

class CClientLink final : public CTcpConnection {
  public:
    using Clock = std::chrono::steady_clock;
    // The send queue grows in blocks of this size; the backlog is counted in whole blocks.
    static constexpr uint32_t SendBlockSize = 64 * 1024;

    class COwner {
      public:
        virtual void OnPayload(CClientLink& link, uint8_t* payload, uint32_t length) = 0;
        virtual void OnLinkClosed(CClientLink& link, const char* reason) = 0;

      protected:
        ~COwner() = default;
    };

    CClientLink(boost::asio::io_context& io, uint32_t id, COwner& owner, const LinkTiming& timing);

    // Once accepted: read loop and both supervision timers.
    void Start();
    // Frames and queues one payload. A client whose backlog has grown beyond MaxBacklog is closed
    // from a posted handler, so that the caller's iteration over clients is never disturbed.
    void SendPayload(const Payload& payload);

    const uint32_t ID;
    std::string Peer;  // address:port, for the log

  private:
    int OnReceive(uint8_t* data, uint32_t length) override;
    void OnClose(const char* reason) override;

    void ArmReceiveTimer();
    void OnReceiveTimeout(const boost::system::error_code& error);
    void ArmHeartbeatTimer();
    void OnHeartbeatDue(const boost::system::error_code& error);
    std::shared_ptr<CClientLink> Self() { return std::static_pointer_cast<CClientLink>(shared_from_this()); }

    boost::asio::io_context& Io;
    COwner& Owner;
    const LinkTiming Timing;
    FrameAssembler Frames;
    boost::asio::steady_timer ReceiveTimer;
    boost::asio::steady_timer HeartbeatTimer;
    Clock::time_point LastReceive;
    Clock::time_point LastSend;
    bool Closing = false;
};

}  // namespace simfront
