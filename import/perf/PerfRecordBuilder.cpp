#include "perf/PerfRecordBuilder.h"

#include "RecordTables.h"

#include "perf/PerfStack.h"
#include "RowOrder.h"
#include "perf/SchedPayload.h"

#include <algorithm>

namespace velmora_import {

namespace store = dd_sarvik_2_2::store;

using Tables = RecordTables;

namespace {

constexpr std::int32_t RUNNING = 1;
constexpr std::int32_t WAITING = 0;
// Long C++ names would make a tooltip wider than the screen.
constexpr std::size_t LONGEST_SYMBOL = 100;

void appendFrame(std::string& into, const PerfFrame& frame)
{
    if (frame.symbol.size() > LONGEST_SYMBOL) {
        into.append(frame.symbol.substr(0, LONGEST_SYMBOL));
        into.append("...");
    } else {
        into.append(frame.symbol);
    }
    into.append(" (");
    into.append(frame.module);
    into.push_back(')');
}

bool inUserSpace(const PerfFrame& frame)
{
    return !frame.module.empty() && frame.module.front() != '[';
}

// One instance per key of `texts`, its parts as text columns.
store::AttributeTableRecord textTable(const wchar_t* name, std::vector<store::AttributeColumn> columns,
                                      const TextInternTable& texts)
{
    store::AttributeTableRecord table = Tables::attributeTable(name, std::move(columns));
    table.texts = Tables::textColumns(texts, table.columns.size());
    return table;
}

// Records of thread indices made records of rows, with times from `origin`, in (row, start) order.
template <class Record>
void toRows(std::vector<Record>& records, const std::vector<std::int32_t>& rows, std::uint64_t origin)
{
    const auto rowOf = [&rows](const Record& record) { return rows[static_cast<std::size_t>(record.row)]; };
    const auto shifted = [&](Record record) {
        record.row = rows[static_cast<std::size_t>(record.row)];
        record.start -= origin;
        record.end -= origin;
        return record;
    };
    records = RowOrder::sorted<Record>(records, rows.size(), rowOf, shifted,
                                       [](const Record& a, const Record& b) { return a.start < b.start; });
}

} // namespace

PerfRecordBuilder::PerfRecordBuilder()
{
    m_waits.index(TextInternTable::join(m_key, {"running", ""}));
}

void PerfRecordBuilder::reserve(const CapacityForecast& forecast)
{
    forecast.reserve(m_samples);
    forecast.reserve(m_sampleGaps);
    forecast.reserve(m_marks);
    forecast.reserve(m_states);
}

void PerfRecordBuilder::add(const PerfEvent& event)
{
    if (event.tid < 0)
        addOfEndedThread(event);
    else
        addOwn(event, PerfEventKinds::of(event.name), event.pid >= 0);
}

void PerfRecordBuilder::addOfEndedThread(const PerfEvent& event)
{
    SchedSwitch fields;
    if (PerfEventKinds::of(event.name) != PerfEventKind::schedSwitch ||
        !SchedPayload::parseSwitch(event.payload, fields)) {
        ++m_ownerless;
        return;
    }
    PerfEvent owned = event;
    owned.tid = fields.prevTid;
    owned.comm = fields.prevComm;
    addOwn(owned, PerfEventKind::schedSwitch, event.pid >= 0);
}

void PerfRecordBuilder::addOwn(const PerfEvent& event, PerfEventKind kind, bool pidKnown)
{
    const std::size_t index = m_threads.indexOf(event.tid, event.tid == 0 ? event.cpu : -1);
    PerfThread& thread = m_threads[index];
    thread.touch(event.time);
    if (event.pid >= 0)
        thread.pid = event.pid;
    m_withoutPid = m_withoutPid || !pidKnown;
    if (event.tid != 0 && thread.comm != event.comm)
        thread.comm.assign(event.comm);

    switch (kind) {
    case PerfEventKind::cpuSample: {
        if (m_timeEvent.empty()) {
            m_timeEvent.assign(event.name);
            m_timeCountsNanoseconds = PerfEventKinds::countsTime(event.name) && event.period > 0;
        }
        const bool forTime = event.name == m_timeEvent;
        m_untimedSamples += forTime ? 0 : 1;
        Marked& marked = markedOf(event, false, true);
        addMark(index, event.time, marked.marker);
        if (forTime && marked.function < 0)
            marked.function = functionOf(event);
        addSample(index, event, forTime, marked.function);
        break;
    }
    case PerfEventKind::schedSwitch:
        addSwitch(index, event);
        break;
    case PerfEventKind::wakeup:
    case PerfEventKind::wakeupNew:
        addWakeup(index, event, kind);
        break;
    case PerfEventKind::other: {
        running(index, event.time);
        const auto counted = m_otherEvents.find(event.name);
        if (counted == m_otherEvents.end())
            m_otherEvents.emplace(std::string(event.name), 1);
        else
            ++counted->second;
        addMark(index, event.time, markedOf(event, PerfEventKinds::isTracepoint(event.name), false).marker);
        break;
    }
    }
}

void PerfRecordBuilder::addSample(std::size_t index, const PerfEvent& event, bool forTime, std::int32_t function)
{
    PerfThread& thread = m_threads[index];
    const std::uint64_t time = event.time;
    if (!forTime) {
        running(index, time);
        return;
    }
    // A thread runs on one CPU at a time: its samples never overlap, and none reaches back
    // into a wait.
    std::uint64_t lower = thread.sampled ? thread.lastSample : 0;
    if (thread.state != PerfThread::State::unknown)
        lower = std::max(lower, thread.since);
    if (thread.state == PerfThread::State::waiting && thread.woken)
        lower = std::max(lower, thread.wakeTime);
    lower = std::min(lower, time);
    std::uint64_t start = lower;
    if (m_timeCountsNanoseconds) {
        start = std::max(lower, time - std::min(event.period, time));
        thread.touch(start);
    } else if (thread.sampled) {
        m_sampleGaps.push_back(time - thread.lastSample);
    }
    thread.sampled = true;
    thread.lastSample = time;
    m_samples.push_back({static_cast<std::int32_t>(index), start, time, 1, function});
    running(index, m_timeCountsNanoseconds ? start : time);
}

void PerfRecordBuilder::addSwitch(std::size_t index, const PerfEvent& event)
{
    SchedSwitch fields;
    if (!SchedPayload::parseSwitch(event.payload, fields)) {
        ++m_malformed;
        return;
    }
    ++m_switches;
    const std::uint64_t time = event.time;
    const std::size_t prev =
        fields.prevTid == event.tid ? index : m_threads.indexOf(fields.prevTid, fields.prevTid == 0 ? event.cpu : -1);
    const std::size_t next = m_threads.indexOf(fields.nextTid, fields.nextTid == 0 ? event.cpu : -1);
    const std::int32_t wait = waitOf(SchedPayload::reason(fields.prevState), &event);

    PerfThread& out = m_threads[prev];
    out.touch(time);
    out.namedAs.assign(fields.prevComm);
    if (out.state == PerfThread::State::waiting)
        endWait(prev, time); // its switch back in was lost
    else
        addState(prev, out.state == PerfThread::State::running ? out.since : out.first, time, RUNNING, 0, prev);
    out.state = PerfThread::State::waiting;
    out.since = time;
    out.wait = wait;
    out.woken = false;

    PerfThread& in = m_threads[next];
    in.touch(time);
    in.namedAs.assign(fields.nextComm);
    if (in.state == PerfThread::State::waiting)
        endWait(next, time);
    if (in.state != PerfThread::State::running) {
        in.state = PerfThread::State::running;
        in.since = time;
    }
}

void PerfRecordBuilder::addWakeup(std::size_t index, const PerfEvent& event, PerfEventKind kind)
{
    SchedWakeup fields;
    if (!SchedPayload::parseWakeup(event.payload, fields) || fields.tid == 0) {
        ++m_malformed;
        return;
    }
    running(index, event.time);
    const std::size_t target = m_threads.indexOf(fields.tid, -1);
    PerfThread& woken = m_threads[target];
    woken.touch(event.time);
    woken.namedAs.assign(fields.comm);
    if (woken.state == PerfThread::State::unknown) {
        // Asleep since before the recording, or just created: the wait begins here.
        woken.wait = waitOf(kind == PerfEventKind::wakeupNew ? "new" : "waiting", nullptr);
        woken.state = PerfThread::State::waiting;
        woken.since = event.time;
        woken.woken = false;
    }
    // Only the first wake-up ends a wait (sched_waking and sched_wakeup both report it).
    if (woken.state == PerfThread::State::waiting && !woken.woken) {
        woken.woken = true;
        woken.wakeTime = event.time;
        woken.waker = index;
    }
}

PerfRecordBuilder::Marked& PerfRecordBuilder::markedOf(const PerfEvent& event, bool tracepoint, bool sample)
{
    // When each of the stack's leading lines is a frame, the marker depends on those lines and
    // the event's name alone, and is kept by them.
    std::string_view lead = event.stack.substr(0, 0);
    int leadLines = 0;
    for (std::size_t end = 0; leadLines < Tables::STACK_FRAMES && end < event.stack.size(); ++leadLines) {
        end = std::min(event.stack.find('\n', end), event.stack.size());
        lead = event.stack.substr(0, end++);
    }
    const std::string_view key = TextInternTable::join(m_memoKey, {event.name, lead});
    if (!lead.empty()) {
        if (Marked* const known = m_markedStacks.find(key))
            return *known;
    }
    // Frames are read from the leading lines first; one that is no frame means reading on.
    PerfEvent leading = event;
    leading.stack = lead;
    const bool keep = !lead.empty() && formatTop(leading, tracepoint) == leadLines;
    if (!keep)
        formatTop(event, tracepoint);
    m_unkept = {m_markers.index(TextInternTable::join(m_key, {event.name, sample ? "CPU sample" : "event", m_stack})),
                -1};
    return keep ? m_markedStacks.keep(key, m_unkept) : m_unkept;
}

int PerfRecordBuilder::formatTop(const PerfEvent& event, bool tracepoint)
{
    m_stack.clear();
    PerfStack stack(event, tracepoint);
    PerfFrame frame;
    int count = 0;
    for (; count < Tables::STACK_FRAMES && stack.next(frame); ++count) {
        if (count > 0)
            m_stack.push_back('\n');
        appendFrame(m_stack, frame);
    }
    return count;
}

std::int32_t PerfRecordBuilder::functionOf(const PerfEvent& event)
{
    PerfFrame top;
    if (!PerfStack(event, false).next(top))
        top = {"[unknown]", "[unknown]"};
    return m_functions.index(TextInternTable::join(m_key, {top.symbol, top.module}));
}

void PerfRecordBuilder::addMark(std::size_t index, std::uint64_t time, std::int32_t marker)
{
    store::BandObjectRecord object;
    object.row = static_cast<std::int32_t>(index);
    object.start = time;
    object.end = time;
    object.instanceIndex = marker;
    m_marks.push_back(object);
}

void PerfRecordBuilder::running(std::size_t index, std::uint64_t time)
{
    PerfThread& thread = m_threads[index];
    if (thread.state == PerfThread::State::waiting) {
        endWait(index, std::max(time, thread.since));
        thread.since = std::max(time, thread.since);
    } else if (thread.state == PerfThread::State::unknown) {
        thread.since = thread.first;
    }
    thread.state = PerfThread::State::running;
}

void PerfRecordBuilder::endWait(std::size_t index, std::uint64_t time)
{
    PerfThread& thread = m_threads[index];
    addState(index, thread.since, time, WAITING, thread.wait, index);
    if (thread.woken && thread.waker != index)
        addState(index, std::min(thread.wakeTime, time), time, WAITING, thread.wait, thread.waker);
    thread.woken = false;
}

void PerfRecordBuilder::addState(std::size_t index, std::uint64_t start, std::uint64_t end, std::int32_t value,
                                 std::int32_t wait, std::size_t source)
{
    // Idle threads of unknown CPUs share one row; their states would be a mix of all CPUs.
    if (m_threads[index].tid == 0 && m_threads[index].cpu < 0)
        return;
    store::BandObjectRecord state;
    state.row = static_cast<std::int32_t>(index);
    state.start = std::min(start, end);
    state.end = end;
    state.value = value;
    state.instanceIndex = wait;
    state.sourceRow = static_cast<std::int32_t>(source);
    m_states.push_back(state);
}

std::int32_t PerfRecordBuilder::waitOf(std::string_view reason, const PerfEvent* event)
{
    // The place depends on the reason and the whole stack; switches repeat a few stacks.
    const bool keep = event && !event->stack.empty();
    const std::string_view key = keep ? TextInternTable::join(m_memoKey, {reason, event->stack}) : std::string_view();
    if (keep) {
        if (const std::int32_t* const known = m_stackWaits.find(key))
            return *known;
    }
    // Where the thread blocked: its first frame in user space outside the C library's internal
    // helpers ("__futex_abstimed_wait_common" says less than the "pthread_cond_wait" above it),
    // else its first frame in user space, else the first kernel frame outside the scheduler.
    PerfFrame site;
    int found = 0; // 3: the place we want; 2: a user frame; 1: a kernel frame
    if (event) {
        PerfStack stack(*event, true);
        for (PerfFrame frame; found < 3 && stack.next(frame);) {
            const bool user = inUserSpace(frame);
            const int rank = user ? (frame.symbol.rfind("__", 0) == 0 ? 2 : 3)
                                  : (frame.symbol.find("schedule") == std::string_view::npos &&
                                     frame.symbol.find("switch") == std::string_view::npos);
            if (rank > found) {
                site = frame;
                found = rank;
            }
        }
    }
    m_stack.assign(reason);
    std::string callstack;
    if (found) {
        m_stack.append(" in ");
        appendFrame(m_stack, site);
        const auto depth = std::count(event->stack.begin(), event->stack.end(), '\n') + 1;
        std::string frame;
        appendFrame(frame, site);
        callstack = std::to_string(m_callstacks.index(TextInternTable::join(m_key, {frame, std::to_string(depth)})));
    }
    const std::int32_t wait = m_waits.index(TextInternTable::join(m_key, {m_stack, callstack}));
    return keep ? m_stackWaits.keep(key, wait) : wait;
}

void PerfRecordBuilder::closeStates()
{
    for (std::size_t index = 0; index < m_threads.size(); ++index) {
        const PerfThread& thread = m_threads[index];
        if (thread.state == PerfThread::State::running)
            addState(index, thread.since, thread.last, RUNNING, 0, index);
        else if (thread.state == PerfThread::State::waiting)
            addState(index, thread.since, thread.last, WAITING, thread.wait, index);
    }
    if (m_switches == 0)
        m_states.clear();
}

void PerfRecordBuilder::fixSampleStarts()
{
    if (!m_timeCountsNanoseconds && !m_sampleGaps.empty()) {
        // Samples of counted events (cycles) stand for the typical time between two samples of
        // a running thread: the median gap, robust against the long gaps of sleeps.
        const auto middle = m_sampleGaps.begin() + static_cast<std::ptrdiff_t>(m_sampleGaps.size() / 2);
        std::nth_element(m_sampleGaps.begin(), middle, m_sampleGaps.end());
        const std::uint64_t typical = *middle;
        for (store::SampleRecord& sample : m_samples)
            sample.start = std::max(sample.start, sample.end - std::min(typical, sample.end));
    } else if (!m_timeCountsNanoseconds) {
        for (store::SampleRecord& sample : m_samples)
            sample.start = sample.end;
    }
    for (const store::SampleRecord& sample : m_samples)
        m_threads[static_cast<std::size_t>(sample.row)].touch(sample.start);
}

bool PerfRecordBuilder::finish(const std::string& name, store::ResultRecords& records, std::string& error)
{
    if (m_threads.size() == 0) {
        error = "the file holds no perf events";
        return false;
    }
    closeStates();
    fixSampleStarts();
    addNotes();
    std::uint64_t origin = m_threads[0].first;
    std::uint64_t latest = m_threads[0].last;
    for (std::size_t index = 0; index < m_threads.size(); ++index) {
        origin = std::min(origin, m_threads[index].first);
        latest = std::max(latest, m_threads[index].last);
    }
    records = {};
    records.name = Tables::wide(name);
    records.timeOrigin = 0;
    records.tickFrequency = 1000000000;
    records.duration = std::max<std::uint64_t>(latest - origin, 1);
    const std::vector<std::int32_t> rows = m_threads.rows();
    m_threads.addTo(records, rows, origin);
    addSampleTables(records, rows, origin);
    addStateTables(records, rows, origin);

    records.attributeTables.push_back(Tables::attributeTable(L"global_event", {{L"name", {}}}));
    records.attributeTables.push_back(Tables::attributeTable(L"global_task", {{L"name", {}}}));
    records.bandTables.push_back(
        Tables::bandTable(L"global_event", store::BandTableKind::globalInstants, L"global_event", L"global_event"));
    records.bandTables.push_back(
        Tables::bandTable(L"global_task", store::BandTableKind::globalDurations, L"global_task", L"global_task"));
    records.attributeTables.push_back(Tables::attributeTable(L"counter", {{L"name", {}}, {L"unit", {}}}));
    records.timedAttributes.push_back({L"counter", L"value", {}});
    return true;
}

void PerfRecordBuilder::addSampleTables(store::ResultRecords& records, const std::vector<std::int32_t>& rows,
                                        std::uint64_t origin)
{
    toRows(m_samples, rows, origin);
    records.attributeTables.push_back(textTable(L"function", {{L"name", {}}, {L"module", {}}}, m_functions));
    records.sampleTables.push_back({L"dd_sample", L"function", std::move(m_samples)});

    toRows(m_marks, rows, origin);
    records.attributeTables.push_back(
        textTable(L"marker", {{L"name", {}}, {L"category", {}}, {Tables::MARKER_STACK, {}}}, m_markers));
    store::BandTableRecord instants =
        Tables::bandTable(L"marker_instant", store::BandTableKind::singleBand, L"marker", L"dd_thread");
    instants.objects = std::move(m_marks);
    records.bandTables.push_back(std::move(instants));
    records.bandTables.push_back(
        Tables::bandTable(L"marker_duration", store::BandTableKind::singleBand, L"marker", L"dd_thread"));
}

void PerfRecordBuilder::addStateTables(store::ResultRecords& records, const std::vector<std::int32_t>& rows,
                                       std::uint64_t origin)
{
    for (store::BandObjectRecord& state : m_states)
        state.sourceRow = rows[static_cast<std::size_t>(state.sourceRow)];
    toRows(m_states, rows, origin);

    store::AttributeTableRecord callstacks =
        Tables::attributeTable(L"callstack", {{L"bottom_user_cs", {}}, {L"depth", {}}});
    for (std::size_t i = 0; i < m_callstacks.size(); ++i) {
        const auto parts = TextInternTable::split(m_callstacks.key(i));
        const auto depth = static_cast<std::int64_t>(std::stoll(std::string(parts[1])));
        callstacks.instances.push_back({Tables::wide(parts[0]), depth});
    }
    records.attributeTables.push_back(std::move(callstacks));
    store::AttributeTableRecord waits =
        Tables::attributeTable(L"dd_wait", {{L"object", {}}, {L"signal_cs", L"callstack"}, {L"wait_cs", L"callstack"}});
    for (std::size_t i = 0; i < m_waits.size(); ++i) {
        const auto parts = TextInternTable::split(m_waits.key(i));
        store::StoredValue site;
        if (!parts[1].empty())
            site = static_cast<std::int64_t>(std::stoll(std::string(parts[1])));
        waits.instances.push_back({Tables::wide(parts[0]), store::StoredValue(), site});
    }
    records.attributeTables.push_back(std::move(waits));
    store::BandTableRecord states =
        Tables::bandTable(L"wait_state", store::BandTableKind::singleMultiBand, L"dd_wait", L"dd_thread");
    states.objects = std::move(m_states);
    records.bandTables.push_back(std::move(states));
}

void PerfRecordBuilder::addNotes()
{
    if (m_skippedLines)
        m_notes.push_back(std::to_string(m_skippedLines) + " line(s) were not perf script output and were skipped");
    if (m_ownerless)
        m_notes.push_back(std::to_string(m_ownerless) +
                          " event(s) of threads that had ended before perf read them were skipped");
    if (m_malformed)
        m_notes.push_back(std::to_string(m_malformed) +
                          " scheduler event(s) had fields that could not be read and were skipped");
    if (m_untimedSamples)
        m_notes.push_back(std::to_string(m_untimedSamples) + " sample(s) of events other than \"" + m_timeEvent +
                          "\" are shown as markers only: CPU time is taken from \"" + m_timeEvent + "\"");
    if (m_switches == 0)
        m_notes.push_back("the recording has no sched:sched_switch events, so threads show no running and waiting "
                          "states and no wake-ups (record with -e sched:sched_switch -e sched:sched_wakeup)");
    if (m_withoutPid)
        m_notes.push_back("the output has no process ids (perf script -F without pid): threads are not grouped "
                          "by process");
    for (const auto& [name, count] : m_otherEvents)
        m_notes.push_back(std::to_string(count) + " event(s) \"" + name + "\" are shown as markers");
}

} // namespace velmora_import
