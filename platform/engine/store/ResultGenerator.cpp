#include <dd_sarvik_2_2/store/ResultGenerator.h>

#include "store/GeneratorRandom.h"
#include <dd_sarvik_2_2/store/ResultRecords.h>
#include "store/RowLifetimes.h"
#include "store/Utf8Text.h"

#include <dd_sarvik_2_2/store/ResultWriter.h>

#include <algorithm>
#include <exception>
#include <string>

namespace dd_sarvik_2_2 {
namespace store {

namespace {

struct NamePair {
    const wchar_t* first;
    const wchar_t* second;
};

const wchar_t* const processNames[] = {L"app_server", L"db_engine", L"renderer",
                                       L"log_daemon", L"net_proxy", L"scheduler"};
const wchar_t* const threadRoles[] = {L"worker", L"io", L"timer", L"gc"};
const NamePair functions[] = {
    {L"main", L"app"},           {L"handle_request", L"app"},  {L"parse_header", L"app"},
    {L"update_index", L"app"},   {L"sort_items", L"app"},      {L"encode_json", L"app"},
    {L"decode_json", L"app"},    {L"malloc", L"libc.so"},      {L"free", L"libc.so"},
    {L"memcpy", L"libc.so"},     {L"read", L"libc.so"},        {L"write", L"libc.so"},
    {L"mutex_lock", L"libthread.so"}, {L"cond_wait", L"libthread.so"}, {L"sqrt", L"libm.so"},
    {L"exp", L"libm.so"},        {L"deflate", L"libz.so"},     {L"inflate", L"libz.so"},
    {L"draw_mesh", L"libgfx.so"}, {L"upload_texture", L"libgfx.so"},
    {L"send_packet", L"libnet.so"}, {L"recv_packet", L"libnet.so"},
    {L"poll_events", L"libnet.so"}, {L"idle", L"kernel"}};
struct MarkerName {
    const wchar_t* name;
    const wchar_t* category;
    const wchar_t* args;  // "key: value" lines, as recorded events carry them
    const wchar_t* stack; // the top frames where the event was recorded, "symbol (module)" lines
};
const MarkerName markerNames[] = {{L"frame", L"render", L"frame: 1204\nlayers: 3", L""},
                                  {L"checkpoint", L"app", L"stage: parsed", L""},
                                  {L"gc", L"runtime", L"generation: 0\nfreed_bytes: 1048576",
                                   L"collect (libruntime.so)\nallocate (libruntime.so)\nparse_input (app)"},
                                  {L"request", L"app", L"url: /api/items\nstatus: 200", L""},
                                  {L"flush", L"io", L"bytes: 65536", L"write (libc.so)\nflush_cache (app)"},
                                  {L"tick", L"runtime", L"", L""}};
const wchar_t* const globalEventNames[] = {L"vsync", L"config_reload", L"snapshot"};
const wchar_t* const globalTaskNames[] = {L"gc_pause", L"compaction", L"deploy"};
const NamePair counterNames[] = {{L"memory_used", L"bytes"}, {L"cpu_load", L"percent"}};
const wchar_t* const waitKinds[] = {L"mutex", L"condition", L"event"};

constexpr std::uint64_t callstackCount = 16;
// Waits share their wait-table instances (object and call stacks), as real waits do.
constexpr std::uint64_t maxWaitInstances = 256;
constexpr std::uint64_t functionCount = std::size(functions);
constexpr std::uint64_t callTreesPerRow = 3;
// Levels of a generated call tree, its root included.
constexpr int maxCallDepth = 5;

AttributeTableRecord attributeTable(const wchar_t* name, std::vector<AttributeColumn> columns)
{
    AttributeTableRecord table;
    table.name = name;
    table.columns = std::move(columns);
    return table;
}

AttributeTableRecord pairTable(const wchar_t* name, const wchar_t* secondColumn,
                               const NamePair* pairs, std::size_t count)
{
    AttributeTableRecord table = attributeTable(name, {{L"name", {}}, {secondColumn, {}}});
    for (std::size_t i = 0; i < count; ++i)
        table.instances.push_back({std::wstring(pairs[i].first), std::wstring(pairs[i].second)});
    return table;
}

AttributeTableRecord nameTable(const wchar_t* name, const wchar_t* const* names, std::size_t count)
{
    AttributeTableRecord table = attributeTable(name, {{L"name", {}}});
    for (std::size_t i = 0; i < count; ++i)
        table.instances.push_back({std::wstring(names[i])});
    return table;
}

BandTableRecord bandTable(const wchar_t* name, BandTableKind kind, const wchar_t* attributes,
                          const wchar_t* keyName)
{
    BandTableRecord table;
    table.name = name;
    table.kind = kind;
    table.attributeTable = attributes;
    table.keyName = keyName;
    return table;
}

void sortByRowAndTime(std::vector<BandObjectRecord>& objects)
{
    std::stable_sort(objects.begin(), objects.end(),
                     [](const BandObjectRecord& a, const BandObjectRecord& b) {
                         return a.row != b.row ? a.row < b.row
                                               : a.start != b.start ? a.start < b.start
                                                                    : a.end < b.end;
                     });
}

// Builds one generated result; each add... step draws from the one random sequence in a fixed
// order, which is what makes a seed reproduce its result.
class Generation {
public:
    explicit Generation(const GeneratorOptions& options)
        : m_options(options)
        , m_random(options.seed)
        , m_end(options.timeOrigin + options.duration)
    {
        m_records.name = L"Synthetic result, seed " + std::to_wstring(options.seed);
        m_records.timeOrigin = options.timeOrigin;
        m_records.tickFrequency = options.tickFrequency;
        m_records.duration = options.duration;
    }

    ResultRecords run()
    {
        addThreads();
        addSamples();
        addMarkers();
        addWaits();
        addGlobalMarkers();
        addCounters();
        addCallTrees();
        return std::move(m_records);
    }

private:
    void addThreads()
    {
        const std::uint32_t threads = m_options.threads;
        const std::uint32_t processes = std::max(1u, std::min(m_options.processes, threads));
        AttributeTableRecord table = attributeTable(
            L"dd_thread", {{L"name", {}}, {L"process", {}}, {L"pid", {}}, {L"tid", {}}});
        for (std::uint32_t row = 0; row < threads; ++row) {
            const std::uint32_t process = row % processes;
            const std::wstring role = row < processes
                ? std::wstring(L"main")
                : threadRoles[(row / processes) % std::size(threadRoles)]
                    + (L"-" + std::to_wstring(row));
            std::wstring processName = processNames[process % std::size(processNames)];
            if (process >= std::size(processNames))
                processName += L"-" + std::to_wstring(process);
            const std::int64_t pid = 4000 + 17 * static_cast<std::int64_t>(process);
            table.instances.push_back({role, processName, pid, pid + row});
            addLifetime(row, threads);
        }
        m_records.attributeTables.push_back(std::move(table));
    }

    // The first half of the threads live through the whole collection, the others start and
    // end somewhere inside it, so rows begin and end at different times.
    void addLifetime(std::uint32_t row, std::uint32_t threads)
    {
        RowLifetimes::Span span{m_options.timeOrigin, m_end};
        if (row >= (threads + 1) / 2) {
            const std::uint64_t duration = m_options.duration;
            span.start = m_options.timeOrigin + m_random.below(duration / 2 + 1);
            span.end = m_random.between(std::min(span.start + duration / 4, m_end), m_end);
        }
        m_lifetimes.add(span);
        m_records.lifetimes.push_back(
            {L"dd_thread", static_cast<std::int32_t>(row), span.start, span.end});
    }

    void addSamples()
    {
        m_records.attributeTables.push_back(
            pairTable(L"function", L"module", functions, functionCount));
        SampleTableRecord table{L"dd_sample", L"function", {}};
        table.samples.reserve(m_options.samples);
        const std::vector<std::uint64_t> counts = m_lifetimes.share(m_options.samples);
        for (std::size_t row = 0; row < counts.size(); ++row) {
            for (std::uint64_t i = 0; i < counts[row]; ++i) {
                const RowLifetimes::Span slot = m_lifetimes.slot(row, i, counts[row]);
                SampleRecord sample;
                sample.row = static_cast<std::int32_t>(row);
                sample.start = slot.start;
                sample.end = slot.end > slot.start ? m_random.between(slot.start + 1, slot.end)
                                                   : slot.start;
                sample.count = 1 + static_cast<std::uint32_t>(
                                       m_random.below(8) == 0 ? m_random.below(16) : 0);
                sample.instanceIndex = pickFunction(row, i * 4 / counts[row]);
                table.samples.push_back(sample);
            }
        }
        m_records.sampleTables.push_back(std::move(table));
    }

    // A row spends most of a phase of its life in one favourite function and its neighbours,
    // so graphs restricted to a function or module show structure rather than noise.
    std::int32_t pickFunction(std::size_t row, std::uint64_t phase)
    {
        const std::uint64_t favourite = (row * 7 + phase * 5) % functionCount;
        const std::uint64_t draw = m_random.below(100);
        std::uint64_t function = m_random.below(functionCount);
        if (draw < 60)
            function = favourite;
        else if (draw < 85)
            function = (favourite + 1 + m_random.below(3)) % functionCount;
        return static_cast<std::int32_t>(function);
    }

    void addMarkers()
    {
        AttributeTableRecord names = attributeTable(L"marker", {{L"name", {}}, {L"category", {}}, {L"args", {}}, {L"stack", {}}});
        for (const MarkerName& marker : markerNames)
            names.instances.push_back({std::wstring(marker.name), std::wstring(marker.category), std::wstring(marker.args),
                                       std::wstring(marker.stack)});
        m_records.attributeTables.push_back(std::move(names));
        const auto place = [this](BandObjectRecord& marker) {
            const std::size_t row = m_random.below(m_lifetimes.size());
            const RowLifetimes::Span& life = m_lifetimes[row];
            marker.row = static_cast<std::int32_t>(row);
            marker.start = m_random.between(life.start, life.end);
            marker.instanceIndex = static_cast<std::int32_t>(m_random.below(std::size(markerNames)));
            marker.value = marker.instanceIndex % 3;
            // Short enough that the graph and states beneath stay readable between them.
            const std::uint64_t longest = (life.end - life.start) / 100 + 1;
            return std::min(life.end, marker.start + longest);
        };
        addMarkerTables(bandTable(L"marker_instant", BandTableKind::singleBand, L"marker", L"dd_thread"),
                        bandTable(L"marker_duration", BandTableKind::singleBand, L"marker", L"dd_thread"),
                        m_lifetimes.size() > 0 ? m_options.markers : 0, place);
    }

    void addWaits()
    {
        AttributeTableRecord callstacks =
            attributeTable(L"callstack", {{L"bottom_user_cs", {}}, {L"depth", {}}});
        for (std::uint64_t i = 0; i < callstackCount; ++i)
            callstacks.instances.push_back({std::wstring(functions[(i * 5) % functionCount].first),
                                            static_cast<std::int64_t>(3 + i % 9)});
        m_records.attributeTables.push_back(std::move(callstacks));

        const bool possible = m_lifetimes.size() >= 2;
        const std::uint64_t instanceCount =
            possible ? std::min(m_options.transitions, maxWaitInstances) : 0;
        AttributeTableRecord waits = attributeTable(
            L"dd_wait",
            {{L"object", {}}, {L"signal_cs", L"callstack"}, {L"wait_cs", L"callstack"}});
        for (std::uint64_t i = 0; i < instanceCount; ++i) {
            const wchar_t* kind = waitKinds[i % std::size(waitKinds)];
            waits.instances.push_back({kind + (L"_" + std::to_wstring(i / std::size(waitKinds))),
                                       static_cast<std::int64_t>(m_random.below(callstackCount)),
                                       static_cast<std::int64_t>(m_random.below(callstackCount))});
        }
        m_records.attributeTables.push_back(std::move(waits));

        BandTableRecord states
            = bandTable(L"wait_state", BandTableKind::singleMultiBand, L"dd_wait", L"dd_thread");
        const std::vector<std::uint64_t> counts
            = m_lifetimes.share(possible ? m_options.transitions : 0);
        for (std::size_t row = 0; row < counts.size(); ++row) {
            for (std::uint64_t i = 0; i < counts[row]; ++i) {
                const RowLifetimes::Span slot = m_lifetimes.slot(row, i, counts[row]);
                BandObjectRecord wait;
                wait.row = static_cast<std::int32_t>(row);
                wait.start = m_random.between(slot.start, slot.start + (slot.end - slot.start) / 2);
                wait.end = m_random.between(wait.start, slot.end);
                wait.instanceIndex = static_cast<std::int32_t>(m_random.below(instanceCount));
                wait.value = wait.instanceIndex % static_cast<std::int32_t>(std::size(waitKinds));
                wait.sourceRow = signallingRow(row, wait.start);
                states.objects.push_back(wait);
            }
        }
        m_records.bandTables.push_back(std::move(states));
    }

    // Some other row, preferably one alive when the wait starts (where its transition leaves).
    std::int32_t signallingRow(std::size_t row, std::uint64_t tick)
    {
        std::size_t candidate = 0;
        for (int attempt = 0; attempt < 4; ++attempt) {
            candidate = m_random.below(m_lifetimes.size() - 1);
            candidate += candidate >= row ? 1 : 0;
            if (m_lifetimes.alive(candidate, tick))
                return static_cast<std::int32_t>(candidate);
        }
        for (std::size_t other = 0; other < m_lifetimes.size(); ++other) {
            if (other != row && m_lifetimes.alive(other, tick))
                return static_cast<std::int32_t>(other);
        }
        return static_cast<std::int32_t>(candidate);
    }

    void addGlobalMarkers()
    {
        m_records.attributeTables.push_back(
            nameTable(L"global_event", globalEventNames, std::size(globalEventNames)));
        m_records.attributeTables.push_back(
            nameTable(L"global_task", globalTaskNames, std::size(globalTaskNames)));
        const auto place = [this](BandObjectRecord& marker) {
            marker.row = -1;
            marker.start = m_random.between(m_options.timeOrigin, m_end);
            marker.instanceIndex = static_cast<std::int32_t>(m_random.below(3));
            marker.value = marker.instanceIndex;
            return std::min(m_end, marker.start + m_options.duration / 20);
        };
        addMarkerTables(bandTable(L"global_event", BandTableKind::globalInstants, L"global_event", L"global_event"),
                        bandTable(L"global_task", BandTableKind::globalDurations, L"global_task", L"global_task"),
                        m_options.globalMarkers, place);
    }

    // Adds `count` markers placed by `place(marker)`, which returns the latest tick the marker may
    // end at. The first half last until a random tick up to there and go to `durations`, the rest
    // are instants; both tables are sorted and added.
    template <class Place>
    void addMarkerTables(BandTableRecord instants, BandTableRecord durations, std::uint64_t count, Place place)
    {
        for (std::uint64_t i = 0; i < count; ++i) {
            BandObjectRecord marker;
            const std::uint64_t latestEnd = place(marker);
            marker.end = marker.start;
            if (i < count / 2) {
                marker.end = m_random.between(marker.start, latestEnd);
                durations.objects.push_back(marker);
            } else {
                instants.objects.push_back(marker);
            }
        }
        sortByRowAndTime(instants.objects);
        sortByRowAndTime(durations.objects);
        m_records.bandTables.push_back(std::move(instants));
        m_records.bandTables.push_back(std::move(durations));
    }

    // A few call trees per thread as nested duration markers named after functions (appended to
    // the "marker" table). They draw from a random sequence of their own, so every table made
    // before them stays as it was.
    void addCallTrees()
    {
        AttributeTableRecord* markers = attributeTableNamed(L"marker");
        BandTableRecord* durations = bandTableNamed(L"marker_duration");
        if (!markers || !durations || m_options.markers == 0)
            return;
        const auto firstFunction = static_cast<std::int32_t>(markers->instances.size());
        for (const NamePair& function : functions)
            markers->instances.push_back(
                {std::wstring(function.first), std::wstring(function.second), std::wstring(), std::wstring()});
        GeneratorRandom random(m_options.seed ^ 0x5ca1ab1e5eedULL);
        for (std::size_t row = 0; row < m_lifetimes.size(); ++row) {
            for (std::uint64_t tree = 0; tree < callTreesPerRow; ++tree) {
                const RowLifetimes::Span slot = m_lifetimes.slot(row, tree, callTreesPerRow);
                const std::uint64_t length = (slot.end - slot.start) / 3;
                const std::uint64_t start = random.between(slot.start, slot.end - length);
                addCall(random, static_cast<std::int32_t>(row), firstFunction, start, start + length, 0,
                        durations->objects);
            }
        }
        sortByRowAndTime(durations->objects);
    }

    // One call over [start, end) and, above the deepest level, a few callees inside it.
    void addCall(GeneratorRandom& random, std::int32_t row, std::int32_t firstFunction, std::uint64_t start,
                 std::uint64_t end, int depth, std::vector<BandObjectRecord>& out)
    {
        BandObjectRecord call;
        call.row = row;
        call.start = start;
        call.end = end;
        const std::uint64_t function = depth == 0 ? random.below(2) : 2 + random.below(functionCount - 2);
        call.instanceIndex = firstFunction + static_cast<std::int32_t>(function);
        call.value = depth;
        out.push_back(call);
        if (depth + 1 >= maxCallDepth || end - start < 8)
            return;
        // Callees take a share of their caller each, in order, leaving gaps of self time.
        const std::uint64_t callees = 1 + random.below(3);
        const std::uint64_t share = (end - start) / callees;
        for (std::uint64_t i = 0; i < callees; ++i) {
            const std::uint64_t from = start + i * share;
            const std::uint64_t calleeStart = random.between(from, from + share / 5);
            const std::uint64_t calleeEnd = random.between(from + share / 2, from + share * 9 / 10);
            if (calleeEnd > calleeStart)
                addCall(random, row, firstFunction, calleeStart, calleeEnd, depth + 1, out);
        }
    }

    AttributeTableRecord* attributeTableNamed(const wchar_t* name)
    {
        for (AttributeTableRecord& table : m_records.attributeTables)
            if (table.name == name)
                return &table;
        return nullptr;
    }

    BandTableRecord* bandTableNamed(const wchar_t* name)
    {
        for (BandTableRecord& table : m_records.bandTables)
            if (table.name == name)
                return &table;
        return nullptr;
    }

    // Random walks sampled at even ticks: memory in bytes, load in percent.
    void addCounters()
    {
        m_records.attributeTables.push_back(
            pairTable(L"counter", L"unit", counterNames, std::size(counterNames)));
        TimedAttributeRecord counter{L"counter", L"value", {}};
        const std::uint64_t count = m_options.counterValues;
        const double limits[] = {4.0e9, 100.0};
        for (std::int32_t instance = 0; instance < 2; ++instance) {
            const double limit = limits[instance];
            double value = limit / 4;
            for (std::uint64_t i = 0; i < count; ++i) {
                const double position = count > 1 ? static_cast<double>(i) / (count - 1) : 0;
                const std::uint64_t tick = m_options.timeOrigin
                    + static_cast<std::uint64_t>(position * m_options.duration);
                value = std::clamp(value + (m_random.unit() - 0.5) * limit / 20, 0.0, limit);
                counter.values.push_back({instance, tick, value});
            }
        }
        m_records.timedAttributes.push_back(std::move(counter));
    }

    const GeneratorOptions& m_options;
    GeneratorRandom m_random;
    const std::uint64_t m_end;
    RowLifetimes m_lifetimes;
    ResultRecords m_records;
};

}  // namespace

ResultGenerator::ResultGenerator(const GeneratorOptions& options)
    : m_options(options)
{
}

ResultRecords ResultGenerator::generate() const
{
    return Generation(m_options).run();
}

StoreStatus ResultGenerator::writeTo(const std::filesystem::path& directory) const
{
    try {
        return ResultWriter().write(directory, generate());
    } catch (const std::exception& exception) {
        return {StoreCode::writeFailed,
                L"Cannot generate the result: " + Utf8Text::toWide(exception.what())};
    }
}

}  // namespace store
}  // namespace dd_sarvik_2_2
