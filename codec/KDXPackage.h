// Windows over caller-owned buffers in which KDX elements are appended or looked up. A child package
// begun for writing points at its parent, and every append patches the value lengths of all enclosing
// elements. Packages never own or allocate message bytes. One thread at a time.
#pragma once

#include <cstdint>
#include <memory>

#include "codec/FieldBinding.h"

class CKDXRecordSet;

class CKDXPackage {
  public:
    CKDXPackage() = default;
    CKDXPackage(const CKDXPackage&) = delete;
    CKDXPackage& operator=(const CKDXPackage&) = delete;

    virtual void Attach(uint8_t* buffer, uint32_t capacity, uint32_t length, CKDXPackage* parent);
    virtual void Reset();
    virtual int OnWriteAttached();
    virtual int OnReadAttached();
    // Copies count bytes to the end of the window. Returns count, or -1 when detached or out of room.
    virtual int AppendBytes(const void* bytes, uint32_t count);
    virtual int BeginChild(uint16_t tag, CKDXPackage& child);
    virtual std::shared_ptr<CKDXRecordSet> BeginRecordSet(uint16_t tag);
    virtual int BeginRecordSet(uint16_t tag, CKDXRecordSet& set);
    virtual std::shared_ptr<CKDXPackage> BeginElement(uint16_t tag);
    // Writes an element header (value length 0) and attaches the child to its value for writing.
    virtual int BeginElement(uint16_t tag, CKDXPackage& child);
    virtual int OpenChild(uint16_t tag, CKDXPackage& child);
    virtual std::shared_ptr<CKDXRecordSet> OpenRecordSet(uint16_t tag);
    virtual int OpenRecordSet(uint16_t tag, CKDXRecordSet& set);
    virtual std::shared_ptr<CKDXPackage> OpenElement(uint16_t tag);
    // Attaches the child read-only to the value of the element with the tag. -1 when there is none.
    virtual int OpenElement(uint16_t tag, CKDXPackage& child);
    // Counts count more bytes and keeps the value length of every enclosing element equal to it.
    virtual int Grow(uint32_t count);
    virtual uint8_t* GetBuffer();
    virtual uint32_t GetLength();
    virtual ~CKDXPackage() = default;

    // Offset of the element with the tag, searching from Cursor and wrapping once to the start;
    // Cursor stays on the element found. -1 (Cursor unchanged) when absent or the window is malformed.
    [[nodiscard]] int FindElement(uint16_t tag);

    // Appends one compound element whose value is the bindings' elements. Returns the value's length.
    int WriteRecord(const FieldBindingList& bindings, uint16_t tag);

    uint8_t* Data = nullptr;
    uint32_t Capacity = 0;  // 0 for a read view
    uint32_t Length = 0;
    uint32_t Cursor = 0;
    CKDXPackage* Parent = nullptr;

  protected:
    bool HasRoom(uint32_t count) const { return Capacity >= Length && Capacity - Length >= count; }
};

// A list element: a run of records, each a 4-byte length and a run of elements. The inherited window is
// the current record.
class CKDXRecordSet : public CKDXPackage {
  public:
    using CKDXPackage::BeginElement;
    using CKDXPackage::BeginRecordSet;
    using CKDXPackage::OpenElement;
    using CKDXPackage::OpenRecordSet;

    void Attach(uint8_t* buffer, uint32_t capacity, uint32_t length, CKDXPackage* parent) override;
    void Reset() override;
    int Grow(uint32_t count) override;
    uint8_t* GetBuffer() override;
    uint32_t GetLength() override;

    // Appends one record encoded from the bindings and patches the list's and the enclosing lengths.
    int AddRecord(const FieldBindingList& bindings);

    // Reading: true when a whole record follows the read position.
    [[nodiscard]] bool HasRecords() const;
    // Moves the window to the next whole record. False at the end or on a record cut short.
    [[nodiscard]] bool NextRecord();
    [[nodiscard]] bool HasMoreRecords() const { return ReadOffset < SetLength; }

    uint8_t* Base = nullptr;
    uint32_t TotalCapacity = 0;  // 0 for a read view
    uint32_t SetLength = 0;
    uint32_t ReadOffset = 0;
};
