// The trading protocol of the front: login, logout and password change against the accounts; order
// entry with its checks, matching, cancellation; positions, position details and funds per account;
// every query the trading library sends; the private flow of each account and the public flow, kept
// in journals and replayed on flow subscription. Requests come in as opened packages, everything goes
// out through the outbox. Sans-I/O; core thread only.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "codec/APIPackage.h"
#include "tools/simfront/CoreTypes.h"
#include "tools/simfront/MarketState.h"
#include "tools/simfront/SimErrors.h"
#include "trade/session/TradeRecords.h"

namespace simfront {

// One account's holding of an instrument on one side ('B' long, 'S' short), all lots of today.
struct Position {
    size_t Instrument = 0;
    char Side = 'B';
    int32_t OpenVolume = 0;
    int32_t CloseVolume = 0;
    double OpenAmount = 0;
    double CloseAmount = 0;
    double Fee = 0;
    double ClosedPL = 0;
    std::deque<trade::PosiDetail> Lots;  // open lots, oldest first, each with QtyLeft > 0
};

struct OrderEntry {
    trade::Order Record;  // kept current: it is what notifications and queries carry
    std::string User;
    size_t Instrument = 0;
    int64_t LimitTicks = 0;  // the limit price, or the daily limit a market order may reach
    bool Opens = true;
    bool Immediate = false;  // market and immediate-or-cancel orders do not rest
    bool Active = true;
    double MarginPerLot = 0;  // frozen for each lot still to fill of an opening order
    double FeePerLot = 0;
    double FilledAmount = 0;  // sum of price x lots, for the average price
};

struct Account {
    AccountSpec Definition;
    std::map<std::pair<size_t, char>, Position> Positions;
    std::vector<uint64_t> Orders;  // every order of the day, in entry order
    std::set<uint64_t> Active;
    std::vector<trade::Trade> Trades;
    CFlowJournal PrivateFlow;
};

class CTradeDesk {
  public:
    CTradeDesk(CMarketState& market, const CoreOptions& options, const std::string& tradeDate, COutbox& out);

    void Open(uint32_t client, int64_t sessionId);
    void Close(uint32_t client);
    void Handle(uint32_t client, CAPIPackage& package);
    // Fills the resting orders that the synthetic market crosses after a step.
    void CrossResting();

    // None when user and password match an account; also used by the market-data login.
    [[nodiscard]] SimError Authenticate(const std::string& user, const std::string& password) const;
    const Account* FindAccount(const std::string& user) const;
    // The trading clients logged in as user.
    std::vector<uint32_t> ClientsOf(const std::string& user) const;
    trade::Fund FundOf(const Account& account) const;
    const CFlowJournal& PublicFlow() const { return PublicJournal; }

  private:
    struct Client {
        int64_t SessionID = 0;
        Account* User = nullptr;
        bool Private = false;  // subscribed to the account's private flow
        bool Public = false;
        std::string ProductInfo;
    };
    struct Request {
        uint32_t ClientID;
        Client& Session;
        CAPIPackage& Package;
    };

    void OnLogin(Request& r);
    void OnLogout(Request& r);
    void OnChangePassword(Request& r);
    void OnFlowSubscribe(Request& r);
    void OnInputOrder(Request& r, uint16_t replyNo);
    void OnOrderCancel(Request& r);
    template <typename Query, typename Item, typename Each>
    void ListQuery(Request& r, uint16_t replyNo, uint16_t listTag, Each&& each);
    void OnQueries(Request& r);

    SimError CheckOrder(const Client& c, const trade::InputOrder& in, OrderEntry& entry, std::string& detail);
    void Execute(uint64_t key);
    void ApplyFill(uint64_t key, int64_t ticks, int32_t qty, const std::string& matchId);
    void Cancel(uint64_t key, const std::string& reason);
    OrderEntry* LookUpForCancel(const Client& c, const trade::OrderCancelReq& req);

    void Notify(Account& account, int32_t code, Payload package);
    template <typename R>
    void NotifyPrivate(Account& account, int32_t code, const R& record);
    void Send(uint32_t client, const Payload& payload);
    void Log(const std::string& line) const;
    WallTime Now() const;

    double Available(const Account& account) const;
    int32_t ClosableQty(const Account& account, size_t instrument, char side) const;
    trade::Posi PosiOf(const Account& account, const Position& p) const;
    double FloatingPL(const Position& p) const;
    trade::InvestorMarginRate MarginRateOf(size_t instrument, const std::string& user) const;
    double MarginPerLot(size_t instrument, char side, int64_t ticks) const;
    double FeeFor(size_t instrument, bool opens, int64_t ticks, int32_t qty) const;

    CMarketState& Market;
    const CoreOptions& Options;
    const std::string TradeDate;
    COutbox& Out;
    std::map<std::string, Account> Accounts;
    std::unordered_map<uint32_t, Client> Clients;
    std::unordered_map<uint64_t, OrderEntry> Orders;  // by order number
    std::set<std::string> OrderRefs;                  // user, SessionID and OrderRef of every order
    CFlowJournal PublicJournal;
    uint64_t LastOrder = 0;
    uint64_t LastMatch = 0;
};

}  // namespace simfront
