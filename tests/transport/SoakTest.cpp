// Soak runs, outside the default test run (ctest -L soak): a thousand connect/drop cycles without growth
// of open descriptors or resident memory, and a thousand shutdowns in the middle of traffic, by every
// road a session can be stopped (Shutdown, destruction, release from a callback on the I/O thread).
#include "transport/SessionCore.h"

#include <unistd.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <fstream>
#include <future>
#include <thread>

#include <gtest/gtest.h>

#include "codec/APIPackage.h"
#include "tests/support/CoreUnderTest.h"
#include "tests/support/EchoFront.h"
#include "tests/support/ScriptedFront.h"
#include "transport/SessionLink.h"

using namespace std::chrono_literals;

namespace {

size_t OpenDescriptors() {
    size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++count;
    return count;
}

size_t ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    size_t pages = 0;
    size_t resident = 0;
    statm >> pages >> resident;
    return resident * static_cast<size_t>(sysconf(_SC_PAGESIZE));
}

// Counts connection events; the test waits for a count.
class CountingLink : public CSessionLink {
  public:
    void OnConnected() override { Bump(Connected); }
    void OnDisconnected() override { Bump(Disconnected); }
    int Dispatch(CServerConnection&, CAPIPackage&) override { return 0; }

    bool WaitDisconnected(int count, std::chrono::milliseconds bound) {
        std::unique_lock<std::mutex> lock(Mutex);
        return Changed.wait_for(lock, bound, [&] { return Disconnected >= count; });
    }

  private:
    void Bump(int& counter) {
        {
            std::lock_guard<std::mutex> lock(Mutex);
            ++counter;
        }
        Changed.notify_all();
    }
    std::mutex Mutex;
    std::condition_variable Changed;
    int Connected = 0;
    int Disconnected = 0;
};

// Keeps packages flowing through an echo front: a burst when connected, and each echo sends one more.
// Releases the session from inside Dispatch when asked to.
class TrafficLink : public CSessionLink {
  public:
    void OnConnected() override {
        Core->Post([](CServerConnection& connection) {
            for (int i = 0; i < 8; ++i)
                SendRequest(connection, 1, i);
        });
    }
    void OnDisconnected() override {}
    int Dispatch(CServerConnection& connection, CAPIPackage& package) override {
        const int seen = ++Packages;
        if (seen == ReleaseAfter) {
            delete Core;
            Released.set_value();  // last touch of this object on the I/O thread
            return 0;
        }
        SendRequest(connection, 1, package.RequestID + 1);
        return 0;
    }

    CSessionCore* Core = nullptr;
    std::atomic<int> Packages{0};
    int ReleaseAfter = -1;
    std::promise<void> Released;
};

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds bound) {
    for (auto deadline = std::chrono::steady_clock::now() + bound;
         std::chrono::steady_clock::now() < deadline;) {
        if (condition()) return true;
        std::this_thread::sleep_for(1ms);
    }
    return condition();
}

}  // namespace

TEST(Soak, ThousandConnectDropCyclesKeepDescriptorsAndMemoryFlat) {
    constexpr int Batch = 100;
    constexpr int Batches = 10;
    ScriptedFront front;
    CountingLink link;
    CSessionCore core(link);  // the sessions' own sizes
    core.AddFront(front.Address().c_str());
    core.Init();
    size_t descriptors = 0;
    size_t resident = 0;
    for (int batch = 0; batch < Batches; ++batch) {
        for (int i = 0; i < Batch; ++i)
            front.Accept().Close();
        ASSERT_TRUE(link.WaitDisconnected((batch + 1) * Batch, 30s)) << "batch " << batch;
        if (batch == 0) {  // after a warm-up batch
            descriptors = OpenDescriptors();
            resident = ResidentBytes();
        }
    }
    EXPECT_LE(OpenDescriptors(), descriptors + 2);
    EXPECT_LE(ResidentBytes(), resident + (4u << 20)) << "resident memory grew from " << resident;
    core.Shutdown();
    front.Finish();
}

TEST(Soak, ThousandShutdownsInTheMiddleOfTrafficLeaveNothingBehind) {
    EchoFront echo;
    const int threadsBefore = CSessionCore::RunningIoThreads();
    const size_t descriptorsBefore = OpenDescriptors();
    std::deque<TrafficLink> links;  // kept to the end: a released session's thread may still be returning
    for (int i = 0; i < 1000; ++i) {
        TrafficLink& link = links.emplace_back();
        const int mode = i % 3;
        const int after = 1 + i % 7;
        link.Core = new CSessionCore(link, {64 * 1024, 64 * 1024, 120});
        link.Core->AddFront(echo.Address().c_str());
        if (mode == 2) link.ReleaseAfter = after;
        link.Core->Init();
        if (mode == 2) {
            ASSERT_EQ(link.Released.get_future().wait_for(5s), std::future_status::ready)
                << "iteration " << i;
            continue;
        }
        ASSERT_TRUE(WaitFor([&] { return link.Packages >= after; }, 5s)) << "iteration " << i;
        if (mode == 0) link.Core->Shutdown();
        delete link.Core;
    }
    EXPECT_TRUE(WaitFor([&] { return CSessionCore::RunningIoThreads() == threadsBefore; }, 5s));
    // The echo front drops its side of each connection once it sees the close.
    EXPECT_TRUE(WaitFor([&] { return OpenDescriptors() <= descriptorsBefore + 2; }, 5s))
        << OpenDescriptors() << " descriptors open, " << descriptorsBefore << " before";
}
