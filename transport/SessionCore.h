// The part both sessions share: the I/O context and its thread, the front list, the connector, the
// posting of requests to the current connection, and the error-text table. Public operations run on the
// callers' threads; posted handlers, connection events and dispatch run on the session's I/O thread.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include <boost/asio/executor_work_guard.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/post.hpp>
#include <boost/thread/thread.hpp>

#include "transport/ServerConnection.h"

class CFrontConnector;
class CSessionLink;

// What the connector passes to every connection. Sessions keep the defaults; tests shrink them.
struct CConnectionSettings {
    uint32_t SendBlockSize = 10485760;     // send queue block
    uint32_t ReceiveBufferSize = 1048576;  // target of every read
    uint16_t TimeoutSeconds = 120;         // receive timeout; heartbeat after half of it (at least 2)
};

class CSessionCore {
  public:
    explicit CSessionCore(CSessionLink& session, const CConnectionSettings& settings = {});
    // Shuts down first.
    ~CSessionCore();
    CSessionCore(const CSessionCore&) = delete;
    CSessionCore& operator=(const CSessionCore&) = delete;

    // Appends a copy of "host:port" to the front list; later calls do not reach a started connector.
    // Always 0. Call before Init.
    int AddFront(const char* address);
    // Creates the connector over a copy of the front list, starts the attempt on the first front on this
    // thread, then starts the I/O thread. Always 0. Throws boost::system::system_error when the first
    // front's name cannot be resolved (the connector stays, no thread starts) and
    // boost::thread_resource_error when the thread cannot start. Runs once: later calls do nothing.
    int Init();
    // Stops the I/O context, waits for the I/O thread to leave it (from that thread itself: lets it go
    // once the current handler returns), stops the connector ("Stoped", no OnDisconnected) and frees it.
    // No session callback runs after it returns. Always 0; a second call does nothing.
    int Shutdown();

    // Runs handler(CServerConnection&) on the I/O thread with the connection current now. -1, and
    // nothing posted, before Init, after Shutdown or while no connection is current; otherwise 0. A
    // handler whose connection has closed by the time it would run is dropped without being called.
    template <class Handler>
    int Post(Handler&& handler);

    // The current connection, or empty. Any thread; the lock is held only for the copy.
    std::shared_ptr<CServerConnection> CurrentConnection() const;

    // "操作成功！" for 0, "操作失败！" for -1, "未知错误编码" otherwise; GBK.
    static const char* GetErrorText(int code);
    // I/O threads of all sessions that have not ended yet (a thread let go by a shutdown from inside a
    // callback ends shortly after).
    static int RunningIoThreads();

  private:
    const std::shared_ptr<boost::asio::io_context> Io;  // shared with the I/O thread
    boost::asio::executor_work_guard<boost::asio::io_context::executor_type> Work;
    CSessionLink& Session;
    const CConnectionSettings Settings;
    std::vector<std::string> Fronts;
    mutable std::mutex ConnectorMutex;  // held only to read or take Connector
    std::unique_ptr<CFrontConnector> Connector;
    std::mutex ThreadMutex;  // IoThread is stored by Init while the thread may already be running
    boost::thread IoThread;
    bool Started = false;
};

template <class Handler>
int CSessionCore::Post(Handler&& handler) {
    std::shared_ptr<CServerConnection> connection = CurrentConnection();
    if (!connection) return -1;
    boost::asio::post(
        *Io, [connection = std::move(connection), handler = std::forward<Handler>(handler)]() mutable {
            if (!connection->IsClosed()) handler(*connection);
        });
    return 0;
}
