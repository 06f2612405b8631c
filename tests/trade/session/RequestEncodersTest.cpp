// Request encoding: every service of the table writes its head and its whole record, zero members
// included; the flow subscription sends the items its modes ask for and stores the positions sent.
// Golden bytes follow the wire rules (tests/support/Elements.h), never the encoder.
#include "trade/session/RequestEncoders.h"

#include <cstring>
#include <iterator>
#include <set>
#include <type_traits>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "codec/Dictionary.h"
#include "tests/support/Elements.h"
#include "tests/trade/session/TradeRecordCases.h"

namespace {

struct ServiceCase {
    uint16_t ServiceNo;
    int Slot;
    const char* Operation;
    const char* Record;
    uint16_t BodyTag;
    uint16_t ReplyNo;
};

// clang-format off
const ServiceCase ServiceCases[] = {
    {116, 6, "SubmitLogin", "LoginReq", 1032, 117},
    {118, 7, "SubmitLogout", "LogoutReq", 1037, 119},
    {120, 9, "SubmitChangePassword", "ChangePasswordReq", 1039, 121},
    {122, 10, "SubmitInputOrder", "InputOrder", 1043, 123},
    {127, 11, "SubmitOrderCancel", "OrderCancelReq", 1065, 128},
    {131, 12, "QueryQuot", "QuotQueryReq", 1140, 132},
    {137, 13, "QueryOrder", "OrderQueryReq", 1147, 138},
    {139, 14, "QueryTrade", "TradeQueryReq", 1149, 140},
    {141, 15, "QueryPosi", "PosiQueryReq", 1151, 142},
    {143, 16, "QueryFund", "FundQueryReq", 1164, 144},
    {145, 17, "QueryInstrument", "InstrumentQueryReq", 1186, 146},
    {147, 18, "QueryPosiDetail", "PosiDetailQueryReq", 1267, 148},
    {154, 19, "SubmitProfitLossStopSet", "ProfitLossStopSetReq", 1297, 155},
    {159, 20, "SubmitInputOrder159", "InputOrder", 1043, 160},
    {161, 21, "QueryBulletin", "BulletinQueryReq", 1378, 162},
    {163, 22, "QueryNotice", "NoticeQueryReq", 1393, 164},
    {167, 23, "SubmitElectronicFundIO", "ElectronicFundIOReq", 1411, 168},
    {170, 24, "QueryFundIODetail", "FundIODetailQueryReq", 1419, 171},
    {172, 25, "QueryReport", "ReportQueryReq", 1425, 173},
    {174, 26, "QueryHisOrder", "HisOrderQueryReq", 1427, 175},
    {176, 27, "QueryHisTrade", "HisTradeQueryReq", 1428, 177},
    {178, 28, "QueryHisBulletin", "HisBulletinQueryReq", 1429, 179},
    {180, 29, "QueryHisNotice", "HisNoticeQueryReq", 1430, 181},
    {196, 30, "SubmitAccountBind", "AccountBindReq", 1488, 197},
    {198, 31, "QueryAccountBind", "AccountBindQueryReq", 1486, 199},
    {200, 32, "QueryHisFund", "HisFundQueryReq", 1160, 201},
    {202, 33, "QueryHisPosiDetail", "HisPosiDetailQueryReq", 1261, 203},
    {301, 34, "QueryProduct", "ProductQueryReq", 1829, 302},
    {303, 35, "QueryExchange", "ExchangeQueryReq", 1832, 304},
    {305, 36, "QueryInvestorFeeRate", "InvestorFeeRateQueryReq", 1835, 306},
    {307, 37, "QueryInvestorMarginRate", "InvestorMarginRateQueryReq", 1838, 308},
    {309, 38, "QueryExchangeMarginRate", "ExchangeMarginRateQueryReq", 1841, 310},
};
// clang-format on

}  // namespace

TEST(RequestEncoders, EveryServiceSendsItsHeadAndEveryFieldOfAZeroRecord) {
    std::set<uint16_t> seen;
    auto check = [&]<uint16_t No>(std::integral_constant<uint16_t, No>) {
        SCOPED_TRACE(No);
        const ServiceCase* c = nullptr;
        for (const ServiceCase& s : ServiceCases)
            if (s.ServiceNo == No) c = &s;
        ASSERT_NE(c, nullptr);
        seen.insert(No);
        EXPECT_EQ(trade::Service<No>::Slot, c->Slot);
        EXPECT_STREQ(trade::Service<No>::Operation, c->Operation);
        EXPECT_EQ(trade::Service<No>::ReplyNo, c->ReplyNo);

        const int32_t requestId = 0x7F000000 + No;
        const Bytes body = MemberElements(TradeDictionary, TradeDictionaryRows,
                                          CaseNamed(TradeRecordCases, c->Record).Members);
        std::vector<uint8_t> payload(MaxPayloadLength);
        CAPIPackage package;
        EXPECT_EQ(trade::BuildRequest<No>(package, payload.data(), typename trade::Service<No>::Record{},
                                          requestId),
                  static_cast<int>(body.size()));
        EXPECT_EQ(package.GetBuffer(), payload.data());
        EXPECT_BYTES(package.GetBuffer(), package.GetLength(),
                     Payload(No, requestId, 0, Element(c->BodyTag, body)));
    };
#define KDX_SERVICE(serviceNo, slot, operation, record, replyNo) \
    check(std::integral_constant<uint16_t, serviceNo>{});
#include "trade/session/TradeServices.def"
#undef KDX_SERVICE
    EXPECT_EQ(seen.size(), std::size(ServiceCases));
}

TEST(RequestEncoders, TextIsSentWithoutTerminatorAndAtMostItsDictionaryLength) {
    struct Case {
        const char* Name;
        const char* InvestorID;  // 16 bytes are copied: the member's whole width
        const char* Hex;         // the InvestorID element
    };
    const Case cases[] = {
        {"short text", "INV1\0\0\0\0\0\0\0\0\0\0\0",
         "04 0A 00 00 00 00 00 04 49 4E 56 31"},  // InvestorID "INV1"
        {"member filled without terminator", "ABCDEFGHIJKLMNOP",
         "04 0A 00 00 00 00 00 0F"  // InvestorID, the first 15 characters
         "41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        trade::LogoutReq request{};
        std::memcpy(request.InvestorID, c.InvestorID, sizeof request.InvestorID);
        std::vector<uint8_t> payload(MaxPayloadLength);
        CAPIPackage package;
        trade::BuildRequest<118>(package, payload.data(), request, 7);
        EXPECT_BYTES(package.GetBuffer(), package.GetLength(), Payload(118, 7, 0, Element(1037, Hex(c.Hex))));
    }
}

// --- the flow subscription, request 3

TEST(RequestEncoders, FlowSubscriptionListsTheItemsItsModesAskFor) {
    using Item = std::pair<int32_t, uint32_t>;  // FlowID, PkgNo
    struct Case {
        const char* Name;
        int PrivateMode, PublicMode;
        uint32_t PrivateBefore, PublicBefore;
        std::vector<Item> Items;
        uint32_t PrivateAfter, PublicAfter;
    };
    const Case cases[] = {
        {"(1,1) both flows from the start", 1, 1, 10, 20, {{1, 0}, {2, 0}}, 0, 0},
        {"(2,0) private flow after position 57", 2, 0, 57, 9, {{1, 57}}, 57, 9},
        {"(0,2) public flow after its position", 0, 2, 5, 6, {{2, 6}}, 5, 6},
        {"(3,3) only packages still to come",
         3,
         3,
         5,
         6,
         {{1, 0xFFFFFFFF}, {2, 0xFFFFFFFF}},
         0xFFFFFFFF,
         0xFFFFFFFF},
        {"(-1,7) any other mode as 3",
         -1,
         7,
         5,
         6,
         {{1, 0xFFFFFFFF}, {2, 0xFFFFFFFF}},
         0xFFFFFFFF,
         0xFFFFFFFF},
        {"(0,0) an empty list", 0, 0, 5, 6, {}, 5, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        trade::FlowState flows{"20240102", c.PrivateBefore, c.PublicBefore};
        std::vector<uint8_t> payload(MaxPayloadLength);
        CAPIPackage package;
        EXPECT_EQ(trade::BuildFlowSubscription(package, payload.data(), c.PrivateMode, c.PublicMode, flows),
                  0);

        Bytes items;
        for (const Item& item : c.Items)
            items =
                Cat({items, ListRecord(Cat({Element(1002, BigEndian(static_cast<uint32_t>(item.first), 4)),
                                            Element(1005, BigEndian(item.second, 4))}))});
        EXPECT_BYTES(package.GetBuffer(), package.GetLength(), Payload(3, 0, 0, Element(1014, items)));
        EXPECT_EQ(flows.PrivateSeqNo, c.PrivateAfter);
        EXPECT_EQ(flows.PublicSeqNo, c.PublicAfter);
        EXPECT_STREQ(flows.TradeDate, "20240102");
    }
}

TEST(RequestEncoders, FlowSubscriptionPayloadLayout) {
    trade::FlowState flows{"", 57, 0};
    std::vector<uint8_t> payload(MaxPayloadLength);
    CAPIPackage package;
    trade::BuildFlowSubscription(package, payload.data(), 2, 0, flows);
    const Bytes expected =
        Hex("03 F1 00 00 00 00 00 22"              // ApiHead
            "03 F0 00 00 00 00 00 02 00 03"        // ServiceNo 3
            "03 EB 00 00 00 00 00 04 00 00 00 00"  // RequestID 0
            "03 EC 00 00 00 00 00 04 00 00 00 00"  // EndFlag 0
            "03 F2 00 00 00 00 00 24"              // ApiBody, 36 bytes
            "03 F6 00 00 00 00 00 1C"              // FlowSubscribeReqList, 28 bytes
            "00 00 00 18"                          // record, 24 bytes
            "03 EA 00 00 00 00 00 04 00 00 00 01"  // FlowID 1
            "03 ED 00 00 00 00 00 04 00 00 00 39"  // PkgNo 57
        );
    EXPECT_BYTES(package.GetBuffer(), package.GetLength(), expected);
}
