// libFuzzer body shared by the record-table fuzzers: arbitrary bytes decoded as every record of a
// table (a record's elements, a list value of records, a received package holding the record's
// element). Every record the table gains is fuzzed without a change here. After each decode every text
// member must still end within its width.
#pragma once

#include <cstdint>
#include <cstring>
#include <type_traits>
#include <vector>

#include "codec/APIPackage.h"
#include "codec/RecordTable.h"

namespace fuzz {

inline void RequireTerminatedTexts(const FieldBindingList& list) {
    for (uint32_t i = 0; i < list.Count; ++i) {
        const FieldBinding& b = list.Entries[i];
        if (b.Descriptor->Type == 'C' && b.Descriptor->Length > 0 &&
            std::memchr(b.Value, 0, b.Capacity) == nullptr)
            __builtin_trap();
    }
}

template <typename R>
void DecodeAs(uint8_t* data, uint32_t size) {
    R record{};
    const RecordBindings<R> bindings(record);
    (void)bindings.List.Decode(data, size);
    RequireTerminatedTexts(bindings);

    CKDXRecordSet set;  // read view of a list value, as OpenRecordSet attaches it
    set.Attach(data, 0, size, nullptr);
    while (set.NextRecord()) {
        (void)bindings.List.Decode(set.Data, set.Length);
        RequireTerminatedTexts(bindings);
    }

    if constexpr (HasRecordRow<R>) {
        CAPIPackage package;
        package.OpenPackage(data, size);
        CKDXPackage child;
        if (package.OpenElement(RecordRow<R>->Tag, child) == 0 && child.Data != nullptr) {
            R fromBody{};
            const RecordBindings<R> bodyBindings(fromBody);
            (void)bodyBindings.List.Decode(child.Data, child.Length);
            RequireTerminatedTexts(bodyBindings);
        }
    }
}

// forEachRecordType: a table's ForEachRecordType.
template <typename Table>
int DecodeEveryRecord(const uint8_t* data, size_t size, Table forEachRecordType) {
    if (size > MaxPayloadLength) return 0;
    std::vector<uint8_t> bytes(data, data + size);  // exact size: a read past it is caught
    forEachRecordType([&]<typename R>(std::type_identity<R>) {
        DecodeAs<R>(bytes.data(), static_cast<uint32_t>(bytes.size()));
    });
    return 0;
}

}  // namespace fuzz
