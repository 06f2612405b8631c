// Public reply status built from the session's status (RspNo, RspDesc), and the status of locally
// refused requests. Pure functions, any thread.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ZantuVextSharedRecords.h"

namespace translate {

// ErrorCode of requests that the library refuses itself.
inline constexpr int NotSupportedCode = 99;

// A zero-filled status whose ErrorCode is rspNo read as an unsigned 16-bit number (0 to 65535) and
// whose ErrorText holds the first 80 characters of the description (read within its width).
[[nodiscard]] CZantuVextRspInfo MakeRspInfo(int16_t rspNo, const char* rspDesc, size_t rspDescWidth);

template <size_t RspDescWidth>
[[nodiscard]] CZantuVextRspInfo MakeRspInfo(int16_t rspNo, const char (&rspDesc)[RspDescWidth]) {
    return MakeRspInfo(rspNo, rspDesc, RspDescWidth);
}

// {99, "Not supported"}.
[[nodiscard]] CZantuVextRspInfo NotSupportedRspInfo();

}  // namespace translate
