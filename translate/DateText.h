// Dates and clock texts of public records: server dates turned into YYYYMMDD, and the date and time
// texts of the local wall clock. Pure except LocalWallClock, which reads the clock; any thread.
#pragma once

#include <cstddef>
#include <ctime>

namespace translate {

// Writes the public YYYYMMDD form of a server date held in a member of sourceWidth bytes (read within
// its width):
//   eight digits pass through unchanged ("20240315");
//   an empty date stays empty;
//   any other text gives its characters 0-3, 5-6 and 8-9, in that order and as far as the text
//   reaches ("2024-03-15" -> "20240315", "2024-3-15" -> "20243-5").
// Writes at most targetWidth - 1 characters and zero-fills the rest of the target. Returns the number
// of characters written.
size_t ToPublicDate(char* target, size_t targetWidth, const char* source, size_t sourceWidth);

template <size_t TargetWidth, size_t SourceWidth>
size_t ToPublicDate(char (&target)[TargetWidth], const char (&source)[SourceWidth]) {
    return ToPublicDate(target, TargetWidth, source, SourceWidth);
}

// The local wall-clock time of this machine, broken down.
[[nodiscard]] std::tm LocalWallClock();

// "%04d%02d%02d" of year, month (1-12) and day of `when`, cut to the 8 characters of the member.
void FormatDate(char (&target)[9], const std::tm& when);

// "%02d:%02d:%02d" of hours (0-23), minutes and seconds of `when`, cut to the 8 characters of the
// member.
void FormatTime(char (&target)[9], const std::tm& when);

}  // namespace translate
