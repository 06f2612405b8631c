// Random walk, depth and synthetic trades.
#include "tools/simfront/SyntheticMarket.h"

#include <algorithm>

#include "tools/simfront/PriceGrid.h"

namespace simfront {

CSyntheticMarket::CSyntheticMarket(const std::vector<InstrumentSpec>& instruments, uint64_t seed)
    : Definitions(instruments), States(instruments.size()), BestBid(instruments.size()), Random(seed) {
    for (size_t i = 0; i < Definitions.size(); ++i) {
        States[i].Last = Definitions[i].PreSettleTicks;
        States[i].OpenInterest = Definitions[i].PreOpenInterest;
        DrawDepth(i, Definitions[i].PreSettleTicks);
    }
}

int32_t CSyntheticMarket::DrawQty(int32_t most) {
    return std::uniform_int_distribution<int32_t>(1, most)(Random);
}

void CSyntheticMarket::DrawDepth(size_t i, int64_t bestBid) {
    const InstrumentSpec& s = Definitions[i];
    // The best bid stays inside the limits with room for one offer above it.
    bestBid = std::clamp(bestBid, s.LowLimitTicks, std::max(s.LowLimitTicks, s.HighLimitTicks - 1));
    BestBid[i] = bestBid;
    InstrumentMarket& m = States[i];
    for (int level = 0; level < DepthLevels; ++level) {
        const int64_t bid = bestBid - level;
        const int64_t ask = bestBid + 1 + level;
        m.Bids[level] = bid >= s.LowLimitTicks ? DepthLevel{bid, DrawQty(60)} : DepthLevel{};
        m.Asks[level] = ask <= s.HighLimitTicks ? DepthLevel{ask, DrawQty(60)} : DepthLevel{};
    }
}

void CSyntheticMarket::MoveTo(size_t i, int64_t bestBid) {
    DrawDepth(i, bestBid);
}

void CSyntheticMarket::Step() {
    for (size_t i = 0; i < States.size(); ++i) {
        const int64_t move = std::uniform_int_distribution<int>(-1, 1)(Random);
        DrawDepth(i, BestBid[i] + move);
        if (std::uniform_int_distribution<int>(0, 9)(Random) < 7) {
            const char side = std::uniform_int_distribution<int>(0, 1)(Random) ? 'B' : 'S';
            const DepthLevel& top = side == 'B' ? States[i].Asks[0] : States[i].Bids[0];
            if (top.Qty == 0) continue;
            const int32_t qty = DrawQty(20);
            RecordTrade(i, top.Ticks, qty, std::uniform_int_distribution<int64_t>(-qty, qty)(Random), side);
        }
    }
}

void CSyntheticMarket::RecordTrade(size_t i, int64_t ticks, int32_t qty, int64_t oiChange, char takerSide) {
    InstrumentMarket& m = States[i];
    m.Last = ticks;
    if (m.Open == 0) m.Open = m.High = m.Low = ticks;
    m.High = std::max(m.High, ticks);
    m.Low = std::min(m.Low, ticks);
    m.LastQty = qty;
    m.LastSide = takerSide;
    m.Volume += qty;
    m.Turnover += TicksToPrice(ticks, Definitions[i].Tick) * qty * Definitions[i].Multiplier;
    m.OpenInterest = std::max<int64_t>(0, m.OpenInterest + oiChange);
    ++m.Trades;
}

}  // namespace simfront
