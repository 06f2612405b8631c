// libFuzzer entry: arbitrary bytes as a received package, through the quote dispatcher into the
// market-data facade and its snapshot translation. Linked with the market-data dictionary.
#include "tests/fuzz/QuoteFacadeInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return fuzz::FeedQuoteFacade(data, size);
}
