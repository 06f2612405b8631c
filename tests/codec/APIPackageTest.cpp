// API packages: the head written by BeginPackage, the body length kept current, received payloads.
#include "codec/APIPackage.h"

#include <gtest/gtest.h>

#include "codec/Fields.h"
#include "tests/support/Hex.h"

namespace {
const Bytes Heartbeat =
    Hex("03 F1 00 00 00 00 00 22"              // ApiHead, 34
        "03 F0 00 00 00 00 00 02 00 00"        // ServiceNo 0
        "03 EB 00 00 00 00 00 04 00 00 00 00"  // RequestID 0
        "03 EC 00 00 00 00 00 04 00 00 00 00"  // EndFlag 0
        "03 F2 00 00 00 00 00 00");            // ApiBody, empty
}

TEST(APIPackage, EmptyPackageIsTheHeartbeat) {
    uint8_t buffer[MaxPayloadLength];
    CAPIPackage package;
    EXPECT_EQ(package.BeginPackage(0, 0, buffer), 0);
    EXPECT_EQ(package.GetBuffer(), buffer);
    EXPECT_EQ(package.GetLength(), 50u);
    EXPECT_BYTES(package.GetBuffer(), package.GetLength(), Heartbeat);
    EXPECT_EQ(package.Capacity, 8138u);
}

TEST(APIPackage, AppendedBodyIsCountedInTheBodyAndTheTotal) {
    uint8_t buffer[MaxPayloadLength];
    CAPIPackage package;
    package.BeginPackage(122, 3, buffer);
    char investor[16] = "ABCD";
    FieldBinding b[] = {Bind(fld::InvestorID, investor)};
    ASSERT_EQ(package.WriteRecord(FieldBindingList{b, 1}, fld::InputOrder.Tag), 12);  // a 20-byte element
    EXPECT_EQ(package.GetLength(), 70u);
    EXPECT_BYTES(buffer + 42, 8, Hex("03 F2 00 00 00 00 00 14"));
}

TEST(APIPackage, BodyThatDoesNotFitFailsAndKeepsWhatWasAppended) {
    uint8_t buffer[MaxPayloadLength];
    CAPIPackage package;
    package.BeginPackage(122, 3, buffer);
    static uint8_t filler[8130];
    ASSERT_EQ(package.AppendBytes(filler, sizeof filler), 8130);
    CKDXPackage child;
    EXPECT_EQ(package.BeginElement(fld::InputOrder.Tag, child), 0);  // exactly the last 8 bytes
    EXPECT_EQ(package.GetLength(), MaxPayloadLength);
    EXPECT_EQ(package.BeginElement(fld::InputOrder.Tag, child), -1);
    EXPECT_EQ(package.AppendBytes(filler, 1), -1);
}

TEST(APIPackage, ReceivedHeadFieldsMayComeInAnyOrder) {
    ExactBuffer in(
        Hex("03 F1 00 00 00 00 00 22"
            "03 EC 00 00 00 00 00 04 00 00 00 01"  // EndFlag 1
            "03 F0 00 00 00 00 00 02 00 7B"        // ServiceNo 123
            "03 EB 00 00 00 00 00 04 FF FF FF FF"  // RequestID -1
            "03 F2 00 00 00 00 00 0C"
            "04 18 00 00 00 00 00 04 00 00 00 05"));  // Qty 5
    CAPIPackage package;
    package.OpenPackage(in.data(), in.size());
    EXPECT_EQ(package.ServiceNo, 123);
    EXPECT_EQ(package.RequestID, -1);
    EXPECT_EQ(package.EndFlag, 1);
    EXPECT_EQ(package.Data, in.data() + 50);
    EXPECT_EQ(package.Length, 12u);
    EXPECT_EQ(package.GetLength(), in.size());
    EXPECT_EQ(package.FindElement(fld::Qty.Tag), 0);
}

TEST(APIPackage, PayloadOfBodyAloneHasHeadFieldsZero) {
    ExactBuffer in(Hex("03 F2 00 00 00 00 00 0C 04 18 00 00 00 00 00 04 00 00 00 05"));
    CAPIPackage package;
    package.OpenPackage(in.data(), in.size());
    EXPECT_EQ(package.ServiceNo, 0);
    EXPECT_EQ(package.RequestID, 0);
    EXPECT_EQ(package.EndFlag, 0);
    ASSERT_NE(package.Data, nullptr);
    EXPECT_EQ(package.Length, 12u);
}

TEST(APIPackage, PayloadWithoutBodyLeavesThePackageDetached) {
    Bytes head(Heartbeat.begin(), Heartbeat.begin() + 42);
    head[17] = 0x7B;
    ExactBuffer in(head);
    CAPIPackage package;
    package.OpenPackage(in.data(), in.size());
    EXPECT_EQ(package.ServiceNo, 123);
    EXPECT_EQ(package.Data, nullptr);
    CKDXPackage child;
    EXPECT_EQ(package.OpenElement(fld::Qty.Tag, child), -1);
}

// Every strict prefix of a valid payload opens without reading outside it.
TEST(APIPackage, EveryPrefixOfAPayloadOpensSafely) {
    const Bytes payload = Cat({Heartbeat, Hex("04 18 00 00 00 00 00 04 00 00 00 05")});
    ExactBuffer whole(payload);
    // Fix the body length for the appended element.
    whole.data()[49] = 12;
    const Bytes full(whole.data(), whole.data() + whole.size());
    for (size_t n = 0; n < full.size(); ++n) {
        SCOPED_TRACE(n);
        ExactBuffer in(Bytes(full.begin(), full.begin() + static_cast<long>(n)));
        CAPIPackage package;
        package.OpenPackage(in.data(), in.size());
        int32_t qty = -1;
        FieldBinding b[] = {Bind(fld::Qty, qty)};
        CKDXPackage child;
        if (package.OpenElement(fld::Qty.Tag, child) == 0)
            (void)FieldBindingList{b, 1}.Decode(child.Data, child.Length);
        EXPECT_EQ(qty, -1);
    }
}
