#include "json/TraceRecordBuilder.h"

#include "HugePages.h"
#include "RecordTables.h"
#include "RowOrder.h"
#include "json/TraceEvent.h"

#include <dd_sarvik_2_2/dd_parallel_runs.h>
#include <dd_sarvik_2_2/store/ResultRecords.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <iterator>
#include <set>

namespace velmora_import {

namespace store = dd_sarvik_2_2::store;

namespace {

// Beyond this a time in microseconds no longer fits in signed nanoseconds.
constexpr double LARGEST_MICROSECONDS = 9.2e15;
// A sample stands for the time until the next one on its thread, but no longer than this.
constexpr std::int64_t LONGEST_SAMPLE_NS = 10000000;

std::string kindOf(char phase)
{
    return std::string("\"") + phase + "\"";
}

// Nanoseconds from microseconds; false when out of range.
bool nanoseconds(double microseconds, std::int64_t& time)
{
    if (!std::isfinite(microseconds) || std::abs(microseconds) > LARGEST_MICROSECONDS)
        return false;
    time = std::llround(microseconds * 1000.0);
    return true;
}

// Sets each object's value to its nesting depth on its row, given objects in (row, start) order
// and, at equal starts, outermost first. A slice that outlasts its parent still counts as inside.
void setDepths(std::vector<store::BandObjectRecord>& objects)
{
    std::vector<std::uint64_t> openEnds;
    std::int32_t row = -1;
    for (store::BandObjectRecord& object : objects) {
        if (object.row != row) {
            openEnds.clear();
            row = object.row;
        }
        while (!openEnds.empty() && openEnds.back() <= object.start)
            openEnds.pop_back();
        object.value = static_cast<std::int32_t>(openEnds.size());
        openEnds.push_back(object.end);
    }
}

// Appends the times a row spends in its innermost open slice, one sample per stretch, given the
// row's slices sorted by start and, at equal starts, outermost first. A slice that outlasts the
// one it began in is cut at that one's end, so stretches never overlap.
template <class Slices>
void addInnermostStretches(std::int32_t row, Slices first, Slices last, std::vector<store::SampleRecord>& samples)
{
    std::vector<store::BandObjectRecord> open;
    std::uint64_t cursor = 0;
    const auto emit = [&](const store::BandObjectRecord& slice, std::uint64_t end) {
        if (end > cursor)
            samples.push_back({row, cursor, end, 1, slice.instanceIndex});
        cursor = std::max(cursor, end);
    };
    for (; first != last; ++first) {
        store::BandObjectRecord slice = *first;
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

void TraceRecordBuilder::event(const TraceEvent& event)
{
    if (!event.defect.empty()) {
        m_notes.count("events with a field of the wrong type were skipped (e.g. " + event.defect + ")");
        return;
    }
    const char phase = event.phase;
    if (phase == 'M') {
        addMetadata(event);
        return;
    }
    if (phase == 0) {
        m_notes.count("events without \"ph\" (their kind) were skipped");
        return;
    }
    std::int64_t time = 0;
    if (!timeOf(event, time))
        return;
    switch (phase) {
    case 'X':
        addComplete(event, time);
        break;
    case 'B':
    case 'E':
        addThreadSlice(event, time);
        break;
    case 'i':
    case 'I':
        if (event.scope == 'g') {
            m_globalInstants.push_back({0, time, time, m_globalNames.index(event.name)});
            noteTime(time);
        } else {
            const std::size_t track = event.scope == 'p' ? m_tracks.process(event.pid)
                                                         : m_tracks.thread(event.pid, event.tid);
            addSpan(m_instants, track, time, time, marker(event));
        }
        break;
    case 'R':
    case '(':
    case ')':
        addSpan(m_instants, m_tracks.thread(event.pid, event.tid), time, time, marker(event));
        break;
    case 'O':
    case 'N':
    case 'D': {
        static const std::map<char, std::string> what = {{'O', "snapshot"}, {'N', "created"}, {'D', "destroyed"}};
        const std::string args = "object " + event.id + " " + what.at(phase) +
                                 (event.argsText.empty() ? "" : "\n" + event.argsText);
        addSpan(m_instants, m_tracks.process(event.pid), time, time, marker(event.name, event.category, args));
        break;
    }
    case 'C':
        addCounter(event, time);
        break;
    case 'b':
    case 'e':
    case 'n':
    case 'S':
    case 'T':
    case 'p':
    case 'F':
        addAsync(event, time);
        break;
    case 's':
    case 't':
    case 'f': {
        const std::size_t track = m_tracks.thread(event.pid, event.tid);
        m_tracks.touch(track, time);
        noteTime(time);
        m_openKey.assign(event.category).append(1, '\n').append(event.id);
        if (!m_flows.flowEvent(phase, m_openKey, {track, time}, m_flowNames.index(event.name)))
            m_notes.count("flow steps or ends (\"t\"/\"f\") without a start were skipped");
        break;
    }
    case 'P':
        addSample(event, time);
        break;
    default:
        m_notes.count("events of kind " + kindOf(phase) + " were skipped: the kind is unknown");
        return;
    }
    if (!event.bindId.empty() && (event.flowIn || event.flowOut))
        addBinding(event, time);
}

void TraceRecordBuilder::frame(const TraceFrame& frame)
{
    m_frames[frame.id] = frame;
}

std::string TraceRecordBuilder::stackFrom(const std::string& leaf) const
{
    std::string stack;
    auto frame = m_frames.find(leaf);
    for (int count = 0; count < RecordTables::STACK_FRAMES && frame != m_frames.end(); ++count) {
        if (count > 0)
            stack += '\n';
        stack += frame->second.name;
        if (!frame->second.category.empty())
            stack.append(" (").append(frame->second.category).append(")");
        frame = m_frames.find(frame->second.parent);
    }
    return stack;
}

bool TraceRecordBuilder::timeOf(const TraceEvent& event, std::int64_t& time)
{
    if (!event.timestamp) {
        m_notes.count("events of kind " + kindOf(event.phase) + " without \"ts\" were skipped");
        return false;
    }
    if (!nanoseconds(*event.timestamp, time)) {
        m_notes.count("events with a \"ts\" beyond \u00b19.2e15 \u00b5s were skipped");
        return false;
    }
    return true;
}

void TraceRecordBuilder::noteTime(std::int64_t time)
{
    m_earliest = m_timed ? std::min(m_earliest, time) : time;
    m_latest = m_timed ? std::max(m_latest, time) : time;
    m_timed = true;
}

std::int32_t TraceRecordBuilder::marker(const TraceEvent& event)
{
    return marker(event.name, event.category, event.argsText);
}

std::int32_t TraceRecordBuilder::marker(const std::string& name, const std::string& category, const std::string& args,
                                        const std::string& stack)
{
    return m_markers.index(TextInternTable::join(m_key, {name, category, args, stack}));
}

void TraceRecordBuilder::addSpan(BlockVector<Span>& spans, std::size_t track, std::int64_t start, std::int64_t end,
                                 std::int32_t name)
{
    spans.push_back({track, start, end, name});
    m_tracks.touch(track, start);
    m_tracks.touch(track, end);
    noteTime(start);
    noteTime(end);
}

void TraceRecordBuilder::addComplete(const TraceEvent& event, std::int64_t time)
{
    const std::size_t track = m_tracks.thread(event.pid, event.tid);
    const std::optional<double> duration = event.duration ? event.duration : event.threadDuration;
    std::int64_t length = 0;
    if (!duration) {
        m_notes.count("complete events (\"X\") without \"dur\" or \"tdur\" were shown as instants");
        addSpan(m_instants, track, time, time, marker(event));
        return;
    }
    if (!nanoseconds(*duration, length) || length < 0 || time > INT64_MAX - length) {
        m_notes.count("complete events (\"X\") with a negative or too long \"dur\" were skipped");
        return;
    }
    if (!event.duration)
        m_notes.count("complete events (\"X\") without \"dur\" took their length from \"tdur\"");
    addSpan(m_slices, track, time, time + length, marker(event));
}

void TraceRecordBuilder::addThreadSlice(const TraceEvent& event, std::int64_t time)
{
    const std::size_t track = m_tracks.thread(event.pid, event.tid);
    std::vector<Open>& open = m_threadStacks[track];
    if (event.phase == 'B') {
        open.push_back({time, marker(event), track});
        m_tracks.touch(track, time);
        noteTime(time);
        return;
    }
    if (open.empty()) {
        m_notes.count("end events (\"E\") had no begin and were skipped");
        return;
    }
    const Open begin = open.back();
    open.pop_back();
    addSpan(m_slices, track, begin.start, std::max(time, begin.start), begin.marker);
}

void TraceRecordBuilder::addAsync(const TraceEvent& event, std::int64_t time)
{
    const char phase = event.phase;
    const bool nestable = phase == 'b' || phase == 'e' || phase == 'n';
    m_openKey.clear();
    event.pid.appendKey(m_openKey);
    m_openKey.append(1, '\n').append(event.category).append(1, '\n').append(event.id);
    if (!nestable)
        m_openKey.append(1, '\n').append(event.name);
    std::vector<Open>& open = m_asyncOpen.try_emplace(m_openKey).first->second;
    // Nested async slices stay on the row of the outermost one of their id.
    const auto track = [&] {
        return open.empty() ? m_tracks.async(event.pid, event.category, event.name) : open.front().track;
    };
    switch (phase) {
    case 'b':
    case 'S':
        open.push_back({time, marker(event), track()});
        m_tracks.touch(open.back().track, time);
        noteTime(time);
        break;
    case 'e':
    case 'F':
        if (open.empty()) {
            m_notes.count("async ends (\"e\"/\"F\") without a begin were skipped");
            break;
        }
        addSpan(m_slices, open.back().track, open.back().start, std::max(time, open.back().start),
                open.back().marker);
        open.pop_back();
        break;
    default: // "n", and the steps "T"/"p" of a legacy async slice
        addSpan(m_instants, track(), time, time, marker(event));
        break;
    }
}

void TraceRecordBuilder::addCounter(const TraceEvent& event, std::int64_t time)
{
    noteTime(time);
    const std::string pid = event.pid.key();
    for (const auto& [series, value] : event.numbers) {
        if (!std::isfinite(value))
            continue;
        const std::int32_t counter = m_counters.index(TextInternTable::join(m_key, {event.name, event.id, series, pid}));
        if (static_cast<std::size_t>(counter) == m_counterProcess.size())
            m_counterProcess.push_back(event.pid);
        m_counterValues.push_back({counter, time, value});
    }
}

void TraceRecordBuilder::addMetadata(const TraceEvent& event)
{
    if (event.name == "process_name")
        m_tracks.nameProcess(event.pid, event.argName);
    else if (event.name == "process_labels")
        m_tracks.labelProcess(event.pid, event.argLabels);
    else if (event.name == "process_sort_index" && event.argSortIndex)
        m_tracks.sortProcess(event.pid, *event.argSortIndex);
    else if (event.name == "thread_name")
        m_tracks.nameThread(event.pid, event.tid, event.argName);
    else if (event.name == "thread_sort_index" && event.argSortIndex)
        m_tracks.sortThread(event.pid, event.tid, *event.argSortIndex);
    else
        m_notes.count("metadata events (\"M\") of other kinds were not used");
}

void TraceRecordBuilder::addSample(const TraceEvent& event, std::int64_t time)
{
    std::size_t track = 0;
    if (event.pidGiven) {
        track = m_tracks.thread(event.pid, event.tid);
    } else {
        const auto known = m_tracks.threadWithTid(event.tid);
        track = known ? *known : m_tracks.thread(TraceId(), event.tid);
    }
    m_tracks.touch(track, time);
    noteTime(time);
    m_samples.push_back({track, time, event.stackFrame, event.stackFrame.empty() ? marker(event) : -1});
}

void TraceRecordBuilder::addBinding(const TraceEvent& event, std::int64_t time)
{
    const std::size_t track = m_tracks.thread(event.pid, event.tid);
    const std::int32_t name = m_flowNames.index(event.name);
    if (event.flowOut)
        m_flows.boundSlice(event.bindId, true, {track, time}, name);
    if (event.flowIn)
        m_flows.boundSlice(event.bindId, false, {track, time}, name);
}

void TraceRecordBuilder::closeOpenSlices()
{
    std::size_t closed = 0;
    for (auto& [track, open] : m_threadStacks) {
        for (const Open& begin : open)
            m_slices.push_back({track, begin.start, std::max(begin.start, m_tracks.lastTime(track)), begin.marker});
        closed += open.size();
        open.clear();
    }
    if (closed)
        m_notes.count("begin events (\"B\") had no end; they end at their thread's last event", closed);
    std::size_t asyncClosed = 0;
    for (auto& [key, open] : m_asyncOpen) {
        for (const Open& begin : open)
            m_slices.push_back({begin.track, begin.start, std::max(begin.start, m_latest), begin.marker});
        asyncClosed += open.size();
        open.clear();
    }
    if (asyncClosed)
        m_notes.count("async slices (\"b\"/\"S\") had no end; they end at the trace's end", asyncClosed);
}

bool TraceRecordBuilder::finish(const std::string& name, const std::function<bool()>& canceled,
                                store::ResultRecords& records, std::string& error)
{
    closeOpenSlices();
    if (!m_timed) {
        error = "the trace holds no events with a time that the viewer shows";
        return false;
    }
    records = {};
    records.name = RecordTables::wide(name);
    records.timeOrigin = 0;
    records.tickFrequency = 1000000000;
    records.duration = std::max<std::uint64_t>(tick(m_latest), 1);
    const std::vector<std::int32_t> rows = m_tracks.rows();
    records.attributeTables.push_back(m_tracks.rowTable(rows));
    records.lifetimes = m_tracks.lifetimes(rows, [this](std::int64_t time) { return tick(time); }, records.duration);
    const auto stopped = [&] {
        if (canceled && canceled()) {
            error = "the import was canceled";
            return true;
        }
        return false;
    };
    if (stopped())
        return false;
    addSliceTables(rows, records);
    if (stopped())
        return false;
    addFlowTables(rows, records);
    addGlobalTables(records);
    addCounterTable(records);
    return !stopped();
}

std::vector<store::BandObjectRecord> TraceRecordBuilder::onRows(const BlockVector<Span>& spans,
                                                               const std::vector<std::int32_t>& rows) const
{
    // Global spans (no rows) keep row -1 and sort as one row.
    const auto rowOf = [&rows](const Span& span) { return rows.empty() ? 0 : rows[span.track]; };
    const auto make = [&](const Span& span) {
        store::BandObjectRecord object;
        object.row = rows.empty() ? -1 : rows[span.track];
        object.start = tick(span.start);
        object.end = tick(span.end);
        object.instanceIndex = span.marker;
        return object;
    };
    // At equal starts the longer (enclosing) slice comes first.
    return RowOrder::sorted<store::BandObjectRecord>(
        spans, std::max<std::size_t>(rows.size(), 1), rowOf, make,
        [](const auto& a, const auto& b) { return a.start != b.start ? a.start < b.start : a.end > b.end; });
}

void TraceRecordBuilder::nameSampleMarkers()
{
    // Each sample stands for the time until the next one of its thread.
    std::stable_sort(m_samples.begin(), m_samples.end(),
                     [](const Sample& a, const Sample& b) { return std::tie(a.track, a.time) < std::tie(b.track, b.time); });
    for (Sample& sample : m_samples) {
        if (sample.marker >= 0)
            continue;
        const auto frame = m_frames.find(sample.frame);
        sample.marker = frame == m_frames.end() ? marker("frame " + sample.frame, "sample", {})
                                                : marker(frame->second.name, "sample", {}, stackFrom(sample.frame));
    }
}

std::vector<store::SampleRecord> TraceRecordBuilder::busyTimes(const std::vector<store::BandObjectRecord>& slices,
                                                              const std::vector<std::int32_t>& rows) const
{
    std::vector<store::SampleRecord> samples;
    // A slice leaves one stretch and one more in its parent when nested, each sample one: room
    // for all, so the vector is never copied while it fills (unused room is never touched).
    HugePages::reserve(samples, 2 * slices.size() + m_samples.size());
    for (auto first = slices.cbegin(); first != slices.cend();) {
        const auto last =
            std::find_if(first, slices.cend(), [row = first->row](const auto& object) { return object.row != row; });
        addInnermostStretches(first->row, first, last, samples);
        first = last;
    }
    for (std::size_t index = 0; index < m_samples.size(); ++index) {
        const Sample& sample = m_samples[index];
        const bool last = index + 1 == m_samples.size() || m_samples[index + 1].track != sample.track;
        const std::int64_t end =
            last ? sample.time : std::min(m_samples[index + 1].time, sample.time + LONGEST_SAMPLE_NS);
        samples.push_back({rows[sample.track], tick(sample.time), tick(end), 1, sample.marker});
    }
    const auto byRowAndStart = [](const auto& a, const auto& b) {
        return std::tie(a.row, a.start) < std::tie(b.row, b.start);
    };
    if (!std::is_sorted(samples.begin(), samples.end(), byRowAndStart))
        std::stable_sort(samples.begin(), samples.end(), byRowAndStart);
    return samples;
}

void TraceRecordBuilder::fillMarkerTables(store::AttributeTableRecord& functions,
                                          store::AttributeTableRecord& markers) const
{
    // A marker's key is its name, category, args and stack; a function is its name and category.
    markers.texts = RecordTables::textColumns(m_markers, markers.columns.size());
    functions.texts.assign(markers.texts.begin(), markers.texts.begin() + static_cast<std::ptrdiff_t>(functions.columns.size()));
}

void TraceRecordBuilder::addSliceTables(const std::vector<std::int32_t>& rows, store::ResultRecords& records)
{
    // Samples name their markers before the marker table is made from all of them.
    nameSampleMarkers();
    store::BandTableRecord durations =
        RecordTables::bandTable(L"marker_duration", store::BandTableKind::singleBand, L"marker", L"dd_thread");
    std::vector<store::SampleRecord> samples;
    store::AttributeTableRecord functions = RecordTables::attributeTable(L"function", {{L"name", {}}, {L"module", {}}});
    store::AttributeTableRecord markers = RecordTables::attributeTable(
        L"marker", {{L"name", {}}, {L"category", {}}, {L"args", {}}, {RecordTables::MARKER_STACK, {}}});
    store::BandTableRecord instants =
        RecordTables::bandTable(L"marker_instant", store::BandTableKind::singleBand, L"marker", L"dd_thread");
    // The slices with the time spent in them, and the markers with the instants, are made from
    // data of their own and read nothing the other writes: one core each.
    const std::function<void()> parts[] = {
        [&] {
            durations.objects = onRows(m_slices, rows);
            setDepths(durations.objects);
            samples = busyTimes(durations.objects, rows);
        },
        [&] {
            fillMarkerTables(functions, markers);
            instants.objects = onRows(m_instants, rows);
        }};
    dd_sarvik_2_2::dd_parallel_runs::for_each(std::size(parts), [&parts](std::size_t begin, std::size_t end) {
        for (; begin < end; ++begin)
            parts[begin]();
    });
    records.attributeTables.push_back(std::move(functions));
    records.attributeTables.push_back(std::move(markers));
    records.sampleTables.push_back({L"dd_sample", L"function", std::move(samples)});
    records.bandTables.push_back(std::move(instants));
    records.bandTables.push_back(std::move(durations));
}

void TraceRecordBuilder::addFlowTables(const std::vector<std::int32_t>& rows, store::ResultRecords& records)
{
    std::size_t unmatched = 0;
    const std::vector<FlowLinker::Link> links = m_flows.takeLinks(unmatched);
    if (unmatched)
        m_notes.count("bound flow ends (\"bind_id\" with \"flow_in\"/\"flow_out\") had no other end", unmatched);
    // A flow is shown as a transition from its source row into its destination row.
    store::AttributeTableRecord objects =
        RecordTables::attributeTable(L"dd_wait", {{L"object", {}}, {L"signal_cs", L"callstack"}, {L"wait_cs", L"callstack"}});
    for (std::size_t index = 0; index < m_flowNames.size(); ++index)
        objects.instances.push_back(
            {RecordTables::wide(std::string("flow ").append(m_flowNames.key(index))), store::StoredValue(), store::StoredValue()});
    store::BandTableRecord flows =
        RecordTables::bandTable(L"wait_state", store::BandTableKind::singleMultiBand, L"dd_wait", L"dd_thread");
    HugePages::reserve(flows.objects, links.size());
    for (const FlowLinker::Link& link : links) {
        store::BandObjectRecord object;
        object.row = rows[link.to.track];
        object.sourceRow = rows[link.from.track];
        object.start = tick(link.from.time);
        object.end = std::max(object.start, tick(link.to.time));
        object.instanceIndex = link.name;
        flows.objects.push_back(object);
    }
    std::stable_sort(flows.objects.begin(), flows.objects.end(), [](const auto& a, const auto& b) {
        return std::tie(a.row, a.start) < std::tie(b.row, b.start);
    });
    records.attributeTables.push_back(RecordTables::attributeTable(L"callstack", {{L"bottom_user_cs", {}}, {L"depth", {}}}));
    records.attributeTables.push_back(std::move(objects));
    records.bandTables.push_back(std::move(flows));
}

void TraceRecordBuilder::addGlobalTables(store::ResultRecords& records) const
{
    store::AttributeTableRecord events = RecordTables::attributeTable(L"global_event", {{L"name", {}}});
    for (std::size_t index = 0; index < m_globalNames.size(); ++index)
        events.instances.push_back({RecordTables::wide(m_globalNames.key(index))});
    records.attributeTables.push_back(std::move(events));
    records.attributeTables.push_back(RecordTables::attributeTable(L"global_task", {{L"name", {}}}));

    store::BandTableRecord instants =
        RecordTables::bandTable(L"global_event", store::BandTableKind::globalInstants, L"global_event", L"global_event");
    instants.objects = onRows(m_globalInstants, {});
    records.bandTables.push_back(std::move(instants));
    records.bandTables.push_back(
        RecordTables::bandTable(L"global_task", store::BandTableKind::globalDurations, L"global_task", L"global_task"));
}

void TraceRecordBuilder::addCounterTable(store::ResultRecords& records) const
{
    std::set<std::string> processes;
    for (std::size_t index = 0; index < m_counters.size(); ++index)
        processes.insert(std::string(TextInternTable::split(m_counters.key(index))[3]));
    store::AttributeTableRecord table = RecordTables::attributeTable(L"counter", {{L"name", {}}, {L"unit", {}}});
    for (std::size_t index = 0; index < m_counters.size(); ++index) {
        const std::vector<std::string_view> parts = TextInternTable::split(m_counters.key(index));
        const std::string_view &name = parts[0], &id = parts[1], &series = parts[2];
        // Counters belong to a process; its name tells them apart when several have counters.
        std::string text = std::string(name).append(id.empty() ? "" : "[" + std::string(id) + "]").append(".").append(series);
        if (processes.size() > 1)
            text += " (" + m_tracks.processLabelOf(m_counterProcess[index]) + ")";
        table.instances.push_back(RecordTables::instance(RecordTables::wide(text), std::wstring()));
    }
    records.attributeTables.push_back(std::move(table));

    store::TimedAttributeRecord values{L"counter", L"value", {}};
    HugePages::reserve(values.values, m_counterValues.size());
    for (const CounterValue& value : m_counterValues)
        values.values.push_back({value.counter, tick(value.time), value.value});
    std::stable_sort(values.values.begin(), values.values.end(), [](const auto& a, const auto& b) {
        return a.instanceIndex != b.instanceIndex ? a.instanceIndex < b.instanceIndex : a.tick < b.tick;
    });
    records.timedAttributes.push_back(std::move(values));
}

} // namespace velmora_import
