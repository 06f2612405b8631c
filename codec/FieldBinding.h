// Binding lists: the scalar fields of one record, each a dictionary row plus the address of its
// variable, written to and read from a run of KDX elements. Used on one thread at a time.
#pragma once

#include <cstdint>

#include "codec/FieldDescriptor.h"

constexpr uint32_t BindBlock = 0x4000;       // the value is an opaque byte block
constexpr uint32_t BindFixedLength = 0x800;  // the block is exactly Length bytes long

struct FieldBinding {
    const FieldDescriptor* Descriptor;
    void* Value;
    uint32_t Capacity;  // size of the variable; consulted when a C value is read
    uint32_t Flags;
    uint32_t* LengthRef;  // length of a byte block without BindFixedLength
};

struct FieldBindingList {
    FieldBinding* Entries;
    uint32_t Count;

    // Writes one element per binding, in order, from the buffer's start. Returns the bytes written,
    // or -1 when an element does not fit (what was written stays in the buffer, uncounted).
    [[nodiscard]] int Encode(uint8_t* buffer, uint32_t capacity) const;

    // Fills the bound variables from a run of elements. Each binding is looked for first where the
    // previous one ended, then from the start, so two rows sharing a tag are told apart by order.
    // A missing element or one with an empty value leaves its variable as it was.
    // Returns 0, or -1 on an element that does not fit the buffer.
    [[nodiscard]] int Decode(const uint8_t* buffer, uint32_t length) const;
};

// One member of a record as the decoder sees it: its row's tag, type, length and kind, and where the
// member lies in the record. A record type's slots are laid out once (RecordLayout, codec/RecordTable.h)
// and serve every instance: decoding into a record then needs no binding list of its own.
struct MemberSlot {
    uint64_t Header;  // the 8 header bytes of the member's element at its own size, 0 for C
    uint16_t Tag;
    char Type;
    int8_t Size;  // bytes of a number type, 0 for C, -1 for a type the codec does not know
    int32_t Length;
    uint32_t Kind;
    uint32_t Offset;    // of the member in the record
    uint32_t Capacity;  // size of the member
};

// The slot of a member bound to row at that offset and of that size.
[[nodiscard]] MemberSlot MakeMemberSlot(const FieldDescriptor& row, uint32_t offset, uint32_t capacity);

struct MemberSlotList {
    const MemberSlot* Slots;
    uint32_t Count;

    // FieldBindingList::Decode into the members of the record at `record`, each as a plain binding.
    [[nodiscard]] int Decode(void* record, const uint8_t* buffer, uint32_t length) const;
};

// A plain scalar binding of a variable to a row; Capacity is the variable's size.
template <typename T>
FieldBinding Bind(const FieldDescriptor& row, T& variable) {
    return FieldBinding{&row, &variable, static_cast<uint32_t>(sizeof(T)), 0, nullptr};
}
