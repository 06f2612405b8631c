// The trading day of the last successful login, YYYYMMDD or empty. Text() hands it out without a lock:
// a new value is written into the buffer not handed out since the last change and then published, and
// an unchanged value is not written at all, so a reader of a returned pointer never sees a half-written
// text unless the day changes twice while it reads. A returned pointer stays valid for the life of the
// object. The other operations take a lock and may be called from any thread.
#pragma once

#include <atomic>
#include <mutex>

class CTradingDay {
  public:
    const char* Text() const { return Buffers[Current.load(std::memory_order_acquire)]; }

    // Copies the current text into an 8-character member.
    void CopyTo(char (&target)[9]) const;
    bool Equals(const char (&day)[9]) const;
    // Publishes `day` (read within its width) unless it equals the current text.
    void Store(const char (&day)[9]);
    void Clear();

  private:
    bool EqualsLocked(const char (&day)[9]) const;

    mutable std::mutex Mutex;  // held by every operation but Text
    char Buffers[2][9] = {};
    std::atomic<unsigned> Current{0};
};
