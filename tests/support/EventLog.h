// A thread-safe, ordered record of what a session reported ("OnConnected", "Connecting 127.0.0.1:4000",
// "Closed Stoped", "Package 123 7"), with bounded waits. Written from any thread, read by the test.
//
//   EventLog log;
//   ASSERT_TRUE(log.WaitFor("OnConnected"));          // the next "OnConnected" after the last match
//   ASSERT_TRUE(log.WaitFor("Closed Stoped", 1s));
//   EXPECT_EQ(log.Matching("Connecting"), (std::vector<std::string>{"Connecting " + a, ...}));
//
// A name matches an event equal to it, or an event that begins with the name followed by a space, so
// "Connecting" matches every attempt and "Connecting 127.0.0.1:4000" only that one.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

class EventLog {
  public:
    using Duration = std::chrono::milliseconds;
    static constexpr Duration DefaultBound{2000};

    void Add(std::string event);

    // Waits for the next matching event after the one the previous WaitFor matched (from the start for
    // the first call). The failure lists every event so far.
    ::testing::AssertionResult WaitFor(const std::string& name, Duration bound = DefaultBound);
    // Waits until `count` matching events have been recorded in all, whatever WaitFor matched before.
    ::testing::AssertionResult WaitForCount(const std::string& name, size_t count,
                                            Duration bound = DefaultBound);

    std::vector<std::string> Events() const;
    std::vector<std::string> Matching(const std::string& name) const;
    size_t Count(const std::string& name) const;

    static bool Matches(const std::string& event, const std::string& name);

  private:
    std::string Describe() const;  // with the lock held

    mutable std::mutex Mutex;
    std::condition_variable Changed;
    std::vector<std::string> List;
    size_t Cursor = 0;  // first event the next WaitFor looks at
};
