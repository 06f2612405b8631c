// Golden fixtures written from the wire rules by hand, never through the codec under test: big-endian
// numbers, elements (tag, extension length 0, value length, value), list records and whole payloads.
#pragma once

#include <cstdint>
#include <string>

#include "tests/support/Hex.h"

// The low `bytes` bytes of value, most significant first.
Bytes BigEndian(uint64_t value, int bytes);

// Text bytes without a terminator.
Bytes Text(const std::string& text);

Bytes Element(uint16_t tag, const Bytes& value);

// One record of a list value: its 4-byte length, then its elements.
Bytes ListRecord(const Bytes& elements);

// A payload as BeginPackage lays it out: ApiHead (ServiceNo, RequestID, EndFlag), then ApiBody.
Bytes Payload(uint16_t serviceNo, int32_t requestId, int32_t endFlag, const Bytes& body);
