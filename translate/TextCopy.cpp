#include "translate/TextCopy.h"

#include <cstring>

namespace translate {

size_t TextLength(const char* member, size_t width) {
    if (member == nullptr) return 0;
    const void* nul = std::memchr(member, '\0', width);
    return nul == nullptr ? width : static_cast<size_t>(static_cast<const char*>(nul) - member);
}

size_t CopyText(char* target, size_t targetWidth, const char* source, size_t sourceWidth) {
    if (targetWidth == 0) return 0;
    size_t length = TextLength(source, sourceWidth);
    if (length > targetWidth - 1) length = targetWidth - 1;
    if (length > 0) std::memcpy(target, source, length);
    std::memset(target + length, 0, targetWidth - length);
    return length;
}

bool SameText(const char* a, size_t aWidth, const char* b, size_t bWidth) {
    const size_t length = TextLength(a, aWidth);
    return length == TextLength(b, bWidth) && (length == 0 || std::memcmp(a, b, length) == 0);
}

const char* FrontEntryOf(const char* address) {
    // TextLength stops at the terminator, so a short address is not read past its end.
    if (TextLength(address, FrontSchemeLength + 1) <= FrontSchemeLength) return nullptr;
    return address + FrontSchemeLength;
}

}  // namespace translate
