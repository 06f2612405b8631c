// Declares every dictionary row as fld::Name. Each library defines the rows of its own dictionary;
// code shared by both libraries names only rows that both dictionaries hold.
#pragma once

#include "codec/FieldDescriptor.h"

namespace fld {
#define KDX_FIELD(tag, name, type, length, kind, in, description) extern const FieldDescriptor name;
#include "codec/Fields.def"
#undef KDX_FIELD
}  // namespace fld
