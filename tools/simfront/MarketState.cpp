// Instrument lookup of the shared market.
#include "tools/simfront/MarketState.h"

namespace simfront {

CMarketState::CMarketState(const FrontSetup& setup, uint64_t seed)
    : Setup(setup), Synthetic(setup.Instruments, seed), Books(setup.Instruments.size()) {
    for (size_t i = 0; i < setup.Instruments.size(); ++i)
        ByID.emplace(setup.Instruments[i].ID, i);
}

std::optional<size_t> CMarketState::Find(const std::string& instrumentId) const {
    const auto it = ByID.find(instrumentId);
    if (it == ByID.end()) return std::nullopt;
    return it->second;
}

}  // namespace simfront
