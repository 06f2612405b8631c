// A CZantuVextTraderSpi that records every callback the trading library makes: its name, the thread it
// ran on, a copy of the record (or the pointer, for callbacks whose record is the caller's own or
// null), the status, the request id and isLast. Tests wait for events with a bound and assert on the
// ordered list. Public headers only, so that it serves tests of the shared library too. Any thread.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <type_traits>
#include <vector>

#include "ZantuVextTraderApi.h"

struct TraderEvent {
    std::string Name;
    std::thread::id Thread;
    const void* Pointer = nullptr;  // the record pointer as the library passed it
    std::vector<unsigned char> Record;
    bool HasStatus = false;
    CZantuVextRspInfo Status{};
    int RequestId = 0;
    bool IsLast = false;

    template <typename R>
    R As() const {
        R r{};
        if (Record.size() == sizeof r) std::memcpy(&r, Record.data(), sizeof r);
        return r;
    }
};

class RecordingTraderSpi : public CZantuVextTraderSpi {
  public:
    std::vector<TraderEvent> Events() const {
        std::lock_guard<std::mutex> lock(Mutex);
        return EventList;
    }
    // Events of one callback, in order.
    std::vector<TraderEvent> Events(const std::string& name) const {
        std::vector<TraderEvent> selected;
        for (const TraderEvent& event : Events())
            if (event.Name == name) selected.push_back(event);
        return selected;
    }
    // Waits until `count` events of that name have arrived; false when the bound passes first.
    bool WaitFor(const std::string& name, size_t count = 1,
                 std::chrono::milliseconds bound = std::chrono::seconds(5)) const {
        std::unique_lock<std::mutex> lock(Mutex);
        return Arrived.wait_for(lock, bound, [&] { return CountLocked(name) >= count; });
    }
    // Waits until `count` events of any name have arrived.
    bool WaitForCount(size_t count, std::chrono::milliseconds bound = std::chrono::seconds(5)) const {
        std::unique_lock<std::mutex> lock(Mutex);
        return Arrived.wait_for(lock, bound, [&] { return EventList.size() >= count; });
    }

    void OnConnected() override { Add(Event("OnConnected")); }
    void OnDisconnected(int reason) override {
        TraderEvent event = Event("OnDisconnected");
        event.RequestId = reason;
        Add(std::move(event));
    }
    void OnOrderUpdate(CZantuVextOrder* order) override { Reply("OnOrderUpdate", order, nullptr, 0, false); }
    void OnTradeUpdate(CZantuVextTrade* trade) override { Reply("OnTradeUpdate", trade, nullptr, 0, false); }

#define KDX_RECORDED_REPLY(callback, Record)                                                        \
    void callback(Record* record, CZantuVextRspInfo* status, int requestId, bool isLast) override { \
        Reply(#callback, record, status, requestId, isLast);                                        \
    }
    KDX_RECORDED_REPLY(OnEchoIdentityReply, CZantuVextIdentityReply)
    KDX_RECORDED_REPLY(OnLoginReply, CZantuVextLoginReply)
    KDX_RECORDED_REPLY(OnLogoutReply, CZantuVextLogoutRecord)
    KDX_RECORDED_REPLY(OnPasswordChangeReply, CZantuVextPasswordChange)
    KDX_RECORDED_REPLY(OnZeroValueReply, CZantuVextZeroValue)
    KDX_RECORDED_REPLY(OnOrderInsertReply, CZantuVextInputOrder)
    KDX_RECORDED_REPLY(OnOrderCancelReply, CZantuVextOrderAction)
    KDX_RECORDED_REPLY(OnConfirmationReply, CZantuVextConfirmation)
    KDX_RECORDED_REPLY(OnOrderQueryReply, CZantuVextOrder)
    KDX_RECORDED_REPLY(OnTradeQueryReply, CZantuVextTrade)
    KDX_RECORDED_REPLY(OnPositionQueryReply, CZantuVextPosition)
    KDX_RECORDED_REPLY(OnAccountQueryReply, CZantuVextAccount)
    KDX_RECORDED_REPLY(OnInvestorQueryReply, CZantuVextInvestor)
    KDX_RECORDED_REPLY(OnMarginRateQueryReply, CZantuVextMarginRate)
    KDX_RECORDED_REPLY(OnFeeRateQueryReply, CZantuVextFeeRate)
    KDX_RECORDED_REPLY(OnExchangeQueryReply, CZantuVextExchange)
    KDX_RECORDED_REPLY(OnProductQueryReply, CZantuVextProduct)
    KDX_RECORDED_REPLY(OnInstrumentQueryReply, CZantuVextInstrument)
    KDX_RECORDED_REPLY(OnMarketSnapshotQueryReply, CZantuVextMarketSnapshot)
    KDX_RECORDED_REPLY(OnPositionDetailQueryReply, CZantuVextPositionDetail)
    KDX_RECORDED_REPLY(OnConfirmationQueryReply, CZantuVextConfirmation)
    KDX_RECORDED_REPLY(OnExchangeMarginRateQueryReply, CZantuVextExchangeMarginRate)
    KDX_RECORDED_REPLY(OnAccountProfileReply, CZantuVextAccountProfile)
    KDX_RECORDED_REPLY(OnRefusedReply19, void)
    KDX_RECORDED_REPLY(OnRefusedReply20, void)
    KDX_RECORDED_REPLY(OnRefusedReply21, void)
    KDX_RECORDED_REPLY(OnRefusedReply22, void)
    KDX_RECORDED_REPLY(OnRefusedReply23, void)
    KDX_RECORDED_REPLY(OnEmptyReply25, void)
    KDX_RECORDED_REPLY(OnEmptyReply26, void)
    KDX_RECORDED_REPLY(OnEmptyReply33, void)
    KDX_RECORDED_REPLY(OnEmptyReply40, void)
    KDX_RECORDED_REPLY(OnEmptyReply41, void)
    KDX_RECORDED_REPLY(OnEmptyReply43, void)
    KDX_RECORDED_REPLY(OnEmptyReply45, void)
    KDX_RECORDED_REPLY(OnEmptyReply46, void)
    KDX_RECORDED_REPLY(OnEmptyReply54, void)
    KDX_RECORDED_REPLY(OnEmptyReply57, void)
    KDX_RECORDED_REPLY(OnEmptyReply60, void)
    KDX_RECORDED_REPLY(OnEmptyReply61, void)
    KDX_RECORDED_REPLY(OnEmptyReply62, void)
    KDX_RECORDED_REPLY(OnEmptyReply63, void)
    KDX_RECORDED_REPLY(OnEmptyReply64, void)
    KDX_RECORDED_REPLY(OnEmptyReply65, void)
    KDX_RECORDED_REPLY(OnEmptyReply66, void)
    KDX_RECORDED_REPLY(OnEmptyReply67, void)
    KDX_RECORDED_REPLY(OnEmptyReply68, void)
    KDX_RECORDED_REPLY(OnEmptyReply69, void)
    KDX_RECORDED_REPLY(OnEmptyReply70, void)
    KDX_RECORDED_REPLY(OnEmptyReply71, void)
    KDX_RECORDED_REPLY(OnEmptyReply96, void)
    KDX_RECORDED_REPLY(OnEmptyReply97, void)
    KDX_RECORDED_REPLY(OnEmptyReply98, void)
    KDX_RECORDED_REPLY(OnEmptyReply99, void)
    KDX_RECORDED_REPLY(OnEmptyReply101, void)
    KDX_RECORDED_REPLY(OnEmptyReply102, void)
    KDX_RECORDED_REPLY(OnEmptyReply121, void)
#undef KDX_RECORDED_REPLY

  private:
    static TraderEvent Event(const char* name) {
        TraderEvent event;
        event.Name = name;
        event.Thread = std::this_thread::get_id();
        return event;
    }

    template <typename Record>
    void Reply(const char* name, Record* record, CZantuVextRspInfo* status, int requestId, bool isLast) {
        TraderEvent event = Event(name);
        event.Pointer = record;
        if constexpr (!std::is_void<Record>::value) {
            if (record != nullptr) {
                const auto* bytes = reinterpret_cast<const unsigned char*>(record);
                event.Record.assign(bytes, bytes + sizeof *record);
            }
        }
        event.HasStatus = status != nullptr;
        if (status != nullptr) event.Status = *status;
        event.RequestId = requestId;
        event.IsLast = isLast;
        Add(std::move(event));
    }

    void Add(TraderEvent event) {
        std::lock_guard<std::mutex> lock(Mutex);
        EventList.push_back(std::move(event));
        Arrived.notify_all();
    }

    size_t CountLocked(const std::string& name) const {
        size_t count = 0;
        for (const TraderEvent& event : EventList)
            if (event.Name == name) ++count;
        return count;
    }

    mutable std::mutex Mutex;
    mutable std::condition_variable Arrived;
    std::vector<TraderEvent> EventList;
};
