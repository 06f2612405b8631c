// The simulated front over TCP, started in-process on free ports and as the simfront program: bad
// input closes or is ignored on its own connection only, idle clients get heartbeats and time out,
// and the program prints its ports and stops on SIGTERM.
#include "tools/simfront/SimFront.h"

#include <condition_variable>
#include <csignal>
#include <cstring>
#include <functional>
#include <mutex>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "tests/tools/simfront/CoreHarness.h"
#include "tests/tools/simfront/TestClient.h"

namespace simtest {
namespace {

using namespace std::chrono_literals;

bool LoginWorks(CTestClient& client, const char* user) {
    client.SendPayload(LoginRequest(user));
    const auto reply = client.NextOf(117, 5s);
    return reply && InfoOf(*reply).RspNo == 0;
}

simfront::CoreOptions Quiet() {
    simfront::CoreOptions options;
    options.TradeDate = TestTradeDate;
    return options;
}

TEST(SimFrontNet, GarbageIsIgnoredAndAnOversizedFrameClosesOnlyItsConnection) {
    simfront::NetworkOptions network;
    network.QuoteInterval = 0ms;
    simfront::CSimFront front(simfront::DefaultSetup(), Quiet(), network);
    front.Start();
    const uint16_t port = front.Ports().Trade;
    ASSERT_NE(port, 0);

    CTestClient bystander(port);
    ASSERT_TRUE(LoginWorks(bystander, "10002"));

    CTestClient bad(port);
    bad.SendRaw(Hex("00 00 00 06  de ad be ef 00 01"));  // a frame whose payload is not a package
    bad.SendRaw(Hex("00 00 00 00"));                     // an empty frame
    ASSERT_TRUE(LoginWorks(bad, "10001")) << "a payload that is not a package is ignored";
    bad.SendRaw(Hex("00 00 20 00  01 02 03"));  // announces 8192 bytes
    EXPECT_TRUE(bad.ClosedWithin(5s));

    EXPECT_TRUE(LoginWorks(bystander, "10002"));
    CTestClient later(port);
    EXPECT_TRUE(LoginWorks(later, "10001"));
    front.Stop();
    EXPECT_TRUE(bystander.ClosedWithin(5s));
}

TEST(SimFrontNet, IdleClientGetsHeartbeatsAndIsClosedAfterTheTimeout) {
    simfront::NetworkOptions network;
    network.QuoteInterval = 0ms;
    network.HeartbeatInterval = 100ms;
    network.ReceiveTimeout = 800ms;
    simfront::CSimFront front(simfront::DefaultSetup(), Quiet(), network);
    front.Start();
    CTestClient client(front.Ports().Quote);
    const auto heartbeat = client.Next(5s, true);
    ASSERT_TRUE(heartbeat.has_value());
    EXPECT_EQ(heartbeat->size(), 50u) << "a 54-byte frame";
    EXPECT_EQ(ServiceOf(*heartbeat), 0);
    EXPECT_TRUE(client.ClosedWithin(10s));
}

TEST(SimFrontNet, QuotesFlowToSubscribersAtTheConfiguredRate) {
    simfront::NetworkOptions network;
    network.QuoteInterval = 20ms;
    simfront::CSimFront front(simfront::DefaultSetup(), Quiet(), network);
    front.Start();
    CTestClient client(front.Ports().Quote);
    client.SendPayload(QuoteLoginRequest("10001"));
    ASSERT_TRUE(client.NextOf(117, 5s));
    quot::QuotSubscribeReq subscribe{};
    std::strcpy(subscribe.InstrumentID, "sc2409");
    client.SendPayload(AnyRequest(7, subscribe));
    for (int i = 0; i < 3; ++i) {
        const auto quote = client.NextOf(125, 5s);
        ASSERT_TRUE(quote);
        EXPECT_EQ(simfront::TextOf(RecordOf<quot::Quot>(*quote).InstrumentID), "sc2409");
    }
}

// Collects the front's log lines and waits for one.
class CLogLines {
  public:
    std::function<void(const std::string&)> Sink() {
        return [this](const std::string& line) {
            std::lock_guard<std::mutex> lock(Mutex);
            Lines.push_back(line);
            Changed.notify_all();
        };
    }
    bool WaitFor(const std::string& part, std::chrono::milliseconds bound) {
        std::unique_lock<std::mutex> lock(Mutex);
        return Changed.wait_for(lock, bound, [&] {
            for (const std::string& line : Lines) {
                if (line.find(part) != std::string::npos) return true;
            }
            return false;
        });
    }

  private:
    std::mutex Mutex;
    std::condition_variable Changed;
    std::vector<std::string> Lines;
};

TEST(SimFrontNet, AClientThatDoesNotReadIsClosedAndTheOthersGoOn) {
    CLogLines log;
    simfront::CoreOptions core = Quiet();
    core.Log = log.Sink();
    simfront::NetworkOptions network;
    network.QuoteInterval = 1ms;
    network.MaxBacklog = 256 * 1024;
    simfront::CSimFront front(simfront::DefaultSetup(), core, network);
    front.Start();

    CTestClient stalled(front.Ports().Quote);
    stalled.SendPayload(QuoteLoginRequest("10001"));
    for (const simfront::InstrumentSpec& s : simfront::DefaultSetup().Instruments) {
        quot::QuotSubscribeReq subscribe{};
        std::strcpy(subscribe.InstrumentID, s.ID.c_str());
        stalled.SendPayload(AnyRequest(7, subscribe));
    }
    // The stalled client reads nothing from here on; its quotes pile up in the front.
    EXPECT_TRUE(log.WaitFor("send backlog too large", 60s));

    CTestClient other(front.Ports().Trade);
    EXPECT_TRUE(LoginWorks(other, "10002"));
}

// Runs the program with its stdout on a pipe; reads its first line within a bound.
class CProgram {
  public:
    explicit CProgram(std::vector<std::string> args) {
        int out[2];
        if (pipe(out) != 0) return;
        Pid = fork();
        if (Pid == 0) {
            dup2(out[1], STDOUT_FILENO);
            close(out[0]);
            close(out[1]);
            std::vector<char*> argv;
            for (std::string& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(out[1]);
        Out = out[0];
    }
    ~CProgram() {
        if (Pid > 0 && !Reaped) {
            kill(Pid, SIGKILL);
            waitpid(Pid, nullptr, 0);
        }
        if (Out >= 0) close(Out);
    }

    std::string FirstLine(std::chrono::milliseconds bound) {
        std::string line;
        const auto deadline = std::chrono::steady_clock::now() + bound;
        while (std::chrono::steady_clock::now() < deadline) {
            pollfd p{Out, POLLIN, 0};
            if (poll(&p, 1, 50) <= 0) continue;
            char c;
            if (read(Out, &c, 1) != 1 || c == '\n') break;
            line.push_back(c);
        }
        return line;
    }

    // The exit status after SIGTERM, or -1 when the program has not ended within the bound.
    int Terminate(std::chrono::milliseconds bound) {
        kill(Pid, SIGTERM);
        const auto deadline = std::chrono::steady_clock::now() + bound;
        while (std::chrono::steady_clock::now() < deadline) {
            int status = 0;
            if (waitpid(Pid, &status, WNOHANG) == Pid) {
                Reaped = true;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            usleep(10000);
        }
        return -1;
    }

    pid_t Pid = -1;
    int Out = -1;
    bool Reaped = false;
};

uint16_t PortAfter(const std::string& line, const std::string& key) {
    const size_t at = line.find(key + "=127.0.0.1:");
    if (at == std::string::npos) return 0;
    return static_cast<uint16_t>(std::stoi(line.substr(at + key.size() + 11)));
}

TEST(SimFrontProgram, PrintsItsPortsServesAndStopsOnSigterm) {
    CProgram program({SIMFRONT_PROGRAM, "--trade-port", "0", "--quote-port", "0", "--quiet"});
    ASSERT_GT(program.Pid, 0);
    const std::string line = program.FirstLine(10s);
    ASSERT_EQ(line.rfind("simfront trade=127.0.0.1:", 0), 0u) << line;
    const uint16_t trade = PortAfter(line, "trade");
    ASSERT_NE(trade, 0) << line;
    ASSERT_NE(PortAfter(line, "quote"), 0) << line;
    CTestClient client(trade);
    EXPECT_TRUE(LoginWorks(client, "10001"));
    EXPECT_EQ(program.Terminate(10s), 0);
    EXPECT_TRUE(client.ClosedWithin(5s));
}

TEST(SimFrontProgram, RefusesABadConfigurationWithAMessage) {
    CProgram program({SIMFRONT_PROGRAM, "--accounts", "/nonexistent/accounts.txt", "--quiet"});
    ASSERT_GT(program.Pid, 0);
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    int status = 0;
    while (waitpid(program.Pid, &status, WNOHANG) != program.Pid &&
           std::chrono::steady_clock::now() < deadline) {
        usleep(10000);
    }
    program.Reaped = true;
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 2);
}

}  // namespace
}  // namespace simtest
