// A session link for transport tests: records every connection event in an EventLog and lets a test add
// behaviour to a callback. Set the hooks before Init; they run on the session's I/O thread.
//
// Events: "OnConnected", "OnDisconnected", "Connecting <front>", "Closed <reason>" (the reason may be
// empty), "Package <ServiceNo> <RequestID>".
#pragma once

#include <functional>

#include "tests/support/EventLog.h"
#include "transport/SessionLink.h"

class RecordingLink : public CSessionLink {
  public:
    explicit RecordingLink(EventLog& log) : Log(log) {}
    virtual ~RecordingLink() = default;

    void OnConnected() override;
    void OnDisconnected() override;
    int Dispatch(CServerConnection& connection, CAPIPackage& package) override;
    void OnConnecting(const char* front) override;
    void OnClosed(const char* reason) override;

    // Run after the event is recorded. AfterPackage's result is Dispatch's (0 when unset).
    std::function<void()> AfterConnected;
    std::function<void()> AfterDisconnected;
    std::function<int(CServerConnection&, CAPIPackage&)> AfterPackage;

    EventLog& Log;
};
