// A CVOSKTradeApi for facade tests: records every call with a copy of its record in a log that outlives
// the session (the facade's Release deletes the session), and answers every request with the log's
// Result (0 "posted" by default, -1 "not connected"). Its callback object is the facade under test, so a
// test drives the facade's CVOSKTradeSpi side directly. Any thread.
#pragma once

#include <atomic>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "trade/session/VOSKTradeApi.h"

struct SessionCall {
    std::string Operation;
    std::vector<unsigned char> Record;
    int RequestId = 0;
    int PrivateMode = 0;  // SubscribeFlows only
    int PublicMode = 0;

    template <typename R>
    R As() const {
        R r{};
        if (Record.size() == sizeof r) std::memcpy(&r, Record.data(), sizeof r);
        return r;
    }
};

class FakeTradeSessionLog {
  public:
    std::atomic<int> Result{0};
    std::atomic<bool> Released{false};
    std::atomic<int> InitCalls{0};
    std::atomic<CVOSKTradeSpi*> Spi{nullptr};

    std::vector<SessionCall> Calls() const {
        std::lock_guard<std::mutex> lock(Mutex);
        return CallList;
    }
    // Calls of one operation, in order.
    std::vector<SessionCall> Calls(const std::string& operation) const;
    std::vector<std::string> Fronts() const {
        std::lock_guard<std::mutex> lock(Mutex);
        return FrontList;
    }

    void Add(SessionCall call) {
        std::lock_guard<std::mutex> lock(Mutex);
        CallList.push_back(std::move(call));
    }
    void AddFront(const char* address) {
        std::lock_guard<std::mutex> lock(Mutex);
        FrontList.emplace_back(address);
    }

  private:
    mutable std::mutex Mutex;
    std::vector<SessionCall> CallList;
    std::vector<std::string> FrontList;
};

class CFakeTradeSession final : public CVOSKTradeApi {
  public:
    explicit CFakeTradeSession(std::shared_ptr<FakeTradeSessionLog> log) : Log(std::move(log)) {}

    void Release() override {
        Log->Spi.store(nullptr);
        Log->Released.store(true);
        delete this;
    }
    void SetSpi(CVOSKTradeSpi* spi) override { Log->Spi.store(spi); }
    int Init() override {
        ++Log->InitCalls;
        return 0;
    }
    int Shutdown() override { return 0; }
    int AddFront(const char* address) override {
        Log->AddFront(address);
        return 0;
    }
    const char* GetErrorText(int) override { return ""; }
    int SubscribeFlows(int privateMode, int publicMode) override {
        SessionCall call;
        call.Operation = "SubscribeFlows";
        call.PrivateMode = privateMode;
        call.PublicMode = publicMode;
        Log->Add(std::move(call));
        return Log->Result.load();
    }

#define KDX_SERVICE(serviceNo, slot, operation, record, replyNo)          \
    int operation(const trade::record* request, int requestId) override { \
        return Request(#operation, request, requestId);                   \
    }
#include "trade/session/TradeServices.def"
#undef KDX_SERVICE

  private:
    template <typename R>
    int Request(const char* operation, const R* request, int requestId) {
        SessionCall call;
        call.Operation = operation;
        const auto* bytes = reinterpret_cast<const unsigned char*>(request);
        call.Record.assign(bytes, bytes + sizeof *request);
        call.RequestId = requestId;
        Log->Add(std::move(call));
        return Log->Result.load();
    }

    const std::shared_ptr<FakeTradeSessionLog> Log;
};

inline std::vector<SessionCall> FakeTradeSessionLog::Calls(const std::string& operation) const {
    std::vector<SessionCall> selected;
    for (const SessionCall& call : Calls())
        if (call.Operation == operation) selected.push_back(call);
    return selected;
}
