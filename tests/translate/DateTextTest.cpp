// Server dates to YYYYMMDD and the local clock texts. Source members are exact-size heap blocks, so
// that reading past a member's width is seen by ASan.
#include "translate/DateText.h"

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/Hex.h"

using translate::FormatDate;
using translate::FormatTime;
using translate::ToPublicDate;

TEST(DateText, ServerDatesBecomeYYYYMMDD) {
    struct Case {
        const char* name;
        std::string source;  // placed in a member of exactly sourceWidth bytes
        size_t sourceWidth;
        const char* expected;
    };
    const Case cases[] = {
        {"dashed date", "2024-03-15", 11, "20240315"},
        {"dashed date filling an unterminated member", "2024-03-15", 10, "20240315"},
        {"eight digits pass through", "20240315", 11, "20240315"},
        {"eight digits filling an unterminated member", "20240315", 8, "20240315"},
        {"empty", "", 11, ""},
        {"other separators keep the positions", "2024/09/16", 11, "20240916"},
        {"short month and day keep the positions", "2024-3-15", 11, "20243-5"},
        {"seven digits keep the positions", "2024031", 11, "202431"},
        {"nine digits keep the positions", "202403150", 11, "2024310"},
        {"eight characters that are not all digits", "2024-315", 11, "202431"},
        {"text beyond ten characters is not read", "2024-03-15T09:30", 17, "20240315"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes bytes(c.sourceWidth, 0);
        std::memcpy(bytes.data(), c.source.data(), std::min(c.source.size(), c.sourceWidth));
        ExactBuffer source(bytes);
        char target[9];
        std::memset(target, 'x', sizeof target);
        const size_t written =
            ToPublicDate(target, sizeof target, reinterpret_cast<const char*>(source.data()), source.size());
        EXPECT_EQ(written, std::strlen(c.expected));
        EXPECT_STREQ(target, c.expected);
        for (size_t i = written; i < sizeof target; ++i)
            EXPECT_EQ(target[i], '\0') << "byte " << i;
    }
}

TEST(DateText, NarrowTargetIsNotOverrun) {
    const char tradeDate[11] = "2024-03-15";
    ExactBuffer target(Bytes(5, 0xEE));
    EXPECT_EQ(
        ToPublicDate(reinterpret_cast<char*>(target.data()), target.size(), tradeDate, sizeof tradeDate), 4u);
    EXPECT_BYTES(target.data(), target.size(), Hex("32 30 32 34 00"));
}

TEST(DateText, ClockTextsAreZeroPaddedAndCutToTheMember) {
    std::tm when{};
    when.tm_year = 2024 - 1900;
    when.tm_mon = 2;  // March
    when.tm_mday = 5;
    when.tm_hour = 9;
    when.tm_min = 5;
    when.tm_sec = 7;
    char date[9];
    char time[9];
    FormatDate(date, when);
    FormatTime(time, when);
    EXPECT_STREQ(date, "20240305");
    EXPECT_STREQ(time, "09:05:07");

    when.tm_year = 12345 - 1900;  // a five-digit year cannot overrun the member
    when.tm_hour = 123;
    FormatDate(date, when);
    FormatTime(time, when);
    EXPECT_STREQ(date, "12345030");
    EXPECT_STREQ(time, "123:05:0");
}

TEST(DateText, LocalWallClockGivesAPlausibleDateAndTime) {
    const std::tm now = translate::LocalWallClock();
    char date[9];
    char time[9];
    FormatDate(date, now);
    FormatTime(time, now);
    ASSERT_EQ(std::strlen(date), 8u);
    EXPECT_GE(std::string(date), "20240101");
    ASSERT_EQ(std::strlen(time), 8u);
    EXPECT_EQ(time[2], ':');
    EXPECT_EQ(time[5], ':');
    EXPECT_LE(std::string(time), "23:59:60");
}
