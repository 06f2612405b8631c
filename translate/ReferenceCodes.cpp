#include "translate/ReferenceCodes.h"

#include "translate/Numbers.h"

namespace translate {

char ToPositionSide(char bsFlag) {
    return bsFlag == 'B' ? '2' : '3';
}

char ToPositionDay(char positionDate) {
    return positionDate == '1' ? '1' : '2';
}

char ToDetailSide(char bsFlag) {
    return bsFlag == 'B' ? '0' : '1';
}

char ToOptionKind(char optionsType) {
    return optionsType == 'C' ? '1' : '2';
}

namespace {

// ProductClass by the server's InstrumentType, in instrument and in product records; types not listed
// give '\0' in both.
struct ProductClassRow {
    char InstrumentType;
    char InInstrument;
    char InProduct;
};
constexpr ProductClassRow ProductClasses[] = {
    {'F', '1', '1'}, {'O', '2', '2'}, {'B', 'B', '4'}, {'D', 'D', '4'}, {'E', 'E', '4'}, {'S', '4', '\0'},
};

const ProductClassRow* FindProductClass(char instrumentType) {
    for (const ProductClassRow& row : ProductClasses)
        if (row.InstrumentType == instrumentType) return &row;
    return nullptr;
}

}  // namespace

char InstrumentProductClass(char instrumentType) {
    const ProductClassRow* row = FindProductClass(instrumentType);
    return row != nullptr ? row->InInstrument : '\0';
}

char ProductProductClass(char instrumentType) {
    const ProductClassRow* row = FindProductClass(instrumentType);
    return row != nullptr ? row->InProduct : '\0';
}

ProductQueryType ToProductQueryType(char productClass) {
    switch (productClass) {
        case '1':
            return {false, 'F'};
        case '2':
            return {false, 'O'};
        case '3':
        case '4':
        case '5':
        case '6':
            return {true, '\0'};
        default:
            return {false, '\0'};
    }
}

RateSplit SplitByMarginRateType(char marginRateType, double rate) {
    if (marginRateType == 'R') return {rate, 0.0};
    if (marginRateType == 'A') return {0.0, rate};
    return {0.0, 0.0};
}

RateSplit SplitRatioElseAmount(char rateType, double rate) {
    return rateType == 'R' ? RateSplit{rate, 0.0} : RateSplit{0.0, rate};
}

DeliveryPeriod ToDeliveryPeriod(const char* date, size_t width) {
    const int32_t n = LeadingDecimal(date, width);
    return {n / 10000, (n / 100) % 100};
}

}  // namespace translate
