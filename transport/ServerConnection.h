// The protocol half of a connection to a front: frames of a 4-byte big-endian length and an API package,
// the hand-over of each received package to the session's dispatcher, the sending of built packages,
// and supervision (close after TimeoutSeconds without receiving, a heartbeat after TimeoutSeconds / 2
// without sending). Created by the connector and held by shared_ptr: the connector holds the current
// one, every posted request and every pending read, write and timer wait holds a copy. All state is
// touched on the I/O thread only. Close reasons: CloseReasons.h.
#pragma once

#include <cstdint>
#include <memory>

#include <boost/asio/steady_timer.hpp>

#include "transport/FrameAssembler.h"
#include "transport/Supervision.h"
#include "transport/TcpConnection.h"

class CAPIPackage;
class CFrontConnector;
class CSessionLink;

class CServerConnection final : public CTcpConnection {
  public:
    // Room for one frame: the length at offset 0, the payload from offset 4.
    static constexpr uint32_t SendBufferSize = FrameAssembler::MaxFrameLength;

    CServerConnection(boost::asio::io_context& io, uint32_t sendBlockSize, uint32_t receiveBufferSize,
                      uint16_t timeoutSeconds, CFrontConnector& connector, CSessionLink& session);
    ~CServerConnection() override;

    // Once connected: read loop, both supervision timers, then the session's OnConnected. Nothing after
    // OnConnected touches the connector or the session, which may have been shut down by it.
    void Start();

    // Where requests are built: BeginPackage(serviceNo, requestId, SendBuffer() + 4).
    uint8_t* SendBuffer() { return SendBufferBlock.get(); }
    // Writes the package's length before its payload in SendBuffer() (copying the payload there when it
    // was built elsewhere), queues the frame and postpones the heartbeat. 0; -1 and nothing queued for a
    // payload above 8188 bytes. Does not look at IsClosed(): encoders check it before building.
    int SendPackage(CAPIPackage& package);
    // Opens one received payload and returns the dispatcher's result.
    int ProcessPackage(uint8_t* payload, uint32_t length);

  private:
    int OnReceive(uint8_t* data, uint32_t length) override;
    void OnClose(const char* reason) override;

    void ArmReceiveTimer();
    void OnReceiveTimeout(const boost::system::error_code& error);
    void ArmHeartbeatTimer();
    void OnHeartbeatDue(const boost::system::error_code& error);

    FrameAssembler Frames;
    std::unique_ptr<uint8_t[]> SendBufferBlock;
    CSupervision Supervision;
    boost::asio::steady_timer ReceiveTimer;
    boost::asio::steady_timer HeartbeatTimer;
    CFrontConnector& Connector;
    CSessionLink& Session;
};
