// The market-data protocol of the front: login and logout against the accounts, subscription and
// unsubscription of instruments, and the quotes (ServiceNo 125) pushed to every subscriber of an
// instrument after each market step and at once on subscription. Sans-I/O; core thread only.
#pragma once

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <unordered_map>

#include "codec/APIPackage.h"
#include "tools/simfront/CoreTypes.h"
#include "tools/simfront/MarketState.h"
#include "tools/simfront/SimErrors.h"

namespace simfront {

class CQuoteDesk {
  public:
    using Authenticator = std::function<SimError(const std::string& user, const std::string& password)>;

    CQuoteDesk(const CMarketState& market, const CoreOptions& options, const std::string& tradeDate,
               Authenticator authenticate, COutbox& out);

    void Open(uint32_t client, int64_t sessionId);
    void Close(uint32_t client);
    void Handle(uint32_t client, CAPIPackage& package);
    // One quote of every subscribed instrument to each of its subscribers.
    void Publish();

  private:
    struct Client {
        int64_t SessionID = 0;
        std::string User;  // empty until a login succeeds
        std::set<size_t> Instruments;
    };

    void OnLogin(uint32_t id, Client& c, CAPIPackage& package);
    void OnLogout(uint32_t id, Client& c, CAPIPackage& package);
    template <typename Req, typename Rsp>
    void OnSubscription(uint32_t id, Client& c, CAPIPackage& package, bool subscribe);
    Payload QuotePackage(size_t instrument) const;
    void Log(const std::string& line) const;

    const CMarketState& Market;
    const CoreOptions& Options;
    const std::string TradeDate;
    Authenticator Authenticate;
    COutbox& Out;
    std::unordered_map<uint32_t, Client> Clients;
};

}  // namespace simfront
