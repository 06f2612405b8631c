// One row of the field dictionary: the constant description of a numbered KDX field.
// Rows are constant data, defined once per library (TradeDictionary.cpp, QuotDictionary.cpp).
#pragma once

#include <cstdint>

struct FieldDescriptor {
    uint16_t Tag;           // element tag on the wire
    char Name[32];          // reference text
    char Type;              // C, D, L, I, F or S
    int32_t Length;         // scalar C rows: longest text in bytes, 0 for a single character
    uint32_t Kind;          // 0 scalar, KindRecord, KindList
    char Description[128];  // reference text, GBK
};

constexpr uint32_t KindRecord = 0x20000000;     // value is a run of elements
constexpr uint32_t KindList = 0x10000000;       // value is a run of length-prefixed records
constexpr uint32_t KindBlockMask = 0xB0000000;  // rows bound as opaque byte blocks
