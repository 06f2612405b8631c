// The packages the front sends, built with the project's codec: replies of one package, list replies
// split across packages under the 8188-byte payload limit, and flow notifications. Each payload is
// returned as bytes, ready to be framed. Sans-I/O; any thread, one package at a time.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "codec/APIPackage.h"
#include "codec/RecordTable.h"
#include "tools/simfront/FlowJournal.h"

namespace simfront {

// One package being built in a buffer of its own: head (ServiceNo, RequestID, EndFlag 0) and a body
// to which records are appended.
class COutPackage {
  public:
    COutPackage(uint16_t serviceNo, int32_t requestId);
    COutPackage(const COutPackage&) = delete;
    COutPackage& operator=(const COutPackage&) = delete;

    CAPIPackage& Body() { return Package; }
    // Appends the record under its own row's tag; false when it does not fit.
    template <typename R>
    bool Write(const R& record) {
        return WriteRecordElement(Package, record) >= 0;
    }
    // Rewrites the head with a new EndFlag (the head has a fixed size, so the body stays in place).
    void SetEndFlag(int32_t endFlag);
    Payload Bytes() const;

  private:
    uint8_t Buffer[MaxPayloadLength];
    CAPIPackage Package;
};

// A record of another table with the fields the two share: the source's elements decoded into the
// target's bindings (shared tags are told apart by order, as on the wire).
template <typename To, typename From>
To ConvertRecord(const From& from) {
    From source = from;
    const RecordBindings<From> in(source);
    uint8_t elements[MaxPayloadLength];
    const int length = static_cast<const FieldBindingList&>(in).Encode(elements, sizeof elements);
    To to{};
    const RecordBindings<To> out(to);
    if (length > 0)
        (void)static_cast<const FieldBindingList&>(out).Decode(elements, static_cast<uint32_t>(length));
    return to;
}

// A reply of one package: the status, then the record when there is one.
template <typename Info, typename R>
Payload Reply(uint16_t serviceNo, int32_t requestId, const Info& info, const R* record) {
    COutPackage out(serviceNo, requestId);
    (void)out.Write(info);
    if (record != nullptr) (void)out.Write(*record);
    return out.Bytes();
}

// A flow package: ServiceNo 1 or 2, the notification code in RequestID, the sequence number in
// EndFlag and the record under its own row's tag.
template <typename R>
Payload FlowNotice(uint16_t flowServiceNo, int32_t code, uint32_t sequenceNo, const R& record) {
    COutPackage out(flowServiceNo, code);
    out.SetEndFlag(static_cast<int32_t>(sequenceNo));
    (void)out.Write(record);
    return out.Bytes();
}

// A list reply: every package carries the status and one list element. An item that does not fit the
// current package starts the next one; all packages but the last carry EndFlag 1. A reply without
// items is one package with an empty list.
template <typename Info>
class CListReply {
  public:
    CListReply(uint16_t serviceNo, int32_t requestId, const Info& info, uint16_t listTag)
        : ServiceNo(serviceNo), RequestID(requestId), Status(info), ListTag(listTag) {
        Open();
    }

    template <typename Item>
    void Add(const Item& item) {
        Item copy = item;
        const RecordBindings<Item> bindings(copy);
        if (Set.AddRecord(bindings) == 0) {
            Empty = false;
            return;
        }
        // An item larger than a whole package cannot be sent; every record of the tables fits.
        if (Empty) return;
        Current->SetEndFlag(1);
        Done.push_back(Current->Bytes());
        Open();
        if (Set.AddRecord(bindings) == 0) Empty = false;
    }

    std::vector<Payload> Finish() {
        Done.push_back(Current->Bytes());
        return std::move(Done);
    }

  private:
    void Open() {
        Current = std::make_unique<COutPackage>(ServiceNo, RequestID);
        (void)Current->Write(Status);
        (void)Current->Body().BeginRecordSet(ListTag, Set);
        Empty = true;
    }

    const uint16_t ServiceNo;
    const int32_t RequestID;
    const Info Status;
    const uint16_t ListTag;
    std::unique_ptr<COutPackage> Current;
    CKDXRecordSet Set;
    bool Empty = true;
    std::vector<Payload> Done;
};

}  // namespace simfront
