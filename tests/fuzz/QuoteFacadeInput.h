// The body of the quote-facade fuzzer, also run over the committed corpus as a plain test: arbitrary
// bytes opened as one received package and dispatched by the quote dispatcher into a market-data
// facade, whose user callback checks every record it is handed (texts end within their members,
// reserved bytes zero, the trading day whole) and traps otherwise.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fuzz {

int FeedQuoteFacade(const uint8_t* data, size_t size);

}  // namespace fuzz
