#pragma once
// Shared by the chart test programs: WxTestMain.cpp holds main(), which starts a wx application
// (needed for windows, bitmaps, timers and queued events) around the GoogleTest run. Tests wait for
// asynchronous work by pumping the event loop until a condition holds, never by sleeping.
#include <functional>

namespace chart_test {

// Processes pending events until `condition` is true or `timeoutMs` passed; returns the condition.
bool pumpUntil(const std::function<bool()>& condition, int timeoutMs = 10000);
// Processes whatever events are pending now.
void pumpPending();

} // namespace chart_test
