// Prices on an instrument's tick grid. Inside the front every price is a whole number of ticks;
// doubles appear only on the wire and in configuration files.
#pragma once

#include <cmath>
#include <cstdint>

namespace simfront {

// The price of a number of ticks, rounded to 1e-9 so that 28000 ticks of 0.02 read as 560.
inline double TicksToPrice(int64_t ticks, double tick) {
    return std::round(static_cast<double>(ticks) * tick * 1e9) / 1e9;
}

// The number of ticks of a price that lies on the grid; false for a price between two ticks, a price
// that is not finite, or one too large to count in ticks.
[[nodiscard]] inline bool PriceToTicks(double price, double tick, int64_t& ticks) {
    if (!std::isfinite(price) || !(tick > 0)) return false;
    const double n = price / tick;
    if (!(std::fabs(n) < 1e15)) return false;
    const double whole = std::round(n);
    if (std::fabs(n - whole) > 1e-6) return false;
    ticks = static_cast<int64_t>(whole);
    return true;
}

}  // namespace simfront
