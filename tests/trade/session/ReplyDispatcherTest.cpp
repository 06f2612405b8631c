// The trading reply dispatcher and the flow handlers, fed with payloads laid out by hand.
#include "trade/session/ReplyDispatcher.h"

#include <gtest/gtest.h>

#include "tests/support/Elements.h"
#include "tests/support/RecordingTradeSpi.h"

namespace {

using trade::FlowState;

Bytes RspInfoElement(int16_t rspNo, const std::string& text) {
    return Element(fld::RspInfo.Tag, Cat({Element(fld::RspNo.Tag, BigEndian(static_cast<uint16_t>(rspNo), 2)),
                                          Element(fld::RspDesc.Tag, Text(text))}));
}

Bytes OrderFields(const std::string& orderId, int32_t qty) {
    return Cat({Element(fld::OrderID.Tag, Text(orderId)), Element(fld::Qty.Tag, BigEndian(qty, 4))});
}

class Dispatcher : public ::testing::Test {
  protected:
    void Feed(const Bytes& payload) {
        ExactBuffer in(payload);
        CAPIPackage package;
        package.OpenPackage(in.data(), in.size());
        EXPECT_EQ(trade::DispatchPackage(package, Flows, &Spi), 0);
    }
    void FeedFlow(uint16_t flow, int32_t code, uint32_t sequenceNo, const Bytes& body = {}) {
        Feed(Payload(flow, code, static_cast<int32_t>(sequenceNo), body));
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const TradeCall& c : Spi.Calls())
            names.push_back(c.Name);
        return names;
    }

    FlowState Flows{};
    RecordingTradeSpi Spi;
};

// --- list replies

TEST_F(Dispatcher, ListReplyGivesOneCallPerItemWithTheMoreFlag) {
    const Bytes list =
        Element(fld::OrderList.Tag, Cat({ListRecord(OrderFields("A", 1)), ListRecord(OrderFields("B", 2)),
                                         ListRecord(Element(fld::OrderID.Tag, Text("C")))}));
    for (int32_t endFlag : {0, 1}) {
        SCOPED_TRACE(endFlag);
        RecordingTradeSpi spi;
        Bytes payload = Payload(138, 42, endFlag, Cat({RspInfoElement(0, ""), list}));
        ExactBuffer in(payload);
        CAPIPackage package;
        package.OpenPackage(in.data(), in.size());
        trade::DispatchPackage(package, Flows, &spi);
        const auto calls = spi.Calls();
        ASSERT_EQ(calls.size(), 3u);
        const int flags[] = {1, 1, endFlag};
        const char* ids[] = {"A", "B", "C"};
        for (size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(calls[i].Name, "OnOrderQueryRsp");
            EXPECT_EQ(calls[i].RequestId, 42);
            EXPECT_EQ(calls[i].More, flags[i]);
            EXPECT_TRUE(calls[i].HasInfo);
            EXPECT_STREQ(calls[i].As<trade::Order>().OrderID, ids[i]);
        }
        // The third item lacks Qty: it shows the previous item's value.
        EXPECT_EQ(calls[2].As<trade::Order>().Qty, 2);
    }
}

TEST_F(Dispatcher, ListReplyWithoutItemsGivesOneCallWithNullRecord) {
    const Bytes bodies[] = {RspInfoElement(0, ""),
                            Cat({RspInfoElement(0, ""), Element(fld::OrderList.Tag, {})})};
    for (const Bytes& body : bodies) {
        RecordingTradeSpi spi;
        ExactBuffer in(Payload(138, 7, 3, body));
        CAPIPackage package;
        package.OpenPackage(in.data(), in.size());
        trade::DispatchPackage(package, Flows, &spi);
        const auto calls = spi.Calls();
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_FALSE(calls[0].HasRecord);
        EXPECT_TRUE(calls[0].HasInfo);
        EXPECT_EQ(calls[0].More, 3);
    }
}

TEST_F(Dispatcher, ListReplyWithoutRspInfoPassesNullStatusToEveryCall) {
    Feed(Payload(
        146, 1, 0,
        Element(fld::InstrumentList.Tag, Cat({ListRecord(Element(fld::InstrumentID.Tag, Text("cu2405"))),
                                              ListRecord(Element(fld::InstrumentID.Tag, Text("au2406")))}))));
    const auto calls = Spi.Calls();
    ASSERT_EQ(calls.size(), 2u);
    for (const TradeCall& c : calls) {
        EXPECT_EQ(c.Name, "OnInstrumentQueryRsp");
        EXPECT_TRUE(c.HasRecord);
        EXPECT_FALSE(c.HasInfo);
    }
}

// --- single, fixed and login replies

TEST_F(Dispatcher, SingleReplyReportsNullForWhatIsMissing) {
    Feed(Payload(123, 9, 0, RspInfoElement(-3, "rejected")));
    auto calls = Spi.Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].Name, "OnInputOrderRsp");
    EXPECT_FALSE(calls[0].HasRecord);
    ASSERT_TRUE(calls[0].HasInfo);
    EXPECT_EQ(calls[0].Info.RspNo, -3);
    EXPECT_STREQ(calls[0].Info.RspDesc, "rejected");

    Feed(Payload(160, 9, 0, Element(fld::InputOrder.Tag, Element(fld::InstrumentID.Tag, Text("cu2405")))));
    calls = Spi.Calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].Name, "OnInputOrder159Rsp");
    EXPECT_TRUE(calls[1].HasRecord);
    EXPECT_FALSE(calls[1].HasInfo);
    EXPECT_STREQ(calls[1].As<trade::InputOrder>().InstrumentID, "cu2405");
}

TEST_F(Dispatcher, FixedReplyAlwaysReportsRecordAndStatus) {
    Feed(Payload(119, 5, 0, {}));
    const auto calls = Spi.Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].Name, "OnLogoutRsp");
    EXPECT_TRUE(calls[0].HasRecord);
    EXPECT_TRUE(calls[0].HasInfo);
    EXPECT_EQ(calls[0].Info.RspNo, 0);
}

Bytes LoginReply(const std::string& tradeDate, int16_t rspNo, bool withInfo) {
    const Bytes login = Element(fld::LoginRsp.Tag, Element(fld::TradeDate.Tag, Text(tradeDate)));
    return Payload(117, 1, 0, withInfo ? Cat({login, RspInfoElement(rspNo, "")}) : login);
}

TEST_F(Dispatcher, LoginWithANewTradeDateResetsTheFlowsBeforeTheCallback) {
    Flows.PrivateSeqNo = 57;
    Flows.PublicSeqNo = 9;
    std::strcpy(Flows.TradeDate, "2024-03-14");
    uint32_t seenPrivate = 99;
    Spi.OnCall = [&](const TradeCall&) { seenPrivate = Flows.PrivateSeqNo; };

    Feed(LoginReply("2024-03-14", 0, true));  // same day: positions kept
    EXPECT_EQ(seenPrivate, 57u);
    Feed(LoginReply("2024-03-15", 7, true));  // failed: nothing changes
    EXPECT_EQ(Flows.PrivateSeqNo, 57u);
    EXPECT_STREQ(Flows.TradeDate, "2024-03-14");
    Feed(LoginReply("2024-03-15", 0, false));  // no RspInfo counts as success
    EXPECT_EQ(seenPrivate, 0u);
    EXPECT_EQ(Flows.PublicSeqNo, 0u);
    EXPECT_STREQ(Flows.TradeDate, "2024-03-15");
    ASSERT_EQ(Spi.Calls().size(), 3u);
    EXPECT_TRUE(Spi.Calls()[2].HasInfo);
    EXPECT_STREQ(Spi.Calls()[2].As<trade::LoginRsp>().TradeDate, "2024-03-15");
}

TEST_F(Dispatcher, UnknownServiceNumbersAreIgnored) {
    for (uint16_t serviceNo : {0, 3, 116, 122, 133, 9999})
        Feed(Payload(serviceNo, 1, 0, RspInfoElement(0, "")));
    EXPECT_TRUE(Spi.Calls().empty());
}

// --- flows

TEST_F(Dispatcher, FlowPackagesAtOrBelowThePositionAreDropped) {
    Flows.PrivateSeqNo = 4;
    const Bytes order = Element(fld::Order.Tag, OrderFields("A", 1));
    for (uint32_t seq : {5u, 5u, 4u, 6u, 0u})
        FeedFlow(1, 124, seq, order);
    EXPECT_EQ(Names(), (std::vector<std::string>{"OnOrderNty", "OnOrderNty"}));
    EXPECT_EQ(Flows.PrivateSeqNo, 6u);
    EXPECT_EQ(Flows.PublicSeqNo, 0u);

    FlowState fresh{};
    Flows = fresh;
    FeedFlow(2, 129, 0);  // sequence number 0 is never newer
    EXPECT_EQ(Names().size(), 2u);
}

TEST_F(Dispatcher, UnknownCodesAdvanceTheFlowAndMissingBodiesReportZero) {
    FeedFlow(1, 125, 3);  // not a known code: no callback, position moves
    EXPECT_TRUE(Spi.Calls().empty());
    EXPECT_EQ(Flows.PrivateSeqNo, 3u);

    FeedFlow(1, 124, 4);  // no Order element: an all-zero Order
    auto calls = Spi.Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_TRUE(calls[0].HasRecord);
    const trade::Order zero{};
    EXPECT_EQ(std::memcmp(calls[0].Record.data(), &zero, sizeof zero), 0);

    FeedFlow(2, 166, 8,
             Element(fld::Notice.Tag, Element(fld::Title.Tag, Text("t"))));  // 166 on the public flow
    calls = Spi.Calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].Name, "OnNoticeNty");
    EXPECT_EQ(Flows.PublicSeqNo, 8u);
    EXPECT_EQ(Flows.PrivateSeqNo, 4u);
}

TEST_F(Dispatcher, FlowSubscriptionReplySetsThePositions) {
    Flows.PrivateSeqNo = Flows.PublicSeqNo = 0xFFFFFFFF;  // after SubscribeFlows(3, 3)
    FeedFlow(1, 124, 500);
    EXPECT_TRUE(Spi.Calls().empty());

    auto item = [](int32_t flow, int32_t pkgNo) {
        return ListRecord(Cat(
            {Element(fld::FlowID.Tag, BigEndian(flow, 4)), Element(fld::PkgNo.Tag, BigEndian(pkgNo, 4))}));
    };
    Feed(
        Payload(4, 0, 0, Cat({RspInfoElement(1, "no"), Element(fld::FlowSubscribeRspList.Tag, item(1, 5))})));
    EXPECT_EQ(Flows.PrivateSeqNo, 0xFFFFFFFFu);  // a failed subscription changes nothing

    Feed(Payload(4, 0, 0, Element(fld::FlowSubscribeRspList.Tag, Cat({item(1, 120), item(2, 37)}))));
    EXPECT_EQ(Flows.PrivateSeqNo, 120u);
    EXPECT_EQ(Flows.PublicSeqNo, 37u);
    Feed(Payload(4, 0, 0, Element(fld::FlowSubscribeRspList.Tag, item(7, 3))));
    EXPECT_EQ(Flows.PublicSeqNo, 3u);
    EXPECT_TRUE(Spi.Calls().empty());  // reply 4 calls nothing

    FeedFlow(1, 124, 121);
    EXPECT_EQ(Names(), std::vector<std::string>{"OnOrderNty"});
}

TEST_F(Dispatcher, AccountBindNoticeIsNeverDropped) {
    const Bytes body = Element(fld::AccountBind.Tag, Element(fld::ReceiveBankID.Tag, Text("b")));
    Feed(Payload(210, 0, 0, body));
    Feed(Payload(210, 0, 0, body));
    EXPECT_EQ(Names(), (std::vector<std::string>{"OnAccountBindNty", "OnAccountBindNty"}));
    EXPECT_EQ(Flows.PrivateSeqNo, 0u);
}

TEST_F(Dispatcher, WithoutCallbackObjectPackagesStillMoveTheFlows) {
    ExactBuffer in(Payload(1, 124, 11, {}));
    CAPIPackage package;
    package.OpenPackage(in.data(), in.size());
    EXPECT_EQ(trade::DispatchPackage(package, Flows, nullptr), 0);
    EXPECT_EQ(Flows.PrivateSeqNo, 11u);
}

}  // namespace
