#pragma once
// The rows an imported trace shows and what they are called: one per thread, one per async
// track (named by category and name, under its process) and one for a process's own events
// (process-wide instants, object events). Rows are grouped by process and ordered as the file
// asks ("process_sort_index", "thread_sort_index"), else by pid and tid; a row is labelled with
// its process's name and pid and its thread's name and tid, so equally named threads stay apart.
//
//   TrackTable tracks;
//   std::size_t track = tracks.thread(event.pid, event.tid);  tracks.touch(track, time);
//   ... tracks.nameThread(...), tracks.sortProcess(...) from metadata, in any order ...
//   std::vector<std::int32_t> rows = tracks.rows();  // row of each track
#include "json/TraceEvent.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace dd_sarvik_2_2::store {
struct AttributeTableRecord;
struct LifetimeRecord;
}

namespace velmora_import {

class TrackTable {
public:
    std::size_t thread(const TraceId& pid, const TraceId& tid);
    std::size_t process(const TraceId& pid);
    std::size_t async(const TraceId& pid, const std::string& category, const std::string& name);
    // The first thread seen with `tid` in any process, for records that name only the thread.
    std::optional<std::size_t> threadWithTid(const TraceId& tid) const;

    void nameProcess(const TraceId& pid, const std::string& name);
    void labelProcess(const TraceId& pid, const std::string& labels);
    void sortProcess(const TraceId& pid, double index);
    void nameThread(const TraceId& pid, const TraceId& tid, const std::string& name);
    void sortThread(const TraceId& pid, const TraceId& tid, double index);

    // Widens the track's lifetime to `time` (nanoseconds).
    void touch(std::size_t track, std::int64_t time);
    std::int64_t lastTime(std::size_t track) const { return m_tracks[track].last; }
    std::size_t size() const { return m_tracks.size(); }
    // "name (pid)" of the track's process, for names of things that belong to a process.
    std::string processLabelOf(const TraceId& pid) const;

    // The row of each track, by track index.
    std::vector<std::int32_t> rows() const;
    // "dd_thread" (name, process, pid, tid) in row order.
    dd_sarvik_2_2::store::AttributeTableRecord rowTable(const std::vector<std::int32_t>& rows) const;
    // Lifetimes in row order; `tick` turns nanoseconds into ticks; an untimed track spans all.
    template <class Tick>
    std::vector<dd_sarvik_2_2::store::LifetimeRecord> lifetimes(const std::vector<std::int32_t>& rows, Tick tick,
                                                                std::uint64_t duration) const;

private:
    enum class Kind { process, thread, async }; // in the order rows of a process are shown
    struct Process {
        TraceId id;
        std::string name;
        std::string labels;
        std::optional<double> sortIndex;
    };
    struct Track {
        Kind kind = Kind::thread;
        std::string processKey;
        TraceId tid;       // threads
        std::string label; // async tracks: category and name
        std::string name;  // threads: "thread_name"
        std::optional<double> sortIndex;
        std::int64_t first = 0;
        std::int64_t last = 0;
        bool timed = false;
    };

    Process& processOf(const TraceId& pid);
    std::size_t threadByKey(const TraceId& pid, const TraceId& tid);
    std::size_t add(Track track, std::map<std::string, std::size_t>& index, const std::string& key);
    std::string label(const Track& track) const;

    std::map<std::string, Process> m_processes;
    std::vector<Track> m_tracks;
    std::map<std::string, std::size_t> m_threadIndex; // pid key + '\n' + tid key
    std::map<std::string, std::size_t> m_processIndex;
    std::map<std::string, std::size_t> m_asyncIndex;
    std::map<std::string, std::size_t> m_firstWithTid;
    std::optional<std::size_t> m_lastThread;
    TraceId m_lastPid;
    TraceId m_lastTid;
};

} // namespace velmora_import

#include <dd_sarvik_2_2/store/ResultRecords.h>

namespace velmora_import {

template <class Tick>
std::vector<dd_sarvik_2_2::store::LifetimeRecord> TrackTable::lifetimes(const std::vector<std::int32_t>& rows, Tick tick,
                                                                        std::uint64_t duration) const
{
    std::vector<dd_sarvik_2_2::store::LifetimeRecord> lifetimes(m_tracks.size());
    for (std::size_t index = 0; index < m_tracks.size(); ++index) {
        const Track& track = m_tracks[index];
        const std::int32_t row = rows[index];
        lifetimes[static_cast<std::size_t>(row)] = {L"dd_thread", row, track.timed ? tick(track.first) : 0,
                                                     track.timed ? tick(track.last) : duration};
    }
    return lifetimes;
}

} // namespace velmora_import
