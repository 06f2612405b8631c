// The block send queue without a socket: one write at a time, never across a block's end, drained
// blocks freed and the first block kept.
#include "transport/SendQueue.h"

#include <gtest/gtest.h>

#include "tests/support/Hex.h"

namespace {

Bytes Pattern(size_t size, uint8_t seed) {
    Bytes bytes(size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<uint8_t>(seed + i);
    return bytes;
}

// Writes what NextWrite offers until the queue is empty; returns the bytes in write order.
Bytes Drain(CSendQueue& queue) {
    Bytes written;
    bool more = queue.Pending() > 0;
    while (more) {
        const CSendQueue::Chunk chunk = queue.NextWrite();
        written.insert(written.end(), chunk.Data, chunk.Data + chunk.Size);
        more = queue.Written(chunk.Size);
    }
    return written;
}

}  // namespace

TEST(SendQueue, FirstAppendToAnEmptyQueueAsksForAWrite) {
    CSendQueue queue(16);
    const Bytes a = Pattern(5, 1);
    EXPECT_TRUE(queue.Append(a.data(), 5));
    EXPECT_FALSE(queue.Append(a.data(), 5));  // a write is in flight
    EXPECT_EQ(queue.Pending(), 10u);
    EXPECT_BYTES(queue.NextWrite().Data, queue.NextWrite().Size, Cat({a, a}));
}

TEST(SendQueue, BacklogOfOneBlockAndOneByteUsesTwoBlocksAndFreesTheFirstOnceWritten) {
    CSendQueue queue(8);
    const Bytes backlog = Pattern(9, 0x40);
    ASSERT_TRUE(queue.Append(backlog.data(), 9));
    EXPECT_EQ(queue.BlockCount(), 2u);
    const CSendQueue::Chunk first = queue.NextWrite();
    EXPECT_BYTES(first.Data, first.Size, Bytes(backlog.begin(), backlog.begin() + 8));
    ASSERT_TRUE(queue.Written(first.Size));
    EXPECT_EQ(queue.BlockCount(), 1u);
    const CSendQueue::Chunk second = queue.NextWrite();
    EXPECT_BYTES(second.Data, second.Size, Hex("48"));
    EXPECT_FALSE(queue.Written(1));
    EXPECT_EQ(queue.BlockCount(), 1u);
}

TEST(SendQueue, WriteStopsAtTheBlockEndEvenWhenMoreIsQueued) {
    CSendQueue queue(8);
    const Bytes a = Pattern(6, 0);
    queue.Append(a.data(), 6);
    ASSERT_TRUE(queue.Written(4));  // a partial write
    queue.Append(a.data(), 6);      // 2 left in the first block, 4 in a second one
    EXPECT_EQ(queue.NextWrite().Size, 4u);
    ASSERT_TRUE(queue.Written(4));
    EXPECT_EQ(queue.BlockCount(), 1u);
    EXPECT_EQ(queue.NextWrite().Size, 4u);
}

TEST(SendQueue, EmptiedQueueKeepsItsFirstBlockAndStartsAgainAtItsBeginning) {
    CSendQueue queue(8);
    const Bytes a = Pattern(3, 9);
    queue.Append(a.data(), 3);
    const uint8_t* block = queue.NextWrite().Data;
    EXPECT_FALSE(queue.Written(3));
    EXPECT_EQ(queue.Pending(), 0u);
    EXPECT_TRUE(queue.Append(a.data(), 3));
    EXPECT_EQ(queue.NextWrite().Data, block);
    EXPECT_EQ(queue.BlockCount(), 1u);
}

TEST(SendQueue, InterleavedAppendsAndWritesKeepTheByteOrder) {
    CSendQueue queue(7);
    Bytes appended;
    Bytes written;
    for (size_t i = 1; i <= 40; ++i) {
        const Bytes piece = Pattern(i % 11 + 1, static_cast<uint8_t>(i * 13));
        queue.Append(piece.data(), static_cast<uint32_t>(piece.size()));
        appended.insert(appended.end(), piece.begin(), piece.end());
        if (i % 3 == 0) {  // a write completes now and then, sometimes only in part
            const CSendQueue::Chunk chunk = queue.NextWrite();
            const uint32_t part = i % 2 == 0 ? chunk.Size : (chunk.Size + 1) / 2;
            written.insert(written.end(), chunk.Data, chunk.Data + part);
            queue.Written(part);
        }
        EXPECT_LE(queue.NextWrite().Size, 7u);
    }
    const Bytes rest = Drain(queue);
    written.insert(written.end(), rest.begin(), rest.end());
    EXPECT_EQ(written, appended);
    EXPECT_EQ(queue.BlockCount(), 1u);
}
