// Machinery shared by the record tables (.def files of KDX_RECORD blocks): the traits every expanded
// record has, RecordBindings, the binding list of one record instance built from ForEachField, and the
// one generic writer of a record element.
// A record table header includes this file, then codec/RecordTable.inc inside its own namespace.
#pragma once

#include <cstdint>
#include <type_traits>

#include "codec/FieldBinding.h"
#include "codec/KDXPackage.h"
#include "codec/FieldTypes.h"
#include "codec/Fields.h"

// What the table says of one record: whether it has a dictionary row of its own (a record without one
// only travels as a list item), that row or null, and its number of members. HasRow is separate from Row
// because comparing a row's address with null is not a constant expression for every compiler setting.
struct RecordShape {
    bool HasRow;
    const FieldDescriptor* Row;
    uint32_t Members;
};

// ShapeOf is found by argument-dependent lookup in the namespace of the record table.
template <typename R>
inline constexpr uint32_t MemberCount = ShapeOf(static_cast<const R*>(nullptr)).Members;

template <typename R>
inline constexpr bool HasRecordRow = ShapeOf(static_cast<const R*>(nullptr)).HasRow;

template <typename R>
inline constexpr const FieldDescriptor* RecordRow = ShapeOf(static_cast<const R*>(nullptr)).Row;

// The binding list of one record instance: one plain binding per member, in binding order, each with
// Capacity = the member's width, Flags 0 and no LengthRef. Pinned in place, because List points into
// Entries; it must not outlive the record it binds.
template <typename R>
class RecordBindings {
  public:
    explicit RecordBindings(R& record) : List{Entries, MemberCount<R>} {
        uint32_t i = 0;
        ForEachField(record,
                     [&](const FieldDescriptor& row, auto& member) { Entries[i++] = Bind(row, member); });
    }
    RecordBindings(const RecordBindings&) = delete;
    RecordBindings& operator=(const RecordBindings&) = delete;

    operator const FieldBindingList&() const { return List; }

    FieldBinding Entries[MemberCount<R>];
    FieldBindingList List;
};

// The member slots of record type R, laid out once on first use (thread-safe) from ForEachField over a
// probe instance: what decoding any instance of R needs, without building a binding list per record.
template <typename R>
const MemberSlotList& RecordLayout() {
    static const struct Layout {
        Layout() {
            R probe{};
            const char* const base = reinterpret_cast<const char*>(&probe);
            uint32_t i = 0;
            ForEachField(probe, [&](const FieldDescriptor& row, auto& member) {
                const char* const at = reinterpret_cast<const char*>(&member);
                Slots[i++] = MakeMemberSlot(row, static_cast<uint32_t>(at - base),
                                            static_cast<uint32_t>(sizeof member));
            });
        }
        MemberSlot Slots[MemberCount<R>];
        MemberSlotList List{Slots, MemberCount<R>};
    } layout;
    return layout.List;
}

// Decodes a run of elements into the record (FieldBindingList::Decode with one plain binding per
// member): 0, or -1 on an element that does not fit.
template <typename R>
[[nodiscard]] int DecodeRecord(R& record, const uint8_t* buffer, uint32_t length) {
    return RecordLayout<R>().Decode(&record, buffer, length);
}

// Appends the record as one compound element under its own row's tag: every member in binding order,
// zero members included. The record is copied first, as a binding needs a mutable variable. Returns
// WriteRecord's result: the value's length, or -1 when the element does not fit.
template <typename R>
int WriteRecordElement(CKDXPackage& package, const R& record) {
    static_assert(HasRecordRow<R>, "a record without a row of its own travels only as a list item");
    R copy{};
    copy = record;
    const RecordBindings bindings(copy);
    return package.WriteRecord(bindings, RecordRow<R>->Tag);
}
