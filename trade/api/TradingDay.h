// The trading day of the last successful login, YYYYMMDD or empty, as the trading object hands it out.
// Read from any thread without a lock; written by the login request (clearing) and the login reply.
// A reader never sees a half-written text: a new value is written into the buffer nobody was handed
// since the last change and then published, and an unchanged value is not written at all. A pointer
// returned by Text() stays valid for the life of the object.
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
    std::mutex WriteMutex;  // writers only
    char Buffers[2][9] = {};
    std::atomic<unsigned> Current{0};
};
