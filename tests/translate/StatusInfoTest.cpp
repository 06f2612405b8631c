// Reply status from the session's RspNo and RspDesc, and the status of locally refused requests.
#include "translate/StatusInfo.h"

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/Hex.h"

using translate::MakeRspInfo;

namespace {

// The 88 bytes a status must hold: ErrorCode in host order, the text, zeros everywhere else.
Bytes StatusBytes(int errorCode, const std::string& text) {
    Bytes bytes(sizeof(CZantuVextRspInfo), 0);
    std::memcpy(bytes.data(), &errorCode, sizeof errorCode);
    std::memcpy(bytes.data() + 4, text.data(), text.size());
    return bytes;
}

}  // namespace

TEST(StatusInfo, RspNoIsReadAsUnsigned16Bit) {
    struct Case {
        int16_t rspNo;
        int errorCode;
    };
    const Case cases[] = {{0, 0}, {1, 1}, {32767, 32767}, {-1, 65535}, {-32768, 32768}, {-2, 65534}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rspNo);
        const char desc[257] = "text";
        EXPECT_EQ(MakeRspInfo(c.rspNo, desc).ErrorCode, c.errorCode);
    }
}

TEST(StatusInfo, DescriptionIsCutTo80CharactersAndTheRestIsZero) {
    char desc[257] = {};
    std::memset(desc, 'D', 100);
    // Garbage in the caller-side record never leaks: the result is built zero-filled.
    const CZantuVextRspInfo info = MakeRspInfo(-1, desc);
    EXPECT_BYTES(reinterpret_cast<const uint8_t*>(&info), sizeof info,
                 StatusBytes(65535, std::string(80, 'D')));
}

TEST(StatusInfo, UnterminatedDescriptionIsReadOnlyWithinItsWidth) {
    ExactBuffer desc(Bytes(20, 'x'));  // 20-byte member without a NUL
    const CZantuVextRspInfo info = MakeRspInfo(7, reinterpret_cast<const char*>(desc.data()), desc.size());
    EXPECT_BYTES(reinterpret_cast<const uint8_t*>(&info), sizeof info, StatusBytes(7, std::string(20, 'x')));
}

TEST(StatusInfo, NotSupportedIs99WithItsText) {
    const CZantuVextRspInfo info = translate::NotSupportedRspInfo();
    EXPECT_BYTES(reinterpret_cast<const uint8_t*>(&info), sizeof info, StatusBytes(99, "Not supported"));
}
