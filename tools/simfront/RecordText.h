// Text members of the wire records set from and read into std::string, within the member's width.
#pragma once

#include <cstddef>
#include <string>

#include "translate/TextCopy.h"

namespace simfront {

// At most N - 1 characters, the rest of the member zero.
template <size_t N>
void SetText(char (&member)[N], const std::string& text) {
    translate::CopyCallerText(member, text.c_str());
}

// The text of a member, up to its NUL or its width.
template <size_t N>
std::string TextOf(const char (&member)[N]) {
    return std::string(member, translate::TextLength(member, N));
}

}  // namespace simfront
