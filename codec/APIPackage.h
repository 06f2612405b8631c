// The payload of every frame: an ApiHead element (ServiceNo, RequestID, EndFlag) and an ApiBody
// element. Built in a caller's buffer by BeginPackage or opened in place by OpenPackage; lives on the
// stack of one call on the I/O thread.
#pragma once

#include <cstdint>

#include "codec/KDXPackage.h"

constexpr uint32_t MaxPayloadLength = 8188;

class CAPIPackage : public CKDXPackage {
  public:
    CAPIPackage();

    int Grow(uint32_t count) override;
    uint8_t* GetBuffer() override;
    uint32_t GetLength() override;

    // Writes the head and an empty body into buffer, which has room for MaxPayloadLength bytes, and
    // points the package at the body. Returns 0. With nothing appended this is the heartbeat payload.
    int BeginPackage(uint16_t serviceNo, int32_t requestId, uint8_t* buffer);

    // Reads the head fields (absent ones stay 0) and points the package at the body; a payload without
    // ApiBody leaves the package detached.
    void OpenPackage(uint8_t* payload, uint32_t length);

    uint8_t* Buffer = nullptr;
    uint32_t TotalLength = 0;
    uint32_t BufferCapacity = 0;
    FieldBindingList HeadBindings;
    uint16_t ServiceNo = 0;
    int32_t RequestID = 0;
    int32_t EndFlag = 0;

  private:
    FieldBinding HeadEntries[3];
};
