// The trading dictionary: row count, order, and the rows the protocol leans on.
#include "codec/Dictionary.h"

#include <cstring>

#include <gtest/gtest.h>

#include "codec/Fields.h"
#include "tests/codec/DictionaryChecks.h"

TEST(TradeDictionary, RowsStandInTableOrder) {
    const RowCase cases[] = {
        {0, 1000, "Head", 'C', 0, KindRecord},
        {1, 1001, "Body", 'C', 0, KindRecord},
        {8, 1010, "ApiBody", 'C', 0, KindRecord},
        {23, 1027, "RspDesc", 'C', 256, 0},
        {27, 1035, "InvestorPassword", 'C', 20, 0},
        {167, 1398, "NoticeList", 'C', 0, KindList},
        {259, 1638, "SysMode", 'C', 0, 0},
        {260, 1639, "QtyFrozen", 'I', 0, 0},
        {370, 1631, "PreQty", 'I', 0, 0},
        {371, 1633, "TodayQty", 'I', 0, 0},
        {372, 1635, "TodayQtyFrozen", 'I', 0, 0},
        {373, 1637, "ExchangeID", 'C', 16, 0},
        {374, 1638, "SessionID", 'L', 0, 0},
        {399, 1800, "AccountList", 'C', 0, KindList},
        {402, 1803, "Exchange", 'C', 0, KindRecord},
        {403, 1804, "PreClosedPL", 'D', 0, 0},
        {462, 1923, "FrozenCash", 'D', 0, 0},
    };
    CheckRows(TradeDictionary, TradeDictionaryRows, cases);
}

TEST(TradeDictionary, DescriptionsAreGbk) {
    EXPECT_STREQ(fld::Head.Description, "\xb1\xa8\xce\xc4\xcd\xb7");
    EXPECT_STREQ(fld::QtyFrozen.Description, "\xb6\xb3\xbd\xe1\xc1\xbf");
    EXPECT_STREQ(fld::KLineType.Description, "K\xcf\xdf\xc0\xe0\xd0\xcd");
}

TEST(TradeDictionary, TableRulesHold) {
    CheckTableRules(TradeDictionary, TradeDictionaryRows);
}

#include <type_traits>

#include "codec/FieldTypes.h"

// Record members take their width from the row: text n -> char[n+1], single character -> char.
static_assert(std::is_same_v<fieldtype::InvestorID, char[16]>);
static_assert(std::is_same_v<fieldtype::BSFlag, char>);
static_assert(std::is_same_v<fieldtype::RspNo, int16_t>);
static_assert(std::is_same_v<fieldtype::Qty, int32_t>);
static_assert(std::is_same_v<fieldtype::SessionID, int64_t>);
static_assert(std::is_same_v<fieldtype::Price, double>);
static_assert(std::is_same_v<fieldtype::RspDesc, char[257]>);
static_assert(std::is_void_v<fieldtype::InputOrder>);
