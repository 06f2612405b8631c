// The quote translation into the public depth record, checked member by member against a table written
// from the record's layout (offset, width, source), independently of the translation's own table.
#include "quot/api/MarketSnapshot.h"

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/RecordChecks.h"

namespace {

// How a snapshot member is made of its quote member.
enum class Made { Same, Text, Date, LowWord, Count };

struct SnapshotCase {
    const char* member;
    size_t offset;
    size_t width;
    const char* source;  // Quot member
    Made made;
};

// clang-format off
const SnapshotCase Members[] = {
    {"TradingDate",          0, 9, "TradeDate",    Made::Date},
    {"InstrumentCode",       9, 31, "InstrumentID", Made::Text},
    {"ExchangeCode",        40, 9, "ExchangeID",   Made::Text},
    {"LastTradePrice",      80, 8, "Price",        Made::Same},
    {"PriorSettle",         88, 8, "PreSettle",    Made::Same},
    {"PriorClose",          96, 8, "PreClose",     Made::Same},
    {"PriorOpenInterest",  104, 8, "PreOI",        Made::Count},
    {"SessionOpen",        112, 8, "OpenPrice",    Made::Same},
    {"SessionHigh",        120, 8, "HighestPrice", Made::Same},
    {"SessionLow",         128, 8, "LowestPrice",  Made::Same},
    {"TotalVolume",        136, 4, "QtyTotal",     Made::LowWord},
    {"TotalTurnover",      144, 8, "Amount",       Made::Same},
    {"CurrentOpenInterest",152, 8, "OI",           Made::Count},
    {"LastPriceCopy",      160, 8, "Price",        Made::Same},
    {"CurrentSettle",      168, 8, "SettlePrice",  Made::Same},
    {"LimitUp",            176, 8, "HighLimit",    Made::Same},
    {"LimitDown",          184, 8, "LowLimit",     Made::Same},
    {"SnapshotTime",       208, 9, "ModifyTime",   Made::Text},
    {"Bid1Price",          224, 8, "BidPrice",     Made::Same},
    {"Bid1Qty",            232, 4, "BidQty",       Made::Same},
    {"Ask1Price",          240, 8, "AskPrice",     Made::Same},
    {"Ask1Qty",            248, 4, "AskQty",       Made::Same},
    {"Bid2Price",          256, 8, "BidPrice2",    Made::Same},
    {"Bid2Qty",            264, 4, "BidQty2",      Made::Same},
    {"Ask2Price",          272, 8, "AskPrice2",    Made::Same},
    {"Ask2Qty",            280, 4, "AskQty2",      Made::Same},
    {"Bid3Price",          288, 8, "BidPrice3",    Made::Same},
    {"Bid3Qty",            296, 4, "BidQty3",      Made::Same},
    {"Ask3Price",          304, 8, "AskPrice3",    Made::Same},
    {"Ask3Qty",            312, 4, "AskQty3",      Made::Same},
    {"Bid4Price",          320, 8, "BidPrice4",    Made::Same},
    {"Bid4Qty",            328, 4, "BidQty4",      Made::Same},
    {"Ask4Price",          336, 8, "AskPrice4",    Made::Same},
    {"Ask4Qty",            344, 4, "AskQty4",      Made::Same},
    {"Bid5Price",          352, 8, "BidPrice5",    Made::Same},
    {"Bid5Qty",            360, 4, "BidQty5",      Made::Same},
    {"Ask5Price",          368, 8, "AskPrice5",    Made::Same},
    {"Ask5Qty",            376, 4, "AskQty5",      Made::Same},
    {"ChangeDate",         392, 9, "ModifyDate",   Made::Date},
};
// clang-format on

const FieldBinding& BindingNamed(const RecordBindings<quot::Quot>& bindings, const std::string& name) {
    for (const FieldBinding& b : bindings.Entries)
        if (name == b.Descriptor->Name) return b;
    ADD_FAILURE() << "no Quot member " << name;
    return bindings.Entries[0];
}

const unsigned char* Raw(const CZantuVextMarketSnapshot& s) {
    return reinterpret_cast<const unsigned char*>(&s);
}

std::string TextAt(const CZantuVextMarketSnapshot& s, size_t offset, size_t width) {
    const char* text = reinterpret_cast<const char*>(Raw(s) + offset);
    EXPECT_EQ(text[width - 1], '\0') << "the last byte of a text member stays zero";
    return std::string(text, strnlen(text, width));
}

template <typename T>
T ValueAt(const CZantuVextMarketSnapshot& s, size_t offset) {
    T value;
    std::memcpy(&value, Raw(s) + offset, sizeof value);
    return value;
}

}  // namespace

TEST(MarketSnapshot, EveryMemberComesFromItsQuoteMemberAndAllOtherBytesAreZero) {
    quot::Quot quote{};
    const RecordBindings<quot::Quot> bindings(quote);
    FillDistinct(bindings);  // every member non-zero, levels 6 to 10, MatchID, Qty and BSFlag too
    std::strcpy(quote.TradeDate, "2024-03-15");
    std::strcpy(quote.ModifyDate, "2024-03-14");

    const CZantuVextMarketSnapshot s = ToMarketSnapshot(quote);
    std::vector<bool> covered(sizeof s, false);
    for (const SnapshotCase& c : Members) {
        SCOPED_TRACE(c.member);
        const FieldBinding& source = BindingNamed(bindings, c.source);
        const char* text = static_cast<const char*>(source.Value);
        switch (c.made) {
            case Made::Same:
                EXPECT_EQ(source.Capacity, c.width);
                EXPECT_EQ(std::memcmp(Raw(s) + c.offset, source.Value, c.width), 0);
                break;
            case Made::Text:
                EXPECT_EQ(TextAt(s, c.offset, c.width), std::string(text, strnlen(text, c.width - 1)));
                break;
            case Made::Date:
                EXPECT_EQ(TextAt(s, c.offset, c.width),
                          std::string(text).substr(0, 4) + text[5] + text[6] + text[8] + text[9]);
                break;
            case Made::LowWord:
                EXPECT_EQ(ValueAt<int32_t>(s, c.offset),
                          static_cast<int32_t>(*static_cast<int64_t*>(source.Value)));
                break;
            case Made::Count:
                EXPECT_EQ(ValueAt<double>(s, c.offset),
                          static_cast<double>(*static_cast<uint64_t*>(source.Value)));
                break;
        }
        for (size_t i = c.offset; i < c.offset + c.width; ++i)
            covered[i] = true;
    }
    // Reserved stretches (49, 192, 217, the double at 384) and padding: zero.
    for (size_t i = 0; i < sizeof s; ++i)
        if (!covered[i]) {
            EXPECT_EQ(Raw(s)[i], 0) << "byte " << i;
        }
}

TEST(MarketSnapshot, DatesBecomeYYYYMMDDAndEightDigitsPassThrough) {
    struct Case {
        const char* server;
        const char* expected;
    };
    const Case cases[] = {
        {"2024-03-15", "20240315"},
        {"20240315", "20240315"},  // not cut to "202431"
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.server);
        quot::Quot quote{};
        std::strcpy(quote.TradeDate, c.server);
        std::strcpy(quote.ModifyDate, c.server);
        const CZantuVextMarketSnapshot s = ToMarketSnapshot(quote);
        EXPECT_STREQ(s.TradingDate, c.expected);
        EXPECT_STREQ(s.ChangeDate, c.expected);
    }
}

TEST(MarketSnapshot, CountsKeepTheLowWordOrBecomeUnsignedDoubles) {
    quot::Quot quote{};
    quote.QtyTotal = (int64_t{1} << 32) + 5;
    quote.OI = -1;
    quote.PreOI = int64_t{1} << 40;
    CZantuVextMarketSnapshot s = ToMarketSnapshot(quote);
    EXPECT_EQ(s.TotalVolume, 5);
    EXPECT_EQ(s.CurrentOpenInterest, std::ldexp(1.0, 64));
    EXPECT_EQ(s.PriorOpenInterest, std::ldexp(1.0, 40));

    quote.QtyTotal = int64_t{1} << 31;
    s = ToMarketSnapshot(quote);
    EXPECT_EQ(s.TotalVolume, INT32_MIN);
}

TEST(MarketSnapshot, TextsAreCutToTheirMembers) {
    quot::Quot quote{};
    std::strcpy(quote.ExchangeID, "ABCDEFGHIJKLMNOP");
    std::strcpy(quote.InstrumentID, "cu2405");
    const CZantuVextMarketSnapshot s = ToMarketSnapshot(quote);
    EXPECT_STREQ(s.ExchangeCode, "ABCDEFGH");
    EXPECT_STREQ(s.InstrumentCode, "cu2405");
}

TEST(MarketSnapshot, ZeroQuoteGivesZeroSnapshot) {
    const CZantuVextMarketSnapshot s = ToMarketSnapshot(quot::Quot{});
    const CZantuVextMarketSnapshot zero{};
    EXPECT_EQ(std::memcmp(&s, &zero, sizeof s), 0);
}
