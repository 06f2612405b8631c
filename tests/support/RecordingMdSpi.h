// A CZantuVextMdSpi that records every callback in order: its name, whether a record and a status came
// with it, the request id, isLast, the disconnect reason, and copies of the record and the status.
// Callbacks may come from any one thread; the test reads the list after the calls or waits for them
// with a bound. Uses only the public headers.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "ZantuVextMdApi.h"

struct MdEvent {
    std::string Name;
    bool HasRecord = false;
    bool HasStatus = false;
    int RequestId = 0;
    bool IsLast = false;
    int Reason = 0;
    std::vector<unsigned char> Record;
    CZantuVextRspInfo Status{};

    template <typename R>
    R As() const {
        R r{};
        if (Record.size() == sizeof r) std::memcpy(&r, Record.data(), sizeof r);
        return r;
    }
};

class RecordingMdSpi : public CZantuVextMdSpi {
  public:
    // Runs inside each callback after the event was recorded, on the callback's thread.
    std::function<void(const MdEvent&)> OnEvent;

    std::vector<MdEvent> Events() const {
        std::lock_guard<std::mutex> lock(Mutex);
        return List;
    }
    std::vector<MdEvent> EventsNamed(const std::string& name) const {
        std::vector<MdEvent> named;
        for (const MdEvent& e : Events())
            if (e.Name == name) named.push_back(e);
        return named;
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const MdEvent& e : Events())
            names.push_back(e.Name);
        return names;
    }
    // Waits until count events of that name have been recorded; false when bound passes first.
    bool WaitFor(const std::string& name, size_t count = 1,
                 std::chrono::milliseconds bound = std::chrono::seconds(2)) const {
        std::unique_lock<std::mutex> lock(Mutex);
        return Changed.wait_for(lock, bound, [&] { return CountLocked(name) >= count; });
    }

    void OnConnected() override { Add(Named("OnConnected")); }
    void OnDisconnected(int reason) override {
        MdEvent e = Named("OnDisconnected");
        e.Reason = reason;
        Add(std::move(e));
    }
    void OnLoginReply(CZantuVextLoginReply* r, CZantuVextRspInfo* s, int requestId, bool isLast) override {
        Reply("OnLoginReply", r, s, requestId, isLast);
    }
    void OnLogoutReply(CZantuVextLogoutRecord* r, CZantuVextRspInfo* s, int requestId, bool isLast) override {
        Reply("OnLogoutReply", r, s, requestId, isLast);
    }
    void OnSubscribeReply(CZantuVextInstrumentId* r, CZantuVextRspInfo* s, int requestId,
                          bool isLast) override {
        Reply("OnSubscribeReply", r, s, requestId, isLast);
    }
    void OnUnsubscribeReply(CZantuVextInstrumentId* r, CZantuVextRspInfo* s, int requestId,
                            bool isLast) override {
        Reply("OnUnsubscribeReply", r, s, requestId, isLast);
    }
    void OnMarketSnapshot(CZantuVextMarketSnapshot* r) override {
        Reply("OnMarketSnapshot", r, static_cast<CZantuVextRspInfo*>(nullptr), 0, false);
    }

  private:
    static MdEvent Named(const char* name) {
        MdEvent e;
        e.Name = name;
        return e;
    }
    template <typename R>
    void Reply(const char* name, const R* record, const CZantuVextRspInfo* status, int requestId,
               bool isLast) {
        MdEvent e = Named(name);
        e.HasRecord = record != nullptr;
        if (record != nullptr) {
            const unsigned char* bytes = reinterpret_cast<const unsigned char*>(record);
            e.Record.assign(bytes, bytes + sizeof *record);
        }
        e.HasStatus = status != nullptr;
        if (status != nullptr) e.Status = *status;
        e.RequestId = requestId;
        e.IsLast = isLast;
        Add(std::move(e));
    }
    void Add(MdEvent e) {
        {
            std::lock_guard<std::mutex> lock(Mutex);
            List.push_back(e);
        }
        Changed.notify_all();
        if (OnEvent) OnEvent(e);
    }
    size_t CountLocked(const std::string& name) const {
        size_t n = 0;
        for (const MdEvent& e : List)
            n += e.Name == name ? 1 : 0;
        return n;
    }

    mutable std::mutex Mutex;
    mutable std::condition_variable Changed;
    std::vector<MdEvent> List;
};
