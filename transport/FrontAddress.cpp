// Front entry splitting.
#include "transport/FrontAddress.h"

#include <cstdint>

namespace {
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
}  // namespace

bool SplitFront(const std::string& front, std::string& host, std::string& port) {
    const size_t colon = front.find(':');
    if (colon == std::string::npos || colon > MaxFrontHostLength) return false;
    size_t i = colon + 1;
    while (i < front.size() && IsBlank(front[i]))
        ++i;
    bool negative = false;
    if (i < front.size() && (front[i] == '+' || front[i] == '-')) negative = front[i++] == '-';
    uint16_t value = 0;  // wraps like the 16-bit variable it lands in
    for (; i < front.size() && front[i] >= '0' && front[i] <= '9'; ++i)
        value = static_cast<uint16_t>(value * 10 + (front[i] - '0'));
    if (negative) value = static_cast<uint16_t>(-value);
    host.assign(front, 0, colon);
    port = std::to_string(value);
    return true;
}
