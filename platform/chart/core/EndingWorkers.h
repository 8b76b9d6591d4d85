#pragma once
// Counts providers whose worker thread is leaving after deleteSelf, so that the program's end can
// wait for them: wx cannot tear down its thread support under a detached thread that is still on
// its way out. A module of this library waits (bounded) before wx's thread support ends, so hosts
// and tests need to do nothing. Internal to the library.
#include <condition_variable>
#include <mutex>

namespace tarquel_1_0 {

class EndingWorkers {
public:
    static EndingWorkers& instance();

    void add();
    void remove();
    // True when none is left within `timeoutMs`.
    bool waitUntilNone(int timeoutMs);

private:
    std::mutex m_mutex;
    std::condition_variable m_none;
    int m_count = 0;
};

} // namespace tarquel_1_0
