// Slot positions of virtual member functions, for tests of fixed interface layouts. Reads a
// pointer-to-member under the Itanium C++ ABI (g++ and clang on Linux): for a virtual member it holds
// 1 + the byte offset of the member's vtable entry.
#pragma once

#include <cstddef>
#include <cstring>

#include <gtest/gtest.h>

template <typename Pmf>
std::ptrdiff_t VirtualSlot(Pmf pmf) {
    static_assert(sizeof(Pmf) == 2 * sizeof(std::ptrdiff_t), "Itanium pointer-to-member layout");
    std::ptrdiff_t parts[2];
    std::memcpy(parts, &pmf, sizeof parts);
    if ((parts[0] & 1) == 0) return -1;  // not virtual
    return (parts[0] - 1) / static_cast<std::ptrdiff_t>(sizeof(void*));
}

struct SlotCase {
    const char* Name;
    std::ptrdiff_t Slot;
};

#define SLOT_CASE(Class, Member)             \
    SlotCase {                               \
#Member, VirtualSlot(&Class::Member) \
    }

// The i-th case names the member of slot i.
template <size_t N>
void ExpectSlotsInOrder(const SlotCase (&cases)[N]) {
    for (size_t i = 0; i < N; ++i)
        EXPECT_EQ(cases[i].Slot, static_cast<std::ptrdiff_t>(i)) << cases[i].Name;
}
