// Frame reassembly without a socket: every fixture split at every byte, several frames in one read, the
// 8188-byte limit and the empty frame.
#include "transport/FrameAssembler.h"

#include <gtest/gtest.h>

#include "tests/support/Hex.h"

namespace {

const Bytes Heartbeat =
    Hex("00 00 00 32"                          // frame length 50
        "03 F1 00 00 00 00 00 22"              // ApiHead, 34
        "03 F0 00 00 00 00 00 02 00 00"        // ServiceNo 0
        "03 EB 00 00 00 00 00 04 00 00 00 00"  // RequestID 0
        "03 EC 00 00 00 00 00 04 00 00 00 00"  // EndFlag 0
        "03 F2 00 00 00 00 00 00");            // ApiBody, empty
const Bytes Empty = Hex("00 00 00 00");
const Bytes Short = Hex("00 00 00 03 | 0A 0B 0C");

Bytes FrameOfLength(uint32_t length) {
    Bytes frame(4 + size_t{length});
    frame[0] = static_cast<uint8_t>(length >> 24);
    frame[1] = static_cast<uint8_t>(length >> 16);
    frame[2] = static_cast<uint8_t>(length >> 8);
    frame[3] = static_cast<uint8_t>(length);
    for (uint32_t i = 0; i < length; ++i)
        frame[4 + i] = static_cast<uint8_t>(i * 7 + 1);
    return frame;
}

// What the assembler made of a run of reads: the payloads in order, and whether it stopped on TooLarge.
struct Outcome {
    std::vector<Bytes> Payloads;
    bool TooLarge = false;
    uint32_t Held = 0;
};

Outcome FeedReads(const std::vector<Bytes>& reads) {
    FrameAssembler assembler;
    Outcome out;
    for (const Bytes& read : reads) {
        ExactBuffer bytes(read);  // an overread past the read is seen by ASan
        assembler.Feed(bytes.data(), bytes.size());
        for (;;) {
            const FrameAssembler::Result r = assembler.Next();
            if (r.Kind == FrameAssembler::Status::NeedMore) break;
            if (r.Kind == FrameAssembler::Status::TooLarge) {
                out.TooLarge = true;
                return out;
            }
            out.Payloads.emplace_back(r.Payload, r.Payload + r.Length);
        }
    }
    out.Held = assembler.Held();
    return out;
}

std::vector<Bytes> PayloadsOf(std::initializer_list<Bytes> frames) {
    std::vector<Bytes> payloads;
    for (const Bytes& f : frames)
        payloads.emplace_back(f.begin() + 4, f.end());
    return payloads;
}

}  // namespace

TEST(FrameAssembler, EveryFixtureSplitAtEveryByteGivesTheSameFrames) {
    const struct {
        const char* Name;
        Bytes Stream;
        std::vector<Bytes> Payloads;
    } cases[] = {
        {"heartbeat", Heartbeat, PayloadsOf({Heartbeat})},
        {"empty", Empty, PayloadsOf({Empty})},
        {"two frames", Cat({Short, Heartbeat}), PayloadsOf({Short, Heartbeat})},
        {"empty between", Cat({Short, Empty, Short}), PayloadsOf({Short, Empty, Short})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        for (size_t cut = 0; cut <= c.Stream.size(); ++cut) {
            SCOPED_TRACE("cut at " + std::to_string(cut));
            const Outcome out = FeedReads({Bytes(c.Stream.begin(), c.Stream.begin() + cut),
                                           Bytes(c.Stream.begin() + cut, c.Stream.end())});
            EXPECT_FALSE(out.TooLarge);
            EXPECT_EQ(out.Payloads, c.Payloads);
            EXPECT_EQ(out.Held, 0u);
        }
    }
}

TEST(FrameAssembler, EveryPairOfCutsAndByteByByteGiveTheSameFrames) {
    const Bytes stream = Cat({Short, Heartbeat});
    for (size_t a = 0; a <= stream.size(); ++a) {
        for (size_t b = a; b <= stream.size(); ++b) {
            const Outcome out = FeedReads({Bytes(stream.begin(), stream.begin() + a),
                                           Bytes(stream.begin() + a, stream.begin() + b),
                                           Bytes(stream.begin() + b, stream.end())});
            ASSERT_EQ(out.Payloads, PayloadsOf({Short, Heartbeat})) << "cuts at " << a << " and " << b;
        }
    }
    std::vector<Bytes> single;
    for (uint8_t byte : stream)
        single.push_back({byte});
    EXPECT_EQ(FeedReads(single).Payloads, PayloadsOf({Short, Heartbeat}));
}

TEST(FrameAssembler, LengthInTwoHalvesThenPayloadGivesOneFrameAfterTheThirdRead) {
    FrameAssembler assembler;
    Bytes reads[] = {Hex("00 00"), Hex("00 03"), Hex("0A 0B 0C")};
    for (int i = 0; i < 2; ++i) {
        assembler.Feed(reads[i].data(), 2);
        EXPECT_EQ(assembler.Next().Kind, FrameAssembler::Status::NeedMore);
    }
    assembler.Feed(reads[2].data(), 3);
    const FrameAssembler::Result r = assembler.Next();
    ASSERT_EQ(r.Kind, FrameAssembler::Status::Frame);
    EXPECT_BYTES(r.Payload, r.Length, Hex("0A 0B 0C"));
    EXPECT_EQ(assembler.Next().Kind, FrameAssembler::Status::NeedMore);
}

TEST(FrameAssembler, WholeFramesAreHandedOutInPlaceAndInOrder) {
    ExactBuffer read(Cat({Short, Empty, Heartbeat}));
    FrameAssembler assembler;
    assembler.Feed(read.data(), read.size());
    const FrameAssembler::Result first = assembler.Next();
    ASSERT_EQ(first.Kind, FrameAssembler::Status::Frame);
    EXPECT_EQ(first.Payload, read.data() + 4);
    const FrameAssembler::Result second = assembler.Next();
    ASSERT_EQ(second.Kind, FrameAssembler::Status::Frame);
    EXPECT_EQ(second.Length, 0u);
    const FrameAssembler::Result third = assembler.Next();
    ASSERT_EQ(third.Kind, FrameAssembler::Status::Frame);
    EXPECT_EQ(third.Payload, read.data() + 7 + 4 + 4);
    EXPECT_EQ(assembler.Next().Kind, FrameAssembler::Status::NeedMore);
}

TEST(FrameAssembler, LargestFrameIsAcceptedWholeAndSplit) {
    const Bytes largest = FrameOfLength(MaxPayloadLength);
    EXPECT_EQ(FeedReads({largest}).Payloads, PayloadsOf({largest}));
    const Outcome split = FeedReads(
        {Bytes(largest.begin(), largest.begin() + 4000), Bytes(largest.begin() + 4000, largest.end())});
    EXPECT_EQ(split.Payloads, PayloadsOf({largest}));
}

TEST(FrameAssembler, LengthAboveTheLimitIsTooLargeBeforeAnyPayloadArrives) {
    EXPECT_TRUE(FeedReads({Hex("00 00 1F FD")}).TooLarge);            // 8189, no payload
    EXPECT_TRUE(FeedReads({Hex("00 00"), Hex("1F FD")}).TooLarge);    // split length
    EXPECT_TRUE(FeedReads({Short, Hex("FF FF FF FF 00")}).TooLarge);  // after a good frame
    const Outcome after = FeedReads({Cat({Short, Hex("00 01 00 00")})});
    EXPECT_TRUE(after.TooLarge);
    EXPECT_EQ(after.Payloads, PayloadsOf({Short}));  // what came before is processed
}

TEST(FrameAssembler, TooLargeStaysReported) {
    FrameAssembler assembler;
    ExactBuffer bad(Hex("00 00 20 00"));
    assembler.Feed(bad.data(), bad.size());
    EXPECT_EQ(assembler.Next().Kind, FrameAssembler::Status::TooLarge);
    ExactBuffer good(Short);
    assembler.Feed(good.data(), good.size());
    EXPECT_EQ(assembler.Next().Kind, FrameAssembler::Status::TooLarge);
}

TEST(FrameAssembler, IncompleteFrameIsHeldUntilTheNextRead) {
    const Outcome out = FeedReads({Cat({Short, Bytes(Heartbeat.begin(), Heartbeat.begin() + 10)})});
    EXPECT_EQ(out.Payloads, PayloadsOf({Short}));
    EXPECT_EQ(out.Held, 10u);
}
