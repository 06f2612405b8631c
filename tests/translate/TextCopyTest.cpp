// Bounded text copies: members are laid in exact-size heap blocks, so that a read or a write one byte
// past a member's width is seen by ASan.
#include "translate/TextCopy.h"

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/Hex.h"

using translate::CopyCallerText;
using translate::CopyText;
using translate::SameText;
using translate::TextLength;

namespace {

// `width` bytes holding `text` and NULs after it (no NUL when the text fills them).
Bytes Padded(const std::string& text, size_t width) {
    Bytes bytes(width, 0);
    std::memcpy(bytes.data(), text.data(), std::min(text.size(), width));
    return bytes;
}

ExactBuffer Member(const std::string& text, size_t width) {
    return ExactBuffer(Padded(text, width));
}

char* Chars(ExactBuffer& member) {
    return reinterpret_cast<char*>(member.data());
}

}  // namespace

TEST(TextCopy, CopiesWithinBothWidthsAndZeroFillsTheTarget) {
    struct Case {
        const char* name;
        std::string source;
        size_t sourceWidth;
        size_t targetWidth;
        std::string expected;
    };
    const Case cases[] = {
        {"fits", "IF2406", 31, 16, "IF2406"},
        {"cut to target width - 1", "ABCDEFGHIJKLMNOPQRST", 31, 16, "ABCDEFGHIJKLMNO"},
        {"unterminated source cut at its width", "1234567890123", 13, 31, "1234567890123"},
        {"unterminated source wider than target", "1234567890123", 13, 9, "12345678"},
        {"empty", "", 9, 9, ""},
        {"target of one byte holds only the NUL", "SHFE", 9, 1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ExactBuffer source = Member(c.source, c.sourceWidth);
        ExactBuffer target = Member(std::string(c.targetWidth, 'x'), c.targetWidth);
        EXPECT_EQ(CopyText(Chars(target), c.targetWidth, Chars(source), c.sourceWidth), c.expected.size());
        EXPECT_BYTES(target.data(), target.size(), Padded(c.expected, c.targetWidth));
    }
}

TEST(TextCopy, NullSourceAndEmptyTargetAreSafe) {
    char target[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(CopyText(target, sizeof target, nullptr, 10), 0u);
    EXPECT_BYTES(reinterpret_cast<uint8_t*>(target), sizeof target, Hex("00 00 00 00"));
    EXPECT_EQ(CopyText(target, 0, "abc", 4), 0u);
    EXPECT_EQ(TextLength(nullptr, 5), 0u);
}

TEST(TextCopy, CallerTextIsReadOnlyUpToTheTargetCapacity) {
    // A caller's 20-character code with no NUL anywhere near: only the first 15 characters are read.
    ExactBuffer code = Member("ABCDEFGHIJKLMNO", 15);
    char instrumentId[16];
    EXPECT_EQ(CopyCallerText(instrumentId, Chars(code)), 15u);
    EXPECT_STREQ(instrumentId, "ABCDEFGHIJKLMNO");
    EXPECT_EQ(CopyCallerText(instrumentId, nullptr), 0u);
    EXPECT_STREQ(instrumentId, "");
}

TEST(TextCopy, ArrayFormsTakeBothWidthsFromTheMembers) {
    const char investorId[16] = "INVESTOR0123456";  // 15 characters, a session member
    char investorCode[13];
    EXPECT_EQ(CopyText(investorCode, investorId), 12u);
    EXPECT_STREQ(investorCode, "INVESTOR0123");
    char currency[4];
    CopyText(currency, "RMB");
    EXPECT_STREQ(currency, "RMB");
}

TEST(TextCopy, SameTextComparesWithinEachWidth) {
    ExactBuffer shfe = Member("SHFE", 4);  // unterminated
    ExactBuffer lower = Member("shfe", 9);
    ExactBuffer longer = Member("SHFEX", 9);
    EXPECT_TRUE(SameText(Chars(shfe), 4, "SHFE", 5));
    EXPECT_FALSE(SameText(Chars(lower), 9, "SHFE", 5));
    EXPECT_FALSE(SameText(Chars(longer), 9, "SHFE", 5));
    EXPECT_TRUE(SameText("", 1, nullptr, 0));
    const char stored[16] = "USER1";
    const char requested[16] = "USER1";
    EXPECT_TRUE(SameText(stored, requested));
}

TEST(TextCopy, FrontEntryIsWhatFollowsTheSixSchemeCharacters) {
    struct Case {
        const char* name;
        std::string address;  // in an exact-size block with its terminator
        const char* entry;    // null: nothing to register
    };
    const Case cases[] = {
        {"tcp scheme", "tcp://127.0.0.1:7001", "127.0.0.1:7001"},
        {"the six characters are not examined", "xyz:::host:1", "host:1"},
        {"one character after the scheme", "tcp://h", "h"},
        {"scheme only", "tcp://", nullptr},
        {"shorter than the scheme", "tcp:", nullptr},
        {"empty", "", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ExactBuffer address = Member(c.address, c.address.size() + 1);
        const char* entry = translate::FrontEntryOf(Chars(address));
        if (c.entry == nullptr) {
            EXPECT_EQ(entry, nullptr);
        } else {
            ASSERT_NE(entry, nullptr);
            EXPECT_STREQ(entry, c.entry);
        }
    }
    EXPECT_EQ(translate::FrontEntryOf(nullptr), nullptr);
}
