#pragma once
// Turns trace events into the records of a result, in the tables the bundled viewpoints read:
//   rows                    "dd_thread": threads, async tracks and process rows (TrackTable)
//   slices                  "marker_duration": "X", "B"/"E", async "b"/"e" and "S"/"F" on their
//                           rows, each object's value its nesting depth on its row; "dd_sample"
//                           follows the innermost slice, so the time graphs show how busy a
//                           thread was and in what, and takes the "P" samples too
//   instants                "marker_instant": thread and process instants, marks ("R", "(", ")"),
//                           object events ("O"/"N"/"D") and async instants; global ones go to
//                           the ruler ("global_event")
//   counters ("C")          one counter per (process, name, id, series), its values over time
//   flows                   "wait_state" transitions from the source row to the destination
// Slices and instants name a "marker" instance of (name, category, args), for tooltips. What was
// skipped or repaired is counted into notes. Times become nanosecond ticks from the earliest
// event. Feed every event through the TraceEventSink calls, then call finish() once.
#include "BlockVector.h"
#include "TextInternTable.h"
#include "json/FlowLinker.h"
#include "json/ImportNotes.h"
#include "json/TraceEventSink.h"
#include "json/TrackTable.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace dd_sarvik_2_2::store {
struct AttributeTableRecord;
struct BandObjectRecord;
struct ResultRecords;
struct SampleRecord;
}

namespace velmora_import {

struct TraceEvent;

class TraceRecordBuilder : public TraceEventSink {
public:
    void event(const TraceEvent& event) override;
    void frame(const TraceFrame& frame) override;
    // False with `error` when the trace held no timed event, or when `canceled` says so.
    bool finish(const std::string& name, const std::function<bool()>& canceled,
                dd_sarvik_2_2::store::ResultRecords& records, std::string& error);
    // What was skipped or repaired on the way, one sentence each, for the user.
    std::vector<std::string> notes() const { return m_notes.sentences(); }

private:
    struct Open {
        std::int64_t start = 0; // nanoseconds
        std::int32_t marker = 0;
        std::size_t track = 0;
    };
    // A slice or an instant (start == end) of one track, or of none (global). Kept per event,
    // so laid out in 24 bytes.
    struct Span {
        Span(std::size_t track, std::int64_t start, std::int64_t end, std::int32_t marker)
            : start(start)
            , end(end)
            , track(static_cast<std::uint32_t>(track))
            , marker(marker)
        {
        }
        std::int64_t start;
        std::int64_t end;
        std::uint32_t track;
        std::int32_t marker;
    };
    struct CounterValue {
        std::int32_t counter = 0;
        std::int64_t time = 0;
        double value = 0;
    };
    struct Sample {
        std::size_t track = 0;
        std::int64_t time = 0;
        std::string frame; // "sf", resolved once every frame is known
        std::int32_t marker = -1;
    };

    bool timeOf(const TraceEvent& event, std::int64_t& time);
    void noteTime(std::int64_t time);
    std::int32_t marker(const TraceEvent& event);
    std::int32_t marker(const std::string& name, const std::string& category, const std::string& args,
                        const std::string& stack = {});
    // The top frames from `leaf` up its callers, one line each.
    std::string stackFrom(const std::string& leaf) const;
    void addSpan(BlockVector<Span>& spans, std::size_t track, std::int64_t start, std::int64_t end, std::int32_t name);
    void addComplete(const TraceEvent& event, std::int64_t time);
    void addThreadSlice(const TraceEvent& event, std::int64_t time);
    void addAsync(const TraceEvent& event, std::int64_t time);
    void addCounter(const TraceEvent& event, std::int64_t time);
    void addMetadata(const TraceEvent& event);
    void addSample(const TraceEvent& event, std::int64_t time);
    void addBinding(const TraceEvent& event, std::int64_t time);
    void closeOpenSlices();
    std::uint64_t tick(std::int64_t time) const
    {
        return static_cast<std::uint64_t>(time) - static_cast<std::uint64_t>(m_earliest);
    }
    std::vector<dd_sarvik_2_2::store::BandObjectRecord> onRows(const BlockVector<Span>& spans,
                                                               const std::vector<std::int32_t>& rows) const;
    // Sorts the samples by thread and time and gives each its marker.
    void nameSampleMarkers();
    // The time each row spends in its innermost slice, and in each sample, in (row, start) order.
    std::vector<dd_sarvik_2_2::store::SampleRecord> busyTimes(const std::vector<dd_sarvik_2_2::store::BandObjectRecord>& slices,
                                                              const std::vector<std::int32_t>& rows) const;
    void fillMarkerTables(dd_sarvik_2_2::store::AttributeTableRecord& functions,
                          dd_sarvik_2_2::store::AttributeTableRecord& markers) const;
    void addSliceTables(const std::vector<std::int32_t>& rows, dd_sarvik_2_2::store::ResultRecords& records);
    void addFlowTables(const std::vector<std::int32_t>& rows, dd_sarvik_2_2::store::ResultRecords& records);
    void addGlobalTables(dd_sarvik_2_2::store::ResultRecords& records) const;
    void addCounterTable(dd_sarvik_2_2::store::ResultRecords& records) const;

    TrackTable m_tracks;
    TextInternTable m_markers; // name, category, args, stack of slices, instants and sampled frames
    TextInternTable m_globalNames;
    TextInternTable m_counters; // name, id, series, pid key
    std::string m_key;          // reused to build intern keys
    std::vector<TraceId> m_counterProcess; // by counter
    std::map<std::size_t, std::vector<Open>> m_threadStacks;        // open "B" by track
    std::map<std::string, std::vector<Open>> m_asyncOpen;           // open "b"/"S" by process, category and id
    std::string m_openKey; // reused to build the keys of open async slices and flows
    std::map<std::string, TraceFrame> m_frames; // by id
    FlowLinker m_flows;
    TextInternTable m_flowNames;

    BlockVector<Span> m_slices;
    BlockVector<Span> m_instants;
    BlockVector<Span> m_globalInstants;
    BlockVector<CounterValue> m_counterValues;
    std::vector<Sample> m_samples;
    std::int64_t m_earliest = 0;
    std::int64_t m_latest = 0;
    bool m_timed = false;
    ImportNotes m_notes;
};

} // namespace velmora_import
