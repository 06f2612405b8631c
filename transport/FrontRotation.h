// Which front to try next and when: every start (Init, or a lost connection) begins at the first front
// at once; each failed attempt moves to the next front, wrapping, after the retry pause. Sans-I/O; the
// connector arms the timer. I/O thread only (and Init's caller before that thread exists).
#pragma once

#include <chrono>
#include <cstddef>

class CFrontRotation {
  public:
    static constexpr std::chrono::seconds RetryPause{1};

    struct Attempt {
        size_t Front;                // index in the front list
        std::chrono::seconds Delay;  // 0 or RetryPause
        bool operator==(const Attempt&) const = default;
    };

    explicit CFrontRotation(size_t frontCount) : FrontCount(frontCount) {}

    // A start: the first front, at once.
    Attempt Start() {
        FrontIndex = 0;
        return {0, std::chrono::seconds{0}};
    }
    // After a failed attempt: the next front, wrapping after the last, once the pause has passed.
    Attempt AfterFailure() {
        FrontIndex = FrontCount == 0 ? 0 : (FrontIndex + 1) % FrontCount;
        return {FrontIndex, RetryPause};
    }

  private:
    size_t FrontCount;
    size_t FrontIndex = 0;
};
