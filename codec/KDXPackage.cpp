// Element windows and record lists.
#include "codec/KDXPackage.h"

#include <cstring>

#include "codec/ByteOrder.h"

namespace {
constexpr uint32_t HeaderSize = 8;
constexpr uint32_t RecordLengthSize = 4;
}  // namespace

void CKDXPackage::Attach(uint8_t* buffer, uint32_t capacity, uint32_t length, CKDXPackage* parent) {
    Data = buffer;
    Capacity = capacity;
    Length = length;
    Cursor = 0;
    Parent = parent;
}

void CKDXPackage::Reset() {
    Attach(nullptr, 0, 0, nullptr);
}

int CKDXPackage::OnWriteAttached() {
    return 0;
}

int CKDXPackage::OnReadAttached() {
    return 0;
}

int CKDXPackage::AppendBytes(const void* bytes, uint32_t count) {
    if (Data == nullptr || !HasRoom(count)) return -1;
    std::memcpy(Data + Length, bytes, count);
    Grow(count);
    return static_cast<int>(count);
}

int CKDXPackage::BeginChild(uint16_t tag, CKDXPackage& child) {
    if (Data == nullptr) return -1;
    return BeginElement(tag, child);
}

std::shared_ptr<CKDXRecordSet> CKDXPackage::BeginRecordSet(uint16_t tag) {
    auto set = std::make_shared<CKDXRecordSet>();
    BeginRecordSet(tag, *set);
    return set;
}

int CKDXPackage::BeginRecordSet(uint16_t tag, CKDXRecordSet& set) {
    return BeginElement(tag, set);
}

std::shared_ptr<CKDXPackage> CKDXPackage::BeginElement(uint16_t tag) {
    if (Data == nullptr || !HasRoom(HeaderSize)) return nullptr;
    auto child = std::make_shared<CKDXPackage>();
    BeginElement(tag, *child);
    return child;
}

int CKDXPackage::BeginElement(uint16_t tag, CKDXPackage& child) {
    child.Reset();
    if (Data == nullptr || !HasRoom(HeaderSize)) return -1;
    uint8_t* header = Data + Length;
    be::Store16(header, tag);
    std::memset(header + 2, 0, 6);
    const uint32_t free = Capacity - Length;
    Grow(HeaderSize);
    child.Attach(header + HeaderSize, free - HeaderSize, 0, nullptr);
    child.Parent = this;
    child.OnWriteAttached();
    return 0;
}

int CKDXPackage::OpenChild(uint16_t tag, CKDXPackage& child) {
    if (Data == nullptr) return -1;
    return OpenElement(tag, child);
}

std::shared_ptr<CKDXRecordSet> CKDXPackage::OpenRecordSet(uint16_t tag) {
    auto set = std::make_shared<CKDXRecordSet>();
    OpenElement(tag, *set);
    return set;
}

int CKDXPackage::OpenRecordSet(uint16_t tag, CKDXRecordSet& set) {
    return OpenElement(tag, set);
}

std::shared_ptr<CKDXPackage> CKDXPackage::OpenElement(uint16_t tag) {
    auto child = std::make_shared<CKDXPackage>();
    if (OpenElement(tag, *child) < 0) return nullptr;
    return child;
}

int CKDXPackage::OpenElement(uint16_t tag, CKDXPackage& child) {
    child.Reset();
    if (Data == nullptr || FindElement(tag) < 0) return -1;
    const uint8_t* element = Data + Cursor;
    const uint32_t e = be::Load16(element + 2);
    child.Attach(Data + Cursor + HeaderSize + e, 0, be::Load32(element + 4 + e), nullptr);
    child.OnReadAttached();
    return 0;
}

int CKDXPackage::Grow(uint32_t count) {
    Length += count;
    if (Parent != nullptr) {
        be::Store32(Data - 4, Length);
        Parent->Grow(count);
    }
    return 0;
}

uint8_t* CKDXPackage::GetBuffer() {
    return Data;
}

uint32_t CKDXPackage::GetLength() {
    return Length;
}

int CKDXPackage::FindElement(uint16_t tag) {
    if (Data == nullptr || Cursor > Length || Length - Cursor < HeaderSize) return -1;
    const uint32_t start = Cursor;
    uint64_t p = start;
    bool wrapped = false;
    for (;;) {
        uint64_t end = p + HeaderSize;
        if (end > Length) break;
        end += be::Load16(Data + p + 2);
        if (end > Length) break;
        end += be::Load32(Data + end - 4);
        if (end > Length) break;
        if (be::Load16(Data + p) == tag) {
            Cursor = static_cast<uint32_t>(p);
            return static_cast<int>(p);
        }
        if (end == Length) {
            // A window whose elements from the start never land on the starting point again is
            // malformed; one wrap is the most a search takes.
            if (wrapped) break;
            wrapped = true;
            end = 0;
        }
        if (end == start || (wrapped && end > start)) break;
        p = end;
    }
    Cursor = start;
    return -1;
}

int CKDXPackage::WriteRecord(const FieldBindingList& bindings, uint16_t tag) {
    CKDXPackage child;
    if (BeginElement(tag, child) < 0 || child.Data == nullptr) return -1;
    const int k = bindings.Encode(child.Data + child.Length, child.Capacity - child.Length);
    if (k < 0) return -1;
    child.Grow(static_cast<uint32_t>(k));
    return k;
}

void CKDXRecordSet::Attach(uint8_t* buffer, uint32_t capacity, uint32_t length, CKDXPackage* parent) {
    Parent = parent;
    TotalCapacity = capacity;
    SetLength = length;
    ReadOffset = 0;
    Base = buffer;
    if (capacity == 0) {
        // A read view is open exactly when the list has bytes; its window is set by NextRecord.
        Data = length > 0 ? buffer : nullptr;
        Capacity = 0;
    } else if (capacity >= length && capacity - length >= RecordLengthSize) {
        Data = buffer + length + RecordLengthSize;
        Capacity = capacity - length - RecordLengthSize;
    } else {
        Data = nullptr;
        Capacity = 0;
    }
    Length = 0;
    Cursor = 0;
}

void CKDXRecordSet::Reset() {
    CKDXPackage::Reset();
    Base = nullptr;
    TotalCapacity = 0;
    SetLength = 0;
    ReadOffset = 0;
}

int CKDXRecordSet::Grow(uint32_t count) {
    Length += count;
    return 0;
}

uint8_t* CKDXRecordSet::GetBuffer() {
    return Base;
}

uint32_t CKDXRecordSet::GetLength() {
    return SetLength;
}

int CKDXRecordSet::AddRecord(const FieldBindingList& bindings) {
    if (Data == nullptr || TotalCapacity == 0) return -1;
    const int k = bindings.Encode(Data + Length, Capacity - Length);
    if (k < 0) return -1;
    Grow(static_cast<uint32_t>(k));
    be::Store32(Data - RecordLengthSize, Length);
    SetLength += Length + RecordLengthSize;
    if (Parent != nullptr) {
        be::Store32(Base - 4, SetLength);
        Parent->Grow(Length + RecordLengthSize);
    }
    Length = 0;
    Cursor = 0;
    if (TotalCapacity - SetLength > RecordLengthSize - 1) {
        Data = Base + SetLength + RecordLengthSize;
        Capacity = TotalCapacity - SetLength - RecordLengthSize;
    } else {
        Data = nullptr;
        Capacity = 0;
    }
    return 0;
}

bool CKDXRecordSet::HasRecords() const {
    if (Base == nullptr || ReadOffset > SetLength || SetLength - ReadOffset < RecordLengthSize) return false;
    const uint64_t end = uint64_t{ReadOffset} + RecordLengthSize + be::Load32(Base + ReadOffset);
    return end <= SetLength;
}

bool CKDXRecordSet::NextRecord() {
    if (Data == nullptr || !HasRecords()) return false;
    const uint32_t r = be::Load32(Base + ReadOffset);
    Data = Base + ReadOffset + RecordLengthSize;
    Length = r;
    Capacity = 0;
    Cursor = 0;
    ReadOffset += RecordLengthSize + r;
    return true;
}
