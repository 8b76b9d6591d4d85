#pragma once
// Turns the events of `perf script` output into the records of a result, in the tables the
// bundled viewpoints read:
//   threads               rows of "dd_thread", one per thread, grouped by process, named by
//                         command and thread id, alive from their first to their last event
//   CPU samples           (cpu-clock, task-clock, cycles) CPU time per thread ("dd_sample" over
//                         "function", the sampled frame), and a marker per sample
//                         ("marker_instant") whose "stack" gives the top frames
//   sched:sched_switch    states per thread ("wait_state"): running, and waiting with the reason
//                         from prev_state and where the thread blocked ("dd_wait")
//   sched_wakeup/_waking  a transition from the waking thread, at the wake-up, to the woken one
//                         when it next runs, named by the wait it ended
//   anything else         a marker named by the event
// A thread's own event while it is waiting (a recording of one program sees its threads leave
// the CPU but not always come back) ends the wait there. Times become nanosecond ticks from the
// earliest event. Feed every event to add(), then call finish() once.
#include "perf/PerfEvent.h"
#include "perf/PerfEventKind.h"
#include "perf/PerfThreadTable.h"
#include "CapacityForecast.h"
#include "TextInternTable.h"
#include "TextMemo.h"

#include <dd_sarvik_2_2/store/ResultRecords.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace velmora_import {

class PerfRecordBuilder {
public:

    PerfRecordBuilder();

    void add(const PerfEvent& event);
    // Makes room early for the records the rest of the input will add.
    void reserve(const CapacityForecast& forecast);
    // Lines of the input that were not perf script output, for the notes.
    void skipLines(std::uint64_t count) { m_skippedLines += count; }
    // False with `error` when there was no event at all.
    bool finish(const std::string& name, dd_sarvik_2_2::store::ResultRecords& records, std::string& error);
    // What was skipped or could not be shown, one sentence each, for the user.
    const std::vector<std::string>& notes() const { return m_notes; }

private:
    // An event of a thread perf no longer knew (id -1): a switch still says whose it was.
    void addOfEndedThread(const PerfEvent& event);
    void addOwn(const PerfEvent& event, PerfEventKind kind, bool pidKnown);
    // `function`: of the sample's leaf frame, where the CPU time is spent; -1 unless `forTime`.
    void addSample(std::size_t index, const PerfEvent& event, bool forTime, std::int32_t function);
    void addSwitch(std::size_t index, const PerfEvent& event);
    void addWakeup(std::size_t index, const PerfEvent& event, PerfEventKind kind);
    // The marker of an event (named by it and its top frames) and, once asked for, the function
    // of its leaf frame: the same entry for every event with the same stack, so completing it
    // serves them all.
    struct Marked {
        std::int32_t marker = 0;
        std::int32_t function = -1; // -1 until asked for
    };
    Marked& markedOf(const PerfEvent& event, bool tracepoint, bool sample);
    // Writes the top frames into m_stack, one a line; returns how many.
    int formatTop(const PerfEvent& event, bool tracepoint);
    std::int32_t functionOf(const PerfEvent& event);
    void addMark(std::size_t index, std::uint64_t time, std::int32_t marker);
    // The thread ran at `time` whatever was known: a wait it was in ends there.
    void running(std::size_t index, std::uint64_t time);
    void endWait(std::size_t index, std::uint64_t time);
    void addState(std::size_t index, std::uint64_t start, std::uint64_t end, std::int32_t value, std::int32_t wait,
                  std::size_t source);
    // The wait instance of `reason`, at the place the stack of `event` (if any) blocked.
    std::int32_t waitOf(std::string_view reason, const PerfEvent* event);
    void closeStates();
    void fixSampleStarts();
    void addNotes();
    void addSampleTables(dd_sarvik_2_2::store::ResultRecords& records, const std::vector<std::int32_t>& rows,
                         std::uint64_t origin);
    void addStateTables(dd_sarvik_2_2::store::ResultRecords& records, const std::vector<std::int32_t>& rows,
                        std::uint64_t origin);

    PerfThreadTable m_threads;
    TextInternTable m_functions; // symbol, module
    TextInternTable m_markers;   // name, category, stack
    TextInternTable m_waits;     // object, call stack index ("" for none)
    TextInternTable m_callstacks;
    TextMemo<Marked> m_markedStacks;     // by event name and leading stack lines
    TextMemo<std::int32_t> m_stackWaits; // wait instances by reason and stack
    Marked m_unkept;                 // of a stack not kept, until the next event
    std::string m_key;               // reused to build intern keys
    std::string m_memoKey;           // reused to build the memos' keys
    std::string m_stack; // reused to build a marker's stack text

    std::string m_timeEvent; // the sample event CPU time is taken from
    bool m_timeCountsNanoseconds = false;
    std::vector<dd_sarvik_2_2::store::SampleRecord> m_samples; // rows are thread indices until finish
    std::vector<std::uint64_t> m_sampleGaps;                   // between a thread's samples
    std::vector<dd_sarvik_2_2::store::BandObjectRecord> m_marks;
    std::vector<dd_sarvik_2_2::store::BandObjectRecord> m_states;

    std::uint64_t m_switches = 0;
    std::uint64_t m_skippedLines = 0;
    std::uint64_t m_malformed = 0;
    std::uint64_t m_untimedSamples = 0;
    std::uint64_t m_ownerless = 0;
    bool m_withoutPid = false;
    std::map<std::string, std::uint64_t, std::less<>> m_otherEvents;
    std::vector<std::string> m_notes;
};

} // namespace velmora_import
