// A small trading program written only against the public headers of the trading library: it connects
// to a front, logs in, asks for its account, positions and an instrument, enters one limit order when a
// price is given, prints every callback, logs out and releases the object.
//
//   trade_demo tcp://127.0.0.1:7001 BROKER USER PASSWORD [INSTRUMENT EXCHANGE [PRICE]] [SECONDS]
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <stdexcept>
#include <string>

#include "ZantuVextTraderApi.h"

namespace {

// Waits for named moments of the session, each with a bound.
class Moments {
  public:
    void Mark(const std::string& name) {
        std::lock_guard<std::mutex> lock(Mutex);
        Seen += "|" + name + "|";
        Changed.notify_all();
    }
    bool WaitFor(const std::string& name, std::chrono::seconds bound) {
        std::unique_lock<std::mutex> lock(Mutex);
        return Changed.wait_for(lock, bound,
                                [&] { return Seen.find("|" + name + "|") != std::string::npos; });
    }

  private:
    std::mutex Mutex;
    std::condition_variable Changed;
    std::string Seen;
};

template <size_t Width>
void Copy(char (&member)[Width], const char* text) {
    std::strncpy(member, text, Width - 1);
    member[Width - 1] = '\0';
}

const char* Status(const CZantuVextRspInfo* status) {
    static thread_local char text[100];
    if (status == nullptr) return "no status";
    std::snprintf(text, sizeof text, "%d %s", status->ErrorCode, status->ErrorText);
    return text;
}

class DemoSpi : public CZantuVextTraderSpi {
  public:
    explicit DemoSpi(Moments& moments) : Seen(moments) {}

    void OnConnected() override {
        std::printf("connected\n");
        Seen.Mark("connected");
    }
    void OnDisconnected(int reason) override { std::printf("disconnected (%d)\n", reason); }
    void OnLoginReply(CZantuVextLoginReply* reply, CZantuVextRspInfo* status, int, bool) override {
        std::printf("login: %s", Status(status));
        if (reply != nullptr)
            std::printf(", trading day %s, front %d, session %d", reply->TradingDate, reply->FrontNumber,
                        reply->SessionNumber);
        std::printf("\n");
        Seen.Mark(status != nullptr && status->ErrorCode == 0 ? "logged in" : "login failed");
    }
    void OnLogoutReply(CZantuVextLogoutRecord* reply, CZantuVextRspInfo* status, int, bool) override {
        std::printf("logout of %s: %s\n", reply != nullptr ? reply->UserCode : "?", Status(status));
        Seen.Mark("logged out");
    }
    void OnAccountQueryReply(CZantuVextAccount* account, CZantuVextRspInfo* status, int,
                             bool isLast) override {
        if (account != nullptr)
            std::printf("account: balance %.2f, available %.2f %s\n", account->Balance, account->Available,
                        account->CurrencyCode);
        else
            std::printf("account: none (%s)\n", Status(status));
        if (isLast) Seen.Mark("account");
    }
    void OnPositionQueryReply(CZantuVextPosition* position, CZantuVextRspInfo*, int, bool isLast) override {
        if (position != nullptr)
            std::printf("position: %s side %c quantity %d\n", position->InstrumentCode,
                        position->PositionSide, position->Quantity);
        if (isLast) Seen.Mark("positions");
    }
    void OnInstrumentQueryReply(CZantuVextInstrument* instrument, CZantuVextRspInfo*, int,
                                bool isLast) override {
        if (instrument != nullptr)
            std::printf("instrument: %s on %s, multiplier %d, tick %.4f, expires %s\n",
                        instrument->InstrumentCode, instrument->ExchangeCode, instrument->Multiplier,
                        instrument->TickSize, instrument->ExpireDate);
        if (isLast) Seen.Mark("instrument");
    }
    void OnOrderInsertReply(CZantuVextInputOrder* order, CZantuVextRspInfo* status, int, bool) override {
        std::printf("order %s rejected: %s\n", order != nullptr ? order->OrderRef : "?", Status(status));
        Seen.Mark("order done");
    }
    void OnOrderUpdate(CZantuVextOrder* order) override {
        std::printf("order %s (%d): state %c, filled %d, left %d\n", order->OrderRef, order->OrderNumber,
                    order->OrderState, order->FilledQuantity, order->RemainingQuantity);
        if (order->OrderState == '0' || order->OrderState == '5') Seen.Mark("order done");
    }
    void OnTradeUpdate(CZantuVextTrade* trade) override {
        std::printf("trade %s: %d at %.4f on %s %s\n", trade->TradeCode, trade->Quantity, trade->Price,
                    trade->FillDate, trade->FillTime);
    }

  private:
    Moments& Seen;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s FRONT BROKER USER PASSWORD [INSTRUMENT EXCHANGE [PRICE]] [SECONDS]\n",
                     argv[0]);
        return 2;
    }
    const char* instrument = argc > 6 ? argv[5] : nullptr;
    const char* exchange = argc > 6 ? argv[6] : "";
    const char* price = argc > 7 ? argv[7] : nullptr;
    const std::chrono::seconds bound(argc > 8 ? std::atoi(argv[8]) : 10);

    std::printf("trading library %s\n", CZantuVextTraderApi::GetApiVersion());
    Moments moments;
    DemoSpi spi(moments);
    CZantuVextTraderApi* api = CZantuVextTraderApi::CreateVextTraderApi("");
    api->SetSpi(&spi);
    std::string front = argv[1];
    api->AddFront(&front[0]);
    api->SetPrivateResumeMode(1);  // orders and trades from where this user stopped
    api->SetPublicResumeMode(2);   // only what is new
    int result = 1;
    try {
        api->Init();
        if (!moments.WaitFor("connected", bound)) throw std::runtime_error("no connection");
        CZantuVextLoginRequest login{};
        Copy(login.BrokerCode, argv[2]);
        Copy(login.UserCode, argv[3]);
        Copy(login.LoginPassword, argv[4]);
        int requestId = 0;
        if (api->SubmitLogin(&login, ++requestId) != 0 || !moments.WaitFor("logged in", bound))
            throw std::runtime_error("login failed");
        std::printf("trading day %s\n", api->CurrentTradingDay());

        api->QueryAccount(nullptr, ++requestId);
        moments.WaitFor("account", bound);
        CZantuVextPositionQuery positions{};
        api->QueryPositions(&positions, ++requestId);
        moments.WaitFor("positions", bound);
        if (instrument != nullptr) {
            CZantuVextInstrumentQuery query{};
            Copy(query.InstrumentCode, instrument);
            Copy(query.ExchangeCode, exchange);
            api->QueryInstrument(&query, ++requestId);
            moments.WaitFor("instrument", bound);
        }
        if (instrument != nullptr && price != nullptr) {
            CZantuVextInputOrder order{};
            Copy(order.InvestorCode, argv[3]);
            Copy(order.InstrumentCode, instrument);
            Copy(order.ExchangeCode, exchange);
            Copy(order.OrderRef, "1");
            order.PriceKind = '2';  // limit
            order.Side = '0';       // buy
            order.OpenClose[0] = '0';
            order.Price = std::atof(price);
            order.Quantity = 1;
            order.TimeRule = '3';
            order.VolumeRule = '1';
            api->SubmitOrder(&order, ++requestId);
            moments.WaitFor("order done", bound);
        }
        api->SubmitLogout(nullptr, ++requestId);
        moments.WaitFor("logged out", bound);
        result = 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "trade_demo: %s\n", error.what());
    }
    api->Release();
    return result;
}
