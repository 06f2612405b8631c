// The trading record table against its catalogue: rows, tags, members and widths, round trips of fully
// populated records, and the members that share a tag.
#include "trade/session/TradeRecords.h"

#include <iterator>
#include <type_traits>

#include <gtest/gtest.h>

#include "codec/Dictionary.h"
#include "tests/support/RecordChecks.h"
#include "tests/trade/session/TradeRecordCases.h"

namespace {
const auto TradeTable = [](auto visit) { trade::ForEachRecordType(visit); };
}  // namespace

TEST(TradeRecords, EveryRecordHasItsRowTagAndMembers) {
    ForEachRecordCase(TradeRecordCases, TradeTable,
                      []<typename R>(std::type_identity<R>, const RecordCase& c) { CheckRecordShape<R>(c); });
    EXPECT_EQ(std::size(TradeRecordCases), 60u);
}

TEST(TradeRecords, FullyPopulatedRecordsRoundTripAmongUnknownElements) {
    ForEachRecordCase(
        TradeRecordCases, TradeTable,
        []<typename R>(std::type_identity<R>, const RecordCase& c) { CheckRecordRoundTrip<R>(c); });
}

// --- members sharing a tag, told apart by binding order

TEST(TradeRecords, LoginRspSysModeAndSessionIdShareTag1638) {
    const Bytes body =
        Hex("04 0A 00 00 00 00 00 04 49 4E 56 31"              // InvestorID "INV1"
            "04 39 00 00 00 00 00 08 32 30 32 34 30 31 30 32"  // TradeDate "20240102"
            "05 BE 00 00 00 00 00 00"                          // InvestorName
            "05 EE 00 00 00 00 00 00"                          // SysName
            "06 66 00 00 00 00 00 01 52"                       // SysMode 'R'
            "06 45 00 00 00 00 00 01 00"                       // PayServerType
            "06 49 00 00 00 00 00 00"                          // AdviserID
            "06 55 00 00 00 00 00 01 00"                       // InvestorAdviserFlag
            "06 66 00 00 00 00 00 08 00 00 00 00 00 01 E2 40"  // SessionID 123456
        );
    const trade::LoginRsp rsp = DecodeRecord<trade::LoginRsp>(body);
    EXPECT_STREQ(rsp.InvestorID, "INV1");
    EXPECT_STREQ(rsp.TradeDate, "20240102");
    EXPECT_EQ(rsp.SysMode, 'R');
    EXPECT_EQ(rsp.SessionID, 123456);
}

TEST(TradeRecords, QuotAskQty5AndExchangeIdShareTag1637) {
    const trade::Quot quot = DecodeRecord<trade::Quot>(
        MemberElements(TradeDictionary, TradeDictionaryRows, CaseNamed(TradeRecordCases, "Quot").Members,
                       {{"AskQty5", BigEndian(7, 4)}, {"ExchangeID", Text("CFFEX")}}));
    EXPECT_EQ(quot.AskQty5, 7);
    EXPECT_STREQ(quot.ExchangeID, "CFFEX");
}

TEST(TradeRecords, InstrumentOverNightFeeTypeAndFeeFlagShareTag1616) {
    const trade::Instrument instrument = DecodeRecord<trade::Instrument>(MemberElements(
        TradeDictionary, TradeDictionaryRows, CaseNamed(TradeRecordCases, "Instrument").Members,
        {{"OverNightFeeType", Text("1")},
         {"PriceMultiply", BigEndian(0x4024000000000000, 8)},
         {"FeeFlag", Text("2")}}));
    EXPECT_EQ(instrument.OverNightFeeType, '1');
    EXPECT_EQ(instrument.PriceMultiply, 10.0);
    EXPECT_EQ(instrument.FeeFlag, '2');
}
