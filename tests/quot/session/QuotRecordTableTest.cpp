// The market-data records: shapes against their catalogue, round trips, and the members that share a
// tag. Linked with the market-data dictionary.
#include "quot/session/QuotRecords.h"

#include <iterator>
#include <type_traits>

#include <gtest/gtest.h>

#include "codec/Dictionary.h"
#include "tests/support/RecordChecks.h"

namespace {

const auto QuotTable = [](auto visit) { quot::ForEachRecordType(visit); };

// clang-format off
const RecordCase QuotRecordCases[] = {
    {"RspInfo", 1025,
     "RspNo/2 RspDesc/257"},
    {"LoginReq", 1032,
     "InvestorID/16 InvestorPassword/21 IP/101 ProductType/1 ProductVersion/4"},
    {"LoginRsp", 1033,
     "InvestorID/16 TradeDate/11 InvestorName/51 SysName/51 SysMode/1 PayServerType/1 AdviserID/16 "
     "InvestorAdviserFlag/1 SessionID/8"},
    {"LogoutReq", 1037,
     "InvestorID/16"},
    {"LogoutRsp", 1038,
     "InvestorID/16"},
    {"QuotSubscribeReq", 1017,
     "InvestorID/16 InstrumentID/16"},
    {"QuotUnSubscribeReq", 1019,
     "InvestorID/16 InstrumentID/16"},
    {"QuotSubscribeRsp", 1018,
     "InstrumentID/16"},
    {"QuotUnSubscribeRsp", 1020,
     "InstrumentID/16"},
    {"Quot", 1141,
     "MatchID/31 TradeDate/11 InstrumentID/16 Price/8 Qty/4 BidPrice/8 BidQty/4 AskPrice/8 AskQty/4 "
     "OpenPrice/8 HighestPrice/8 LowestPrice/8 HighLimit/8 LowLimit/8 OI/8 SettlePrice/8 PreClose/8 "
     "PreSettle/8 PreOI/8 QtyTotal/8 Amount/8 ModifyDate/11 ModifyTime/9 BidPrice2/8 BidQty2/4 "
     "AskPrice2/8 AskQty2/4 BidPrice3/8 BidQty3/4 AskPrice3/8 AskQty3/4 BidPrice4/8 BidQty4/4 "
     "AskPrice4/8 AskQty4/4 BidPrice5/8 BidQty5/4 AskPrice5/8 AskQty5/4 BidPrice6/8 BidQty6/4 "
     "AskPrice6/8 AskQty6/4 BidPrice7/8 BidQty7/4 AskPrice7/8 AskQty7/4 BidPrice8/8 BidQty8/4 "
     "AskPrice8/8 AskQty8/4 BidPrice9/8 BidQty9/4 AskPrice9/8 AskQty9/4 BidPrice10/8 BidQty10/4 "
     "AskPrice10/8 AskQty10/4 BSFlag/1 ExchangeID/17"},
    {"MinDataQueryReq", 1277,
     "InstrumentID/16 DateTimeFrom/20 DateTimeTo/20 ExchangeID/17"},
    {"MinData", 1278,
     "InstrumentID/16 DateTime/20 OpenPrice/8 HighestPrice/8 LowestPrice/8 ClosePrice/8 QtyTotal/8 "
     "OI/8 Amount/8 ExchangeID/17"},
    {"DayDataQueryReq", 1279,
     "InstrumentID/16 DateFrom/11 DateTo/11 ExchangeID/17"},
    {"DayData", 1280,
     "InstrumentID/16 Date/11 OpenPrice/8 HighestPrice/8 LowestPrice/8 ClosePrice/8 QtyTotal/8 OI/8 "
     "Amount/8 ExchangeID/17"},
    {"TradeDetailDataQueryReq", 1606,
     "InstrumentID/16 TradeDate/11 ExchangeID/17"},
    {"TradeDetailData", 0,
     "MatchID/31 InstrumentID/16 Date/11 Time/9 Qty/4 Price/8 BSFlag/1"},
};
// clang-format on

}  // namespace

TEST(QuotRecords, EveryRecordHasItsRowTagAndMembers) {
    ForEachRecordCase(QuotRecordCases, QuotTable,
                      []<typename R>(std::type_identity<R>, const RecordCase& c) { CheckRecordShape<R>(c); });
    EXPECT_EQ(std::size(QuotRecordCases), 16u);
}

TEST(QuotRecords, FullyPopulatedRecordsRoundTripAmongUnknownElements) {
    ForEachRecordCase(QuotRecordCases, QuotTable, []<typename R>(std::type_identity<R>, const RecordCase& c) {
        CheckRecordRoundTrip<R>(c);
    });
}

// --- members sharing a tag, told apart by binding order

TEST(QuotRecords, QuotAskQty5AndExchangeIdShareTag1637) {
    const quot::Quot quot = DecodeRecord<quot::Quot>(
        MemberElements(QuotDictionary, QuotDictionaryRows, CaseNamed(QuotRecordCases, "Quot").Members,
                       {{"AskQty5", BigEndian(7, 4)}, {"ExchangeID", Text("CFFEX")}}));
    EXPECT_EQ(quot.AskQty5, 7);
    EXPECT_STREQ(quot.ExchangeID, "CFFEX");
}

TEST(QuotRecords, LoginRspSysModeAndSessionIdShareTag1638) {
    const quot::LoginRsp rsp = DecodeRecord<quot::LoginRsp>(
        MemberElements(QuotDictionary, QuotDictionaryRows, CaseNamed(QuotRecordCases, "LoginRsp").Members,
                       {{"SysMode", Text("R")}, {"SessionID", BigEndian(123456, 8)}}));
    EXPECT_EQ(rsp.SysMode, 'R');
    EXPECT_EQ(rsp.SessionID, 123456);
}
