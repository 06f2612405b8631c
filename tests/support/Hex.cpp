#include "tests/support/Hex.h"

#include <cctype>
#include <cstring>
#include <stdexcept>

Bytes Hex(const std::string& text) {
    Bytes out;
    int high = -1;
    for (char c : text) {
        if (c == ' ' || c == '\n' || c == '|' || c == '\t') continue;
        if (!std::isxdigit(static_cast<unsigned char>(c))) throw std::invalid_argument("not hex: " + text);
        const int nibble = std::isdigit(static_cast<unsigned char>(c))
                               ? c - '0'
                               : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
        if (high < 0) {
            high = nibble;
        } else {
            out.push_back(static_cast<uint8_t>(high << 4 | nibble));
            high = -1;
        }
    }
    if (high >= 0) throw std::invalid_argument("odd number of hex digits: " + text);
    return out;
}

Bytes Cat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

std::string ToHex(const uint8_t* data, size_t size) {
    static const char digits[] = "0123456789abcdef";
    std::string s;
    for (size_t i = 0; i < size; ++i) {
        if (i > 0) s += (i % 16 == 0) ? '\n' : ' ';
        s += digits[data[i] >> 4];
        s += digits[data[i] & 15];
    }
    return s;
}

ExactBuffer::ExactBuffer(const Bytes& bytes)
    : Block(new uint8_t[bytes.size()]), Size(static_cast<uint32_t>(bytes.size())) {
    if (!bytes.empty()) std::memcpy(Block.get(), bytes.data(), bytes.size());
}

::testing::AssertionResult BytesEqual(const uint8_t* actual, size_t actualSize, const Bytes& expected) {
    size_t i = 0;
    while (i < actualSize && i < expected.size() && actual[i] == expected[i])
        ++i;
    if (i == actualSize && i == expected.size()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "first difference at offset " << i << " (sizes " << actualSize
                                         << " and " << expected.size() << ")\nactual:\n"
                                         << ToHex(actual, actualSize) << "\nexpected:\n"
                                         << ToHex(expected.data(), expected.size());
}
