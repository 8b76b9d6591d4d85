#pragma once
// Shared by the chart test programs: WxTestMain.cpp holds main(), which starts a wx application
// (needed for windows, bitmaps, timers and queued events) around the GoogleTest run. Tests wait for
// asynchronous work by pumping the event loop until a condition holds, never by sleeping.
#include <atomic>
#include <functional>

namespace chart_test {

// Processes pending events until `condition` is true or `timeoutMs` passed; returns the condition.
bool pumpUntil(const std::function<bool()>& condition, int timeoutMs = 10000);
// Processes whatever events are pending now.
void pumpPending();

// Every wx assertion that fails, on any thread, fails the running test, except while an
// ExpectAssertions exists: then it is only counted.
class ExpectAssertions {
public:
    ExpectAssertions();
    ~ExpectAssertions();
    ExpectAssertions(const ExpectAssertions&) = delete;
    ExpectAssertions& operator=(const ExpectAssertions&) = delete;
    int count() const { return m_count; }
    void add() { ++m_count; }

private:
    std::atomic<int> m_count{0};
};

} // namespace chart_test
