// libFuzzer entry: arbitrary bytes decoded as every market-data record. Linked with the market-data
// dictionary.
#include "quot/session/QuotRecords.h"
#include "tests/fuzz/FuzzRecords.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return fuzz::DecodeEveryRecord(data, size, [](auto visit) { quot::ForEachRecordType(visit); });
}
