#include "tests/support/RecordChecks.h"

#include <cstring>
#include <sstream>

std::vector<MemberCase> ParseMembers(const char* members) {
    std::vector<MemberCase> out;
    std::istringstream in(members);
    std::string item;
    while (in >> item) {
        const size_t slash = item.find('/');
        out.push_back({item.substr(0, slash), static_cast<uint32_t>(std::stoul(item.substr(slash + 1)))});
    }
    return out;
}

const FieldDescriptor* FindRow(const FieldDescriptor* const* table, size_t rows, const std::string& name) {
    for (size_t i = 0; i < rows; ++i)
        if (name == table[i]->Name) return table[i];
    return nullptr;
}

Bytes MemberElements(const FieldDescriptor* const* table, size_t rows, const char* members,
                     const std::map<std::string, Bytes>& values) {
    Bytes out;
    for (const MemberCase& m : ParseMembers(members)) {
        const FieldDescriptor* row = FindRow(table, rows, m.Field);
        if (row == nullptr) {
            ADD_FAILURE() << "no row " << m.Field;
            return {};
        }
        size_t size = m.Width;  // S, I, L, D: the number's size
        if (row->Type == 'C') size = row->Length == 0 ? 1 : 0;
        const auto given = values.find(m.Field);
        out = Cat({out, Element(row->Tag, given != values.end() ? given->second : Bytes(size, 0))});
    }
    return out;
}

void FillDistinct(const FieldBindingList& list) {
    for (uint32_t i = 0; i < list.Count; ++i) {
        const FieldBinding& b = list.Entries[i];
        const FieldDescriptor& row = *b.Descriptor;
        char* value = static_cast<char*>(b.Value);
        switch (row.Type) {
            case 'C':
                if (row.Length == 0) {
                    value[0] = static_cast<char>('A' + i % 26);
                } else {
                    for (int32_t k = 0; k < row.Length; ++k)
                        value[k] = static_cast<char>('a' + (i + static_cast<uint32_t>(k)) % 26);
                }
                break;
            case 'S': {
                const int16_t v = static_cast<int16_t>(0x0100 + i);
                std::memcpy(value, &v, sizeof v);
                break;
            }
            case 'I': {
                const int32_t v = static_cast<int32_t>(0x01020300 + i);
                std::memcpy(value, &v, sizeof v);
                break;
            }
            case 'L': {
                const int64_t v = 0x0102030405060700 + i;
                std::memcpy(value, &v, sizeof v);
                break;
            }
            case 'D': {
                const double v = 0.25 + i;
                std::memcpy(value, &v, sizeof v);
                break;
            }
            default:
                ADD_FAILURE() << "unexpected type of " << row.Name;
        }
    }
}

void ExpectSameMembers(const FieldBindingList& expected, const FieldBindingList& actual) {
    ASSERT_EQ(expected.Count, actual.Count);
    for (uint32_t i = 0; i < expected.Count; ++i) {
        const FieldBinding& e = expected.Entries[i];
        const FieldBinding& a = actual.Entries[i];
        EXPECT_TRUE(e.Capacity == a.Capacity && std::memcmp(e.Value, a.Value, e.Capacity) == 0)
            << e.Descriptor->Name << ": " << ToHex(static_cast<const uint8_t*>(a.Value), a.Capacity);
    }
}

void RoundTrip(const FieldBindingList& from, const FieldBindingList& to) {
    Bytes encoded(64 * 1024);
    const int n = from.Encode(encoded.data(), static_cast<uint32_t>(encoded.size()));
    ASSERT_GT(n, 0);
    encoded.resize(static_cast<size_t>(n));
    // Elements the record does not bind: a tag no row has, and the Head row.
    const Bytes unknown = Cat({Element(0xFFFF, Text("xyz")), Element(1000, Bytes{})});
    ExactBuffer in(Cat({unknown, encoded, unknown}));
    ASSERT_EQ(to.Decode(in.data(), in.size()), 0);
    ExpectSameMembers(from, to);
}
