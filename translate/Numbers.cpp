#include "translate/Numbers.h"

#include <limits>

#include "translate/TextCopy.h"

namespace translate {

int64_t ToSessionId(int32_t frontNumber, int32_t sessionNumber) {
    const uint64_t high = static_cast<uint64_t>(static_cast<int64_t>(frontNumber)) << 32;
    return static_cast<int64_t>(high + static_cast<uint64_t>(static_cast<int64_t>(sessionNumber)));
}

int32_t FrontNumberOf(int64_t sessionId) {
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(sessionId) >> 32));
}

int32_t SessionNumberOf(int64_t sessionId) {
    return LowWord(sessionId);
}

int32_t LeadingDecimal(const char* text, size_t width) {
    const size_t length = TextLength(text, width);
    size_t i = 0;
    while (i < length && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < length && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    // Accumulate the magnitude in 64 bits and stop once it is past what an int32 can hold.
    constexpr int64_t Limit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    int64_t magnitude = 0;
    for (; i < length && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > Limit) magnitude = Limit;
    }
    if (negative) return static_cast<int32_t>(-magnitude);
    return magnitude >= Limit ? std::numeric_limits<int32_t>::max() : static_cast<int32_t>(magnitude);
}

int32_t LowWord(int64_t count) {
    return static_cast<int32_t>(static_cast<uint32_t>(count));
}

double CountToDouble(int64_t count) {
    return static_cast<double>(static_cast<uint64_t>(count));
}

}  // namespace translate
