#include "ProbeProvider.h"
#include "TestResults.h"

#include "provider/BandObjectReader.h"

#include <gtest/gtest.h>

namespace provider_test {
namespace {

using Marker = velmora_1_0::SarvikProvider::EventMarker;
using Transition = velmora_1_0::SarvikProvider::Transition;

class BandReadTest : public ::testing::Test {
protected:
    ResultHolder result{smallRecords()};
    ProviderPtr provider = makeAreaProvider(result.get());
};

TEST_F(BandReadTest, RowMarkersCarryTimesValuesAndInstances)
{
    const auto ds = bandSource("marker_band");
    std::vector<Marker> row0;
    ASSERT_TRUE(provider->getEventMarkerData(&ds, 0, row0));
    ASSERT_EQ(row0.size(), 2u);
    EXPECT_EQ(row0[0].startTime, 0u);
    EXPECT_EQ(row0[0].endTime, 0u);
    EXPECT_EQ(row0[1].row, 0);
    EXPECT_EQ(row0[1].startTime, 10u);
    EXPECT_EQ(row0[1].endTime, 30u);
    EXPECT_EQ(row0[1].value, 2);
    EXPECT_EQ(row0[1].instanceIndex, 1);
    EXPECT_EQ(row0[1].rect, wxRect());

    std::vector<Marker> row1;
    EXPECT_TRUE(provider->getEventMarkerData(&ds, 1, row1)); // a row without objects
    EXPECT_TRUE(row1.empty());
    std::vector<Marker> row2;
    ASSERT_TRUE(provider->getEventMarkerData(&ds, 2, row2));
    ASSERT_EQ(row2.size(), 1u);
    EXPECT_EQ(row2[0].row, 2);
    EXPECT_EQ(row2[0].startTime, 50u);
}

TEST_F(BandReadTest, GlobalInstantsAndDurationsBelongToNoRow)
{
    std::vector<Marker> instants;
    const auto events = bandSource("global_event", "event_key");
    ASSERT_TRUE(provider->getGlobalEventMarkerData(&events, instants));
    ASSERT_EQ(instants.size(), 2u);
    EXPECT_EQ(instants[0].row, -1);
    EXPECT_EQ(instants[0].startTime, 30u);
    EXPECT_EQ(instants[0].endTime, 30u);
    EXPECT_EQ(instants[1].value, 6);

    std::vector<Marker> durations;
    const auto tasks = bandSource("global_task", "task_key");
    ASSERT_TRUE(provider->getGlobalEventMarkerData(&tasks, durations));
    ASSERT_EQ(durations.size(), 1u);
    EXPECT_EQ(durations[0].startTime, 10u);
    EXPECT_EQ(durations[0].endTime, 40u);
    EXPECT_EQ(durations[0].value, 9);
}

TEST_F(BandReadTest, TablesOfAnotherKindGiveNoMarkers)
{
    std::vector<Marker> markers;
    const auto perRow = bandSource("marker_band", "marker");
    EXPECT_TRUE(provider->getGlobalEventMarkerData(&perRow, markers)); // neither data type 2 nor 35
    const auto global = bandSource("global_event");
    EXPECT_FALSE(provider->getEventMarkerData(&global, 0, markers)); // not a per-row table
    const auto missing = bandSource("no_such_table");
    EXPECT_FALSE(provider->getEventMarkerData(&missing, 0, markers));
    EXPECT_TRUE(markers.empty());
}

TEST_F(BandReadTest, TransitionsSkipSelfTransitionsAndNumberTheRestWithoutGaps)
{
    const auto ds = bandSource("wait_state");
    std::vector<Transition> row1;
    ASSERT_TRUE(provider->getTransitionData(&ds, 1, row1));
    ASSERT_EQ(row1.size(), 1u); // the object signalled by row 1 itself is skipped
    EXPECT_EQ(row1[0].id, 0u);
    EXPECT_EQ(row1[0].fromRow, 0);
    EXPECT_EQ(row1[0].toRow, 1);
    EXPECT_EQ(row1[0].startTime, 5u);
    EXPECT_EQ(row1[0].endTime, 10u);
    EXPECT_EQ(row1[0].value, 1);
    std::vector<Transition> row2;
    ASSERT_TRUE(provider->getTransitionData(&ds, 2, row2));
    ASSERT_EQ(row2.size(), 1u);
    EXPECT_EQ(row2[0].id, 1u);
    EXPECT_EQ(row2[0].instanceIndex, 2);

    provider->clear();
    std::vector<Transition> again;
    provider->getTransitionData(&ds, 1, again);
    EXPECT_EQ(again.at(0).id, 0u);
}

TEST_F(BandReadTest, StateStripsOfARow)
{
    const auto ds = bandSource("wait_state");
    std::vector<tarquel_1_0::DataProvider::SMBInterval> states;
    ASSERT_TRUE(provider->getSMBData(&ds, 1, states));
    ASSERT_EQ(states.size(), 2u);
    EXPECT_EQ(states[1].start, 20u);
    EXPECT_EQ(states[1].end, 30u);
    EXPECT_EQ(states[1].value, 0u);
    EXPECT_EQ(states[1].instanceIndex, 1);
}

TEST_F(BandReadTest, CancellationStopsTheWalkBeforeTheNextObject)
{
    // The lookup polls once, then the walk once before every object: cancel before the second.
    int polls = 0;
    const velmora_1_0::BandObjectReader reader(result.get(), velmora_1_0::TickClock(1000, 1000000000),
                                               [&polls] { return ++polls > 2; });
    std::vector<Marker> markers;
    EXPECT_TRUE(reader.readMarkers(bandSource("marker_band"), 0, markers));
    EXPECT_EQ(markers.size(), 1u);
}

TEST(BandReadNoResultTest, ReadsWithoutAResultFail)
{
    ProviderPtr provider(new ProbeProvider);
    std::vector<Marker> markers;
    const auto events = bandSource("global_event", "event_key");
    EXPECT_FALSE(provider->getGlobalEventMarkerData(&events, markers));
    EXPECT_FALSE(provider->getEventMarkerData(&events, 0, markers));
}

} // namespace
} // namespace provider_test
