// The project's demo: a trading program written only against the public headers of both libraries. It
// connects to a market-data front and a trading front, logs in to both, subscribes two instruments and
// prints a few depth snapshots, enters a limit order that crosses the market and one that rests, shows
// the order and trade updates with their state texts, queries position and account, cancels the resting
// order, logs out and releases both objects. Exits 0 only when every step happened in time.
//
//   demo [TRADE_FRONT QUOTE_FRONT [USER PASSWORD [SECONDS]]]
//   defaults: tcp://127.0.0.1:17001 tcp://127.0.0.1:17002 10001 123456 20
#include <iconv.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <stdexcept>
#include <string>

#include "ZantuVextMdApi.h"
#include "ZantuVextTraderApi.h"

namespace {

using Seconds = std::chrono::seconds;

// What the callbacks have seen, and bounded waits on it. Callbacks arrive on the libraries' threads.
class Progress {
  public:
    void Count(const std::string& what) {
        std::lock_guard<std::mutex> lock(Mutex);
        ++Seen[what];
        Changed.notify_all();
    }
    void Require(const std::string& what, Seconds bound, int times = 1) {
        std::unique_lock<std::mutex> lock(Mutex);
        if (!Changed.wait_for(lock, bound, [&] { return Seen[what] >= times; }))
            throw std::runtime_error("gave up waiting for: " + what);
    }
    template <typename T, typename F>
    T Read(F read) {
        std::lock_guard<std::mutex> lock(Mutex);
        return read();
    }
    std::mutex Mutex;  // also guards the demo's shared values below

  private:
    std::condition_variable Changed;
    std::map<std::string, int> Seen;
};

template <size_t Width>
void Copy(char (&member)[Width], const char* text) {
    std::strncpy(member, text, Width - 1);
    member[Width - 1] = '\0';
}

// The libraries hand out texts in GBK; the terminal wants UTF-8.
std::string Readable(const char* gbk) {
    iconv_t convert = iconv_open("UTF-8", "GBK");
    if (convert == reinterpret_cast<iconv_t>(-1)) return gbk;
    char out[256] = {};
    char* in = const_cast<char*>(gbk);
    size_t inLeft = std::strlen(gbk);
    char* to = out;
    size_t outLeft = sizeof out - 1;
    const bool converted = iconv(convert, &in, &inLeft, &to, &outLeft) != static_cast<size_t>(-1);
    iconv_close(convert);
    return converted ? std::string(out) : std::string(gbk);
}

std::string Status(const CZantuVextRspInfo* status) {
    if (status == nullptr) return "ok";
    return status->ErrorCode == 0 ? "ok"
                                  : std::to_string(status->ErrorCode) + " " + Readable(status->ErrorText);
}

const char* const Instruments[] = {"cu2409", "rb2410"};
constexpr const char* Exchange = "SHFE";
constexpr double CopperTick = 10;

class MarketData : public CZantuVextMdSpi {
  public:
    explicit MarketData(Progress& progress) : Steps(progress) {}

    void OnConnected() override {
        std::printf("[md]    connected\n");
        Steps.Count("md connected");
    }
    void OnDisconnected(int reason) override { std::printf("[md]    disconnected (%d)\n", reason); }
    void OnLoginReply(CZantuVextLoginReply* reply, CZantuVextRspInfo* status, int, bool) override {
        std::printf("[md]    login %s, trading day %s\n", Status(status).c_str(),
                    reply ? reply->TradingDate : "?");
        if (status == nullptr || status->ErrorCode == 0) Steps.Count("md login");
    }
    void OnSubscribeReply(CZantuVextInstrumentId* instrument, CZantuVextRspInfo* status, int, bool) override {
        std::printf("[md]    subscribed %s: %s\n", instrument ? instrument->InstrumentCode : "?",
                    Status(status).c_str());
        Steps.Count("subscribed");
    }
    void OnLogoutReply(CZantuVextLogoutRecord*, CZantuVextRspInfo* status, int, bool) override {
        std::printf("[md]    logout %s\n", Status(status).c_str());
        Steps.Count("md logout");
    }
    void OnMarketSnapshot(CZantuVextMarketSnapshot* s) override {
        int shown;
        {
            std::lock_guard<std::mutex> lock(Steps.Mutex);
            if (std::strcmp(s->InstrumentCode, Instruments[0]) == 0) Copper = *s;
            shown = Shown++;
        }
        if (shown < 6) {
            std::printf(
                "[md]    %-7s %s last %.2f  bid %.2f x %d  ask %.2f x %d  volume %d  open interest %.0f\n",
                s->InstrumentCode, s->SnapshotTime, s->LastTradePrice, s->Bid1Price, s->Bid1Qty, s->Ask1Price,
                s->Ask1Qty, s->TotalVolume, s->CurrentOpenInterest);
        }
        Steps.Count(std::string("snapshot ") + s->InstrumentCode);
    }

    CZantuVextMarketSnapshot Copper{};

  private:
    Progress& Steps;
    int Shown = 0;
};

class Trading : public CZantuVextTraderSpi {
  public:
    explicit Trading(Progress& progress) : Steps(progress) {}

    void OnConnected() override {
        std::printf("[trade] connected\n");
        Steps.Count("trade connected");
    }
    void OnDisconnected(int reason) override { std::printf("[trade] disconnected (%d)\n", reason); }
    void OnLoginReply(CZantuVextLoginReply* reply, CZantuVextRspInfo* status, int, bool) override {
        std::printf("[trade] login %s, trading day %s, front %d, session %d\n", Status(status).c_str(),
                    reply ? reply->TradingDate : "?", reply ? reply->FrontNumber : 0,
                    reply ? reply->SessionNumber : 0);
        if (reply != nullptr && (status == nullptr || status->ErrorCode == 0)) {
            std::lock_guard<std::mutex> lock(Steps.Mutex);
            Front = reply->FrontNumber;
            Session = reply->SessionNumber;
        }
        if (status == nullptr || status->ErrorCode == 0) Steps.Count("trade login");
    }
    void OnOrderInsertReply(CZantuVextInputOrder* order, CZantuVextRspInfo* status, int, bool) override {
        std::printf("[trade] order %s rejected: %s\n", order ? order->OrderRef : "?", Status(status).c_str());
        Steps.Count("rejected");
    }
    void OnOrderCancelReply(CZantuVextOrderAction* action, CZantuVextRspInfo* status, int, bool) override {
        std::printf("[trade] cancel of %s refused: %s\n", action ? action->OrderRef : "?",
                    Status(status).c_str());
        Steps.Count("cancel refused");
    }
    void OnOrderUpdate(CZantuVextOrder* o) override {
        std::printf("[trade] order %s #%d %s %d @ %.2f: state %c \"%s\", filled %d, left %d\n", o->OrderRef,
                    o->OrderNumber, o->Side == '0' ? "buy" : "sell", o->Quantity, o->Price, o->OrderState,
                    Readable(o->StateText).c_str(), o->FilledQuantity, o->RemainingQuantity);
        {
            std::lock_guard<std::mutex> lock(Steps.Mutex);
            if (std::strcmp(o->OrderRef, "2") == 0) Resting = *o;
        }
        Steps.Count(std::string("order ") + o->OrderRef + " state " + o->OrderState);
        Steps.Count(std::string("order ") + o->OrderRef);
    }
    void OnTradeUpdate(CZantuVextTrade* t) override {
        std::printf("[trade] trade %s of order %s: %d @ %.2f at %s %s\n", t->TradeCode, t->OrderRef,
                    t->Quantity, t->Price, t->FillDate, t->FillTime);
        Steps.Count(std::string("trade ") + t->OrderRef);
    }
    void OnPositionQueryReply(CZantuVextPosition* p, CZantuVextRspInfo* status, int, bool isLast) override {
        if (p != nullptr)
            std::printf("[trade] position %s %s: %d (today's open %d), margin %.2f\n", p->InstrumentCode,
                        p->PositionSide == '2' ? "long" : "short", p->Quantity, p->OpenQuantity,
                        p->UsedMargin);
        else
            std::printf("[trade] positions: none (%s)\n", Status(status).c_str());
        if (isLast) Steps.Count("positions");
    }
    void OnAccountQueryReply(CZantuVextAccount* a, CZantuVextRspInfo* status, int, bool isLast) override {
        if (a != nullptr)
            std::printf("[trade] account: balance %.2f, available %.2f, margin %.2f, fee %.2f\n", a->Balance,
                        a->Available, a->UsedMargin, a->Fee);
        else
            std::printf("[trade] account: none (%s)\n", Status(status).c_str());
        if (isLast) Steps.Count("account");
    }
    void OnLogoutReply(CZantuVextLogoutRecord*, CZantuVextRspInfo* status, int, bool) override {
        std::printf("[trade] logout %s\n", Status(status).c_str());
        Steps.Count("trade logout");
    }

    int Front = 0;
    int Session = 0;
    CZantuVextOrder Resting{};

  private:
    Progress& Steps;
};

CZantuVextInputOrder LimitBuy(const char* user, const char* ref, double price) {
    CZantuVextInputOrder order{};
    Copy(order.InvestorCode, user);
    Copy(order.InstrumentCode, Instruments[0]);
    Copy(order.ExchangeCode, Exchange);
    Copy(order.OrderRef, ref);
    order.PriceKind = '2';     // limit
    order.Side = '0';          // buy
    order.OpenClose[0] = '0';  // open
    order.Price = price;
    order.Quantity = 1;
    order.TimeRule = '3';    // good for the day
    order.VolumeRule = '1';  // any volume
    return order;
}

void Step(const char* text) {
    std::printf("\n== %s\n", text);
}

}  // namespace

int main(int argc, char** argv) {
    std::string tradeFront = argc > 2 ? argv[1] : "tcp://127.0.0.1:17001";
    std::string quoteFront = argc > 2 ? argv[2] : "tcp://127.0.0.1:17002";
    const char* user = argc > 4 ? argv[3] : "10001";
    const char* password = argc > 4 ? argv[4] : "123456";
    const Seconds bound(argc > 5 ? std::atoi(argv[5]) : 20);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);

    Progress steps;
    MarketData marketData(steps);
    Trading trading(steps);
    CZantuVextMdApi* md = CZantuVextMdApi::CreateVextMdApi("", false, false);
    CZantuVextTraderApi* trader = CZantuVextTraderApi::CreateVextTraderApi("");
    int result = 1;
    try {
        std::printf("libraries %s / %s\n", CZantuVextMdApi::GetApiVersion(),
                    CZantuVextTraderApi::GetApiVersion());
        CZantuVextLoginRequest login{};
        Copy(login.BrokerCode, "0001");
        Copy(login.UserCode, user);
        Copy(login.LoginPassword, password);

        Step("market data: connect, log in, subscribe");
        md->SetSpi(&marketData);
        md->AddFront(&quoteFront[0]);
        md->Init();
        steps.Require("md connected", bound);
        if (md->SubmitLogin(&login, 1) != 0) throw std::runtime_error("market-data login not sent");
        steps.Require("md login", bound);
        char* codes[] = {const_cast<char*>(Instruments[0]), const_cast<char*>(Instruments[1])};
        md->SubscribeQuotes(codes, 2);
        steps.Require("subscribed", bound, 2);
        steps.Require(std::string("snapshot ") + Instruments[0], bound, 2);
        steps.Require(std::string("snapshot ") + Instruments[1], bound, 2);

        Step("trading: connect, log in");
        trader->SetSpi(&trading);
        trader->AddFront(&tradeFront[0]);
        trader->SetPrivateResumeMode(2);  // only what happens from now on
        trader->SetPublicResumeMode(2);
        trader->Init();
        steps.Require("trade connected", bound);
        if (trader->SubmitLogin(&login, 1) != 0) throw std::runtime_error("trading login not sent");
        steps.Require("trade login", bound);
        std::printf("trading day %s\n", trader->CurrentTradingDay());

        const CZantuVextMarketSnapshot copper =
            steps.Read<CZantuVextMarketSnapshot>([&] { return marketData.Copper; });
        const double crossing = copper.Ask1Price;
        double resting = copper.Bid1Price - 20 * CopperTick;
        if (resting < copper.LimitDown) resting = copper.LimitDown;
        Step("orders: one that crosses the market, one that rests");
        CZantuVextInputOrder taker = LimitBuy(user, "1", crossing);
        CZantuVextInputOrder maker = LimitBuy(user, "2", resting);
        std::printf("buy 1 %s at %.2f (the best ask), buy 1 at %.2f (below the best bid)\n", Instruments[0],
                    crossing, resting);
        if (trader->SubmitOrder(&taker, 2) != 0 || trader->SubmitOrder(&maker, 3) != 0)
            throw std::runtime_error("orders not sent");
        steps.Require("trade 1", bound);
        steps.Require("order 2", bound);

        Step("position and account");
        CZantuVextPositionQuery positions{};
        trader->QueryPositions(&positions, 4);
        steps.Require("positions", bound);
        trader->QueryAccount(nullptr, 5);
        steps.Require("account", bound);

        Step("cancel the resting order");
        CZantuVextOrderAction cancel{};
        {
            std::lock_guard<std::mutex> lock(steps.Mutex);
            Copy(cancel.InvestorCode, user);
            Copy(cancel.OrderRef, "2");
            Copy(cancel.ExchangeCode, Exchange);
            Copy(cancel.OrderSysCode, trading.Resting.OrderSysCode);
            Copy(cancel.InstrumentCode, Instruments[0]);
            cancel.FrontNumber = trading.Front;
            cancel.SessionNumber = trading.Session;
        }
        if (trader->SubmitOrderCancel(&cancel, 6) != 0) throw std::runtime_error("cancel not sent");
        steps.Require("order 2 state 5", bound);

        Step("log out and release");
        CZantuVextLogoutRecord logout{};
        trader->SubmitLogout(&logout, 7);
        steps.Require("trade logout", bound);
        md->SubmitLogout(&logout, 2);
        steps.Require("md logout", bound);
        std::printf("\ndemo: every step done\n");
        result = 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "\ndemo: %s\n", error.what());
    }
    trader->Release();
    md->Release();
    return result;
}
