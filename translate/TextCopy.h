// Bounded text copies between the fixed-width text members of public and session records. Pure
// functions, callable from any thread.
#pragma once

#include <cstddef>

namespace translate {

// Length of the text held in a member of `width` bytes: up to its NUL, or the whole width when the
// member has none. Reads nothing past the width; a null member is empty.
[[nodiscard]] size_t TextLength(const char* member, size_t width);

// Copies the text of a source member of `sourceWidth` bytes (cut at its width when it has no NUL) into
// a target member of `targetWidth` bytes: at most targetWidth - 1 characters, then NULs to the end of
// the target. Reads nothing past the source's width and writes nothing past the target's. A null
// source copies as empty. Returns the number of characters copied.
size_t CopyText(char* target, size_t targetWidth, const char* source, size_t sourceWidth);

template <size_t TargetWidth, size_t SourceWidth>
size_t CopyText(char (&target)[TargetWidth], const char (&source)[SourceWidth]) {
    return CopyText(target, TargetWidth, source, SourceWidth);
}

// Copies a caller's NUL-terminated text of unknown width (an entry of an instrument code list): reads
// at most TargetWidth - 1 characters of it.
template <size_t TargetWidth>
size_t CopyCallerText(char (&target)[TargetWidth], const char* source) {
    return CopyText(target, TargetWidth, source, TargetWidth - 1);
}

// Byte-wise equality of the texts of two members, each read within its width.
[[nodiscard]] bool SameText(const char* a, size_t aWidth, const char* b, size_t bWidth);

template <size_t AWidth, size_t BWidth>
[[nodiscard]] bool SameText(const char (&a)[AWidth], const char (&b)[BWidth]) {
    return SameText(a, AWidth, b, BWidth);
}

// Length of the scheme part "tcp://" that public front addresses begin with.
inline constexpr size_t FrontSchemeLength = 6;

// The "host:port" part of a public front address "tcp://host:port": the text after its first six
// characters, which are not examined. Null for a null address and for one that ends within those six
// characters or right after them; reads nothing past the address's terminator.
[[nodiscard]] const char* FrontEntryOf(const char* address);

}  // namespace translate
