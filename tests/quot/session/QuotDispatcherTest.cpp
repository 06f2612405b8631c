// The quote dispatcher fed with payloads laid out by hand.
#include "quot/session/QuotDispatcher.h"

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/Elements.h"
#include "transport/SessionCore.h"

namespace {

struct QuotCall {
    std::string Name;
    bool HasRecord = false;
    bool HasInfo = false;
    int RequestId = 0;
    int Flag = 0;
    quot::MinData Item{};
    quot::Quot Quote{};
    quot::QuotSubscribeRsp Subscribed{};
};

class RecordingQuotSpi : public CVOSKQuotSpi {
  public:
    std::vector<QuotCall> Calls;

#define KDX_QUOT_REPLY(serviceNo, family, bodyRow, record, callback)                                    \
    void callback(const quot::record* r, const quot::RspInfo* info, int requestId, int flag) override { \
        Add(#callback, r, info, requestId, flag);                                                       \
    }
#include "quot/session/QuotReplies.def"
#undef KDX_QUOT_REPLY

    void OnQuot(const quot::Quot* r) override {
        Add("OnQuot", r, nullptr, 0, 0);
    }

  private:
    template <typename R>
    void Add(const char* name, const R* r, const quot::RspInfo* info, int requestId, int flag) {
        QuotCall call;
        call.Name = name;
        call.HasRecord = r != nullptr;
        call.HasInfo = info != nullptr;
        call.RequestId = requestId;
        call.Flag = flag;
        if constexpr (std::is_same_v<R, quot::MinData>) {
            if (r) call.Item = *r;
        } else if constexpr (std::is_same_v<R, quot::Quot>) {
            if (r) call.Quote = *r;
        } else if constexpr (std::is_same_v<R, quot::QuotSubscribeRsp>) {
            if (r) call.Subscribed = *r;
        }
        Calls.push_back(call);
    }
};

Bytes RspInfoElement(int16_t rspNo) {
    return Element(fld::RspInfo.Tag, Element(fld::RspNo.Tag, BigEndian(static_cast<uint16_t>(rspNo), 2)));
}

std::vector<QuotCall> Feed(const Bytes& payload) {
    RecordingQuotSpi spi;
    ExactBuffer in(payload);
    CAPIPackage package;
    package.OpenPackage(in.data(), in.size());
    EXPECT_EQ(quot::DispatchPackage(package, &spi), 0);
    return spi.Calls;
}

Bytes MinDataRecord(const std::string& instrument, double amount, bool withAmount = true) {
    Bytes fields = Element(fld::InstrumentID.Tag, Text(instrument));
    uint64_t bits;
    std::memcpy(&bits, &amount, 8);
    if (withAmount) fields = Cat({fields, Element(fld::Amount.Tag, BigEndian(bits, 8))});
    return ListRecord(fields);
}

TEST(QuotDispatcher, MinDataListGivesOneCallPerRecordWithTheMoreFlag) {
    const Bytes list =
        Element(fld::MinDataList.Tag,
                Cat({MinDataRecord("a", 1.5), MinDataRecord("b", 2.5), MinDataRecord("c", 0, false)}));
    const auto calls = Feed(Payload(151, 4, 6, Cat({RspInfoElement(0), list})));
    ASSERT_EQ(calls.size(), 3u);
    const int flags[] = {1, 1, 6};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(calls[i].Name, "OnMinData150");
        EXPECT_EQ(calls[i].Flag, flags[i]);
        EXPECT_EQ(calls[i].RequestId, 4);
        EXPECT_TRUE(calls[i].HasInfo);
    }
    EXPECT_EQ(calls[2].Item.Amount, 2.5);  // omitted by the third record: the second's value
    EXPECT_STREQ(calls[2].Item.InstrumentID, "c");
}

TEST(QuotDispatcher, EmptyListGivesOneCallWithNullItem) {
    const auto calls = Feed(Payload(193, 1, 2, Element(fld::MinDataList.Tag, {})));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].Name, "OnMinData192");
    EXPECT_FALSE(calls[0].HasRecord);
    EXPECT_FALSE(calls[0].HasInfo);
    EXPECT_EQ(calls[0].Flag, 2);
}

TEST(QuotDispatcher, SubscribeReplyWithoutRspInfoPassesNullStatus) {
    const auto calls = Feed(
        Payload(8, 0, 0, Element(fld::QuotSubscribeRsp.Tag, Element(fld::InstrumentID.Tag, Text("cu2405")))));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].Name, "OnSubscribeRsp");
    EXPECT_TRUE(calls[0].HasRecord);
    EXPECT_FALSE(calls[0].HasInfo);
    EXPECT_STREQ(calls[0].Subscribed.InstrumentID, "cu2405");
}

TEST(QuotDispatcher, PushedQuoteTellsSharedTagsApartAndAlwaysCalls) {
    const Bytes quote = Element(
        fld::Quot.Tag,
        Cat({Element(fld::InstrumentID.Tag, Text("cu2405")), Element(fld::AskQty5.Tag, BigEndian(55, 4)),
             Element(fld::BSFlag.Tag, Text("B")), Element(fld::ExchangeID.Tag, Text("SHFE"))}));
    auto calls = Feed(Payload(125, 0, 0, quote));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].Quote.AskQty5, 55);
    EXPECT_STREQ(calls[0].Quote.ExchangeID, "SHFE");

    calls = Feed(Payload(125, 0, 0, {}));
    ASSERT_EQ(calls.size(), 1u);
    const quot::Quot zero{};
    EXPECT_EQ(std::memcmp(&calls[0].Quote, &zero, sizeof zero), 0);
}

TEST(QuotDispatcher, OtherServiceNumbersAreIgnoredAndLoginAlwaysReports) {
    for (uint16_t serviceNo : {0, 7, 116, 124, 133})
        EXPECT_TRUE(Feed(Payload(serviceNo, 0, 0, RspInfoElement(0))).empty());
    const auto calls = Feed(Payload(117, 3, 0, {}));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_TRUE(calls[0].HasRecord);
    EXPECT_TRUE(calls[0].HasInfo);
}

TEST(QuotSession, ErrorTexts) {
    EXPECT_STREQ(CSessionCore::GetErrorText(0), "\xb2\xd9\xd7\xf7\xb3\xc9\xb9\xa6\xa3\xa1");
    EXPECT_STREQ(CSessionCore::GetErrorText(5), "\xce\xb4\xd6\xaa\xb4\xed\xce\xf3\xb1\xe0\xc2\xeb");
}

}  // namespace
