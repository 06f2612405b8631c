// The trading day that CurrentTradingDay hands out: written by login replies on the session I/O thread,
// read through a plain text pointer on any thread of the calling program.
#pragma once

#include <atomic>
#include <cstdint>

// Each distinct day is written once into a slot of its own before an atomic index makes it current, so
// a pointer taken from Current() always shows a whole day and keeps showing it until Slots - 1 further
// distinct days have been written after it (slots are reused in turn, never the current one). A day
// that a slot still holds is made current again without writing anything. Pointers stay valid for the
// life of the object.
class CTradingDay {
  public:
    static constexpr uint32_t Slots = 8;
    static constexpr uint32_t Width = 9;  // YYYYMMDD and its NUL

    // One writer at a time (the session I/O thread). day holds its text and NULs to the end.
    void Publish(const char (&day)[Width]);
    // Any thread: the last published day, or "" before the first.
    const char* Current() const { return Texts[Index.load(std::memory_order_acquire)]; }

  private:
    char Texts[Slots][Width] = {};  // slot 0 holds "" from the start
    uint32_t Next = 1;              // slot of the next new day; writer only
    std::atomic<uint32_t> Index{0};
};
