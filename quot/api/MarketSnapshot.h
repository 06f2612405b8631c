// The depth record handed to OnMarketSnapshot, built from one pushed quote. Pure; any thread.
#pragma once

#include "ZantuVextSharedRecords.h"
#include "quot/session/QuotRecords.h"

// A zero-filled snapshot whose members are filled from the quote as quot/api/SnapshotMembers.def
// lists them: dates as YYYYMMDD (eight digits pass through), texts cut to their members, the traded
// quantity's low 32 bits, the open interests as unsigned counts, five price levels. Reserved and
// padding bytes are zero.
[[nodiscard]] CZantuVextMarketSnapshot ToMarketSnapshot(const quot::Quot& quote);
