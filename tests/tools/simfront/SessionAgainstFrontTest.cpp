// The trading library's session client against the simulated front over TCP: connect, log in,
// subscribe the flows, trade and query, as a trading program's first steps go.
#include <condition_variable>
#include <cstring>
#include <mutex>

#include <gtest/gtest.h>

#include "tests/support/RecordingTradeSpi.h"
#include "tests/tools/simfront/CoreHarness.h"
#include "tools/simfront/SimFront.h"
#include "quot/session/VOSKQuotApiImp.h"
#include "trade/session/VOSKTradeApiImp.h"

namespace simtest {
namespace {

using namespace std::chrono_literals;

class CWaitingSpi : public RecordingTradeSpi {
  public:
    CWaitingSpi() {
        OnCall = [this](const TradeCall&) {
            std::lock_guard<std::mutex> lock(WaitMutex);
            Changed.notify_all();
        };
    }
    // The first call named so, after the first `skip` of them, within the bound.
    std::optional<TradeCall> WaitFor(const std::string& name, std::chrono::milliseconds bound,
                                     size_t skip = 0) {
        std::optional<TradeCall> found;
        std::unique_lock<std::mutex> lock(WaitMutex);
        Changed.wait_for(lock, bound, [&] {
            size_t seen = 0;
            for (const TradeCall& call : Calls()) {
                if (call.Name == name && seen++ == skip) found = call;
            }
            return found.has_value();
        });
        return found;
    }

  private:
    std::mutex WaitMutex;
    std::condition_variable Changed;
};

TEST(SessionAgainstFront, LogsInSubscribesTradesAndQueries) {
    simfront::NetworkOptions network;
    network.QuoteInterval = 0ms;  // a still market, so that the order below meets a known offer
    simfront::CoreOptions core;
    core.TradeDate = TestTradeDate;
    simfront::CSimFront front(simfront::DefaultSetup(), core, network);
    front.Start();
    double offer = 0;
    front.WithCore([&](simfront::CFrontCore& c) {
        const size_t rb = *c.Market().Find("rb2410");
        c.Market().Synthetic.MoveTo(rb, 3600);
        offer = c.Market().Price(rb, c.Market().Synthetic.At(rb).Asks[0].Ticks);
    });

    CWaitingSpi spi;
    CVOSKTradeApiImp session;
    session.SetSpi(&spi);
    session.AddFront(("127.0.0.1:" + std::to_string(front.Ports().Trade)).c_str());
    ASSERT_EQ(session.Init(), 0);
    ASSERT_TRUE(spi.WaitFor("OnConnected", 10s));

    trade::LoginReq login{};
    std::strcpy(login.InvestorID, "10001");
    std::strcpy(login.InvestorPassword, "123456");
    ASSERT_EQ(session.SubmitLogin(&login, 1), 0);
    const auto loginRsp = spi.WaitFor("OnLoginRsp", 10s);
    ASSERT_TRUE(loginRsp);
    EXPECT_EQ(loginRsp->Info.RspNo, 0);
    EXPECT_STREQ(loginRsp->As<trade::LoginRsp>().TradeDate, TestTradeDate);
    EXPECT_EQ(static_cast<uint64_t>(loginRsp->As<trade::LoginRsp>().SessionID) >> 32, 1u);

    ASSERT_EQ(session.SubscribeFlows(1, 1), 0);
    EXPECT_TRUE(spi.WaitFor("OnMarketStatusNty", 10s, 4)) << "the public flow from its start: five exchanges";

    trade::InputOrder order = LimitOrder("rb2410", 'B', 'O', offer, 1, "1");
    ASSERT_EQ(session.SubmitInputOrder(&order, 2), 0);
    const auto filled = spi.WaitFor("OnOrderNty", 10s, 1);
    ASSERT_TRUE(filled);
    EXPECT_EQ(filled->As<trade::Order>().OrderStatus, 'F');
    const auto traded = spi.WaitFor("OnTradeNty", 10s);
    ASSERT_TRUE(traded);
    EXPECT_EQ(traded->As<trade::Trade>().Price, offer);

    trade::PosiQueryReq query{};
    ASSERT_EQ(session.QueryPosi(&query, 3), 0);
    const auto position = spi.WaitFor("OnPosiQueryRsp", 10s);
    ASSERT_TRUE(position);
    EXPECT_EQ(position->More, 0);
    EXPECT_EQ(position->As<trade::Posi>().Qty, 1);

    trade::InputOrder refused = LimitOrder("rb2410", 'B', 'O', offer + 0.5, 1);
    ASSERT_EQ(session.SubmitInputOrder(&refused, 4), 0);
    const auto rejection = spi.WaitFor("OnInputOrderRsp", 10s);
    ASSERT_TRUE(rejection);
    EXPECT_EQ(rejection->RequestId, 4);
    EXPECT_EQ(rejection->Info.RspNo, 17);

    session.Shutdown();
    front.Stop();
}

// Counts the quote session's callbacks that this test waits for.
class CQuoteSpi : public CVOSKQuotSpi {
  public:
    void OnConnected() override { Count(Connected); }
    void OnLoginRsp(const quot::LoginRsp*, const quot::RspInfo* info, int, int) override {
        Count(info != nullptr && info->RspNo == 0 ? LoggedIn : Failed);
    }
    void OnSubscribeRsp(const quot::QuotSubscribeRsp*, const quot::RspInfo* info, int, int) override {
        Count(info != nullptr && info->RspNo == 0 ? Subscribed : Failed);
    }
    void OnQuot(const quot::Quot* quote) override {
        std::lock_guard<std::mutex> lock(Mutex);
        LastInstrument = quote->InstrumentID;
        ++Quotes;
        Changed.notify_all();
    }
    bool WaitFor(const int& counter, int atLeast, std::chrono::milliseconds bound) {
        std::unique_lock<std::mutex> lock(Mutex);
        return Changed.wait_for(lock, bound, [&] { return counter >= atLeast; });
    }

    std::mutex Mutex;
    std::condition_variable Changed;
    int Connected = 0;
    int LoggedIn = 0;
    int Subscribed = 0;
    int Failed = 0;
    int Quotes = 0;
    std::string LastInstrument;

  private:
    void Count(int& counter) {
        std::lock_guard<std::mutex> lock(Mutex);
        ++counter;
        Changed.notify_all();
    }
};

TEST(SessionAgainstFront, QuoteSessionLogsInSubscribesAndReceivesQuotes) {
    simfront::NetworkOptions network;
    network.QuoteInterval = 20ms;
    simfront::CSimFront front(simfront::DefaultSetup(), simfront::CoreOptions{}, network);
    front.Start();

    CQuoteSpi spi;
    CVOSKQuotApiImp session;
    session.SetSpi(&spi);
    session.AddFront(("127.0.0.1:" + std::to_string(front.Ports().Quote)).c_str());
    ASSERT_EQ(session.Init(), 0);
    ASSERT_TRUE(spi.WaitFor(spi.Connected, 1, 10s));
    const quot::LoginReq login = QuoteLogin("10002");
    ASSERT_EQ(session.SubmitLogin(&login, 1), 0);
    ASSERT_TRUE(spi.WaitFor(spi.LoggedIn, 1, 10s));
    quot::QuotSubscribeReq subscribe{};
    std::strcpy(subscribe.InstrumentID, "IF2409");
    ASSERT_EQ(session.SubscribeQuot(&subscribe, 0), 0);
    ASSERT_TRUE(spi.WaitFor(spi.Subscribed, 1, 10s));
    ASSERT_TRUE(spi.WaitFor(spi.Quotes, 3, 10s));
    {
        std::lock_guard<std::mutex> lock(spi.Mutex);
        EXPECT_EQ(spi.LastInstrument, "IF2409");
        EXPECT_EQ(spi.Failed, 0);
    }
    session.Shutdown();
    front.Stop();
}

}  // namespace
}  // namespace simtest
