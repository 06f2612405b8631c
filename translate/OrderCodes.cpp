#include "translate/OrderCodes.h"

#include "translate/TextCopy.h"

namespace translate {

char ToPriceType(char priceKind) {
    return priceKind == '1' ? 'M' : 'L';
}

char ToBSFlag(char side) {
    return side == '0' ? 'B' : 'S';
}

char ToOCFlag(char openClose, const char* exchangeCode, size_t exchangeCodeWidth) {
    if (openClose == '0') return 'O';
    if (openClose != '3') return 'C';
    // Only these exchanges tell closing today's position apart from closing older ones.
    const bool closesToday = SameText(exchangeCode, exchangeCodeWidth, "SHFE", 5) ||
                             SameText(exchangeCode, exchangeCodeWidth, "INE", 4);
    return closesToday ? 'T' : 'C';
}

char ToPriceKind(char priceType) {
    return priceType == 'M' ? '1' : '2';
}

char ToSide(char bsFlag) {
    return bsFlag == 'B' ? '0' : '1';
}

char ToOpenClose(char ocFlag) {
    if (ocFlag == 'T') return '3';
    return ocFlag == 'C' ? '1' : '0';
}

char ToOrderState(char orderStatus, int32_t qty, int32_t qtyLeft) {
    switch (orderStatus) {
        case 'C':
            return '5';
        case 'F':
            return '0';
        case 'I':
            return qty == qtyLeft ? '3' : '1';
        default:
            return 'a';
    }
}

const char* OrderStateText(char orderState) {
    switch (orderState) {
#define KDX_TEXT(name, value)
#define KDX_STATE_TEXT(state, value) \
    case state:                      \
        return value;
#include "translate/ConstantTexts.def"
#undef KDX_STATE_TEXT
#undef KDX_TEXT
        default:
            return "";
    }
}

}  // namespace translate
