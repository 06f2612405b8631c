// Element layout, binding-list encoding and decoding, element lookup and record lists.
#include "codec/KDXPackage.h"

#include <cstring>

#include <gtest/gtest.h>

#include "codec/APIPackage.h"
#include "codec/Fields.h"
#include "tests/support/Hex.h"

namespace {

template <size_t N>
FieldBindingList List(FieldBinding (&entries)[N]) {
    return FieldBindingList{entries, N};
}

Bytes Encoded(const FieldBindingList& list, uint32_t capacity = 256) {
    Bytes out(capacity);
    const int n = list.Encode(out.data(), capacity);
    out.resize(n < 0 ? 0 : static_cast<size_t>(n));
    return out;
}

}  // namespace

// --- element layout and scalar types

TEST(PackageCodec, TextIsCutToLengthAndSingleCharacterZeroIsOneByte) {
    char investor[32] = "ABCDEFGHIJKLMNOPQ";  // 17 characters for a row of length 15
    char bsFlag = 0;
    FieldBinding b[] = {Bind(fld::InvestorID, investor), Bind(fld::BSFlag, bsFlag)};
    const Bytes expected =
        Hex("04 0A 00 00 00 00 00 0F 41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F"  // InvestorID
            "04 15 00 00 00 00 00 01 00");                                          // BSFlag
    const Bytes actual = Encoded(List(b));
    EXPECT_BYTES(actual.data(), actual.size(), expected);
}

TEST(PackageCodec, NumbersAreBigEndian) {
    double price = 1.5;
    int64_t qtyTotal = 1;
    int16_t rspNo = -2;
    int32_t qty = 0x01020304;
    char empty[16] = "";
    FieldBinding b[] = {Bind(fld::Price, price), Bind(fld::QtyTotal, qtyTotal), Bind(fld::RspNo, rspNo),
                        Bind(fld::Qty, qty), Bind(fld::InvestorID, empty)};
    const Bytes expected =
        Hex("04 17 00 00 00 00 00 08 3F F8 00 00 00 00 00 00"  // Price 1.5
            "04 3F 00 00 00 00 00 08 00 00 00 00 00 00 00 01"  // QtyTotal 1
            "04 02 00 00 00 00 00 02 FF FE"                    // RspNo -2
            "04 18 00 00 00 00 00 04 01 02 03 04"              // Qty
            "04 0A 00 00 00 00 00 00");                        // InvestorID, empty text
    const Bytes actual = Encoded(List(b));
    EXPECT_BYTES(actual.data(), actual.size(), expected);

    double price2 = 0;
    int64_t qtyTotal2 = 0;
    int16_t rspNo2 = 0;
    int32_t qty2 = 0;
    char empty2[16] = "keep";
    FieldBinding d[] = {Bind(fld::Price, price2), Bind(fld::QtyTotal, qtyTotal2), Bind(fld::RspNo, rspNo2),
                        Bind(fld::Qty, qty2), Bind(fld::InvestorID, empty2)};
    ExactBuffer in(expected);
    ASSERT_EQ(List(d).Decode(in.data(), in.size()), 0);
    EXPECT_EQ(price2, 1.5);
    EXPECT_EQ(qtyTotal2, 1);
    EXPECT_EQ(rspNo2, -2);
    EXPECT_EQ(qty2, 0x01020304);
    EXPECT_STREQ(empty2, "keep");  // a value of length 0 leaves the variable as it was
}

TEST(PackageCodec, EncodeFailsWhenAnElementDoesNotFit) {
    char investor[16] = "ABCDEFGHIJ";
    int32_t qty = 1;
    FieldBinding b[] = {Bind(fld::Qty, qty), Bind(fld::InvestorID, investor)};
    Bytes out(12 + 8 + 9);  // one byte short for the text
    EXPECT_EQ(List(b).Encode(out.data(), static_cast<uint32_t>(out.size())), -1);
    EXPECT_EQ(List(b).Encode(out.data(), 7), -1);
    out.resize(30);
    EXPECT_EQ(List(b).Encode(out.data(), 30), 30);
}

// --- text rules on decoding

TEST(PackageCodec, DecodedTextIsCutToLengthAndToTheVariable) {
    const Bytes element =
        Hex("04 0A 00 00 00 00 00 14 41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F 50 51 52 53 54");
    ExactBuffer in(element);
    char wide[16];
    std::memset(wide, 'x', sizeof wide);
    FieldBinding b1[] = {Bind(fld::InvestorID, wide)};
    ASSERT_EQ(List(b1).Decode(in.data(), in.size()), 0);
    EXPECT_STREQ(wide, "ABCDEFGHIJKLMNO");

    char narrow[5];
    FieldBinding b2[] = {Bind(fld::InvestorID, narrow)};
    ASSERT_EQ(List(b2).Decode(in.data(), in.size()), 0);
    EXPECT_STREQ(narrow, "ABCD");
}

TEST(PackageCodec, SingleCharacterTakesTheFirstByte) {
    ExactBuffer in(Hex("04 15 00 00 00 00 00 03 78 79 7A"));  // BSFlag "xyz"
    char bsFlag = 0;
    FieldBinding b[] = {Bind(fld::BSFlag, bsFlag)};
    ASSERT_EQ(List(b).Decode(in.data(), in.size()), 0);
    EXPECT_EQ(bsFlag, 'x');
}

TEST(PackageCodec, ExtensionBytesAreSkipped) {
    ExactBuffer in(Hex("04 18 00 03 AA BB CC 00 00 00 04 00 00 00 2A"));  // Qty 42 with 3 extension bytes
    int32_t qty = 0;
    FieldBinding b[] = {Bind(fld::Qty, qty)};
    ASSERT_EQ(List(b).Decode(in.data(), in.size()), 0);
    EXPECT_EQ(qty, 42);
}

// --- lookup order and shared tags

TEST(PackageCodec, FieldsInAnotherOrderAreAllFoundAndMissingOnesKeepTheirValue) {
    ExactBuffer in(
        Hex("04 18 00 00 00 00 00 04 00 00 00 07"  // Qty 7
            "04 15 00 00 00 00 00 01 42"));        // BSFlag 'B'
    char bsFlag = 0;
    int32_t qty = 0;
    double price = 9.5;
    FieldBinding b[] = {Bind(fld::BSFlag, bsFlag), Bind(fld::Price, price), Bind(fld::Qty, qty)};
    ASSERT_EQ(List(b).Decode(in.data(), in.size()), 0);
    EXPECT_EQ(bsFlag, 'B');
    EXPECT_EQ(qty, 7);
    EXPECT_EQ(price, 9.5);
}

TEST(PackageCodec, SharedTagsAreToldApartByBindingOrder) {
    int32_t askQty5 = 0;
    char exchange[17] = "";
    int32_t qty = 0;
    FieldBinding b[] = {Bind(fld::AskQty5, askQty5), Bind(fld::ExchangeID, exchange), Bind(fld::Qty, qty)};

    // In binding order each binding finds its own element.
    ExactBuffer inOrder(
        Hex("06 65 00 00 00 00 00 04 00 00 00 07"  // AskQty5 7 (1637)
            "06 65 00 00 00 00 00 04 53 48 46 45"  // ExchangeID "SHFE" (1637)
            "04 18 00 00 00 00 00 04 00 00 00 03"));
    ASSERT_EQ(List(b).Decode(inOrder.data(), inOrder.size()), 0);
    EXPECT_EQ(askQty5, 7);
    EXPECT_STREQ(exchange, "SHFE");
    EXPECT_EQ(qty, 3);

    // Out of order, AskQty5 misses its expected position and takes the first element with its tag.
    ExactBuffer outOfOrder(
        Hex("04 18 00 00 00 00 00 04 00 00 00 03"
            "06 65 00 00 00 00 00 04 53 48 46 45"     // ExchangeID "SHFE"
            "06 65 00 00 00 00 00 04 00 00 00 07"));  // AskQty5 7
    askQty5 = 0;
    std::memset(exchange, 0, sizeof exchange);
    ASSERT_EQ(List(b).Decode(outOfOrder.data(), outOfOrder.size()), 0);
    EXPECT_EQ(askQty5, 0x53484645);
    EXPECT_EQ(qty, 3);
}

// --- malformed input

TEST(PackageCodec, ElementsThatDoNotFitFailTheDecode) {
    struct Case {
        const char* name;
        const char* hex;
    } const cases[] = {
        {"empty buffer", ""},
        {"header cut short", "04 18 00 00 00 00 00"},
        {"value cut short", "04 18 00 00 00 00 00 04 00 00 00"},
        {"extension past the end", "04 18 00 09 00 00 00 04 00 00 00 01"},
        {"text past the end", "04 0A 00 00 00 00 00 10 41 42"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ExactBuffer in(Hex(c.hex));
        int32_t qty = 5;
        char investor[16] = "";
        FieldBinding b[] = {Bind(fld::Qty, qty), Bind(fld::InvestorID, investor)};
        EXPECT_EQ(List(b).Decode(in.data(), in.size()), -1);
    }
}

TEST(PackageCodec, FindElementWrapsAndRestoresTheCursorOnAMiss) {
    ExactBuffer in(
        Hex("03 EA 00 00 00 00 00 04 00 00 00 01"     // FlowID
            "03 EB 00 00 00 00 00 04 00 00 00 02"     // RequestID
            "03 EC 00 00 00 00 00 04 00 00 00 03"));  // EndFlag
    CKDXPackage p;
    p.Attach(in.data(), 0, in.size(), nullptr);
    EXPECT_EQ(p.FindElement(1004), 24);
    EXPECT_EQ(p.Cursor, 24u);
    EXPECT_EQ(p.FindElement(1004), 24);  // the same tag twice gives the same element
    EXPECT_EQ(p.FindElement(1002), 0);   // before the cursor: wraps to the start
    EXPECT_EQ(p.FindElement(1003), 12);
    EXPECT_EQ(p.FindElement(9999), -1);
    EXPECT_EQ(p.Cursor, 12u);

    ExactBuffer broken(Hex("03 EA 00 00 00 00 00 04 00 00 00 01  03 EB 00 00 00 00 01 00 00"));
    p.Attach(broken.data(), 0, broken.size(), nullptr);
    EXPECT_EQ(p.FindElement(1003), -1);  // ends past the window
    EXPECT_EQ(p.Cursor, 0u);
    CKDXPackage child;
    EXPECT_EQ(p.OpenElement(1003, child), -1);
    EXPECT_EQ(child.Data, nullptr);
}

// --- record lists

TEST(PackageCodec, AddRecordKeepsEveryEnclosingLengthExact) {
    uint8_t buffer[MaxPayloadLength];
    CAPIPackage package;
    package.BeginPackage(17, 9, buffer);
    CKDXPackage request;
    ASSERT_EQ(package.BeginElement(fld::FlowSubscribeReq.Tag, request), 0);
    CKDXRecordSet list;
    ASSERT_EQ(request.BeginRecordSet(fld::FlowSubscribeReqList.Tag, list), 0);
    int32_t flowId = 1, pkgNo = 57;
    FieldBinding b[] = {Bind(fld::FlowID, flowId), Bind(fld::PkgNo, pkgNo)};
    ASSERT_EQ(list.AddRecord(List(b)), 0);
    flowId = 2;
    pkgNo = 0;
    ASSERT_EQ(list.AddRecord(List(b)), 0);

    const Bytes expected =
        Hex("03 F1 00 00 00 00 00 22"                // ApiHead
            "03 F0 00 00 00 00 00 02 00 11"          // ServiceNo 17
            "03 EB 00 00 00 00 00 04 00 00 00 09"    // RequestID 9
            "03 EC 00 00 00 00 00 04 00 00 00 00"    // EndFlag
            "03 F2 00 00 00 00 00 48"                // ApiBody, 72
            "03 F5 00 00 00 00 00 40"                // FlowSubscribeReq, 64
            "03 F6 00 00 00 00 00 38"                // FlowSubscribeReqList, 56
            "00 00 00 18"                            // record, 24
            "03 EA 00 00 00 00 00 04 00 00 00 01"    // FlowID 1
            "03 ED 00 00 00 00 00 04 00 00 00 39"    // PkgNo 57
            "00 00 00 18"                            // record, 24
            "03 EA 00 00 00 00 00 04 00 00 00 02"    // FlowID 2
            "03 ED 00 00 00 00 00 04 00 00 00 00");  // PkgNo 0
    EXPECT_BYTES(package.GetBuffer(), package.GetLength(), expected);
    EXPECT_EQ(list.GetLength(), 56u);
}

TEST(PackageCodec, ListsYieldWholeRecordsAndStopAtOneCutShort) {
    // Body: a list of one whole record (FlowID 1) and one whose length claims 12 bytes but holds 6.
    ExactBuffer in(
        Hex("03 F6 00 00 00 00 00 1A"
            "00 00 00 0C 03 EA 00 00 00 00 00 04 00 00 00 01"
            "00 00 00 0C 03 EA 00 00 00 00"));
    CKDXPackage body;
    body.Attach(in.data(), 0, in.size(), nullptr);
    CKDXRecordSet set;
    ASSERT_EQ(body.OpenRecordSet(fld::FlowSubscribeReqList.Tag, set), 0);
    int32_t flowId = 0;
    FieldBinding b[] = {Bind(fld::FlowID, flowId)};
    ASSERT_TRUE(set.HasRecords());
    ASSERT_TRUE(set.NextRecord());
    ASSERT_EQ(List(b).Decode(set.Data, set.Length), 0);
    EXPECT_EQ(flowId, 1);
    EXPECT_TRUE(set.HasMoreRecords());
    EXPECT_FALSE(set.HasRecords());
    EXPECT_FALSE(set.NextRecord());
}

TEST(PackageCodec, EmptyOrMissingListHasNoRecords) {
    ExactBuffer in(Hex("03 F6 00 00 00 00 00 00"));
    CKDXPackage body;
    body.Attach(in.data(), 0, in.size(), nullptr);
    CKDXRecordSet set;
    ASSERT_EQ(body.OpenRecordSet(fld::FlowSubscribeReqList.Tag, set), 0);
    EXPECT_FALSE(set.HasRecords());
    EXPECT_FALSE(set.NextRecord());
    EXPECT_EQ(body.OpenRecordSet(fld::OrderList.Tag, set), -1);
    EXPECT_FALSE(set.HasRecords());
    EXPECT_FALSE(set.NextRecord());
}

TEST(PackageCodec, ReadViewsRefuseWrites) {
    ExactBuffer in(Hex("03 EA 00 00 00 00 00 04 00 00 00 01"));
    CKDXPackage view;
    view.Attach(in.data(), 0, in.size(), nullptr);
    CKDXPackage child;
    EXPECT_EQ(view.BeginElement(1002, child), -1);
    EXPECT_EQ(view.AppendBytes("x", 1), -1);
    EXPECT_EQ(view.BeginElement(1002), nullptr);
}
