// The resting orders of one instrument in price-time priority, and the matching of an order against
// them and against the synthetic depth. Prices in ticks, sides 'B' (bid) and 'S' (offer). Orders are
// known here only by key; their owners keep the rest. Sans-I/O; one thread at a time.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <unordered_map>
#include <utility>
#include <vector>

#include "tools/simfront/SyntheticMarket.h"

namespace simfront {

struct RestingOrder {
    uint64_t Key;
    int64_t Ticks;
    int32_t Qty;
};

struct Fill {
    uint64_t Maker;  // the resting order filled, 0 for the synthetic depth
    int64_t Ticks;   // the maker's price
    int32_t Qty;
    bool operator==(const Fill&) const = default;
};

inline char OppositeSide(char side) {
    return side == 'B' ? 'S' : 'B';
}

class COrderBook {
  public:
    // Appends an order behind those resting at its price.
    void Add(char side, uint64_t key, int64_t ticks, int32_t qty);
    // Takes an order out; false when it is not resting.
    bool Remove(uint64_t key);
    // The first order of the best price of a side, or null.
    const RestingOrder* Best(char side) const;
    // Fills qty lots (at most its quantity) of the best order of a side, which leaves when used up.
    void TakeFromBest(char side, int32_t qty);
    // The side's orders added up per price, best first, ten prices at most.
    Depth Aggregate(char side) const;
    size_t Size() const { return Where.size(); }

  private:
    // Keyed by priority: -ticks for bids, ticks for offers, so that the first entry is the best.
    using Side = std::map<int64_t, std::deque<RestingOrder>>;
    Side& SideOf(char side) { return side == 'B' ? Bids : Offers; }
    const Side& SideOf(char side) const { return side == 'B' ? Bids : Offers; }

    Side Bids;
    Side Offers;
    std::unordered_map<uint64_t, std::pair<char, int64_t>> Where;  // key -> side, priority
};

// An order of side with a limit (ticks) for qty lots against the resting orders of the other side and
// the synthetic depth it meets, best price first; at one price the resting orders come before the
// synthetic level. Both lose what was filled. Fills in order; their total may be below qty.
std::vector<Fill> MatchIncoming(COrderBook& book, Depth& synthetic, char side, int64_t limit, int32_t qty);

// Resting orders that the synthetic depth now crosses (a bid at or above a synthetic offer, an offer at
// or below a synthetic bid) fill at their own price from the synthetic quantity they cross. Maker of
// each fill is the resting order.
std::vector<Fill> CrossResting(COrderBook& book, Depth& syntheticBids, Depth& syntheticAsks);

// The depth a quote shows: synthetic levels and resting orders added up per price, best first.
Depth MergeDepth(const Depth& synthetic, const Depth& resting, char side);

}  // namespace simfront
