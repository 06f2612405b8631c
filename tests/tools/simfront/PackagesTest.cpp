// Packages the front sends: list replies split under the payload limit, flow packages, and the
// positions a flow journal grants.
#include "tools/simfront/Packages.h"

#include <gtest/gtest.h>

#include "tests/tools/simfront/CoreHarness.h"
#include "tools/simfront/FlowJournal.h"
#include "tools/simfront/RecordText.h"

namespace simtest {
namespace {

using simfront::CListReply;

TEST(ListReply, SplitsUnderThePayloadLimitWithEndFlagOnAllButTheLast) {
    CListReply<trade::RspInfo> reply(146, 42, trade::RspInfo{}, fld::InstrumentList.Tag);
    constexpr int Items = 120;
    for (int i = 0; i < Items; ++i) {
        trade::Instrument item{};
        simfront::SetText(item.InstrumentID, "i" + std::to_string(i));
        simfront::SetText(item.InstrumentName, std::string(30, 'n'));
        simfront::SetText(item.UnderlyingInstrID, std::string(15, 'u'));
        reply.Add(item);
    }
    const std::vector<Payload> packages = reply.Finish();
    ASSERT_GT(packages.size(), 2u);
    int next = 0;
    for (size_t p = 0; p < packages.size(); ++p) {
        SCOPED_TRACE(p);
        EXPECT_LE(packages[p].size(), MaxPayloadLength);
        EXPECT_EQ(ServiceOf(packages[p]), 146);
        EXPECT_EQ(RequestIDOf(packages[p]), 42);
        EXPECT_EQ(EndFlagOf(packages[p]), p + 1 < packages.size() ? 1 : 0);
        EXPECT_EQ(InfoOf(packages[p]).RspNo, 0);
        const auto items = ListOf<trade::Instrument>(packages[p], fld::InstrumentList.Tag);
        EXPECT_FALSE(items.empty());
        for (const trade::Instrument& item : items)
            EXPECT_EQ(simfront::TextOf(item.InstrumentID), "i" + std::to_string(next++));
    }
    EXPECT_EQ(next, Items);
}

TEST(ListReply, WithoutItemsIsOnePackageWithAnEmptyList) {
    CListReply<trade::RspInfo> reply(138, 1, trade::RspInfo{}, fld::OrderList.Tag);
    const std::vector<Payload> packages = reply.Finish();
    ASSERT_EQ(packages.size(), 1u);
    EXPECT_EQ(EndFlagOf(packages[0]), 0);
    EXPECT_TRUE(ListOf<trade::Order>(packages[0], fld::OrderList.Tag).empty());
}

TEST(FlowPackage, CarriesCodeInRequestIDAndSequenceInEndFlag) {
    trade::Order order{};
    order.QtyLeft = 3;
    const Payload p = simfront::FlowNotice(1, 124, 0x80000001u, order);
    EXPECT_EQ(ServiceOf(p), 1);
    EXPECT_EQ(RequestIDOf(p), 124);
    EXPECT_EQ(static_cast<uint32_t>(EndFlagOf(p)), 0x80000001u);
    EXPECT_EQ(RecordOf<trade::Order>(p).QtyLeft, 3);
}

TEST(FlowJournal, GrantsAPositionInsideTheFlow) {
    simfront::CFlowJournal journal;
    EXPECT_EQ(journal.Grant(0xFFFFFFFF), 0u);
    for (int i = 0; i < 5; ++i)
        journal.Append(Payload{static_cast<uint8_t>(i)});
    const struct {
        uint32_t Asked;
        uint32_t Granted;
    } cases[] = {{0, 0}, {3, 3}, {5, 5}, {9, 5}, {0xFFFFFFFF, 5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Asked);
        EXPECT_EQ(journal.Grant(c.Asked), c.Granted);
    }
    EXPECT_EQ(journal.At(2), Payload{1});
    EXPECT_EQ(journal.NextSequence(), 6u);
}

}  // namespace
}  // namespace simtest
