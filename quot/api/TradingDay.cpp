#include "quot/api/TradingDay.h"

#include <cstring>

void CTradingDay::Publish(const char (&day)[Width]) {
    const uint32_t current = Index.load(std::memory_order_relaxed);
    // Slots not written yet hold "", as the empty day does.
    for (uint32_t slot = 0; slot < Slots; ++slot) {
        if (std::memcmp(Texts[slot], day, Width) == 0) {
            if (slot != current) Index.store(slot, std::memory_order_release);
            return;
        }
    }
    uint32_t slot = Next;
    if (slot == current) slot = (slot + 1) % Slots;
    Next = (slot + 1) % Slots;
    std::memcpy(Texts[slot], day, Width);
    Index.store(slot, std::memory_order_release);
}
