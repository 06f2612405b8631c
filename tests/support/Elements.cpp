#include "tests/support/Elements.h"

namespace {
constexpr uint16_t ApiHeadTag = 1009;
constexpr uint16_t ServiceNoTag = 1008;
constexpr uint16_t RequestIDTag = 1003;
constexpr uint16_t EndFlagTag = 1004;
constexpr uint16_t ApiBodyTag = 1010;
}  // namespace

Bytes BigEndian(uint64_t value, int bytes) {
    Bytes out(static_cast<size_t>(bytes));
    for (int i = bytes - 1; i >= 0; --i) {
        out[static_cast<size_t>(i)] = static_cast<uint8_t>(value);
        value >>= 8;
    }
    return out;
}

Bytes Text(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

Bytes Element(uint16_t tag, const Bytes& value) {
    return Cat({BigEndian(tag, 2), BigEndian(0, 2), BigEndian(value.size(), 4), value});
}

Bytes ListRecord(const Bytes& elements) {
    return Cat({BigEndian(elements.size(), 4), elements});
}

Bytes Payload(uint16_t serviceNo, int32_t requestId, int32_t endFlag, const Bytes& body) {
    const Bytes head = Cat({Element(ServiceNoTag, BigEndian(serviceNo, 2)),
                            Element(RequestIDTag, BigEndian(static_cast<uint32_t>(requestId), 4)),
                            Element(EndFlagTag, BigEndian(static_cast<uint32_t>(endFlag), 4))});
    return Cat({Element(ApiHeadTag, head), Element(ApiBodyTag, body)});
}
