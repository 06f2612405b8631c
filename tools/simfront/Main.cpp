// The simfront program: reads its options and configuration files, runs the simulated front until
// SIGINT or SIGTERM, and prints the listening ports on one line of stdout.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include <pthread.h>

#include "tools/simfront/SimFront.h"

namespace {

const char Usage[] =
    "Usage: simfront [options]\n"
    "A simulated trading front for the ordergate and quotegate libraries: the trading protocol on one\n"
    "port, the market-data protocol on another, synthetic quotes, order matching, positions and funds.\n"
    "\n"
    "  --bind ADDRESS           address to listen on (default 127.0.0.1)\n"
    "  --trade-port PORT        trading port (default 17001; 0 picks a free port)\n"
    "  --quote-port PORT        market-data port (default 17002; 0 picks a free port)\n"
    "  --accounts FILE          accounts, one line each:\n"
    "                             account user=U password=P [name=\"N\"] [balance=B]\n"
    "                           (default: users 10001 and 10002, password 123456, balance 10000000)\n"
    "  --instruments FILE       exchanges, products and instruments (default: a built-in set of futures\n"
    "                           and options on SHFE, INE, DCE, CZCE and CFFEX, such as cu2409, au2410,\n"
    "                           sc2409, m2409, SR409, IF2409 and cu2409C72000)\n"
    "  --print-defaults         print the built-in accounts and instruments in the file format, then exit\n"
    "  --quote-interval MS      market step and quote period in milliseconds (default 500; 0 freezes\n"
    "                           the market)\n"
    "  --heartbeat SECONDS      send a heartbeat after this long without sending (default 60)\n"
    "  --timeout SECONDS        close a client after this long without receiving (default 120)\n"
    "  --front-id N             front number, the high 32 bits of every SessionID (default 1)\n"
    "  --trade-date YYYY-MM-DD  trading day (default: today)\n"
    "  --seed N                 seed of the synthetic market (default: from the clock)\n"
    "  --quiet                  no log lines on stderr\n"
    "  --help                   this text\n"
    "\n"
    "Once listening it prints 'simfront trade=ADDRESS:PORT quote=ADDRESS:PORT' on stdout. It logs one\n"
    "line per connection and per order event on stderr and stops cleanly on SIGINT or SIGTERM.\n";

bool ReadFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream out;
    out << in.rdbuf();
    text = out.str();
    return true;
}

bool ToNumber(const std::string& text, double low, double high, double& value) {
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return !text.empty() && *end == '\0' && value >= low && value <= high;
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "simfront: %s\n", message.c_str());
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    simfront::FrontSetup setup = simfront::DefaultSetup();
    simfront::CoreOptions core;
    core.Seed = static_cast<uint64_t>(std::time(nullptr));
    simfront::NetworkOptions network;
    network.TradePort = 17001;
    network.QuotePort = 17002;
    bool quiet = false;

    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--help" || option == "-h") {
            std::fputs(Usage, stdout);
            return 0;
        }
        if (option == "--print-defaults") {
            std::printf("# accounts (--accounts)\n%s\n# instruments (--instruments)\n%s",
                        simfront::DefaultAccountsText, simfront::DefaultReferenceText);
            return 0;
        }
        if (option == "--quiet") {
            quiet = true;
            continue;
        }
        if (i + 1 >= argc) return Fail("unknown option or missing value: " + option + " (see --help)");
        const std::string value = argv[++i];
        double number = 0;
        std::string text;
        std::string error;
        if (option == "--bind") {
            network.BindAddress = value;
        } else if (option == "--trade-port" || option == "--quote-port") {
            if (!ToNumber(value, 0, 65535, number) || number != static_cast<uint16_t>(number))
                return Fail("bad port: " + value);
            (option == "--trade-port" ? network.TradePort : network.QuotePort) =
                static_cast<uint16_t>(number);
        } else if (option == "--accounts" || option == "--instruments") {
            if (!ReadFile(value, text)) return Fail("cannot read " + value);
            const bool loaded = option == "--accounts" ? simfront::LoadAccounts(text, setup, error)
                                                       : simfront::LoadReferenceData(text, setup, error);
            if (!loaded) return Fail(value + ": " + error);
        } else if (option == "--quote-interval") {
            if (!ToNumber(value, 0, 86400000, number)) return Fail("bad interval: " + value);
            network.QuoteInterval = std::chrono::milliseconds(static_cast<int64_t>(number));
        } else if (option == "--heartbeat" || option == "--timeout") {
            if (!ToNumber(value, 0.01, 86400, number)) return Fail("bad number of seconds: " + value);
            const auto ms = std::chrono::milliseconds(static_cast<int64_t>(number * 1000));
            (option == "--heartbeat" ? network.HeartbeatInterval : network.ReceiveTimeout) = ms;
        } else if (option == "--front-id") {
            if (!ToNumber(value, 0, 4294967295.0, number)) return Fail("bad front id: " + value);
            core.FrontID = static_cast<uint32_t>(number);
        } else if (option == "--trade-date") {
            if (value.size() != 10 || value[4] != '-' || value[7] != '-') return Fail("bad date: " + value);
            core.TradeDate = value;
        } else if (option == "--seed") {
            if (!ToNumber(value, 0, 1e18, number)) return Fail("bad seed: " + value);
            core.Seed = static_cast<uint64_t>(number);
        } else {
            return Fail("unknown option: " + option + " (see --help)");
        }
    }
    if (!quiet) {
        core.Log = [](const std::string& line) {
            char stamp[16];
            const std::time_t now = std::time(nullptr);
            std::tm local{};
            localtime_r(&now, &local);
            std::strftime(stamp, sizeof stamp, "%H:%M:%S", &local);
            std::fprintf(stderr, "%s %s\n", stamp, line.c_str());
        };
    }

    // The signals are taken by this thread alone: blocked before the I/O thread starts, which inherits
    // the mask, and waited for below.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    simfront::CSimFront front(std::move(setup), std::move(core), network);
    try {
        front.Start();
    } catch (const std::exception& e) {
        return Fail(std::string("cannot listen: ") + e.what());
    }
    std::printf("%s\n", front.ListeningLine().c_str());
    std::fflush(stdout);

    int received = 0;
    sigwait(&signals, &received);
    front.Stop();
    if (!quiet) std::fprintf(stderr, "simfront stopped (%s)\n", received == SIGINT ? "SIGINT" : "SIGTERM");
    return 0;
}
