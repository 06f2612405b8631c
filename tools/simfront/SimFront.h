// The simulated front as a server: the trading protocol on one port and the market-data protocol on
// another, both served by one I/O thread that owns the front's core. Start binds both ports and
// starts the thread; Stop closes every connection and joins it. Start, Stop and Ports are called from
// one controlling thread; the core runs on the I/O thread only.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "tools/simfront/CoreTypes.h"
#include "tools/simfront/FrontSetup.h"

namespace simfront {

class CFrontCore;

struct NetworkOptions {
    std::string BindAddress = "127.0.0.1";
    uint16_t TradePort = 0;  // 0: a free port, see Ports()
    uint16_t QuotePort = 0;
    std::chrono::milliseconds HeartbeatInterval{60000};  // a heartbeat after this long without sending
    std::chrono::milliseconds ReceiveTimeout{120000};    // close after this long without receiving
    std::chrono::milliseconds QuoteInterval{500};        // market step and quote period; 0: no steps
    uint64_t MaxBacklog = 64u << 20;                     // unread bytes beyond which a client is closed
};

class CSimFront {
  public:
    CSimFront(FrontSetup setup, CoreOptions core, NetworkOptions network);
    ~CSimFront();
    CSimFront(const CSimFront&) = delete;
    CSimFront& operator=(const CSimFront&) = delete;

    // Binds both ports and starts the I/O thread. Throws boost::system::system_error when an address
    // is invalid or a port cannot be bound; nothing runs then.
    void Start();
    // Closes the listeners and every connection and joins the I/O thread. Idempotent.
    void Stop();

    struct PortPair {
        uint16_t Trade = 0;
        uint16_t Quote = 0;
    };
    // The bound ports, once started.
    PortPair Ports() const;
    // "simfront trade=ADDRESS:PORT quote=ADDRESS:PORT", the line the program prints once listening.
    std::string ListeningLine() const;

    // Closes the trading connections logged in as user, as a broken network would: what was queued
    // for them is lost, the listeners stay open, so their clients reconnect. Returns how many were
    // closed. Only while started.
    size_t DropUser(const std::string& user);

    // Runs fn with the core on the I/O thread and waits for it: a way for tests and tools to look at
    // or steer the market. Only while started.
    void WithCore(const std::function<void(CFrontCore&)>& fn);

  private:
    // Runs fn on the I/O thread and waits for it; rethrows what it throws.
    void RunOnIoThread(const std::function<void()>& fn);

    struct Impl;
    std::unique_ptr<Impl> P;
};

}  // namespace simfront
