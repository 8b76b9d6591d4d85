// Which layer class each viewpoint layer becomes, where it is added, and the providers the
// configuration installs, on a generated result.
#include "PaneHarness.h"

#include "provider/SarvikProvider.h"

#include <tarquel_1_0/Timeline.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace pane_test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Every layer kind of the shipped catalog: over-time and derived graphs, states with their transitions and markers in a
// thread area; an attribute graph and a global band in an area without rows of its own; global
// markers and an over-time graph on the ruler.
const std::string everyKind =
    "<showError>1</showError>" +
    ruler(layer("globalEvents") + layer("sampleCount")) +
    threadArea(layer("cpuTime") + layer("sampleCount") + layer("activeSamples") + layer("busyShare") +
               layer("waitStates") + layer("instantMarkers")) +
    "<area><rowSet displayName=\"Counters\">" + layer("counterValues") + layer("globalTasks") + "</rowSet></area>";

TEST(LayerClasses, EachKindGetsItsClassAndPlaceAndEveryAreaAndTheRulerAProvider)
{
    PaneHarness harness;
    harness.writeViewpoint(L"views", everyKind);
    harness.start(L"views");

    EXPECT_THAT(harness.shownMessages(), IsEmpty());
    EXPECT_THAT(harness.layers(),
                ElementsAre(LayerSeen{"GlobalEventMarker", -1}, LayerSeen{"OverTime", -1}, LayerSeen{"OverTime", 0},
                            LayerSeen{"OverTime", 0}, LayerSeen{"OverTime", 0}, LayerSeen{"Derived", 0},
                            LayerSeen{"MultiBand", 0}, LayerSeen{"EventMarker", 0}, LayerSeen{"AttrOverTime", 1},
                            LayerSeen{"GlobalEventMarker", -1}, LayerSeen{"Transition", 0}));
    ASSERT_EQ(harness.pane().layerRecords.size(), 1u);
    EXPECT_EQ(harness.pane().layerRecords[0].paneIndex, 0);

    tarquel_1_0::Timeline& timeline = *harness.pane().getTimeline();

    auto* rows = dynamic_cast<velmora_1_0::SarvikProvider*>(timeline.getDataProvider(0));
    ASSERT_NE(rows, nullptr);
    ASSERT_NE(rows->getRowByDS(), nullptr);
    EXPECT_EQ(rows->getRowByDS()->attributeTable, "dd_thread");
    auto* counters = dynamic_cast<velmora_1_0::SarvikProvider*>(timeline.getDataProvider(1));
    ASSERT_NE(counters, nullptr);
    EXPECT_EQ(counters->getRowByDS(), nullptr);
    EXPECT_NE(dynamic_cast<velmora_1_0::SarvikProvider*>(timeline.getGlobalDataProvider()), nullptr);
}

TEST(LayerClasses, ConfigurationRecordsTheOverTimeSourceOfEachKind)
{
    PaneHarness harness;
    harness.writeViewpoint(L"views", threadArea(layer("cpuTime") + layer("sampleCount") + layer("activeSamples")));
    harness.start(L"views");

    const auto& layers = harness.pane().getParser().areas.at(0).rowSets.at(0).layers;
    ASSERT_EQ(layers.size(), 3u);
    using Query = dd_sarvik_2_2::dd_overtime_query;
    const Query::data_src expected[] = {Query::data_src_time, Query::data_src_count, Query::data_src_instance_count};
    for (std::size_t i = 0; i < layers.size(); ++i) {
        const velmora_1_0::SarvikDataSource& source = layers[i].drawBy.dataSource;
        EXPECT_TRUE(layers[i].accepted);
        EXPECT_EQ(source.overTimeSource, expected[i]);
        ASSERT_EQ(source.series.size(), 1u);
        EXPECT_EQ(source.series[0].text2, source.instanceTable);
    }
}

} // namespace
} // namespace pane_test
