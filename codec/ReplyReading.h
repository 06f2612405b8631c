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
    return DecodeRecord(record, element.Data, element.Length) == 0;
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
    CKDXRecordSet set;
    (void)package.OpenRecordSet(listTag, set);
    if (!set.HasRecords()) {
        report(static_cast<const Item*>(nullptr), package.EndFlag);
        return;
    }
    while (set.NextRecord()) {
        (void)DecodeRecord(item, set.Data, set.Length);
        const Item copy = item;
        report(&copy, set.HasMoreRecords() ? 1 : package.EndFlag);
    }
}

// The reply families both sessions share, for a callback interface Spi whose reply operations take
// (const R*, const Info*, int requestId, int flag). With no callback object the package is decoded and
// nothing is called. Every pointer refers to a copy in automatic storage, valid during the call only.
template <typename Spi, typename R, typename Info>
using ReplyCallback = void (Spi::*)(const R*, const Info*, int, int);

// Record and status always reported, zero where absent or unreadable; flag is the package's EndFlag.
template <typename Info, typename R, typename Spi>
void FixedReply(CAPIPackage& package, uint16_t tag, Spi* spi, ReplyCallback<Spi, R, Info> callback) {
    R record;
    Info info;
    (void)ReadElement(package, tag, record);
    (void)ReadElement(package, info);
    if (spi) (spi->*callback)(&record, &info, package.RequestID, package.EndFlag);
}

// Record and status each null unless present and read without error.
template <typename Info, typename R, typename Spi>
void SingleReply(CAPIPackage& package, uint16_t tag, Spi* spi, ReplyCallback<Spi, R, Info> callback) {
    Info info;
    R record;
    const bool hasInfo = ReadElement(package, info);
    const bool hasRecord = ReadElement(package, tag, record);
    if (spi) {
        (spi->*callback)(hasRecord ? &record : nullptr, hasInfo ? &info : nullptr, package.RequestID,
                         package.EndFlag);
    }
}

// One call per list item with the more flag (WalkList), the same status (or null) for every call.
template <typename Info, typename R, typename Spi>
void ListReply(CAPIPackage& package, uint16_t listTag, Spi* spi, ReplyCallback<Spi, R, Info> callback) {
    Info info;
    const Info* infoPtr = ReadElement(package, info) ? &info : nullptr;
    WalkList<R>(package, listTag, [&](const R* item, int more) {
        if (spi) (spi->*callback)(item, infoPtr, package.RequestID, more);
    });
}

// A pushed record under its own row's tag, reported even when absent (all zero).
template <typename R, typename Spi>
void NotifyRecord(CAPIPackage& package, Spi* spi, void (Spi::*callback)(const R*)) {
    R record;
    (void)ReadElement(package, record);
    if (spi) (spi->*callback)(&record);
}
