// Package buffers and the head rewrite.
#include "tools/simfront/Packages.h"

namespace simfront {
namespace {
// The ApiHead element starts the payload: an 8-byte element header, then its 34-byte value of three
// scalar elements (ServiceNo, RequestID, EndFlag).
constexpr uint32_t HeadValueOffset = 8;
constexpr uint32_t HeadValueLength = 34;
}  // namespace

COutPackage::COutPackage(uint16_t serviceNo, int32_t requestId) {
    Package.BeginPackage(serviceNo, requestId, Buffer);
}

void COutPackage::SetEndFlag(int32_t endFlag) {
    Package.EndFlag = endFlag;
    (void)Package.HeadBindings.Encode(Buffer + HeadValueOffset, HeadValueLength);
}

Payload COutPackage::Bytes() const {
    return Payload(Buffer, Buffer + Package.TotalLength);
}

}  // namespace simfront
