#include "EveryKindResult.h"

#include "sarvik/ResultBuilder.h"
#include <dd_sarvik_2_2/store/ResultRecords.h>

#include <dd_sarvik_2_2/Result.h>

namespace pane_test {

using namespace dd_sarvik_2_2::store;

namespace {

constexpr std::uint64_t ORIGIN = 1000000;
constexpr std::uint64_t WINDOW = EveryKindResult::DURATION / EveryKindResult::KIND_COUNT;
// Markers and states keep this far from their window's edges.
constexpr std::uint64_t INSET = WINDOW / 5;
// Sample slots in a window: about one per pixel column of the test's window.
constexpr std::uint64_t SLOT = WINDOW / 100;

std::uint64_t windowStart(EveryKindResult::Kind kind)
{
    return kind * WINDOW;
}

AttributeTableRecord nameTable(const wchar_t* table, std::initializer_list<const wchar_t*> names)
{
    AttributeTableRecord record{table, {{L"name", L""}}, {}};
    for (const wchar_t* name : names)
        record.instances.push_back({std::wstring(name)});
    return record;
}

// One sample per slot over the kind's whole window, each lasting `length` (0: an instant).
void addSamples(std::vector<SampleRecord>& samples, EveryKindResult::Kind kind, std::int32_t function,
                std::uint64_t length)
{
    const EveryKindResult::Placement where = EveryKindResult::placementOf(kind);
    for (std::uint64_t t = where.start; t < where.end; t += SLOT) {
        const std::uint64_t start = ORIGIN + t + (length == 0 ? SLOT / 2 : 0);
        samples.push_back({where.dataRow, start, start + length, 2, function});
    }
}

BandObjectRecord bandObject(EveryKindResult::Kind kind, std::int32_t sourceRow = -1)
{
    const EveryKindResult::Placement where = EveryKindResult::placementOf(kind);
    return {where.dataRow, ORIGIN + where.start, ORIGIN + where.end, 0, 0, sourceRow};
}

ResultRecords records()
{
    using Kind = EveryKindResult::Kind;
    ResultRecords r;
    r.name = L"every kind";
    r.timeOrigin = ORIGIN;
    r.duration = EveryKindResult::DURATION;
    r.attributeTables = {nameTable(L"dd_thread", {L"first", L"second"}),
                         nameTable(L"function", {L"timed", L"counted", L"instances", L"derived"}),
                         nameTable(L"marker", {L"mark"}),
                         nameTable(L"dd_wait", {L"lock"}),
                         nameTable(L"global_event", {L"tick"}),
                         nameTable(L"global_task", {L"pause"}),
                         {L"counter", {{L"name", L""}, {L"value", L""}}, {{std::wstring(L"load"), 10.0}}}};
    const std::uint64_t end = ORIGIN + EveryKindResult::DURATION;
    r.lifetimes = {{L"dd_thread", 0, ORIGIN, end}, {L"dd_thread", 1, ORIGIN, end}};

    // Rows 0 and 1 each hold two kinds of samples, in time order as the store wants them.
    SampleTableRecord samples{L"dd_sample", L"function", {}};
    addSamples(samples.samples, Kind::Time, 0, SLOT);
    addSamples(samples.samples, Kind::InstanceCount, 2, SLOT / 2);
    addSamples(samples.samples, Kind::Count, 1, 0);
    addSamples(samples.samples, Kind::Derived, 3, SLOT);
    r.sampleTables = {samples};

    r.bandTables = {
        {L"marker_instant", BandTableKind::singleBand, L"marker", L"dd_thread", 0, {bandObject(Kind::EventMarker)}},
        {L"marker_duration", BandTableKind::singleBand, L"marker", L"dd_thread", 0,
         {bandObject(Kind::DurationMarker)}},
        // Value 0: a wait, signalled from row 0.
        {L"wait_state", BandTableKind::singleMultiBand, L"dd_wait", L"dd_thread", 0, {bandObject(Kind::State, 0)}},
        {L"global_event", BandTableKind::globalInstants, L"global_event", L"global_event", 0,
         {bandObject(Kind::GlobalEvent)}},
        {L"global_task", BandTableKind::globalDurations, L"global_task", L"global_task", 0,
         {bandObject(Kind::GlobalTask)}}};
    // The counter is 0 until its window and at its maximum from there on.
    r.timedAttributes = {{L"counter", L"value", {{0, ORIGIN, 0.0}, {0, ORIGIN + windowStart(Kind::Attribute), 10.0}}}};
    return r;
}

} // namespace

EveryKindResult::Placement EveryKindResult::placementOf(Kind kind)
{
    const std::uint64_t start = windowStart(kind);
    switch (kind) {
    case Time:
    case InstanceCount:
        return {0, start, start + WINDOW};
    case Count:
    case Derived:
        return {1, start, start + WINDOW};
    case EventMarker:
        return {0, start + WINDOW / 2, start + WINDOW / 2};
    case DurationMarker:
    case State:
        return {1, start + INSET, start + WINDOW - INSET};
    case GlobalEvent:
        return {0, start + WINDOW / 2, start + WINDOW / 2};
    case GlobalTask:
        return {0, start + INSET, start + WINDOW - INSET};
    case Attribute:
    case KIND_COUNT:
        break;
    }
    return {0, start, DURATION};
}

EveryKindResult::EveryKindResult()
    : m_result(m_engine.adopt(dd_sarvik_2_2::ResultBuilder::build(records(), L"")))
{
}

} // namespace pane_test
