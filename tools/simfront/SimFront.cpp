// The network shell: acceptors, client links, the market step timer and the I/O thread around the core.
#include "tools/simfront/SimFront.h"

#include <exception>
#include <future>
#include <map>
#include <stdexcept>
#include <thread>

#include <boost/asio/error.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/address.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/steady_timer.hpp>

#include "tools/simfront/ClientLink.h"
#include "tools/simfront/FrontCore.h"

namespace simfront {

using boost::asio::ip::tcp;

struct CSimFront::Impl final : CClientLink::COwner, COutbox {
    Impl(FrontSetup setup, CoreOptions coreOptions, NetworkOptions network)
        : Network(std::move(network)),
          LogLine(coreOptions.Log),
          Core(std::move(setup), std::move(coreOptions), *this),
          Timing{Network.HeartbeatInterval, Network.ReceiveTimeout, Network.MaxBacklog} {}

    // The I/O context comes first so that it is destroyed last, after everything bound to it.
    boost::asio::io_context Io;
    const NetworkOptions Network;
    const std::function<void(const std::string&)> LogLine;
    CFrontCore Core;
    const LinkTiming Timing;
    struct Listener {
        Channel Kind;
        const char* Name;
        tcp::acceptor Acceptor;
        boost::asio::steady_timer Retry;
        uint16_t Port = 0;
    };
    std::unique_ptr<Listener> Trade;
    std::unique_ptr<Listener> Quote;
    boost::asio::steady_timer Ticker{Io};
    std::map<uint32_t, std::pair<Channel, std::shared_ptr<CClientLink>>> Links;
    uint32_t LastLink = 0;
    std::thread Thread;
    bool Running = false;

    void Log(const std::string& line) const {
        if (LogLine) LogLine(line);
    }
    static const char* NameOf(Channel channel) { return channel == Channel::Trade ? "trade" : "quote"; }

    std::unique_ptr<Listener> Listen(Channel kind, uint16_t port) {
        const tcp::endpoint endpoint(boost::asio::ip::make_address(Network.BindAddress), port);
        auto listener = std::unique_ptr<Listener>(
            new Listener{kind, NameOf(kind), tcp::acceptor(Io), boost::asio::steady_timer(Io), 0});
        listener->Acceptor.open(endpoint.protocol());
        listener->Acceptor.set_option(tcp::acceptor::reuse_address(true));
        listener->Acceptor.bind(endpoint);
        listener->Acceptor.listen();
        listener->Port = listener->Acceptor.local_endpoint().port();
        return listener;
    }

    void Accept(Listener& l) {
        auto link = std::make_shared<CClientLink>(Io, ++LastLink, *this, Timing);
        l.Acceptor.async_accept(link->Socket, [this, &l, link](const boost::system::error_code& error) {
            if (error == boost::asio::error::operation_aborted || !Running) return;
            if (error) {
                // Out of descriptors, for example: try again shortly rather than spin.
                Log(std::string(l.Name) + " accept failed: " + error.message());
                l.Retry.expires_after(std::chrono::milliseconds(100));
                l.Retry.async_wait([this, &l](const boost::system::error_code& e) {
                    if (!e && Running) Accept(l);
                });
                return;
            }
            boost::system::error_code ignored;
            const tcp::endpoint peer = link->Socket.remote_endpoint(ignored);
            link->Peer = peer.address().to_string(ignored) + ":" + std::to_string(peer.port());
            Links[link->ID] = {l.Kind, link};
            Core.Open(link->ID, l.Kind);
            Log(std::string(l.Name) + " client " + std::to_string(link->ID) + " connected from " +
                link->Peer);
            link->Start();
            Accept(l);
        });
    }

    void ArmTicker() {
        if (Network.QuoteInterval.count() <= 0) return;
        Ticker.expires_after(Network.QuoteInterval);
        Ticker.async_wait([this](const boost::system::error_code& error) {
            if (error || !Running) return;
            try {
                Core.Tick();
            } catch (const std::exception& e) {
                Log(std::string("market step failed: ") + e.what());
            }
            ArmTicker();
        });
    }

    // A request that makes the core throw (out of memory, a broken invariant) costs its client the
    // connection; the front and the other clients go on.
    void OnPayload(CClientLink& link, uint8_t* payload, uint32_t length) override {
        try {
            Core.Receive(link.ID, payload, length);
        } catch (const std::exception& e) {
            Log("client " + std::to_string(link.ID) + ": " + e.what());
            link.Close(linkclose::InternalError);
        }
    }

    void OnLinkClosed(CClientLink& link, const char* reason) override {
        const auto it = Links.find(link.ID);
        if (it == Links.end()) return;
        const Channel kind = it->second.first;
        Core.Close(link.ID);
        Log(std::string(NameOf(kind)) + " client " + std::to_string(link.ID) + " closed" +
            (reason[0] != '\0' ? std::string(": ") + reason : std::string(" by the peer")));
        Links.erase(it);
    }

    void Deliver(uint32_t client, const Payload& payload) override {
        const auto it = Links.find(client);
        if (it != Links.end()) it->second.second->SendPayload(payload);
    }

    void Shutdown() {
        Running = false;
        boost::system::error_code ignored;
        for (Listener* l : {Trade.get(), Quote.get()}) {
            l->Acceptor.close(ignored);
            l->Retry.cancel(ignored);
        }
        Ticker.cancel(ignored);
        // Closing reports to OnLinkClosed, which erases from Links: walk a copy.
        const auto links = Links;
        for (const auto& [id, entry] : links)
            entry.second->Close(linkclose::Stopping);
        Io.stop();
    }
};

CSimFront::CSimFront(FrontSetup setup, CoreOptions core, NetworkOptions network)
    : P(std::make_unique<Impl>(std::move(setup), std::move(core), std::move(network))) {}

CSimFront::~CSimFront() {
    Stop();
}

void CSimFront::Start() {
    if (P->Trade) throw std::logic_error("the front starts once");
    P->Trade = P->Listen(Channel::Trade, P->Network.TradePort);
    P->Quote = P->Listen(Channel::Quote, P->Network.QuotePort);
    P->Running = true;
    P->Accept(*P->Trade);
    P->Accept(*P->Quote);
    P->ArmTicker();
    P->Thread = std::thread([impl = P.get()] { impl->Io.run(); });
    P->Log(ListeningLine());
}

void CSimFront::Stop() {
    if (!P->Thread.joinable()) return;
    boost::asio::post(P->Io, [impl = P.get()] { impl->Shutdown(); });
    P->Thread.join();
}

CSimFront::PortPair CSimFront::Ports() const {
    return {P->Trade ? P->Trade->Port : uint16_t{0}, P->Quote ? P->Quote->Port : uint16_t{0}};
}

std::string CSimFront::ListeningLine() const {
    const PortPair ports = Ports();
    return "simfront trade=" + P->Network.BindAddress + ":" + std::to_string(ports.Trade) +
           " quote=" + P->Network.BindAddress + ":" + std::to_string(ports.Quote);
}

void CSimFront::WithCore(const std::function<void(CFrontCore&)>& fn) {
    RunOnIoThread([&] { fn(P->Core); });
}

size_t CSimFront::DropUser(const std::string& user) {
    size_t dropped = 0;
    RunOnIoThread([&] {
        for (const uint32_t id : P->Core.Trading().ClientsOf(user)) {
            const auto it = P->Links.find(id);
            if (it == P->Links.end()) continue;
            // Closing reports to OnLinkClosed, which erases the entry: hold the link meanwhile.
            const std::shared_ptr<CClientLink> link = it->second.second;
            link->Close(linkclose::Dropped);
            ++dropped;
        }
    });
    return dropped;
}

void CSimFront::RunOnIoThread(const std::function<void()>& fn) {
    if (!P->Thread.joinable()) throw std::logic_error("the front is not running");
    std::promise<void> done;
    boost::asio::post(P->Io, [&] {
        try {
            fn();
            done.set_value();
        } catch (...) {
            done.set_exception(std::current_exception());
        }
    });
    done.get_future().get();
}

}  // namespace simfront
