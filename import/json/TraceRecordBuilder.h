#pragma once
// Turns trace events into the records of a result, in the tables the bundled viewpoints read:
//   threads (pid, tid)      rows of "dd_thread" (name from "thread_name" metadata, process name
//                           from "process_name"), alive from their first to their last event
//   slices ("X", "B"/"E")   duration markers ("marker_duration") at every nesting depth, and
//                           samples ("dd_sample") of the innermost open slice, so the time graphs
//                           show how busy a thread was and in what
//   thread instants ("i")   markers ("marker_instant"); process and global instants go to the
//                           ruler ("global_event")
//   counters ("C")          one counter per name and series, its values over time
// Other kinds of events are counted and skipped. Times become nanosecond ticks from the earliest
// event. Feed every event to add(), then call finish() once.
#include "InternTable.h"
#include "json/TraceEvent.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace dd_sarvik_2_2::store {
struct BandObjectRecord;
struct ResultRecords;
}

namespace velmora_import {

class TraceRecordBuilder {
public:
    // False with `error` for an event that cannot be read (e.g. a complete event without "dur").
    bool add(const TraceEvent& event, std::string& error);
    // False with `error` when the trace held no timed event of a kind the result can show.
    bool finish(const std::string& name, dd_sarvik_2_2::store::ResultRecords& records, std::string& error);
    // What was skipped or repaired on the way, one sentence each, for the user.
    const std::vector<std::string>& notes() const { return m_notes; }

private:
    struct OpenSlice {
        std::int64_t start = 0; // nanoseconds, as in the file
        std::int32_t name = 0;
    };
    struct Thread {
        std::int64_t pid = 0;
        std::int64_t tid = 0;
        std::string name;
        std::int64_t first = 0;
        std::int64_t last = 0;
        bool timed = false;
        std::vector<OpenSlice> open; // begin events waiting for their end
    };
    // A slice or an instant (start == end) of one thread, or of none (global).
    struct Span {
        std::size_t thread = 0;
        std::int64_t start = 0;
        std::int64_t end = 0;
        std::int32_t name = 0;
    };
    struct CounterValue {
        std::int32_t counter = 0;
        std::int64_t time = 0;
        double value = 0;
    };

    Thread& thread(const TraceEvent& event);
    bool timeOf(const TraceEvent& event, std::int64_t& time, std::string& error) const;
    void noteTime(std::int64_t time);
    void touch(Thread& owner, std::int64_t time);
    void addCounter(const TraceEvent& event, std::int64_t time);
    void addMetadata(const TraceEvent& event);
    void closeOpenSlices();
    // Rows in (pid, tid) order: the row of each thread, by its index here.
    std::vector<std::int32_t> rowsOfThreads() const;
    std::uint64_t tick(std::int64_t time) const { return static_cast<std::uint64_t>(time - m_earliest); }
    // Band objects in (row, start) order; without rows they are global.
    std::vector<dd_sarvik_2_2::store::BandObjectRecord> onRows(const std::vector<Span>& spans,
                                                               const std::vector<std::int32_t>& rows) const;
    void addThreadTable(const std::vector<std::int32_t>& rows, dd_sarvik_2_2::store::ResultRecords& records) const;
    void addSliceTables(const std::vector<std::int32_t>& rows, dd_sarvik_2_2::store::ResultRecords& records) const;
    void addGlobalTables(dd_sarvik_2_2::store::ResultRecords& records) const;
    void addCounterTable(dd_sarvik_2_2::store::ResultRecords& records) const;

    std::vector<Thread> m_threads;
    std::map<std::pair<std::int64_t, std::int64_t>, std::size_t> m_threadIndex;
    std::map<std::int64_t, std::string> m_processNames;
    InternTable<std::pair<std::string, std::string>> m_names; // (name, category) of slices and instants
    InternTable<std::string> m_globalNames;
    InternTable<std::pair<std::int64_t, std::string>> m_counters; // (pid, "name.series")

    std::vector<Span> m_slices;
    std::vector<Span> m_instants;
    std::vector<Span> m_globalInstants;
    std::vector<CounterValue> m_counterValues;
    std::int64_t m_earliest = 0;
    std::int64_t m_latest = 0;
    bool m_timed = false;
    std::map<char, std::size_t> m_skippedKinds;
    std::size_t m_unmatchedEnds = 0;
    std::vector<std::string> m_notes;
};

} // namespace velmora_import
