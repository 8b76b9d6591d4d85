// The generator makes the same result for the same seed, honours the requested sizes, and keeps
// the invariants the engine relies on (sorted, inside lifetimes, no self-signalling waits).

#include "RecordsEquality.h"
#include "ScratchDirectory.h"

#include "store/ResultReader.h"

#include <dd_sarvik_2_2/store/GeneratorOptions.h>
#include <dd_sarvik_2_2/store/ResultGenerator.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

using namespace dd_sarvik_2_2::store;

namespace {

GeneratorOptions smallOptions(std::uint64_t seed)
{
    GeneratorOptions options;
    options.threads = 12;
    options.processes = 3;
    options.duration = 50000000;
    options.samples = 20000;
    options.markers = 301;
    options.transitions = 500;
    options.globalMarkers = 41;
    options.counterValues = 77;
    options.seed = seed;
    return options;
}

const BandTableRecord& bandTable(const ResultRecords& records, const std::wstring& name)
{
    const auto found = std::find_if(records.bandTables.begin(), records.bandTables.end(),
                                    [&](const BandTableRecord& t) { return t.name == name; });
    EXPECT_NE(found, records.bandTables.end()) << name;
    return *found;
}

const AttributeTableRecord& attributeTable(const ResultRecords& records, const std::wstring& name)
{
    const auto found = std::find_if(records.attributeTables.begin(), records.attributeTables.end(),
                                    [&](const AttributeTableRecord& t) { return t.name == name; });
    EXPECT_NE(found, records.attributeTables.end()) << name;
    return *found;
}

template <class Item>
bool sortedByRowAndStart(const std::vector<Item>& items)
{
    return std::is_sorted(items.begin(), items.end(), [](const Item& a, const Item& b) {
        return a.row != b.row ? a.row < b.row : a.start < b.start;
    });
}

TEST(ResultGenerator, sameSeedSameResultOtherSeedOtherResult)
{
    const ResultRecords first = ResultGenerator(smallOptions(7)).generate();
    EXPECT_TRUE(first == ResultGenerator(smallOptions(7)).generate());
    const ResultRecords other = ResultGenerator(smallOptions(8)).generate();
    EXPECT_FALSE(first.sampleTables == other.sampleTables);
    EXPECT_FALSE(first.bandTables == other.bandTables);
    EXPECT_FALSE(first.lifetimes == other.lifetimes);
}

TEST(ResultGenerator, requestedSizesAndTablesAreThere)
{
    const GeneratorOptions options = smallOptions(3);
    const ResultRecords records = ResultGenerator(options).generate();
    EXPECT_EQ(records.timeOrigin, options.timeOrigin);
    EXPECT_EQ(records.duration, options.duration);
    EXPECT_EQ(records.tickFrequency, options.tickFrequency);

    const AttributeTableRecord& threads = attributeTable(records, L"dd_thread");
    ASSERT_EQ(threads.instances.size(), 12u);
    std::set<StoredValue> processes;
    for (const std::vector<StoredValue>& thread : threads.instances)
        processes.insert(thread[1]);
    EXPECT_EQ(processes.size(), 3u);
    EXPECT_EQ(records.lifetimes.size(), 12u);

    ASSERT_EQ(records.sampleTables.size(), 1u);
    EXPECT_EQ(records.sampleTables[0].name, L"dd_sample");
    EXPECT_EQ(records.sampleTables[0].attributeTable, L"function");
    EXPECT_EQ(records.sampleTables[0].samples.size(), 20000u);

    EXPECT_EQ(bandTable(records, L"marker_instant").objects.size(), 151u);
    // Half the markers are durations; the call trees of each thread join them, named after the
    // functions that follow the six marker names, each tree rooted in "main" or "handle_request".
    const BandTableRecord& durations = bandTable(records, L"marker_duration");
    const AttributeTableRecord& markerNames = attributeTable(records, L"marker");
    ASSERT_EQ(markerNames.instances.size(), 6u + attributeTable(records, L"function").instances.size());
    EXPECT_EQ(std::count_if(durations.objects.begin(), durations.objects.end(),
                            [](const BandObjectRecord& object) { return object.instanceIndex < 6; }),
              150);
    for (std::int32_t row = 0; row < 12; ++row)
        EXPECT_EQ(std::count_if(durations.objects.begin(), durations.objects.end(),
                                [row](const BandObjectRecord& object) {
                                    return object.row == row && (object.instanceIndex == 6 || object.instanceIndex == 7);
                                }),
                  3)
            << "call trees of row " << row;
    EXPECT_EQ(bandTable(records, L"wait_state").objects.size(), 500u);
    EXPECT_EQ(bandTable(records, L"wait_state").kind, BandTableKind::singleMultiBand);
    EXPECT_EQ(bandTable(records, L"global_event").objects.size(), 21u);
    EXPECT_EQ(bandTable(records, L"global_event").kind, BandTableKind::globalInstants);
    EXPECT_EQ(bandTable(records, L"global_task").objects.size(), 20u);
    EXPECT_EQ(bandTable(records, L"global_task").kind, BandTableKind::globalDurations);

    ASSERT_EQ(records.timedAttributes.size(), 1u);
    EXPECT_EQ(records.timedAttributes[0].values.size(), 2 * 77u);
    EXPECT_EQ(attributeTable(records, L"counter").instances.size(), 2u);

    // The wait table's call stacks resolve to a bottom user call stack.
    const AttributeTableRecord& waits = attributeTable(records, L"dd_wait");
    ASSERT_EQ(waits.columns.size(), 3u);
    EXPECT_EQ(waits.columns[1].name, L"signal_cs");
    EXPECT_EQ(waits.columns[1].referencedTable, L"callstack");
    EXPECT_EQ(waits.columns[2].name, L"wait_cs");
    EXPECT_EQ(attributeTable(records, L"callstack").columns[0].name, L"bottom_user_cs");
}

TEST(ResultGenerator, itemsAreSortedInsideLifetimesAndReferencesResolve)
{
    const ResultRecords records = ResultGenerator(smallOptions(11)).generate();
    const std::uint64_t end = records.timeOrigin + records.duration;
    std::map<std::int32_t, std::pair<std::uint64_t, std::uint64_t>> life;
    bool someRowIsShort = false;
    for (const LifetimeRecord& lifetime : records.lifetimes) {
        EXPECT_EQ(lifetime.table, L"dd_thread");
        EXPECT_LE(records.timeOrigin, lifetime.start);
        EXPECT_LE(lifetime.start, lifetime.end);
        EXPECT_LE(lifetime.end, end);
        life[lifetime.index] = {lifetime.start, lifetime.end};
        someRowIsShort |= lifetime.end - lifetime.start < records.duration;
    }
    EXPECT_TRUE(someRowIsShort);

    const auto inside = [&](std::int32_t row, std::uint64_t start, std::uint64_t finish) {
        return life.count(row) && life[row].first <= start && start <= finish
            && finish <= life[row].second;
    };
    const std::vector<SampleRecord>& samples = records.sampleTables[0].samples;
    EXPECT_TRUE(sortedByRowAndStart(samples));
    const std::size_t functionCount = attributeTable(records, L"function").instances.size();
    std::set<std::int32_t> functionsUsed;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        EXPECT_TRUE(inside(samples[i].row, samples[i].start, samples[i].end)) << i;
        EXPECT_LT(static_cast<std::size_t>(samples[i].instanceIndex), functionCount);
        EXPECT_GE(samples[i].count, 1u);
        if (i > 0 && samples[i].row == samples[i - 1].row) {
            EXPECT_LE(samples[i - 1].end, samples[i].start) << "overlap at " << i;
        }
        functionsUsed.insert(samples[i].instanceIndex);
    }
    EXPECT_EQ(functionsUsed.size(), functionCount);

    for (const wchar_t* name : {L"marker_instant", L"marker_duration", L"wait_state"}) {
        const BandTableRecord& table = bandTable(records, name);
        EXPECT_TRUE(sortedByRowAndStart(table.objects)) << name;
        for (const BandObjectRecord& object : table.objects)
            EXPECT_TRUE(inside(object.row, object.start, object.end)) << name;
    }
    for (const BandObjectRecord& marker : bandTable(records, L"marker_instant").objects)
        EXPECT_EQ(marker.start, marker.end);

    const std::size_t waitInstances = attributeTable(records, L"dd_wait").instances.size();
    std::set<std::int32_t> signallers;
    for (const BandObjectRecord& wait : bandTable(records, L"wait_state").objects) {
        EXPECT_NE(wait.sourceRow, wait.row);
        EXPECT_TRUE(life.count(wait.sourceRow));
        EXPECT_LT(static_cast<std::size_t>(wait.instanceIndex), waitInstances);
        signallers.insert(wait.sourceRow);
    }
    EXPECT_GT(signallers.size(), 3u);

    for (const wchar_t* name : {L"global_event", L"global_task"}) {
        for (const BandObjectRecord& marker : bandTable(records, name).objects) {
            EXPECT_LE(records.timeOrigin, marker.start);
            EXPECT_LE(marker.start, marker.end);
            EXPECT_LE(marker.end, end);
        }
    }
}

TEST(ResultGenerator, degenerateSizesStayConsistent)
{
    GeneratorOptions options = smallOptions(5);
    options.threads = 1;
    options.duration = 3;
    options.samples = 10;
    const ResultRecords records = ResultGenerator(options).generate();
    EXPECT_TRUE(bandTable(records, L"wait_state").objects.empty());
    EXPECT_EQ(records.sampleTables[0].samples.size(), 10u);
    EXPECT_TRUE(sortedByRowAndStart(records.sampleTables[0].samples));
    for (const SampleRecord& sample : records.sampleTables[0].samples)
        EXPECT_LE(sample.end, records.timeOrigin + 3);

    options.threads = 0;
    const ResultRecords empty = ResultGenerator(options).generate();
    EXPECT_TRUE(empty.sampleTables[0].samples.empty());
    EXPECT_TRUE(empty.lifetimes.empty());
}

TEST(ResultGenerator, writtenResultReadsBackAsGenerated)
{
    ScratchDirectory directory;
    const GeneratorOptions options = smallOptions(21);
    ASSERT_TRUE(ResultGenerator(options).writeTo(directory.path()).ok());
    ResultRecords read;
    ASSERT_TRUE(ResultReader().read(directory.path(), read).ok());
    EXPECT_TRUE(read == ResultGenerator(options).generate());
}

}  // namespace
