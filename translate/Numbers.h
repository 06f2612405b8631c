// Numeric conversions between session and public records: the 64-bit SessionID and its two halves,
// decimal texts, and the narrowing of 64-bit counts. Pure functions, any thread.
#pragma once

#include <cstddef>
#include <cstdint>

namespace translate {

// SessionID of a request: frontNumber x 2^32 + sessionNumber, both signed and the session number
// sign-extended (front 1, session -1 -> 0x00000000FFFFFFFF); wraps modulo 2^64.
[[nodiscard]] int64_t ToSessionId(int32_t frontNumber, int32_t sessionNumber);

// The high and the low 32 bits of a SessionID of a reply, as signed numbers.
[[nodiscard]] int32_t FrontNumberOf(int64_t sessionId);
[[nodiscard]] int32_t SessionNumberOf(int64_t sessionId);

// The decimal integer at the start of a member's text (read within its width): optional leading
// white space and sign, then digits; 0 without digits; held at the int32 limits when it overflows.
[[nodiscard]] int32_t LeadingDecimal(const char* text, size_t width);

template <size_t Width>
[[nodiscard]] int32_t LeadingDecimal(const char (&text)[Width]) {
    return LeadingDecimal(text, Width);
}

// The low 32 bits of a 64-bit count, as a signed number (2^32 + 5 -> 5, 2^31 -> -2^31).
[[nodiscard]] int32_t LowWord(int64_t count);

// A 64-bit count read as unsigned and converted to the nearest double (-1 -> 2^64).
[[nodiscard]] double CountToDouble(int64_t count);

}  // namespace translate
