// Front entries "host:port": split at the first colon, the port read as a 16-bit decimal number.
// Pure text handling; any thread.
#pragma once

#include <string>

// Longest host part accepted.
constexpr size_t MaxFrontHostLength = 127;

// Host is the text before the first colon. Port is the decimal number at the start of the text after
// it (leading blanks skipped, an optional sign, digits up to the first non-digit; none gives 0), taken
// modulo 65536 and written back as decimal text. False, and nothing set, for an entry without a colon
// or with a host longer than MaxFrontHostLength; the connector counts that as a failed attempt.
// An IPv6 literal cannot be given, since its first colon ends the host.
[[nodiscard]] bool SplitFront(const std::string& front, std::string& host, std::string& port);
