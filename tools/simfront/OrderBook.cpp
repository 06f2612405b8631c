// Price-time book and matching.
#include "tools/simfront/OrderBook.h"

#include <algorithm>

namespace simfront {
namespace {

int64_t Priority(char side, int64_t ticks) {
    return side == 'B' ? -ticks : ticks;
}

// True when a price p of the side is better than q.
bool Better(char side, int64_t p, int64_t q) {
    return side == 'B' ? p > q : p < q;
}

// The first synthetic level with quantity left, or null.
DepthLevel* FirstLevel(Depth& depth) {
    for (DepthLevel& level : depth) {
        if (level.Qty > 0) return &level;
    }
    return nullptr;
}

}  // namespace

void COrderBook::Add(char side, uint64_t key, int64_t ticks, int32_t qty) {
    const int64_t priority = Priority(side, ticks);
    SideOf(side)[priority].push_back({key, ticks, qty});
    Where[key] = {side, priority};
}

bool COrderBook::Remove(uint64_t key) {
    const auto where = Where.find(key);
    if (where == Where.end()) return false;
    Side& side = SideOf(where->second.first);
    const auto level = side.find(where->second.second);
    auto& queue = level->second;
    queue.erase(
        std::find_if(queue.begin(), queue.end(), [&](const RestingOrder& o) { return o.Key == key; }));
    if (queue.empty()) side.erase(level);
    Where.erase(where);
    return true;
}

const RestingOrder* COrderBook::Best(char side) const {
    const Side& s = SideOf(side);
    return s.empty() ? nullptr : &s.begin()->second.front();
}

void COrderBook::TakeFromBest(char side, int32_t qty) {
    Side& s = SideOf(side);
    auto& queue = s.begin()->second;
    RestingOrder& order = queue.front();
    order.Qty -= qty;
    if (order.Qty > 0) return;
    Where.erase(order.Key);
    queue.pop_front();
    if (queue.empty()) s.erase(s.begin());
}

Depth COrderBook::Aggregate(char side) const {
    Depth depth{};
    int n = 0;
    for (const auto& [priority, queue] : SideOf(side)) {
        if (n == DepthLevels) break;
        depth[n].Ticks = queue.front().Ticks;
        for (const RestingOrder& o : queue)
            depth[n].Qty += o.Qty;
        ++n;
    }
    return depth;
}

std::vector<Fill> MatchIncoming(COrderBook& book, Depth& synthetic, char side, int64_t limit, int32_t qty) {
    std::vector<Fill> fills;
    const char other = OppositeSide(side);
    const auto crosses = [&](int64_t ticks) { return !Better(other, limit, ticks); };
    while (qty > 0) {
        const RestingOrder* resting = book.Best(other);
        DepthLevel* level = FirstLevel(synthetic);
        const bool restingCrosses = resting != nullptr && crosses(resting->Ticks);
        const bool levelCrosses = level != nullptr && crosses(level->Ticks);
        if (!restingCrosses && !levelCrosses) break;
        // At one price the resting order goes first: it was there before the synthetic level.
        if (restingCrosses && (!levelCrosses || !Better(other, level->Ticks, resting->Ticks))) {
            const int32_t n = std::min(qty, resting->Qty);
            fills.push_back({resting->Key, resting->Ticks, n});
            book.TakeFromBest(other, n);
            qty -= n;
        } else {
            const int32_t n = std::min(qty, level->Qty);
            fills.push_back({0, level->Ticks, n});
            level->Qty -= n;
            qty -= n;
        }
    }
    return fills;
}

std::vector<Fill> CrossResting(COrderBook& book, Depth& syntheticBids, Depth& syntheticAsks) {
    std::vector<Fill> fills;
    for (const char side : {'B', 'S'}) {
        Depth& opposite = side == 'B' ? syntheticAsks : syntheticBids;
        for (;;) {
            const RestingOrder* resting = book.Best(side);
            DepthLevel* level = FirstLevel(opposite);
            if (resting == nullptr || level == nullptr) break;
            if (!Better(side, level->Ticks, resting->Ticks)) {
                const int32_t n = std::min(resting->Qty, level->Qty);
                fills.push_back({resting->Key, resting->Ticks, n});
                level->Qty -= n;
                book.TakeFromBest(side, n);
            } else {
                break;
            }
        }
    }
    return fills;
}

Depth MergeDepth(const Depth& synthetic, const Depth& resting, char side) {
    std::map<int64_t, int64_t> byPriority;  // priority -> quantity
    for (const Depth* d : {&synthetic, &resting}) {
        for (const DepthLevel& level : *d) {
            if (level.Qty > 0) byPriority[Priority(side, level.Ticks)] += level.Qty;
        }
    }
    Depth depth{};
    int n = 0;
    for (const auto& [priority, qty] : byPriority) {
        if (n == DepthLevels) break;
        depth[n].Ticks = side == 'B' ? -priority : priority;
        depth[n].Qty = static_cast<int32_t>(std::min<int64_t>(qty, INT32_MAX));
        ++n;
    }
    return depth;
}

}  // namespace simfront
