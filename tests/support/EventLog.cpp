#include "tests/support/EventLog.h"

#include <algorithm>

void EventLog::Add(std::string event) {
    {
        std::lock_guard<std::mutex> lock(Mutex);
        List.push_back(std::move(event));
    }
    Changed.notify_all();
}

bool EventLog::Matches(const std::string& event, const std::string& name) {
    return event.compare(0, name.size(), name) == 0 &&
           (event.size() == name.size() || event[name.size()] == ' ');
}

std::string EventLog::Describe() const {
    std::string text = "events so far:";
    for (const std::string& event : List)
        text += "\n  " + event;
    return text;
}

::testing::AssertionResult EventLog::WaitFor(const std::string& name, Duration bound) {
    std::unique_lock<std::mutex> lock(Mutex);
    size_t found = 0;
    const bool ok = Changed.wait_for(lock, bound, [&] {
        for (size_t i = Cursor; i < List.size(); ++i) {
            if (Matches(List[i], name)) {
                found = i;
                return true;
            }
        }
        return false;
    });
    if (!ok)
        return ::testing::AssertionFailure()
               << "no \"" << name << "\" within " << bound.count() << " ms; " << Describe();
    Cursor = found + 1;
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult EventLog::WaitForCount(const std::string& name, size_t count, Duration bound) {
    std::unique_lock<std::mutex> lock(Mutex);
    const auto counted = [&] {
        return static_cast<size_t>(
            std::count_if(List.begin(), List.end(), [&](const std::string& e) { return Matches(e, name); }));
    };
    if (Changed.wait_for(lock, bound, [&] { return counted() >= count; }))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << counted() << " \"" << name << "\" of " << count << " within "
                                         << bound.count() << " ms; " << Describe();
}

std::vector<std::string> EventLog::Events() const {
    std::lock_guard<std::mutex> lock(Mutex);
    return List;
}

std::vector<std::string> EventLog::Matching(const std::string& name) const {
    std::lock_guard<std::mutex> lock(Mutex);
    std::vector<std::string> out;
    for (const std::string& event : List)
        if (Matches(event, name)) out.push_back(event);
    return out;
}

size_t EventLog::Count(const std::string& name) const {
    return Matching(name).size();
}
