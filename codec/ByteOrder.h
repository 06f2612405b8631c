// Big-endian loads and stores: the one place where wire integers are put together or taken apart.
// Callers check the room before every call.
#pragma once

#include <cstdint>
#include <cstring>

namespace be {

inline uint16_t Load16(const uint8_t* p) {
    return static_cast<uint16_t>((p[0] << 8) | p[1]);
}

inline uint32_t Load32(const uint8_t* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | uint32_t{p[3]};
}

inline uint64_t Load64(const uint8_t* p) {
    return (uint64_t{Load32(p)} << 32) | Load32(p + 4);
}

inline void Store16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v >> 8);
    p[1] = static_cast<uint8_t>(v);
}

inline void Store32(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v >> 24);
    p[1] = static_cast<uint8_t>(v >> 16);
    p[2] = static_cast<uint8_t>(v >> 8);
    p[3] = static_cast<uint8_t>(v);
}

inline void Store64(uint8_t* p, uint64_t v) {
    Store32(p, static_cast<uint32_t>(v >> 32));
    Store32(p + 4, static_cast<uint32_t>(v));
}

}  // namespace be
