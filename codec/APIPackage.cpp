// Building and opening API packages.
#include "codec/APIPackage.h"

#include "codec/ByteOrder.h"
#include "codec/Fields.h"

namespace {
// ApiHead element (8 + 34) and the ApiBody header (8): below this the package is writing its head.
constexpr uint32_t HeadAndBodyHeader = 50;
}  // namespace

CAPIPackage::CAPIPackage()
    : HeadEntries{{&fld::ServiceNo, &ServiceNo, sizeof ServiceNo, 0, nullptr},
                  {&fld::RequestID, &RequestID, sizeof RequestID, 0, nullptr},
                  {&fld::EndFlag, &EndFlag, sizeof EndFlag, 0, nullptr}} {
    HeadBindings.Entries = HeadEntries;
    HeadBindings.Count = 3;
}

int CAPIPackage::Grow(uint32_t count) {
    CKDXPackage::Grow(count);
    if (TotalLength >= HeadAndBodyHeader) be::Store32(Data - 4, Length);
    TotalLength += count;
    return 0;
}

uint8_t* CAPIPackage::GetBuffer() {
    return Buffer;
}

uint32_t CAPIPackage::GetLength() {
    return TotalLength;
}

int CAPIPackage::BeginPackage(uint16_t serviceNo, int32_t requestId, uint8_t* buffer) {
    ServiceNo = serviceNo;
    RequestID = requestId;
    EndFlag = 0;
    Buffer = buffer;
    BufferCapacity = MaxPayloadLength;
    CKDXPackage::Attach(buffer, MaxPayloadLength, 0, nullptr);
    TotalLength = 0;
    (void)WriteRecord(HeadBindings, fld::ApiHead.Tag);
    CKDXPackage body;
    (void)BeginElement(fld::ApiBody.Tag, body);
    CKDXPackage::Attach(body.Data, body.Capacity, 0, nullptr);
    return 0;
}

void CAPIPackage::OpenPackage(uint8_t* payload, uint32_t length) {
    Buffer = payload;
    BufferCapacity = 0;
    TotalLength = length;
    CKDXPackage::Attach(payload, 0, length, nullptr);
    CKDXPackage head;
    if (OpenElement(fld::ApiHead.Tag, head) == 0 && head.Data != nullptr) {
        (void)HeadBindings.Decode(head.Data, head.Length);
    }
    CKDXPackage body;
    (void)OpenElement(fld::ApiBody.Tag, body);
    CKDXPackage::Attach(body.Data, 0, body.Length, nullptr);
}
