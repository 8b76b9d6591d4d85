#include "json/TraceRecordBuilder.h"

#include <dd_sarvik_2_2/store/ResultRecords.h>
#include <ddb_2_2/string.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <set>

namespace velmora_import {

namespace store = dd_sarvik_2_2::store;

namespace {

// Beyond this a time in microseconds no longer fits in signed nanoseconds.
constexpr double LARGEST_MICROSECONDS = 9.0e15;

// Malformed UTF-8 in a name becomes U+FFFD rather than losing the whole name.
std::wstring wide(const std::string& text)
{
    return ddb_2_2::string::from_utf8(text).str();
}

std::string kindOf(char phase)
{
    return std::string("\"") + phase + "\"";
}

store::AttributeTableRecord attributeTable(const wchar_t* name, std::vector<store::AttributeColumn> columns)
{
    store::AttributeTableRecord table;
    table.name = name;
    table.columns = std::move(columns);
    return table;
}

store::AttributeTableRecord namedPairs(const wchar_t* name, const wchar_t* second,
                                       const std::vector<std::pair<std::string, std::string>>& pairs)
{
    store::AttributeTableRecord table = attributeTable(name, {{L"name", {}}, {second, {}}});
    for (const auto& [first, other] : pairs)
        table.instances.push_back({wide(first), wide(other)});
    return table;
}

store::BandTableRecord bandTable(const wchar_t* name, store::BandTableKind kind, const wchar_t* attributes,
                                 const wchar_t* key)
{
    store::BandTableRecord table;
    table.name = name;
    table.kind = kind;
    table.attributeTable = attributes;
    table.keyName = key;
    return table;
}

// Appends the times a row spends in its innermost open slice, one sample per stretch, given the
// row's slices sorted by start and, at equal starts, outermost first. A slice that outlasts the
// one it began in is cut at that one's end, so stretches never overlap.
void addInnermostStretches(std::int32_t row, const std::vector<store::BandObjectRecord>& slices,
                           std::vector<store::SampleRecord>& samples)
{
    std::vector<store::BandObjectRecord> open;
    std::uint64_t cursor = 0;
    const auto emit = [&](const store::BandObjectRecord& slice, std::uint64_t end) {
        if (end > cursor)
            samples.push_back({row, cursor, end, 1, slice.instanceIndex});
        cursor = std::max(cursor, end);
    };
    for (store::BandObjectRecord slice : slices) {
        while (!open.empty() && open.back().end <= slice.start) {
            emit(open.back(), open.back().end);
            open.pop_back();
        }
        if (!open.empty()) {
            emit(open.back(), slice.start);
            slice.end = std::min(slice.end, open.back().end);
        }
        cursor = std::max(cursor, slice.start);
        open.push_back(slice);
    }
    for (; !open.empty(); open.pop_back())
        emit(open.back(), open.back().end);
}

} // namespace

bool TraceRecordBuilder::add(const TraceEvent& event, std::string& error)
{
    const char phase = event.phase;
    if (phase == 'M') {
        addMetadata(event);
        return true;
    }
    if (phase == 0) {
        error = "an event needs \"ph\", its kind";
        return false;
    }
    if (std::string("XBEiIC").find(phase) == std::string::npos) {
        ++m_skippedKinds[phase];
        return true;
    }
    std::int64_t time = 0;
    if (!timeOf(event, time, error))
        return false;
    if (phase == 'C') {
        addCounter(event, time);
        return true;
    }
    if ((phase == 'i' || phase == 'I') && (event.scope == 'g' || event.scope == 'p')) {
        // The result has no process rows: process-wide instants are shown with the global ones.
        m_globalInstants.push_back({0, time, time, m_globalNames.index(event.name)});
        noteTime(time);
        return true;
    }
    Thread& owner = thread(event);
    const std::size_t index = static_cast<std::size_t>(&owner - m_threads.data());
    touch(owner, time);
    switch (phase) {
    case 'X': {
        if (!event.duration) {
            error = "a complete event (\"X\") needs \"dur\"";
            return false;
        }
        const double duration = *event.duration;
        if (!std::isfinite(duration) || duration < 0 || duration > LARGEST_MICROSECONDS) {
            error = "\"dur\" must be a duration in microseconds, not negative";
            return false;
        }
        const std::int64_t end = time + std::llround(duration * 1000.0);
        touch(owner, end);
        m_slices.push_back({index, time, end, m_names.index({event.name, event.category})});
        break;
    }
    case 'B':
        owner.open.push_back({time, m_names.index({event.name, event.category})});
        break;
    case 'E':
        if (owner.open.empty()) {
            ++m_unmatchedEnds;
            break;
        }
        m_slices.push_back({index, owner.open.back().start, std::max(time, owner.open.back().start),
                            owner.open.back().name});
        owner.open.pop_back();
        break;
    default: // thread instants
        m_instants.push_back({index, time, time, m_names.index({event.name, event.category})});
        break;
    }
    return true;
}

TraceRecordBuilder::Thread& TraceRecordBuilder::thread(const TraceEvent& event)
{
    const auto [found, added] = m_threadIndex.emplace(std::make_pair(event.pid, event.tid), m_threads.size());
    if (added) {
        m_threads.emplace_back();
        m_threads.back().pid = event.pid;
        m_threads.back().tid = event.tid;
    }
    return m_threads[found->second];
}

bool TraceRecordBuilder::timeOf(const TraceEvent& event, std::int64_t& time, std::string& error) const
{
    if (!event.timestamp) {
        error = "an event of kind " + kindOf(event.phase) + " needs \"ts\"";
        return false;
    }
    const double microseconds = *event.timestamp;
    if (!std::isfinite(microseconds) || std::abs(microseconds) > LARGEST_MICROSECONDS) {
        error = "\"ts\" is out of range";
        return false;
    }
    time = std::llround(microseconds * 1000.0);
    return true;
}

void TraceRecordBuilder::noteTime(std::int64_t time)
{
    m_earliest = m_timed ? std::min(m_earliest, time) : time;
    m_latest = m_timed ? std::max(m_latest, time) : time;
    m_timed = true;
}

void TraceRecordBuilder::touch(Thread& owner, std::int64_t time)
{
    owner.first = owner.timed ? std::min(owner.first, time) : time;
    owner.last = owner.timed ? std::max(owner.last, time) : time;
    owner.timed = true;
    noteTime(time);
}

void TraceRecordBuilder::addCounter(const TraceEvent& event, std::int64_t time)
{
    noteTime(time);
    for (const auto& [series, value] : event.numbers) {
        if (std::isfinite(value))
            m_counterValues.push_back({m_counters.index({event.pid, event.name + "." + series}), time, value});
    }
}

void TraceRecordBuilder::addMetadata(const TraceEvent& event)
{
    if (event.name == "thread_name")
        thread(event).name = event.argName;
    else if (event.name == "process_name")
        m_processNames[event.pid] = event.argName;
}

void TraceRecordBuilder::closeOpenSlices()
{
    std::size_t closed = 0;
    for (std::size_t index = 0; index < m_threads.size(); ++index) {
        Thread& owner = m_threads[index];
        for (const OpenSlice& slice : owner.open)
            m_slices.push_back({index, slice.start, owner.last, slice.name});
        closed += owner.open.size();
        owner.open.clear();
    }
    if (closed)
        m_notes.push_back(std::to_string(closed) + " begin event(s) (\"B\") had no end; they end at their thread's "
                                                   "last event");
    if (m_unmatchedEnds)
        m_notes.push_back(std::to_string(m_unmatchedEnds) + " end event(s) (\"E\") had no begin and were skipped");
    for (const auto& [phase, count] : m_skippedKinds)
        m_notes.push_back(std::to_string(count) + " event(s) of kind " + kindOf(phase) +
                          " were skipped: the viewer does not show them");
}

std::vector<std::int32_t> TraceRecordBuilder::rowsOfThreads() const
{
    std::vector<std::size_t> order(m_threads.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    std::sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
        return std::tie(m_threads[a].pid, m_threads[a].tid) < std::tie(m_threads[b].pid, m_threads[b].tid);
    });
    std::vector<std::int32_t> rows(m_threads.size());
    for (std::size_t row = 0; row < order.size(); ++row)
        rows[order[row]] = static_cast<std::int32_t>(row);
    return rows;
}

bool TraceRecordBuilder::finish(const std::string& name, store::ResultRecords& records, std::string& error)
{
    closeOpenSlices();
    if (!m_timed) {
        error = "the trace holds no events with a time that the viewer shows (complete, begin and end, instant "
                "or counter events)";
        return false;
    }
    records = {};
    records.name = wide(name);
    records.timeOrigin = 0;
    records.tickFrequency = 1000000000;
    records.duration = tick(std::max(m_latest, m_earliest + 1));
    const std::vector<std::int32_t> rows = rowsOfThreads();
    addThreadTable(rows, records);
    addSliceTables(rows, records);
    addGlobalTables(records);
    addCounterTable(records);
    return true;
}

void TraceRecordBuilder::addThreadTable(const std::vector<std::int32_t>& rows, store::ResultRecords& records) const
{
    store::AttributeTableRecord table =
        attributeTable(L"dd_thread", {{L"name", {}}, {L"process", {}}, {L"pid", {}}, {L"tid", {}}});
    table.instances.resize(m_threads.size());
    records.lifetimes.resize(m_threads.size());
    for (std::size_t index = 0; index < m_threads.size(); ++index) {
        const Thread& owner = m_threads[index];
        const std::int32_t row = rows[index];
        const auto process = m_processNames.find(owner.pid);
        table.instances[row] = {
            wide(owner.name.empty() ? "thread " + std::to_string(owner.tid) : owner.name),
            wide(process == m_processNames.end() ? "process " + std::to_string(owner.pid) : process->second),
            owner.pid, owner.tid};
        // A thread known only from metadata is shown over the whole trace, empty.
        records.lifetimes[row] = {L"dd_thread", row, owner.timed ? tick(owner.first) : 0,
                                  owner.timed ? tick(owner.last) : records.duration};
    }
    records.attributeTables.push_back(std::move(table));
}

std::vector<store::BandObjectRecord> TraceRecordBuilder::onRows(const std::vector<Span>& spans,
                                                               const std::vector<std::int32_t>& rows) const
{
    std::vector<store::BandObjectRecord> objects;
    objects.reserve(spans.size());
    for (const Span& span : spans) {
        store::BandObjectRecord object;
        object.row = rows.empty() ? -1 : rows[span.thread];
        object.start = tick(span.start);
        object.end = tick(span.end);
        object.instanceIndex = span.name;
        objects.push_back(object);
    }
    // At equal starts the longer (enclosing) slice comes first.
    std::stable_sort(objects.begin(), objects.end(), [](const auto& a, const auto& b) {
        return a.row != b.row ? a.row < b.row : a.start != b.start ? a.start < b.start : a.end > b.end;
    });
    return objects;
}

void TraceRecordBuilder::addSliceTables(const std::vector<std::int32_t>& rows, store::ResultRecords& records) const
{
    records.attributeTables.push_back(namedPairs(L"function", L"module", m_names.keys()));
    records.attributeTables.push_back(namedPairs(L"marker", L"category", m_names.keys()));

    store::BandTableRecord durations =
        bandTable(L"marker_duration", store::BandTableKind::singleBand, L"marker", L"dd_thread");
    durations.objects = onRows(m_slices, rows);
    store::SampleTableRecord samples{L"dd_sample", L"function", {}};
    for (auto first = durations.objects.begin(); first != durations.objects.end();) {
        const auto last = std::find_if(first, durations.objects.end(),
                                       [row = first->row](const auto& object) { return object.row != row; });
        addInnermostStretches(first->row, {first, last}, samples.samples);
        first = last;
    }
    store::BandTableRecord instants =
        bandTable(L"marker_instant", store::BandTableKind::singleBand, L"marker", L"dd_thread");
    instants.objects = onRows(m_instants, rows);
    records.sampleTables.push_back(std::move(samples));
    records.bandTables.push_back(std::move(instants));
    records.bandTables.push_back(std::move(durations));

    // A trace names no waits, but the viewpoints ask for their tables: they stay empty.
    records.attributeTables.push_back(attributeTable(L"callstack", {{L"bottom_user_cs", {}}, {L"depth", {}}}));
    records.attributeTables.push_back(
        attributeTable(L"dd_wait", {{L"object", {}}, {L"signal_cs", L"callstack"}, {L"wait_cs", L"callstack"}}));
    records.bandTables.push_back(
        bandTable(L"wait_state", store::BandTableKind::singleMultiBand, L"dd_wait", L"dd_thread"));
}

void TraceRecordBuilder::addGlobalTables(store::ResultRecords& records) const
{
    store::AttributeTableRecord events = attributeTable(L"global_event", {{L"name", {}}});
    for (const std::string& name : m_globalNames.keys())
        events.instances.push_back({wide(name)});
    records.attributeTables.push_back(std::move(events));
    records.attributeTables.push_back(attributeTable(L"global_task", {{L"name", {}}}));

    store::BandTableRecord instants =
        bandTable(L"global_event", store::BandTableKind::globalInstants, L"global_event", L"global_event");
    instants.objects = onRows(m_globalInstants, {});
    records.bandTables.push_back(std::move(instants));
    records.bandTables.push_back(
        bandTable(L"global_task", store::BandTableKind::globalDurations, L"global_task", L"global_task"));
}

void TraceRecordBuilder::addCounterTable(store::ResultRecords& records) const
{
    std::set<std::int64_t> processes;
    for (const auto& counter : m_counters.keys())
        processes.insert(counter.first);
    store::AttributeTableRecord table = attributeTable(L"counter", {{L"name", {}}, {L"unit", {}}});
    for (const auto& [pid, name] : m_counters.keys()) {
        // Counters belong to a process; its name tells them apart when several have counters.
        const auto process = m_processNames.find(pid);
        const std::string owner = process == m_processNames.end() ? "process " + std::to_string(pid) : process->second;
        table.instances.push_back({wide(processes.size() > 1 ? name + " (" + owner + ")" : name), std::wstring()});
    }
    records.attributeTables.push_back(std::move(table));

    store::TimedAttributeRecord values{L"counter", L"value", {}};
    values.values.reserve(m_counterValues.size());
    for (const CounterValue& value : m_counterValues)
        values.values.push_back({value.counter, tick(value.time), value.value});
    std::stable_sort(values.values.begin(), values.values.end(), [](const auto& a, const auto& b) {
        return a.instanceIndex != b.instanceIndex ? a.instanceIndex < b.instanceIndex : a.tick < b.tick;
    });
    records.timedAttributes.push_back(std::move(values));
}

} // namespace velmora_import
