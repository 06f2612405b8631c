// Framing, supervision and closing of a client connection, in the order of its life.
#include "tools/simfront/ClientLink.h"

#include <boost/asio/error.hpp>
#include <boost/asio/post.hpp>

#include "codec/ByteOrder.h"
#include "tools/simfront/Packages.h"

namespace simfront {

namespace {
constexpr uint32_t LinkReceiveBufferSize = 64 * 1024;
}  // namespace

CClientLink::CClientLink(boost::asio::io_context& io, uint32_t id, COwner& owner, const LinkTiming& timing)
    : CTcpConnection(io, SendBlockSize, LinkReceiveBufferSize),
      ID(id),
      Io(io),
      Owner(owner),
      Timing(timing),
      ReceiveTimer(io),
      HeartbeatTimer(io) {}

void CClientLink::Start() {
    LastReceive = LastSend = Clock::now();
    CTcpConnection::Start();
    ArmReceiveTimer();
    ArmHeartbeatTimer();
}

int CClientLink::OnReceive(uint8_t* data, uint32_t length) {
    LastReceive = Clock::now();
    Frames.Feed(data, length);
    for (;;) {
        const FrameAssembler::Result frame = Frames.Next();
        if (frame.Kind == FrameAssembler::Status::NeedMore) return 0;
        if (frame.Kind == FrameAssembler::Status::TooLarge) {
            Close(linkclose::FrameTooLarge);
            return -1;
        }
        Owner.OnPayload(*this, frame.Payload, frame.Length);
        if (IsClosed()) return -1;
    }
}

void CClientLink::SendPayload(const Payload& payload) {
    if (IsClosed() || Closing) return;
    uint8_t length[FrameAssembler::LengthSize];
    be::Store32(length, static_cast<uint32_t>(payload.size()));
    Send(length, sizeof length);
    Send(payload.data(), static_cast<uint32_t>(payload.size()));
    LastSend = Clock::now();
    if (uint64_t{SendBlockCount()} * SendBlockSize > Timing.MaxBacklog) {
        Closing = true;
        boost::asio::post(Io, [self = Self()] { self->Close(linkclose::BacklogTooLarge); });
    }
}

// The timers wait for the supervision deadlines; one that fires before its deadline has moved on
// (bytes received, a package sent) waits again for the new deadline.
void CClientLink::ArmReceiveTimer() {
    boost::system::error_code ignored;
    ReceiveTimer.expires_at(LastReceive + Timing.ReceiveTimeout, ignored);
    ReceiveTimer.async_wait(
        [self = Self()](const boost::system::error_code& error) { self->OnReceiveTimeout(error); });
}

void CClientLink::OnReceiveTimeout(const boost::system::error_code& error) {
    if (error == boost::asio::error::operation_aborted || IsClosed() || error) return;
    if (Clock::now() >= LastReceive + Timing.ReceiveTimeout) {
        Close(linkclose::ReceiveTimeout);
        return;
    }
    ArmReceiveTimer();
}

void CClientLink::ArmHeartbeatTimer() {
    boost::system::error_code ignored;
    HeartbeatTimer.expires_at(LastSend + Timing.HeartbeatInterval, ignored);
    HeartbeatTimer.async_wait(
        [self = Self()](const boost::system::error_code& error) { self->OnHeartbeatDue(error); });
}

void CClientLink::OnHeartbeatDue(const boost::system::error_code& error) {
    if (error == boost::asio::error::operation_aborted || IsClosed() || error) return;
    if (Clock::now() >= LastSend + Timing.HeartbeatInterval) {
        const COutPackage heartbeat(0, 0);  // ServiceNo 0, RequestID 0, empty body: a 54-byte frame
        SendPayload(heartbeat.Bytes());
    }
    ArmHeartbeatTimer();
}

void CClientLink::OnClose(const char* reason) {
    boost::system::error_code ignored;
    HeartbeatTimer.cancel(ignored);
    ReceiveTimer.cancel(ignored);
    Owner.OnLinkClosed(*this, reason);
}

}  // namespace simfront
