// The trading records of trade/session/TradeRecords.def as value structs in namespace trade (so that
// trade::Order and the row fld::Order stay apart), with ForEachField, MemberCount<R>, RecordRow<R> and
// RecordBindings<R> from codec/RecordTable.h. Plain data: used by one thread at a time.
#pragma once

#include "codec/RecordTable.h"

namespace trade {
#define KDX_RECORD_TABLE "trade/session/TradeRecords.def"
#include "codec/RecordTable.inc"
}  // namespace trade
