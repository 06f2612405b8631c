// fieldtype::Name is the variable type a record member bound to row Name has:
// C/n -> char[n+1] (text and its NUL), C/0 -> char, S -> int16_t, I -> int32_t, F -> float,
// L -> int64_t, D -> double. Record and list rows have no member type.
#pragma once

#include <cstdint>

#include "codec/FieldDescriptor.h"

namespace fieldtype {

template <char Type, int Length, uint32_t Kind>
struct Of {
    using type = void;
};
template <int Length>
struct Of<'C', Length, 0> {
    using type = char[Length + 1];
};
template <>
struct Of<'C', 0, 0> {
    using type = char;
};
template <>
struct Of<'S', 0, 0> {
    using type = int16_t;
};
template <>
struct Of<'I', 0, 0> {
    using type = int32_t;
};
template <>
struct Of<'F', 0, 0> {
    using type = float;
};
template <>
struct Of<'L', 0, 0> {
    using type = int64_t;
};
template <>
struct Of<'D', 0, 0> {
    using type = double;
};

#define KDX_FIELD(tag, name, typeCode, length, kind, in, description) \
    using name = Of<#typeCode[0], length, kind>::type;
#include "codec/Fields.def"
#undef KDX_FIELD

}  // namespace fieldtype
