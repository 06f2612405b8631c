// The reading patterns every reply and notification handler of both sessions is made of: one element
// into a zero-filled record, and a list walked record by record with the more flag. Records live in
// automatic storage for one package; handlers run on the session I/O thread.
#pragma once

#include <cstdint>

#include "codec/APIPackage.h"
#include "codec/RecordTable.h"

// Zero-fills the record and reads the element with the tag into it. True when the element is there and
// its value decodes (an element with an empty value leaves the record zero and counts as read); what a
// failed decode filled in stays in the record.
template <typename R>
bool ReadElement(CKDXPackage& body, uint16_t tag, R& record) {
    record = R{};
    CKDXPackage element;
    if (body.OpenElement(tag, element) < 0) return false;
    if (element.Length == 0) return true;
    const RecordBindings<R> bindings(record);
    return static_cast<const FieldBindingList&>(bindings).Decode(element.Data, element.Length) == 0;
}

// The element under the record's own row's tag.
template <typename R>
bool ReadElement(CKDXPackage& body, R& record) {
    return ReadElement(body, RecordRow<R>->Tag, record);
}

// Walks the list with the tag: calls report(item, more) once per whole record, with more 1 while a
// further record follows in the list and the package's EndFlag for the last one; or report(nullptr,
// EndFlag) once when the list is absent or holds no whole record. The item is not cleared between
// records, so a field that a record omits keeps the previous record's value. A record cut short ends
// the walk.
template <typename Item, typename Report>
void WalkList(CAPIPackage& package, uint16_t listTag, Report&& report) {
    Item item{};
    const RecordBindings<Item> bindings(item);
    CKDXRecordSet set;
    (void)package.OpenRecordSet(listTag, set);
    if (!set.HasRecords()) {
        report(static_cast<const Item*>(nullptr), package.EndFlag);
        return;
    }
    while (set.NextRecord()) {
        (void)static_cast<const FieldBindingList&>(bindings).Decode(set.Data, set.Length);
        const Item copy = item;
        report(&copy, set.HasMoreRecords() ? 1 : package.EndFlag);
    }
}
