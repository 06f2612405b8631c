#include "trade/api/TradingDay.h"

#include "translate/TextCopy.h"

void CTradingDay::CopyTo(char (&target)[9]) const {
    std::lock_guard<std::mutex> lock(Mutex);
    translate::CopyText(target, sizeof target, Text(), sizeof Buffers[0]);
}

bool CTradingDay::Equals(const char (&day)[9]) const {
    std::lock_guard<std::mutex> lock(Mutex);
    return EqualsLocked(day);
}

bool CTradingDay::EqualsLocked(const char (&day)[9]) const {
    return translate::SameText(Text(), sizeof Buffers[0], day, sizeof day);
}

void CTradingDay::Store(const char (&day)[9]) {
    std::lock_guard<std::mutex> lock(Mutex);
    if (EqualsLocked(day)) return;
    const unsigned next = 1 - Current.load(std::memory_order_relaxed);
    translate::CopyText(Buffers[next], day);
    Current.store(next, std::memory_order_release);
}

void CTradingDay::Clear() {
    const char empty[9] = {};
    Store(empty);
}
