// Trading frames for tests against the scripted front: the session records of received request frames,
// decoded with the trading bindings, and the elements of reply and flow packages laid out by hand from
// the wire rules. Needs the trading dictionary linked.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "codec/APIPackage.h"
#include "codec/Fields.h"
#include "tests/support/Elements.h"
#include "tests/support/ScriptedFront.h"
#include "trade/session/TradeRecords.h"

// The request record (under its own row's tag) of a received frame; all zero when it does not decode.
template <typename R>
R RequestRecord(const ReceivedFrame& frame) {
    R record{};
    const RecordBindings<R> bindings(record);
    if (!frame.DecodeRecord(RecordRow<R>->Tag, bindings)) record = R{};
    return record;
}

// The {FlowID, PkgNo} items of a received flow subscription (request 3).
inline std::vector<std::pair<int32_t, int32_t>> FlowSubscriptionItems(const ReceivedFrame& frame) {
    std::vector<std::pair<int32_t, int32_t>> items;
    if (frame.Frame.size() < 4) return items;
    ExactBuffer payload(Bytes(frame.Frame.begin() + 4, frame.Frame.end()));
    CAPIPackage package;
    package.OpenPackage(payload.data(), payload.size());
    CKDXRecordSet set;
    if (package.OpenRecordSet(fld::FlowSubscribeReqList.Tag, set) != 0) return items;
    while (set.NextRecord()) {
        trade::FlowSubscribeReq item{};
        const RecordBindings<trade::FlowSubscribeReq> bindings(item);
        (void)bindings.List.Decode(set.Data, set.Length);
        items.emplace_back(item.FlowID, item.PkgNo);
    }
    return items;
}

// The frames with this ServiceNo, in arrival order.
inline std::vector<ReceivedFrame> FramesOf(const ScriptedFront& front, uint16_t serviceNo) {
    std::vector<ReceivedFrame> selected;
    for (const ReceivedFrame& frame : front.Frames())
        if (frame.ServiceNo == serviceNo) selected.push_back(frame);
    return selected;
}

// Elements of reply bodies.
inline Bytes RspInfoElement(int16_t rspNo, const std::string& text) {
    return Element(fld::RspInfo.Tag, Cat({Element(fld::RspNo.Tag, BigEndian(static_cast<uint16_t>(rspNo), 2)),
                                          Element(fld::RspDesc.Tag, Text(text))}));
}
inline Bytes TextField(const FieldDescriptor& row, const std::string& text) {
    return Element(row.Tag, Text(text));
}
inline Bytes CharField(const FieldDescriptor& row, char code) {
    return Element(row.Tag, Bytes{static_cast<uint8_t>(code)});
}
inline Bytes IntField(const FieldDescriptor& row, int32_t value) {
    return Element(row.Tag, BigEndian(static_cast<uint32_t>(value), 4));
}
inline Bytes LongField(const FieldDescriptor& row, int64_t value) {
    return Element(row.Tag, BigEndian(static_cast<uint64_t>(value), 8));
}
inline Bytes DoubleField(const FieldDescriptor& row, double value) {
    uint64_t bits;
    static_assert(sizeof bits == sizeof value);
    std::memcpy(&bits, &value, sizeof bits);
    return Element(row.Tag, BigEndian(bits, 8));
}
