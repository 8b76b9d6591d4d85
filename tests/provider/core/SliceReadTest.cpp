#include "ProbeProvider.h"
#include "TestResults.h"
#include "WxTestMain.h"

#include "provider/SliceNesting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <thread>

namespace provider_test {
namespace {

using velmora_1_0::SarvikProvider;
using velmora_1_0::SliceNesting;
using Slice = SarvikProvider::Slice;

Slice slice(std::uint64_t start, std::uint64_t end, std::int32_t instance = 0)
{
    Slice s;
    s.startTime = start;
    s.endTime = end;
    s.instanceIndex = instance;
    return s;
}

// The depth and parent a slice must have, found the slow way: the enclosing slices of each,
// the innermost being the one that starts last (the longer first at equal starts).
struct Expected {
    int depth;
    std::uint64_t parentStart;
};

TEST(SliceNestingTest, ChildrenSitOneLaneBelowTheirParentsWithSelfTimeLeft)
{
    // A tree given out of order: a(0,100) > b(10,40) > c(10,20), b > d(25,30); a > e(50,90);
    // f(120,130) stands alone; g(0,100) has the same span as a and follows it.
    std::vector<Slice> slices = {slice(50, 90, 5), slice(10, 20, 3), slice(0, 100, 1), slice(120, 130, 6),
                                 slice(25, 30, 4), slice(10, 40, 2), slice(0, 100, 7)};
    EXPECT_EQ(SliceNesting::assign(slices), 4);
    std::vector<std::int32_t> order;
    for (const Slice& s : slices)
        order.push_back(s.instanceIndex);
    // Stable for the equal spans a and g, parents before their children.
    EXPECT_EQ(order, (std::vector<std::int32_t>{1, 7, 2, 3, 4, 5, 6}));

    const auto byInstance = [&](std::int32_t instance) -> const Slice& {
        return *std::find_if(slices.begin(), slices.end(), [&](const Slice& s) { return s.instanceIndex == instance; });
    };
    const auto parentOf = [&](std::int32_t instance) {
        const int parent = byInstance(instance).parent;
        return parent < 0 ? -1 : slices[parent].instanceIndex;
    };
    EXPECT_EQ(byInstance(1).depth, 0);
    EXPECT_EQ(parentOf(1), -1);
    EXPECT_EQ(byInstance(7).depth, 1);
    EXPECT_EQ(parentOf(7), 1);
    EXPECT_EQ(byInstance(2).depth, 2);
    EXPECT_EQ(parentOf(2), 7);
    EXPECT_EQ(byInstance(3).depth, 3);
    EXPECT_EQ(parentOf(3), 2);
    EXPECT_EQ(byInstance(4).depth, 3);
    EXPECT_EQ(parentOf(4), 2);
    EXPECT_EQ(byInstance(5).depth, 2);
    EXPECT_EQ(parentOf(5), 7);
    EXPECT_EQ(byInstance(6).depth, 0);
    EXPECT_EQ(parentOf(6), -1);

    EXPECT_EQ(byInstance(2).selfTime, 30u - 10u - 5u);
    EXPECT_EQ(byInstance(7).selfTime, 100u - 30u - 40u);
    EXPECT_EQ(byInstance(1).selfTime, 0u); // g covers all of a
    EXPECT_EQ(byInstance(6).selfTime, 10u);
}

TEST(SliceNestingTest, ASliceOutlivingItsParentIsChargedOnlyInsideIt)
{
    // b starts inside a and ends after it; c starts after a ended, inside b.
    std::vector<Slice> slices = {slice(0, 50, 1), slice(40, 80, 2), slice(60, 70, 3)};
    EXPECT_EQ(SliceNesting::assign(slices), 3);
    EXPECT_EQ(slices[0].selfTime, 40u);
    EXPECT_EQ(slices[1].depth, 1);
    EXPECT_EQ(slices[2].depth, 2);
    EXPECT_EQ(slices[2].parent, 1);
    EXPECT_EQ(slices[1].selfTime, 30u);

    std::vector<Slice> none;
    EXPECT_EQ(SliceNesting::assign(none), 0);
}

TEST(SliceReadTest, DurationsOfARowComeWithTheirNamesInLanes)
{
    ResultHolder result(smallRecords());
    ProviderPtr provider = makeAreaProvider(result.get());
    const auto ds = bandSource("marker_band");
    SarvikProvider::SliceData row0;
    ASSERT_TRUE(provider->getSliceData(&ds, 0, row0));
    // The instant at 0 is no slice.
    ASSERT_EQ(row0.slices.size(), 1u);
    EXPECT_EQ(row0.slices[0].startTime, 10u);
    EXPECT_EQ(row0.slices[0].endTime, 30u);
    EXPECT_EQ(row0.depth, 1);
    ASSERT_EQ(row0.names.size(), 1u);
    EXPECT_EQ(row0.names[row0.slices[0].name], L"m1");

    SarvikProvider::SliceData row2;
    ASSERT_TRUE(provider->getSliceData(&ds, 2, row2));
    EXPECT_TRUE(row2.slices.empty());
    EXPECT_EQ(row2.depth, 0);

    SarvikProvider::SliceData missing;
    const auto other = bandSource("no_such_table");
    EXPECT_FALSE(provider->getSliceData(&other, 0, missing));
}

TEST(SliceReadTest, GeneratedCallTreesNestInsideTheirParents)
{
    dd_sarvik_2_2::store::GeneratorOptions options;
    options.threads = 4;
    options.markers = 20;
    ResultHolder result(options);
    ProviderPtr provider = makeAreaProvider(result.get());
    const auto ds = bandSource("marker_duration");
    int deepest = 0;
    for (int row = 0; row < 4; ++row) {
        SarvikProvider::SliceData data;
        ASSERT_TRUE(provider->getSliceData(&ds, row, data));
        deepest = std::max(deepest, data.depth);
        for (const Slice& s : data.slices) {
            EXPECT_FALSE(data.names[s.name].empty());
            if (s.parent < 0)
                continue;
            const Slice& parent = data.slices[s.parent];
            EXPECT_EQ(s.depth, parent.depth + 1);
            EXPECT_GE(s.startTime, parent.startTime);
        }
    }
    EXPECT_GE(deepest, 5);
}

TEST(SliceReadTest, ClearingWhileSlicesAreReadKeepsTheWorkerAnswering)
{
    dd_sarvik_2_2::store::GeneratorOptions options;
    options.threads = 64;
    ResultHolder result(options);
    ProviderPtr provider = makeAreaProvider(result.get());
    SourceLayer layer(bandSource("marker_duration"));
    SourceLayer kept(bandSource("marker_duration"));
    std::set<unsigned int> issued;
    for (int round = 0; round < 20; ++round) {
        for (int row = 0; row < 64; ++row)
            issued.insert(provider->requestSlices(&layer, row));
        std::this_thread::yield();
        provider->clearSliceRequests(&layer);
        // A read running during the clear may still file; the layer drops such answers by id.
        std::vector<SarvikProvider::SliceData> leftovers;
        provider->consumeSliceDataArray(&layer, leftovers);
        EXPECT_LE(leftovers.size(), 1u);
        for (const auto& data : leftovers)
            EXPECT_EQ(issued.count(data.requestId), 1u);
    }
    // The worker still answers later requests.
    const unsigned int id = provider->requestSlices(&kept, 1);
    std::vector<SarvikProvider::SliceData> answer;
    ASSERT_TRUE(chart_test::pumpUntil([&] { return provider->consumeSliceDataArray(&kept, answer) > 0; }));
    EXPECT_EQ(answer[0].requestId, id);
    EXPECT_EQ(answer[0].row, 1);
}

} // namespace
} // namespace provider_test
