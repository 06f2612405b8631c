// Element encoding and decoding of binding lists.
#include "codec/FieldBinding.h"

#include <algorithm>
#include <cstring>

#include "codec/ByteOrder.h"

namespace {

// Element header: tag (2), extension length E (2), E extension bytes, value length V (4).
constexpr uint32_t HeaderSize = 8;

bool IsBlock(const FieldBinding& b) {
    return (b.Flags & BindBlock) != 0 || (b.Descriptor->Kind & KindBlockMask) != 0;
}

uint32_t TextValueLength(const FieldBinding& b) {
    const FieldDescriptor& d = *b.Descriptor;
    if (IsBlock(b)) return (b.Flags & BindFixedLength) ? static_cast<uint32_t>(d.Length) : *b.LengthRef;
    if (d.Length == 0) return 1;
    return static_cast<uint32_t>(strnlen(static_cast<const char*>(b.Value), static_cast<size_t>(d.Length)));
}

int ScalarSize(char type) {
    switch (type) {
        case 'D':
        case 'L':
            return 8;
        case 'I':
        case 'F':
            return 4;
        case 'S':
            return 2;
        default:
            return -1;
    }
}

void StoreScalar(uint8_t* out, const void* value, int size) {
    switch (size) {
        case 8: {
            uint64_t v;
            std::memcpy(&v, value, 8);
            be::Store64(out, v);
            break;
        }
        case 4: {
            uint32_t v;
            std::memcpy(&v, value, 4);
            be::Store32(out, v);
            break;
        }
        default: {
            uint16_t v;
            std::memcpy(&v, value, 2);
            be::Store16(out, v);
            break;
        }
    }
}

[[gnu::always_inline]] inline void LoadScalar(void* value, const uint8_t* in, int size) {
    switch (size) {
        case 8: {
            const uint64_t v = be::Load64(in);
            std::memcpy(value, &v, 8);
            break;
        }
        case 4: {
            const uint32_t v = be::Load32(in);
            std::memcpy(value, &v, 4);
            break;
        }
        default: {
            const uint16_t v = be::Load16(in);
            std::memcpy(value, &v, 2);
            break;
        }
    }
}

// Offset of the first element with the tag, or -1. Stops at the first element that does not fit.
int64_t SearchTag(const uint8_t* buffer, uint64_t n, uint16_t tag) {
    uint64_t q = 0;
    while (n - q >= HeaderSize) {
        if (be::Load16(buffer + q) == tag) return static_cast<int64_t>(q);
        const uint64_t e = be::Load16(buffer + q + 2);
        if (q + HeaderSize + e > n) return -1;
        const uint64_t next = q + HeaderSize + e + be::Load32(buffer + q + 4 + e);
        if (next >= n) return -1;
        q = next;
    }
    return -1;
}

}  // namespace

int FieldBindingList::Encode(uint8_t* buffer, uint32_t capacity) const {
    uint64_t pos = 0;
    for (uint32_t i = 0; i < Count; ++i) {
        const FieldBinding& b = Entries[i];
        if (capacity - pos < HeaderSize) return -1;
        uint8_t* element = buffer + pos;
        be::Store16(element, b.Descriptor->Tag);
        be::Store16(element + 2, 0);
        const uint64_t free = capacity - pos - HeaderSize;
        uint32_t length;
        if (b.Descriptor->Type == 'C') {
            length = TextValueLength(b);
            if (free < length) return -1;
            std::memcpy(element + HeaderSize, b.Value, length);
        } else {
            const int size = ScalarSize(b.Descriptor->Type);
            if (size < 0 || free < static_cast<uint64_t>(size)) return -1;
            StoreScalar(element + HeaderSize, b.Value, size);
            length = static_cast<uint32_t>(size);
        }
        be::Store32(element + 4, length);
        pos += HeaderSize + length;
    }
    return static_cast<int>(pos);
}

namespace {

// What the decoder needs of one binding or member slot.
struct DecodeTarget {
    uint64_t Header;  // as MemberSlot::Header
    uint16_t Tag;
    char Type;
    int Size;  // as MemberSlot::Size
    int32_t Length;
    bool Block;
    bool FixedLength;
    void* Value;
    uint32_t Capacity;
    uint32_t* LengthRef;
};

// The one decoding loop: target(i) describes the i-th variable to fill.
template <typename Target>
int DecodeRun(const uint8_t* buffer, uint32_t length, uint32_t count, Target&& target) {
    const uint64_t n = length;
    uint64_t pos = 0;
    for (uint32_t i = 0; i < count; ++i) {
        const DecodeTarget b = target(i);
        // The common case first: the next element is the variable's own number at its own size.
        if (b.Size > 0 && n - pos >= HeaderSize + static_cast<uint64_t>(b.Size)) {
            uint64_t header;
            std::memcpy(&header, buffer + pos, sizeof header);
            if (header == b.Header) {
                LoadScalar(b.Value, buffer + pos + HeaderSize, b.Size);
                pos += HeaderSize + static_cast<uint64_t>(b.Size);
                continue;
            }
        }
        if (pos == n) pos = 0;
        if (n - pos < HeaderSize) return -1;

        uint64_t q = pos;
        if (be::Load16(buffer + pos) != b.Tag) {
            const int64_t found = SearchTag(buffer, n, b.Tag);
            if (found < 0) {
                pos = 0;
                continue;
            }
            q = static_cast<uint64_t>(found);
        }

        const uint64_t e = be::Load16(buffer + q + 2);
        if (q + HeaderSize + e > n) return -1;
        const uint64_t v = q + HeaderSize + e;
        const uint64_t valueLength = be::Load32(buffer + q + 4 + e);
        if (valueLength == 0) {
            pos = v;
            continue;
        }

        if (b.Type == 'C') {
            if (v + valueLength > n) return -1;
            const uint8_t* value = buffer + v;
            char* out = static_cast<char*>(b.Value);
            if (b.Block) {
                if (b.FixedLength) {
                    if (valueLength != static_cast<uint64_t>(b.Length)) return -1;
                    std::memcpy(out, value, valueLength);
                } else {
                    const uint64_t k = std::min({valueLength, static_cast<uint64_t>(std::max(b.Length, 0)),
                                                 static_cast<uint64_t>(b.Capacity)});
                    if (b.LengthRef != nullptr) *b.LengthRef = static_cast<uint32_t>(k);
                    std::memcpy(out, value, k);
                }
            } else if (b.Length > 1) {
                if (b.Capacity > 0) {
                    const uint64_t k = std::min({valueLength, static_cast<uint64_t>(b.Length),
                                                 static_cast<uint64_t>(b.Capacity - 1)});
                    std::memcpy(out, value, k);
                    out[k] = '\0';
                }
            } else {
                std::memcpy(out, value, std::min(valueLength, static_cast<uint64_t>(b.Capacity)));
            }
            pos = v + valueLength;
        } else {
            const int size = b.Size;
            if (size < 0) return -1;
            if (v + static_cast<uint64_t>(size) > n) return -1;
            LoadScalar(b.Value, buffer + v, size);
            pos = v + static_cast<uint64_t>(size);
        }
    }
    return 0;
}

}  // namespace

namespace {

int8_t SlotSize(char type) {
    return type == 'C' ? 0 : static_cast<int8_t>(ScalarSize(type));
}

// The header of an element with the tag, no extension and a value of `size` bytes, as it lies in
// memory; 0 (no element has it: its value length would be 0) when size is not positive.
uint64_t ElementHeader(uint16_t tag, int size) {
    if (size <= 0) return 0;
    uint8_t header[HeaderSize];
    be::Store16(header, tag);
    be::Store16(header + 2, 0);
    be::Store32(header + 4, static_cast<uint32_t>(size));
    uint64_t raw;
    std::memcpy(&raw, header, sizeof raw);
    return raw;
}

}  // namespace

MemberSlot MakeMemberSlot(const FieldDescriptor& row, uint32_t offset, uint32_t capacity) {
    const int8_t size = SlotSize(row.Type);
    return MemberSlot{
        ElementHeader(row.Tag, size), row.Tag, row.Type, size, row.Length, row.Kind, offset, capacity};
}

int FieldBindingList::Decode(const uint8_t* buffer, uint32_t length) const {
    return DecodeRun(buffer, length, Count, [this](uint32_t i) {
        const FieldBinding& b = Entries[i];
        const FieldDescriptor& d = *b.Descriptor;
        const int size = SlotSize(d.Type);
        return DecodeTarget{.Header = ElementHeader(d.Tag, size),
                            .Tag = d.Tag,
                            .Type = d.Type,
                            .Size = size,
                            .Length = d.Length,
                            .Block = IsBlock(b),
                            .FixedLength = (b.Flags & BindFixedLength) != 0,
                            .Value = b.Value,
                            .Capacity = b.Capacity,
                            .LengthRef = b.LengthRef};
    });
}

int MemberSlotList::Decode(void* record, const uint8_t* buffer, uint32_t length) const {
    char* const base = static_cast<char*>(record);
    return DecodeRun(buffer, length, Count, [&](uint32_t i) {
        const MemberSlot& m = Slots[i];
        return DecodeTarget{.Header = m.Header,
                            .Tag = m.Tag,
                            .Type = m.Type,
                            .Size = m.Size,
                            .Length = m.Length,
                            .Block = (m.Kind & KindBlockMask) != 0,
                            .FixedLength = false,
                            .Value = base + m.Offset,
                            .Capacity = m.Capacity,
                            .LengthRef = nullptr};
    });
}
