// Session lifecycle (Init, Shutdown), the I/O thread, request posting and the error texts.
#include "transport/SessionCore.h"

#include <atomic>

#include "transport/FrontConnector.h"

namespace {

struct ErrorTextRow {
    int Code;
    const char* Text;
};

// GBK texts.
constexpr ErrorTextRow ErrorTexts[] = {
    {0, "\xB2\xD9\xD7\xF7\xB3\xC9\xB9\xA6\xA3\xA1"},   // 操作成功！
    {-1, "\xB2\xD9\xD7\xF7\xCA\xA7\xB0\xDC\xA3\xA1"},  // 操作失败！
};
constexpr const char* UnknownErrorText = "\xCE\xB4\xD6\xAA\xB4\xED\xCE\xF3\xB1\xE0\xC2\xEB";  // 未知错误编码

std::atomic<int> RunningThreads{0};

// Runs the context until it is stopped. A handler that throws loses only itself: the thread goes on.
// The thread holds the context, so a session freed from one of its callbacks leaves the context alive
// until the thread is done with it.
void RunIoThread(std::shared_ptr<boost::asio::io_context> io) {
    for (;;) {
        try {
            io->run();
            break;
        } catch (...) {
        }
    }
    io.reset();
    --RunningThreads;
}

}  // namespace

CSessionCore::CSessionCore(CSessionLink& session, const CConnectionSettings& settings)
    : Io(std::make_shared<boost::asio::io_context>(1)),
      Work(Io->get_executor()),
      Session(session),
      Settings(settings) {}

CSessionCore::~CSessionCore() {
    Shutdown();
}

int CSessionCore::AddFront(const char* address) {
    Fronts.emplace_back(address);
    return 0;
}

int CSessionCore::Init() {
    if (Started) return 0;
    Started = true;
    auto connector = std::make_unique<CFrontConnector>(
        *Io, Settings.SendBlockSize, Settings.ReceiveBufferSize, Settings.TimeoutSeconds, Fronts, Session);
    CFrontConnector& started = *connector;
    {
        std::lock_guard<std::mutex> lock(ConnectorMutex);
        Connector = std::move(connector);
    }
    started.Connect();
    ++RunningThreads;
    try {
        // A callback on the new thread may shut the session down before the handle is stored here.
        std::lock_guard<std::mutex> lock(ThreadMutex);
        IoThread = boost::thread(RunIoThread, Io);
    } catch (...) {
        --RunningThreads;
        throw;
    }
    return 0;
}

int CSessionCore::Shutdown() {
    std::unique_ptr<CFrontConnector> connector;
    {
        std::lock_guard<std::mutex> lock(ConnectorMutex);
        connector = std::move(Connector);
    }
    if (!connector) return 0;
    const bool onIoThread = Io->get_executor().running_in_this_thread();
    Io->stop();
    boost::thread running;
    {
        std::lock_guard<std::mutex> lock(ThreadMutex);
        running = std::move(IoThread);
    }
    if (running.joinable()) {
        if (onIoThread) {
            running.detach();  // it leaves the run loop when the handler that called us returns
        } else {
            running.join();
        }
    }
    connector->Stop();
    if (!onIoThread) {
        // Closing the socket and cancelling the timers queued completions that name the connector and
        // the connections: run them now, each sees the cancellation or the closed connection and does
        // nothing, and the connections are freed before the connector is.
        Io->restart();
        Io->poll();
    }
    connector.reset();
    return 0;
}

std::shared_ptr<CServerConnection> CSessionCore::CurrentConnection() const {
    std::lock_guard<std::mutex> lock(ConnectorMutex);
    return Connector ? Connector->CurrentConnection() : nullptr;
}

const char* CSessionCore::GetErrorText(int code) {
    for (const ErrorTextRow& row : ErrorTexts)
        if (row.Code == code) return row.Text;
    return UnknownErrorText;
}

int CSessionCore::RunningIoThreads() {
    return RunningThreads.load();
}
