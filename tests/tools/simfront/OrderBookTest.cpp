// Price-time priority of resting orders and matching against them and the synthetic depth.
#include "tools/simfront/OrderBook.h"

#include <gtest/gtest.h>

namespace simfront {
namespace {

Depth Levels(std::initializer_list<DepthLevel> levels) {
    Depth d{};
    int i = 0;
    for (const DepthLevel& l : levels)
        d[i++] = l;
    return d;
}

TEST(OrderBook, BestPriceFirstThenTimeAndRemoval) {
    COrderBook book;
    book.Add('B', 1, 100, 5);
    book.Add('B', 2, 101, 5);
    book.Add('B', 3, 101, 7);
    book.Add('S', 4, 103, 1);
    ASSERT_NE(book.Best('B'), nullptr);
    EXPECT_EQ(book.Best('B')->Key, 2u);
    book.TakeFromBest('B', 2);
    EXPECT_EQ(book.Best('B')->Qty, 3);
    book.TakeFromBest('B', 3);
    EXPECT_EQ(book.Best('B')->Key, 3u) << "a used-up order leaves; the next at its price follows";
    EXPECT_TRUE(book.Remove(3));
    EXPECT_FALSE(book.Remove(3));
    EXPECT_EQ(book.Best('B')->Key, 1u);
    EXPECT_EQ(book.Best('S')->Key, 4u);
    EXPECT_EQ(book.Size(), 2u);
    const Depth bids = book.Aggregate('B');
    EXPECT_EQ(bids[0].Ticks, 100);
    EXPECT_EQ(bids[0].Qty, 5);
    EXPECT_EQ(bids[1].Qty, 0);
}

TEST(OrderBook, IncomingOrderTakesBestPricesRestingOrdersFirstAtOnePrice) {
    COrderBook book;
    book.Add('S', 1, 100, 2);
    book.Add('S', 2, 102, 9);
    Depth asks = Levels({{100, 3}, {101, 5}, {102, 4}});
    const std::vector<Fill> fills = MatchIncoming(book, asks, 'B', 101, 8);
    EXPECT_EQ(fills, (std::vector<Fill>{{1, 100, 2}, {0, 100, 3}, {0, 101, 3}}));
    EXPECT_EQ(asks[1].Qty, 2) << "the synthetic level keeps what was not taken";
    EXPECT_EQ(book.Best('S')->Key, 2u);

    // Nothing crosses a limit below the best offer.
    EXPECT_TRUE(MatchIncoming(book, asks, 'B', 100, 1).empty());
    // A seller meets bids from the top down to its limit.
    Depth bids = Levels({{99, 1}, {98, 1}, {97, 1}});
    EXPECT_EQ(MatchIncoming(book, bids, 'S', 98, 5), (std::vector<Fill>{{0, 99, 1}, {0, 98, 1}}));
}

TEST(OrderBook, RestingOrdersCrossedByTheMarketFillAtTheirOwnPrice) {
    COrderBook book;
    book.Add('B', 1, 105, 4);
    book.Add('S', 2, 90, 1);
    Depth bids = Levels({{92, 6}});
    Depth asks = Levels({{103, 1}, {104, 2}, {106, 9}});
    const std::vector<Fill> fills = CrossResting(book, bids, asks);
    EXPECT_EQ(fills, (std::vector<Fill>{{1, 105, 1}, {1, 105, 2}, {2, 90, 1}}));
    EXPECT_EQ(book.Best('B')->Qty, 1);
    EXPECT_EQ(book.Best('S'), nullptr);
    EXPECT_EQ(bids[0].Qty, 5);
}

TEST(OrderBook, QuotedDepthAddsRestingOrdersToTheSyntheticLevels) {
    const Depth merged = MergeDepth(Levels({{100, 3}, {99, 4}}), Levels({{101, 1}, {99, 2}}), 'B');
    EXPECT_EQ(merged[0].Ticks, 101);
    EXPECT_EQ(merged[1].Ticks, 100);
    EXPECT_EQ(merged[2].Ticks, 99);
    EXPECT_EQ(merged[2].Qty, 6);
    EXPECT_EQ(merged[3].Qty, 0);
}

}  // namespace
}  // namespace simfront
