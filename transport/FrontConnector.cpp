// Front selection, connection attempts, reconnection and stop.
#include "transport/FrontConnector.h"

#include <boost/asio/connect.hpp>
#include <boost/asio/error.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/system/system_error.hpp>

#include "transport/CloseReasons.h"
#include "transport/FrontAddress.h"
#include "transport/ServerConnection.h"
#include "transport/SessionLink.h"

using boost::asio::ip::tcp;

CFrontConnector::CFrontConnector(boost::asio::io_context& io, uint32_t sendBlockSize,
                                 uint32_t receiveBufferSize, uint16_t timeoutSeconds,
                                 std::vector<std::string> fronts, CSessionLink& session)
    : Io(io),
      SendBlockSize(sendBlockSize),
      ReceiveBufferSize(receiveBufferSize),
      TimeoutSeconds(timeoutSeconds),
      Fronts(std::move(fronts)),
      Session(session),
      Rotation(Fronts.size()),
      ReconnectTimer(io),
      Alive(std::make_shared<bool>(true)) {}

CFrontConnector::~CFrontConnector() {
    *Alive = false;
}

int CFrontConnector::Connect() {
    return StartOver(ResolveFailure::Throw);
}

int CFrontConnector::StartOver(ResolveFailure onResolveFailure) {
    if (Fronts.empty()) return -1;
    Next = Rotation.Start();
    Attempt(std::make_shared<CServerConnection>(Io, SendBlockSize, ReceiveBufferSize, TimeoutSeconds, *this,
                                                Session),
            onResolveFailure);
    return 0;
}

void CFrontConnector::Attempt(const std::shared_ptr<CServerConnection>& connection,
                              ResolveFailure onResolveFailure) {
    const std::string& front = Fronts[Next.Front];
    Session.OnConnecting(front.c_str());
    Connecting = connection;
    std::string host;
    std::string port;
    if (!SplitFront(front, host, port)) {
        RetryLater(connection);
        return;
    }
    boost::system::error_code error;
    tcp::resolver resolver(Io);
    const tcp::resolver::results_type endpoints =
        resolver.resolve(host, port, tcp::resolver::address_configured, error);
    if (error) {
        if (onResolveFailure == ResolveFailure::Throw) {
            Connecting.reset();
            throw boost::system::system_error(error, "resolve " + front);
        }
        RetryLater(connection);
        return;
    }
    // Every endpoint of the front is tried in order, each on a fresh socket, before the attempt fails.
    boost::asio::async_connect(connection->Socket, endpoints,
                               [this, connection](const boost::system::error_code& e, const tcp::endpoint&) {
                                   OnConnect(connection, e);
                               });
}

void CFrontConnector::OnConnect(const std::shared_ptr<CServerConnection>& connection,
                                const boost::system::error_code& error) {
    if (error == boost::asio::error::operation_aborted || Stopping) return;
    if (error) {
        RetryLater(connection);
        return;
    }
    Connecting.reset();
    boost::system::error_code ignored;
    connection->Socket.set_option(tcp::no_delay(true), ignored);  // requests leave at once
    {
        std::lock_guard<std::mutex> lock(CurrentMutex);
        Current = connection;
    }
    connection->Start();  // ends with OnConnected: this connector may be gone afterwards
}

void CFrontConnector::RetryLater(const std::shared_ptr<CServerConnection>& connection) {
    Next = Rotation.AfterFailure();
    ReconnectTimer.expires_after(Next.Delay);
    ReconnectTimer.async_wait(
        [this, connection](const boost::system::error_code& error) { OnReconnectTimer(connection, error); });
}

void CFrontConnector::OnReconnectTimer(const std::shared_ptr<CServerConnection>& connection,
                                       const boost::system::error_code& error) {
    // Any other failure of the wait is taken as its expiry, so that the attempts go on.
    if (error == boost::asio::error::operation_aborted || Stopping || CurrentConnection()) return;
    Attempt(connection, ResolveFailure::RetryLater);  // the connection that failed is reused
}

void CFrontConnector::OnConnectionClosed(CServerConnection& connection) {
    if (Stopping) return;
    {
        // Cleared before OnDisconnected, so that a request made from that callback is refused.
        std::lock_guard<std::mutex> lock(CurrentMutex);
        if (Current.get() != &connection) return;
        Current.reset();
    }
    const std::shared_ptr<bool> alive = Alive;
    Session.OnDisconnected();
    if (!*alive || Stopping) return;
    StartOver(ResolveFailure::RetryLater);
}

void CFrontConnector::Stop() {
    Stopping = true;
    std::shared_ptr<CServerConnection> current;
    {
        std::lock_guard<std::mutex> lock(CurrentMutex);
        current.swap(Current);
    }
    if (current) current->Close(closereason::Stopped);
    boost::system::error_code ignored;
    if (Connecting) {
        Connecting->Socket.close(ignored);  // the attempt in progress completes as cancelled
        Connecting.reset();
    }
    ReconnectTimer.cancel(ignored);
}

std::shared_ptr<CServerConnection> CFrontConnector::CurrentConnection() const {
    std::lock_guard<std::mutex> lock(CurrentMutex);
    return Current;
}
