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

// What the decoder asks of the i-th variable to fill, read only where needed: from a binding (its row
// and flags) or from a member slot and the record's address.
class BindingView {
  public:
    explicit BindingView(const FieldBinding& binding) : B(binding), D(*binding.Descriptor) {}
    int Size() const { return SlotSize(D.Type); }
    uint64_t Header() const { return ElementHeader(D.Tag, Size()); }
    uint16_t Tag() const { return D.Tag; }
    char Type() const { return D.Type; }
    int32_t Length() const { return D.Length; }
    bool Block() const { return IsBlock(B); }
    bool FixedLength() const { return (B.Flags & BindFixedLength) != 0; }
    void* Value() const { return B.Value; }
    uint32_t Capacity() const { return B.Capacity; }
    uint32_t* LengthRef() const { return B.LengthRef; }

  private:
    const FieldBinding& B;
    const FieldDescriptor& D;
};

class SlotView {
  public:
    SlotView(const MemberSlot& slot, char* record) : M(slot), Record(record) {}
    int Size() const { return M.Size; }
    uint64_t Header() const { return M.Header; }
    uint16_t Tag() const { return M.Tag; }
    char Type() const { return M.Type; }
    int32_t Length() const { return M.Length; }
    bool Block() const { return (M.Kind & KindBlockMask) != 0; }
    static bool FixedLength() { return false; }
    void* Value() const { return Record + M.Offset; }
    uint32_t Capacity() const { return M.Capacity; }
    static uint32_t* LengthRef() { return nullptr; }

  private:
    const MemberSlot& M;
    char* const Record;
};

// The one decoding loop: view(i) describes the i-th variable to fill.
template <typename View>
int DecodeRun(const uint8_t* buffer, uint32_t length, uint32_t count, View&& view) {
    const uint64_t n = length;
    uint64_t pos = 0;
    for (uint32_t i = 0; i < count; ++i) {
        const auto b = view(i);
        // The common case first: the next element is the variable's own number at its own size.
        const int size = b.Size();
        if (size > 0 && n - pos >= HeaderSize + static_cast<uint64_t>(size)) {
            uint64_t header;
            std::memcpy(&header, buffer + pos, sizeof header);
            if (header == b.Header()) {
                LoadScalar(b.Value(), buffer + pos + HeaderSize, size);
                pos += HeaderSize + static_cast<uint64_t>(size);
                continue;
            }
        }
        if (pos == n) pos = 0;
        if (n - pos < HeaderSize) return -1;

        uint64_t q = pos;
        if (be::Load16(buffer + pos) != b.Tag()) {
            const int64_t found = SearchTag(buffer, n, b.Tag());
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

        if (b.Type() == 'C') {
            if (v + valueLength > n) return -1;
            const uint8_t* value = buffer + v;
            char* out = static_cast<char*>(b.Value());
            const uint64_t capacity = b.Capacity();
            const int32_t rowLength = b.Length();
            if (b.Block()) {
                if (b.FixedLength()) {
                    if (valueLength != static_cast<uint64_t>(rowLength)) return -1;
                    std::memcpy(out, value, valueLength);
                } else {
                    const uint64_t k =
                        std::min({valueLength, static_cast<uint64_t>(std::max(rowLength, 0)), capacity});
                    if (uint32_t* const lengthRef = b.LengthRef()) *lengthRef = static_cast<uint32_t>(k);
                    std::memcpy(out, value, k);
                }
            } else if (rowLength > 1) {
                if (capacity > 0) {
                    const uint64_t k =
                        std::min({valueLength, static_cast<uint64_t>(rowLength), capacity - 1});
                    std::memcpy(out, value, k);
                    out[k] = '\0';
                }
            } else {
                std::memcpy(out, value, std::min(valueLength, capacity));
            }
            pos = v + valueLength;
        } else {
            if (size < 0) return -1;
            if (v + static_cast<uint64_t>(size) > n) return -1;
            LoadScalar(b.Value(), buffer + v, size);
            pos = v + static_cast<uint64_t>(size);
        }
    }
    return 0;
}

}  // namespace

MemberSlot MakeMemberSlot(const FieldDescriptor& row, uint32_t offset, uint32_t capacity) {
    const int8_t size = SlotSize(row.Type);
    return MemberSlot{
        ElementHeader(row.Tag, size), row.Tag, row.Type, size, row.Length, row.Kind, offset, capacity};
}

int FieldBindingList::Decode(const uint8_t* buffer, uint32_t length) const {
    return DecodeRun(buffer, length, Count, [this](uint32_t i) { return BindingView(Entries[i]); });
}

int MemberSlotList::Decode(void* record, const uint8_t* buffer, uint32_t length) const {
    char* const base = static_cast<char*>(record);
    return DecodeRun(buffer, length, Count, [&](uint32_t i) { return SlotView(Slots[i], base); });
}
