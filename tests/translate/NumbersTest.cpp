// SessionID halves, decimal texts and 64-bit count narrowing.
#include "translate/Numbers.h"

#include <climits>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/Hex.h"

using namespace translate;

TEST(Numbers, SessionIdJoinsFrontAndSignExtendedSession) {
    EXPECT_EQ(ToSessionId(1, -1), int64_t{0x00000000FFFFFFFF});
    EXPECT_EQ(ToSessionId(5, 7), (int64_t{5} << 32) + 7);
    EXPECT_EQ(ToSessionId(0, 0), 0);
    EXPECT_EQ(ToSessionId(-1, 0), static_cast<int64_t>(0xFFFFFFFF00000000ULL));
    // Wraps instead of overflowing.
    EXPECT_EQ(ToSessionId(INT_MIN, -1), INT64_MAX);
}

TEST(Numbers, SessionIdSplitsIntoItsHalves) {
    const int64_t id = (int64_t{5} << 32) + 7;
    EXPECT_EQ(FrontNumberOf(id), 5);
    EXPECT_EQ(SessionNumberOf(id), 7);
    EXPECT_EQ(FrontNumberOf(-1), -1);
    EXPECT_EQ(SessionNumberOf(-1), -1);
    EXPECT_EQ(FrontNumberOf(INT64_MIN), INT_MIN);
    EXPECT_EQ(SessionNumberOf(int64_t{0x00000000FFFFFFFF}), -1);
}

TEST(Numbers, LeadingDecimalOfAMemberText) {
    struct Case {
        const char* text;
        int32_t value;
    };
    const Case cases[] = {
        {"000123", 123},
        {"123abc", 123},
        {"  -42", -42},
        {"\t+7", 7},
        {"abc", 0},
        {"", 0},
        {"-", 0},
        {"20240916", 20240916},
        {"2147483647", INT32_MAX},
        {"2147483648", INT32_MAX},
        {"99999999999999999999", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"-99999999999999999999", INT32_MIN},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        char orderId[31] = {};
        std::strncpy(orderId, c.text, sizeof orderId - 1);
        EXPECT_EQ(LeadingDecimal(orderId), c.value);
    }
}

TEST(Numbers, LeadingDecimalReadsOnlyWithinTheWidth) {
    ExactBuffer digits(Bytes(6, '7'));  // "777777" without a NUL
    EXPECT_EQ(LeadingDecimal(reinterpret_cast<const char*>(digits.data()), digits.size()), 777777);
}

TEST(Numbers, CountsAreNarrowedOrConvertedAsUnsigned) {
    EXPECT_EQ(LowWord((int64_t{1} << 32) + 5), 5);
    EXPECT_EQ(LowWord(int64_t{1} << 31), INT32_MIN);
    EXPECT_EQ(LowWord(-1), -1);
    EXPECT_EQ(CountToDouble(-1), 18446744073709551616.0);
    EXPECT_EQ(CountToDouble(123456789), 123456789.0);
}
