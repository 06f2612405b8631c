// The synthetic market of every instrument: a random walk of the best bid on the tick grid, ten price
// levels a side with random quantities, synthetic trades that move last price, volume and open
// interest, all inside the daily limits. Prices are in ticks. Sans-I/O; one thread at a time.
#pragma once

#include <array>
#include <cstdint>
#include <random>
#include <vector>

#include "tools/simfront/FrontSetup.h"

namespace simfront {

constexpr int DepthLevels = 10;

struct DepthLevel {
    int64_t Ticks = 0;
    int32_t Qty = 0;  // 0: the level is empty
};
using Depth = std::array<DepthLevel, DepthLevels>;  // best first

struct InstrumentMarket {
    int64_t Last = 0;  // last traded price; the pre-settlement price before the first trade
    int64_t Open = 0;  // 0 until the first trade, and so High and Low
    int64_t High = 0;
    int64_t Low = 0;
    int32_t LastQty = 0;
    char LastSide = 0;  // 'B' when the last trade took an offer, 'S' when it hit a bid
    int64_t Volume = 0;
    int64_t OpenInterest = 0;
    double Turnover = 0;
    Depth Bids{};         // synthetic bids, descending
    Depth Asks{};         // synthetic offers, ascending
    uint64_t Trades = 0;  // trades so far, for the match numbers of the quotes
};

class CSyntheticMarket {
  public:
    CSyntheticMarket(const std::vector<InstrumentSpec>& instruments, uint64_t seed);

    size_t Size() const { return States.size(); }
    const InstrumentMarket& At(size_t i) const { return States[i]; }

    // One step of every instrument: the best bid moves by at most one tick, the depth is drawn again
    // and, most of the time, one synthetic trade happens at the best bid or offer.
    void Step();
    // Places the best bid at bestBid (kept one tick below the upper limit) and draws the depth again.
    void MoveTo(size_t i, int64_t bestBid);

    // The synthetic depth a taker meets: offers for a buyer, bids for a seller. Filling from it lowers
    // the level's quantity until the next step draws the depth again.
    Depth& Opposite(size_t i, char takerSide) { return takerSide == 'B' ? States[i].Asks : States[i].Bids; }

    // Books a trade of qty lots at ticks; the open interest changes by oiChange (kept at 0 or above).
    void RecordTrade(size_t i, int64_t ticks, int32_t qty, int64_t oiChange, char takerSide);

  private:
    void DrawDepth(size_t i, int64_t bestBid);
    int32_t DrawQty(int32_t most);

    const std::vector<InstrumentSpec>& Definitions;
    std::vector<InstrumentMarket> States;
    std::vector<int64_t> BestBid;
    std::mt19937_64 Random;
};

}  // namespace simfront
