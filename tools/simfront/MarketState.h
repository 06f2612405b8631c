// The market both protocols see: the reference data, the synthetic market, the resting orders of every
// instrument, and the quotes built from them (synthetic depth and resting orders added up). Core
// thread only.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "tools/simfront/FrontSetup.h"
#include "tools/simfront/OrderBook.h"
#include "tools/simfront/PriceGrid.h"
#include "tools/simfront/RecordText.h"
#include "tools/simfront/SyntheticMarket.h"

namespace simfront {

class CMarketState {
  public:
    CMarketState(const FrontSetup& setup, uint64_t seed);

    const FrontSetup& Setup;
    CSyntheticMarket Synthetic;
    std::vector<COrderBook> Books;  // one per instrument, in the order of Setup.Instruments

    // The index of an instrument, or nothing.
    [[nodiscard]] std::optional<size_t> Find(const std::string& instrumentId) const;
    const InstrumentSpec& Definition(size_t i) const { return Setup.Instruments[i]; }
    double Price(size_t i, int64_t ticks) const { return TicksToPrice(ticks, Definition(i).Tick); }
    double LastPrice(size_t i) const { return Price(i, Synthetic.At(i).Last); }

    // Fills a quote record (trading or market-data table: both have the same members) of instrument i.
    template <typename Q>
    void FillQuot(Q& q, size_t i, const std::string& tradeDate, const std::string& date,
                  const std::string& time) const;

  private:
    std::unordered_map<std::string, size_t> ByID;
};

template <typename Q>
void CMarketState::FillQuot(Q& q, size_t i, const std::string& tradeDate, const std::string& date,
                            const std::string& time) const {
    const InstrumentSpec& s = Definition(i);
    const InstrumentMarket& m = Synthetic.At(i);
    const Depth bids = MergeDepth(m.Bids, Books[i].Aggregate('B'), 'B');
    const Depth asks = MergeDepth(m.Asks, Books[i].Aggregate('S'), 'S');
    const auto price = [&](int64_t ticks) { return ticks == 0 ? 0.0 : Price(i, ticks); };
    q = Q{};
    SetText(q.MatchID, std::to_string(m.Trades));
    SetText(q.TradeDate, tradeDate);
    SetText(q.InstrumentID, s.ID);
    q.Price = Price(i, m.Last);
    q.Qty = m.LastQty;
    q.OpenPrice = price(m.Open);
    q.HighestPrice = price(m.High);
    q.LowestPrice = price(m.Low);
    q.HighLimit = Price(i, s.HighLimitTicks);
    q.LowLimit = Price(i, s.LowLimitTicks);
    q.OI = m.OpenInterest;
    q.PreClose = s.PreClose;
    q.PreSettle = s.PreSettle;
    q.PreOI = s.PreOpenInterest;
    q.QtyTotal = m.Volume;
    q.Amount = m.Turnover;
    SetText(q.ModifyDate, date);
    SetText(q.ModifyTime, time);
    q.BSFlag = m.LastSide;
    SetText(q.ExchangeID, s.Exchange);
    // Level 1 has unnumbered members, levels 2 to 10 numbered ones.
    q.BidPrice = price(bids[0].Ticks);
    q.BidQty = bids[0].Qty;
    q.AskPrice = price(asks[0].Ticks);
    q.AskQty = asks[0].Qty;
#define SIM_LEVEL(n)                          \
    q.BidPrice##n = price(bids[n - 1].Ticks); \
    q.BidQty##n = bids[n - 1].Qty;            \
    q.AskPrice##n = price(asks[n - 1].Ticks); \
    q.AskQty##n = asks[n - 1].Qty;
    SIM_LEVEL(2)
    SIM_LEVEL(3)
    SIM_LEVEL(4)
    SIM_LEVEL(5)
    SIM_LEVEL(6)
    SIM_LEVEL(7)
    SIM_LEVEL(8)
    SIM_LEVEL(9)
    SIM_LEVEL(10)
#undef SIM_LEVEL
}

}  // namespace simfront
