// The market-data records of quot/session/QuotRecords.def as value structs in namespace quot, with
// ForEachField, MemberCount<R>, RecordRow<R> and RecordBindings<R> from codec/RecordTable.h. They name
// only rows of the market-data dictionary. Plain data: used by one thread at a time.
#pragma once

#include "codec/RecordTable.h"

namespace quot {
#define KDX_RECORD_TABLE "quot/session/QuotRecords.def"
#include "codec/RecordTable.inc"
}  // namespace quot
