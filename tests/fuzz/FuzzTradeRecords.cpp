// libFuzzer entry: arbitrary bytes decoded as every trading record. Linked with the trading dictionary.
#include "tests/fuzz/FuzzRecords.h"
#include "trade/session/TradeRecords.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return fuzz::DecodeEveryRecord(data, size, [](auto visit) { trade::ForEachRecordType(visit); });
}
