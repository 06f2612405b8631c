// A CVOSKTradeSpi that records every callback in order: its name, whether a record and a status came
// with it, requestId, the more flag and copies of the record and the status. Callbacks may come from
// any one thread; reads by the test happen after the calls (or through EventLog-style waits elsewhere).
#pragma once

#include <cstring>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "trade/session/VOSKTradeApi.h"

struct TradeCall {
    std::string Name;
    bool HasRecord = false;
    bool HasInfo = false;
    int RequestId = 0;
    int More = 0;
    std::vector<unsigned char> Record;
    trade::RspInfo Info{};

    template <typename R>
    R As() const {
        R r{};
        if (Record.size() == sizeof r) std::memcpy(&r, Record.data(), sizeof r);
        return r;
    }
};

class RecordingTradeSpi : public CVOSKTradeSpi {
  public:
    // Called inside each callback, after it was recorded (for checks that need the moment of the call).
    std::function<void(const TradeCall&)> OnCall;

    std::vector<TradeCall> Calls() const {
        std::lock_guard<std::mutex> lock(Mutex);
        return CallList;
    }

    void OnConnected() override { Add(Call("OnConnected")); }
    void OnDisconnected() override { Add(Call("OnDisconnected")); }

#define KDX_REPLY(serviceNo, family, bodyRow, record, callback)                                           \
    void callback(const trade::record* r, const trade::RspInfo* info, int requestId, int more) override { \
        Reply(#callback, r, info, requestId, more);                                                       \
    }
#include "trade/session/TradeReplies.def"
#undef KDX_REPLY

    void OnOrderNty(const trade::Order* r) override {
        Notice("OnOrderNty", r);
    }
    void OnTradeNty(const trade::Trade* r) override {
        Notice("OnTradeNty", r);
    }
    void OnPosiDetailNty(const trade::PosiDetail* r) override {
        Notice("OnPosiDetailNty", r);
    }
    void OnFundNty(const trade::Fund* r) override {
        Notice("OnFundNty", r);
    }
    void OnPosiNty(const trade::Posi* r) override {
        Notice("OnPosiNty", r);
    }
    void OnNoticeNty(const trade::Notice* r) override {
        Notice("OnNoticeNty", r);
    }
    void OnElectronicFundIONty(const trade::ElectronicFundIONty* r) override {
        Notice("OnElectronicFundIONty", r);
    }
    void OnMarketStatusNty(const trade::MarketStatusNty* r) override {
        Notice("OnMarketStatusNty", r);
    }
    void OnBulletinNty(const trade::Bulletin* r) override {
        Notice("OnBulletinNty", r);
    }
    void OnAccountBindNty(const trade::AccountBind* r) override {
        Notice("OnAccountBindNty", r);
    }

  private:
    template <typename R = char>
    static TradeCall Call(const char* name, const R* r = nullptr) {
        TradeCall call;
        call.Name = name;
        call.HasRecord = r != nullptr;
        if (r != nullptr) {
            const auto* p = reinterpret_cast<const unsigned char*>(r);
            call.Record.assign(p, p + sizeof *r);
        }
        return call;
    }

    template <typename R>
    void Reply(const char* name, const R* r, const trade::RspInfo* info, int requestId, int more) {
        TradeCall call = Call(name, r);
        call.HasInfo = info != nullptr;
        call.RequestId = requestId;
        call.More = more;
        if (info) call.Info = *info;
        Add(std::move(call));
    }

    template <typename R>
    void Notice(const char* name, const R* r) {
        Add(Call(name, r));
    }

    void Add(TradeCall call) {
        {
            std::lock_guard<std::mutex> lock(Mutex);
            CallList.push_back(call);
        }
        if (OnCall) OnCall(call);
    }

    mutable std::mutex Mutex;
    std::vector<TradeCall> CallList;
};
