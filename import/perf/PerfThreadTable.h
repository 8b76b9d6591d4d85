#pragma once
// The threads of a recording, found by thread id (and by CPU for the idle threads, which share
// id 0), numbered in the order they are first seen. At the end they become the rows of the
// result: grouped by process, in (process id, thread id) order, named by command and id, alive
// from their first to their last event.
#include "perf/PerfThread.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace dd_sarvik_2_2::store {
struct ResultRecords;
}

namespace velmora_import {

class PerfThreadTable {
public:
    // The index of thread `tid`; for tid 0, of the idle thread of `cpu` (-1: unknown).
    std::size_t indexOf(std::int64_t tid, std::int32_t cpu);
    PerfThread& operator[](std::size_t index) { return m_threads[index]; }
    const PerfThread& operator[](std::size_t index) const { return m_threads[index]; }
    std::size_t size() const { return m_threads.size(); }

    // The row of each thread, by its index here.
    std::vector<std::int32_t> rows() const;
    // The name shown for a thread: "COMMAND TID", or "swapper/CPU" for an idle thread.
    std::string nameOf(const PerfThread& thread) const;
    // Adds "dd_thread" and the lifetimes; `origin` is the time of tick 0.
    void addTo(dd_sarvik_2_2::store::ResultRecords& records, const std::vector<std::int32_t>& rows,
               std::uint64_t origin) const;

private:
    std::int64_t processOf(const PerfThread& thread) const { return thread.pid >= 0 ? thread.pid : thread.tid; }
    const std::string& commandOf(const PerfThread& thread) const;

    std::vector<PerfThread> m_threads;
    std::unordered_map<std::int64_t, std::size_t> m_index;
    std::int64_t m_lastKey = -1;
    std::size_t m_lastIndex = 0;
};

} // namespace velmora_import
