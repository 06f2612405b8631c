// Connects a session to its fronts and keeps it connected: fronts in list order with a one-second pause
// after each failed attempt, cycling without limit; after a lost connection, OnDisconnected and a new
// start from the first front at once; Stop ends all of it. Owned by the session core. Connect runs first
// on Init's thread before the I/O thread exists, then everything runs on the I/O thread, except
// CurrentConnection (any thread) and Stop (the shutting-down thread, with no handler running).
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <boost/asio/io_context.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/system/error_code.hpp>

#include "transport/FrontRotation.h"

class CServerConnection;
class CSessionLink;

class CFrontConnector {
  public:
    CFrontConnector(boost::asio::io_context& io, uint32_t sendBlockSize, uint32_t receiveBufferSize,
                    uint16_t timeoutSeconds, std::vector<std::string> fronts, CSessionLink& session);
    ~CFrontConnector();
    CFrontConnector(const CFrontConnector&) = delete;
    CFrontConnector& operator=(const CFrontConnector&) = delete;

    // Starts an attempt on the first front. -1 when there are no fronts, otherwise 0. The first front is
    // resolved on the calling thread: a resolution failure throws boost::system::system_error. A
    // malformed entry (no colon, host above 127 characters) is a failed attempt.
    int Connect();
    // Marks the connector stopping (no OnDisconnected, no reconnection), closes the current connection
    // with "Stoped", abandons an attempt in progress and cancels the retry pause. Run with no handler
    // running concurrently: after the I/O thread has left its run loop, or on that thread.
    void Stop();

    // The established connection; empty while connecting, waiting or stopped. Any thread.
    std::shared_ptr<CServerConnection> CurrentConnection() const;
    bool IsStopping() const { return Stopping; }

    // From the connection's OnClose.
    void OnConnectionClosed(CServerConnection& connection);

  private:
    enum class ResolveFailure { Throw, RetryLater };

    int StartOver(ResolveFailure onResolveFailure);
    void Attempt(const std::shared_ptr<CServerConnection>& connection, ResolveFailure onResolveFailure);
    void OnConnect(const std::shared_ptr<CServerConnection>& connection,
                   const boost::system::error_code& error);
    void RetryLater(const std::shared_ptr<CServerConnection>& connection);
    void OnReconnectTimer(const std::shared_ptr<CServerConnection>& connection,
                          const boost::system::error_code& error);

    boost::asio::io_context& Io;
    const uint32_t SendBlockSize;
    const uint32_t ReceiveBufferSize;
    const uint16_t TimeoutSeconds;
    const std::vector<std::string> Fronts;
    CSessionLink& Session;
    CFrontRotation Rotation;
    CFrontRotation::Attempt Next{0, std::chrono::seconds{0}};
    mutable std::mutex CurrentMutex;  // held only to copy or replace Current
    std::shared_ptr<CServerConnection> Current;
    std::shared_ptr<CServerConnection> Connecting;  // the connection of the attempt in progress
    bool Stopping = false;
    boost::asio::steady_timer ReconnectTimer;
    // Cleared by the destructor: a callback into the session may shut the session down, which frees
    // this connector while one of its handlers is still on the stack.
    std::shared_ptr<bool> Alive;
};
