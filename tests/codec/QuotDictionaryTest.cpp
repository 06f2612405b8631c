// The market-data dictionary: the trading rows with its own position rows, three closing rows and
// nothing after Exchange.
#include "codec/Dictionary.h"

#include <gtest/gtest.h>

#include "codec/Fields.h"
#include "tests/codec/DictionaryChecks.h"

TEST(QuotDictionary, RowsStandInTableOrder) {
    const RowCase cases[] = {
        {0, 1000, "Head", 'C', 0, KindRecord},        {260, 1639, "QtyFrozen", 'I', 0, 0},
        {369, 1630, "PlateName", 'C', 30, 0},         {370, 1631, "PreBuyQty", 'I', 0, 0},
        {375, 1636, "TodaySellQtyFrozen", 'I', 0, 0}, {376, 1637, "ExchangeID", 'C', 16, 0},
        {385, 1646, "CreateTradeDate", 'C', 10, 0},   {386, 1647, "ClosedTradeDate", 'C', 10, 0},
        {388, 1649, "ClosedMatchID", 'C', 30, 0},     {389, 1686, "AccountID", 'C', 30, 0},
        {408, 1803, "Exchange", 'C', 0, KindRecord},
    };
    CheckRows(QuotDictionary, QuotDictionaryRows, cases);
}

TEST(QuotDictionary, DescriptionsAreGbk) {
    EXPECT_STREQ(fld::QtyFrozen.Description, "\xb6\xb3\xbd\xe1\xb3\xd6\xb2\xd6\xc1\xbf");
}

TEST(QuotDictionary, TableRulesHold) {
    CheckTableRules(QuotDictionary, QuotDictionaryRows);
}
