// The whole simulated front without sockets: the shared market, the trading desk and the market-data
// desk. The network shell (or a test) opens and closes clients, hands in each received payload and
// calls Tick at the quote rate; packages come out through the outbox. Core thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>

#include "tools/simfront/CoreTypes.h"
#include "tools/simfront/FrontSetup.h"
#include "tools/simfront/MarketState.h"
#include "tools/simfront/QuoteDesk.h"
#include "tools/simfront/TradeDesk.h"

namespace simfront {

enum class Channel { Trade, Quote };

class CFrontCore {
  public:
    CFrontCore(FrontSetup setup, CoreOptions options, COutbox& out);

    // A client connected on a channel; it gets the next session number.
    void Open(uint32_t client, Channel channel);
    void Close(uint32_t client);
    // One received payload. A payload without an API head is ignored; so is a ServiceNo that neither
    // protocol knows.
    void Receive(uint32_t client, uint8_t* payload, uint32_t length);
    // One market step: the synthetic market moves, resting orders it crosses fill, quotes go out.
    void Tick();

    const std::string& TradeDate() const { return Date; }
    int64_t SessionIDOf(uint32_t sessionNumber) const {
        return static_cast<int64_t>((uint64_t{Options.FrontID} << 32) | sessionNumber);
    }
    CMarketState& Market() { return *MarketPtr; }
    CTradeDesk& Trading() { return *TradePtr; }

  private:
    const FrontSetup Setup;
    const CoreOptions Options;
    const std::string Date;
    std::unique_ptr<CMarketState> MarketPtr;
    std::unique_ptr<CTradeDesk> TradePtr;
    std::unique_ptr<CQuoteDesk> QuotePtr;
    std::unordered_map<uint32_t, Channel> Channels;
    uint32_t LastSession = 0;
};

}  // namespace simfront
