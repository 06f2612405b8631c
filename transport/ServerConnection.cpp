// Framing, dispatch, package sending and supervision of a front connection, in the order of its life.
#include "transport/ServerConnection.h"

#include <cstring>

#include <boost/asio/error.hpp>

#include "codec/APIPackage.h"
#include "codec/ByteOrder.h"
#include "transport/CloseReasons.h"
#include "transport/FrontConnector.h"
#include "transport/SessionLink.h"

CServerConnection::CServerConnection(boost::asio::io_context& io, uint32_t sendBlockSize,
                                     uint32_t receiveBufferSize, uint16_t timeoutSeconds,
                                     CFrontConnector& connector, CSessionLink& session)
    : CTcpConnection(io, sendBlockSize, receiveBufferSize),
      SendBufferBlock(new uint8_t[SendBufferSize]),
      Supervision(timeoutSeconds),
      ReceiveTimer(io),
      HeartbeatTimer(io),
      Connector(connector),
      Session(session) {}

CServerConnection::~CServerConnection() = default;

void CServerConnection::Start() {
    Supervision.Start(CSupervision::Clock::now());
    CTcpConnection::Start();
    ArmReceiveTimer();
    ArmHeartbeatTimer();
    Session.OnConnected();
}

int CServerConnection::OnReceive(uint8_t* data, uint32_t length) {
    Supervision.Received(CSupervision::Clock::now());
    Frames.Feed(data, length);
    for (;;) {
        const FrameAssembler::Result frame = Frames.Next();
        if (frame.Kind == FrameAssembler::Status::NeedMore) return 0;
        if (frame.Kind == FrameAssembler::Status::TooLarge) {
            Close(closereason::PackageTooLarge);
            return -1;
        }
        const int result = ProcessPackage(frame.Payload, frame.Length);
        // Closed here means the dispatcher closed the connection or the session shut down from a
        // callback: the connector and the session may be gone, so touch nothing but this object.
        if (IsClosed()) return -1;
        if (result < 0) {
            Close(closereason::BusinessError);
            return -1;
        }
    }
}

int CServerConnection::ProcessPackage(uint8_t* payload, uint32_t length) {
    CAPIPackage package;
    package.OpenPackage(payload, length);
    return Session.Dispatch(*this, package);
}

int CServerConnection::SendPackage(CAPIPackage& package) {
    const uint32_t length = package.GetLength();
    if (length > MaxPayloadLength) return -1;
    uint8_t* const frame = SendBufferBlock.get();
    uint8_t* const payload = frame + FrameAssembler::LengthSize;
    if (package.GetBuffer() != payload) std::memmove(payload, package.GetBuffer(), length);
    be::Store32(frame, length);
    Send(frame, FrameAssembler::LengthSize + length);
    Supervision.Sent(CSupervision::Clock::now());
    return 0;
}

// The timers wait for the supervision deadlines; when one fires before its deadline has moved on
// (bytes received, a package sent), it waits again for the new deadline.
void CServerConnection::ArmReceiveTimer() {
    boost::system::error_code ignored;
    ReceiveTimer.expires_at(Supervision.ReceiveDeadline(), ignored);
    ReceiveTimer.async_wait([self = std::static_pointer_cast<CServerConnection>(shared_from_this())](
                                const boost::system::error_code& error) { self->OnReceiveTimeout(error); });
}

void CServerConnection::OnReceiveTimeout(const boost::system::error_code& error) {
    // A wait that fails otherwise than by cancellation is not expected; it ends this timer only, and the
    // heartbeat and the reads go on.
    if (error == boost::asio::error::operation_aborted || IsClosed() || error) return;
    if (Supervision.ReceiveTimedOut(CSupervision::Clock::now())) {
        Close(closereason::HeartbeatTimeout);
        return;
    }
    ArmReceiveTimer();
}

void CServerConnection::ArmHeartbeatTimer() {
    boost::system::error_code ignored;
    HeartbeatTimer.expires_at(Supervision.HeartbeatDeadline(), ignored);
    HeartbeatTimer.async_wait([self = std::static_pointer_cast<CServerConnection>(shared_from_this())](
                                  const boost::system::error_code& error) { self->OnHeartbeatDue(error); });
}

void CServerConnection::OnHeartbeatDue(const boost::system::error_code& error) {
    if (error == boost::asio::error::operation_aborted || IsClosed() || error) return;
    if (Supervision.HeartbeatDue(CSupervision::Clock::now())) {
        CAPIPackage heartbeat;  // ServiceNo 0, RequestID 0, empty body: a 54-byte frame
        heartbeat.BeginPackage(0, 0, SendBufferBlock.get() + FrameAssembler::LengthSize);
        SendPackage(heartbeat);
    }
    ArmHeartbeatTimer();
}

void CServerConnection::OnClose(const char* reason) {
    boost::system::error_code ignored;
    HeartbeatTimer.cancel(ignored);
    ReceiveTimer.cancel(ignored);
    Session.OnClosed(reason);
    Connector.OnConnectionClosed(*this);
}
