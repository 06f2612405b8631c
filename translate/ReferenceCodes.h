// Code characters and numbers of positions and reference data, session to public: position sides and
// days, product classes of instruments and products, option kinds, the split of a rate into its ratio
// and amount members, and the delivery period of an instrument. Pure functions, any thread.
#pragma once

#include <cstddef>
#include <cstdint>

namespace translate {

[[nodiscard]] char ToPositionSide(char bsFlag);       // 'B' -> '2' long, anything else -> '3' short
[[nodiscard]] char ToPositionDay(char positionDate);  // '1' -> '1' today, anything else -> '2'
[[nodiscard]] char ToDetailSide(char bsFlag);         // 'B' -> '0', anything else -> '1'
[[nodiscard]] char ToOptionKind(char optionsType);    // 'C' -> '1' call, anything else -> '2' put

// ProductClass of an instrument record: 'F' -> '1', 'O' -> '2', 'B', 'D', 'E' unchanged, 'S' -> '4',
// anything else '\0' (empty).
[[nodiscard]] char InstrumentProductClass(char instrumentType);
// ProductClass of a product record: 'F' -> '1', 'O' -> '2', 'B', 'D', 'E' -> '4', anything else '\0'.
[[nodiscard]] char ProductProductClass(char instrumentType);

// What a product query asks the server for, from the caller's ProductClass: '1' -> 'F', '2' -> 'O';
// '3' to '6' name classes the server does not know (Refused); anything else asks without a type ('\0').
struct ProductQueryType {
    bool Refused;
    char InstrumentType;
};
[[nodiscard]] ProductQueryType ToProductQueryType(char productClass);

// A rate placed in its ratio member or its amount member; the other stays 0.0.
struct RateSplit {
    double Ratio;
    double Amount;
};
// Margin rates of positions: 'R' -> ratio, 'A' -> amount, any other type -> neither.
[[nodiscard]] RateSplit SplitByMarginRateType(char marginRateType, double rate);
// Fee and margin rates of the rate queries: 'R' -> ratio, any other type -> amount.
[[nodiscard]] RateSplit SplitRatioElseAmount(char rateType, double rate);

// Year and month of a YYYYMMDD date held in a member of `width` bytes: with n its leading decimal value
// (0 when empty), n / 10000 and (n / 100) mod 100.
struct DeliveryPeriod {
    int32_t Year;
    int32_t Month;
};
[[nodiscard]] DeliveryPeriod ToDeliveryPeriod(const char* date, size_t width);

template <size_t Width>
[[nodiscard]] DeliveryPeriod ToDeliveryPeriod(const char (&date)[Width]) {
    return ToDeliveryPeriod(date, Width);
}

}  // namespace translate
