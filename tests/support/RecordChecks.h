// Checks that every record table test runs against its hand-written case table: each record's row,
// tag and members (field, width, binding order), and an encode/decode round trip of a fully populated
// record among unknown elements.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <type_traits>
#include <vector>

#include <gtest/gtest.h>

#include "codec/RecordTable.h"
#include "tests/support/Elements.h"

// A record as the catalogue gives it: its name, its row's tag (0 for a record that only travels as a
// list item and has no row) and its members in binding order, "Field/Width Field/Width ...".
struct RecordCase {
    const char* Name;
    uint16_t Tag;
    const char* Members;
};

struct MemberCase {
    std::string Field;
    uint32_t Width;
};

std::vector<MemberCase> ParseMembers(const char* members);

// The row called name in an ordered dictionary table, or null.
const FieldDescriptor* FindRow(const FieldDescriptor* const* table, size_t rows, const std::string& name);

// The elements of the members named by a case, in order, as the wire rules write them: the value given
// for the member, else its zero (an empty text, one zero byte for a single character, a zero number of
// the type's size).
Bytes MemberElements(const FieldDescriptor* const* table, size_t rows, const char* members,
                     const std::map<std::string, Bytes>& values = {});

template <size_t N>
const RecordCase& CaseNamed(const RecordCase (&cases)[N], const std::string& name) {
    for (const RecordCase& c : cases)
        if (name == c.Name) return c;
    ADD_FAILURE() << "no case " << name;
    return cases[0];
}

// Sets every bound member to a non-zero value of its own: texts filled to their dictionary length.
void FillDistinct(const FieldBindingList& list);

// Every member of two binding lists over records of one type holds the same bytes.
void ExpectSameMembers(const FieldBindingList& expected, const FieldBindingList& actual);

// Encodes the bindings and decodes the result, framed by elements the record does not know, into the
// other bindings.
void RoundTrip(const FieldBindingList& from, const FieldBindingList& to);

// Calls check(std::type_identity<R>{}, cases[i]) for the i-th record type that forEachRecordType
// visits (a table's ForEachRecordType), and fails when the table and the cases differ in number.
template <size_t N, typename Table, typename Check>
void ForEachRecordCase(const RecordCase (&cases)[N], Table forEachRecordType, Check check) {
    size_t i = 0;
    forEachRecordType([&](auto type) {
        if (i < N) check(type, cases[i]);
        ++i;
    });
    EXPECT_EQ(i, N) << "record types in the table";
}

template <typename R>
void CheckRecordShape(const RecordCase& c) {
    static_assert(std::is_aggregate_v<R> && std::is_trivially_copyable_v<R>);
    SCOPED_TRACE(c.Name);
    const std::vector<MemberCase> members = ParseMembers(c.Members);
    EXPECT_EQ(HasRecordRow<R>, c.Tag != 0);
    if (c.Tag == 0) {
        EXPECT_EQ(RecordRow<R>, nullptr);
    } else {
        ASSERT_NE(RecordRow<R>, nullptr);
        EXPECT_STREQ(RecordRow<R>->Name, c.Name);
        EXPECT_EQ(RecordRow<R>->Tag, c.Tag);
        EXPECT_EQ(RecordRow<R>->Kind, KindRecord);
    }
    ASSERT_EQ(MemberCount<R>, members.size());

    R record{};
    const RecordBindings<R> bindings(record);
    const auto* base = reinterpret_cast<const uint8_t*>(&record);
    size_t end = 0;  // members lie in binding order without overlap
    for (size_t i = 0; i < members.size(); ++i) {
        const FieldBinding& b = bindings.Entries[i];
        SCOPED_TRACE(members[i].Field);
        EXPECT_EQ(b.Descriptor->Name, members[i].Field);
        EXPECT_EQ(b.Capacity, members[i].Width);
        EXPECT_EQ(b.Flags, 0u);
        EXPECT_EQ(b.LengthRef, nullptr);
        const size_t offset = static_cast<size_t>(static_cast<const uint8_t*>(b.Value) - base);
        // The layout that decodes every instance places the member alike.
        const MemberSlot& slot = RecordLayout<R>().Slots[i];
        EXPECT_EQ(slot.Tag, b.Descriptor->Tag);
        EXPECT_EQ(slot.Type, b.Descriptor->Type);
        EXPECT_EQ(slot.Length, b.Descriptor->Length);
        EXPECT_EQ(slot.Offset, offset);
        EXPECT_EQ(slot.Capacity, b.Capacity);
        EXPECT_GE(offset, end);
        end = offset + b.Capacity;
    }
    EXPECT_LE(end, sizeof(R));
}

// The record's member layout decodes a run of elements as its binding list does: the same result and
// the same members, for the whole run and for every run cut short of it.
template <typename R>
void CheckLayoutDecodesLikeBindings(const Bytes& elements) {
    const MemberSlotList& layout = RecordLayout<R>();
    ASSERT_EQ(layout.Count, MemberCount<R>);
    for (size_t cut = 0; cut <= elements.size(); ++cut) {
        SCOPED_TRACE("first " + std::to_string(cut) + " bytes");
        ExactBuffer in(Bytes(elements.begin(), elements.begin() + static_cast<std::ptrdiff_t>(cut)));
        R byBindings{};
        const RecordBindings<R> bindings(byBindings);
        const int expected = bindings.List.Decode(in.data(), in.size());
        R byLayout{};
        ASSERT_EQ(layout.Decode(&byLayout, in.data(), in.size()), expected);
        const RecordBindings<R> layoutMembers(byLayout);
        ExpectSameMembers(bindings, layoutMembers);
        if (::testing::Test::HasFailure()) return;
    }
}

template <typename R>
void CheckRecordRoundTrip(const RecordCase& c) {
    SCOPED_TRACE(c.Name);
    R sent{};
    const RecordBindings<R> from(sent);
    FillDistinct(from);
    R received{};
    const RecordBindings<R> to(received);
    RoundTrip(from, to);
    Bytes encoded(64 * 1024);
    const int n = from.List.Encode(encoded.data(), static_cast<uint32_t>(encoded.size()));
    ASSERT_GT(n, 0);
    encoded.resize(static_cast<size_t>(n));
    CheckLayoutDecodesLikeBindings<R>(Cat({Element(0xFFFF, Text("xyz")), encoded}));
}

// A zero-filled R decoded from the elements (an exact-size copy of them).
template <typename R>
R DecodeRecord(const Bytes& elements) {
    R record{};
    const RecordBindings<R> bindings(record);
    ExactBuffer in(elements);
    EXPECT_EQ(bindings.List.Decode(in.data(), in.size()), 0);
    return record;
}
