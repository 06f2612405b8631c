#include "translate/DateText.h"

#include <cstdio>

#include "translate/TextCopy.h"

namespace translate {

namespace {

constexpr size_t DigitDateLength = 8;

// Character positions of YYYY, MM and DD in a server date written YYYY-MM-DD.
constexpr size_t DatePositions[] = {0, 1, 2, 3, 5, 6, 8, 9};

bool AllDigits(const char* text, size_t length) {
    for (size_t i = 0; i < length; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
    }
    return true;
}

}  // namespace

size_t ToPublicDate(char* target, size_t targetWidth, const char* source, size_t sourceWidth) {
    const size_t length = TextLength(source, sourceWidth);
    if (length == DigitDateLength && AllDigits(source, length)) {
        return CopyText(target, targetWidth, source, length);
    }
    char date[DigitDateLength + 1] = {};
    size_t written = 0;
    for (const size_t position : DatePositions) {
        if (position >= length) break;
        date[written++] = source[position];
    }
    return CopyText(target, targetWidth, date, written);
}

std::tm LocalWallClock() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

void FormatDate(char (&target)[9], const std::tm& when) {
    char text[48];
    std::snprintf(text, sizeof text, "%04ld%02ld%02d", when.tm_year + 1900L, when.tm_mon + 1L, when.tm_mday);
    CopyText(target, text);
}

void FormatTime(char (&target)[9], const std::tm& when) {
    char text[48];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", when.tm_hour, when.tm_min, when.tm_sec);
    CopyText(target, text);
}

}  // namespace translate
