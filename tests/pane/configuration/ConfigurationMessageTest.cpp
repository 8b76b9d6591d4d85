// The messages of the ruler and area passes and of the info-layer builders, word for word, and
// what is still built around each refused layer or area.
#include "PaneHarness.h"

#include <tarquel_1_0/Timeline.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace pane_test {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;

// Queries the shipped catalog does not have: a table the result lacks, and a global band read
// with the thread table as its attribute table (so it passes the row-by comparison).
const std::string extraQueries =
    "<query name=\"missingTable\" kind=\"info\" displayName=\"Missing\">"
    "<names attributeTable=\"dd_thread\" instanceTable=\"no_such_table\"/></query>"
    "<query name=\"globalEventsOnThreads\" kind=\"info\" displayName=\"Events\">"
    "<names attributeTable=\"dd_thread\" instanceTable=\"global_event\"/></query>";

class ConfigurationMessages : public ::testing::Test {
protected:
    void start(const std::string& body)
    {
        harness.writeViewpoint(L"views", "<showError>1</showError>" + body);
        harness.setStorage(L"views.view");
        harness.setQueryLibrary(extraQueries);
        harness.addResult();
    }
    int paneCount() { return harness.pane().getTimeline()->getPaneCount(); }

    PaneHarness harness;
};

TEST_F(ConfigurationMessages, RulerWithAFailingLayerBuildsTheOthers)
{
    start(ruler(layer("globalEvents") + layer("missingTable") + layer("globalTasks")) +
          threadArea(layer("waitStates")));
    EXPECT_THAT(harness.shownMessages(),
                ElementsAre(L"Timeline: Query, under <ruler>, layer instance 2, resolves to table 'no_such_table' "
                            L"which does not exist. Unable to create layer.",
                            L"Timeline: 3 layer(s) for <ruler> were specified in viewpoint, but only 2 layer(s) could "
                            L"be created due to errors."));
    EXPECT_THAT(harness.layers(), Contains(LayerSeen{"GlobalEventMarker", -1}));
}

TEST_F(ConfigurationMessages, RulerWithoutAnyBuiltLayerSaysSoAndStillGetsItsProvider)
{
    start(ruler(layer("missingTable")) + threadArea(layer("waitStates")));
    EXPECT_THAT(harness.shownMessages(),
                Contains(L"Timeline: 1 layer(s) for <ruler> were specified in viewpoint, but no layers could be "
                         L"created due to errors."));
    EXPECT_NE(harness.pane().getTimeline()->getGlobalDataProvider(), nullptr);
}

TEST_F(ConfigurationMessages, AreaOfDataQueriesIsLeftOutWithoutTakingAPaneIndex)
{
    start(threadArea(layer("sampledFunctions")) + threadArea(layer("waitStates")));
    EXPECT_THAT(harness.shownMessages(),
                Contains(L"Timeline: None of the layers in <area>, instance 1, contains valid data. Timeline will "
                         L"not create this area."));
    EXPECT_THAT(harness.shownMessages(),
                Contains(L"Timeline: 2 area(s) were specified in viewpoint, but only 1 area(s) could be created due "
                         L"to errors."));
    ASSERT_EQ(paneCount(), 1);
    // The second area's provider took pane index 0.
    EXPECT_NE(harness.pane().getTimeline()->getDataProvider(0), nullptr);
    EXPECT_THAT(harness.layers(), ElementsAre(LayerSeen{"MultiBand", 0}, LayerSeen{"Transition", 0}));
}

TEST_F(ConfigurationMessages, AreaWithoutRowSetIsSkippedQuietly)
{
    start("<area/>" + threadArea(layer("instantMarkers")));
    EXPECT_THAT(harness.shownMessages(),
                ElementsAre(L"Timeline: 2 area(s) were specified in viewpoint, but only 1 area(s) could be created "
                            L"due to errors."));
    EXPECT_EQ(paneCount(), 1);
}

TEST_F(ConfigurationMessages, NoAreaAtAllLeavesTheTimelineEmpty)
{
    start(threadArea(layer("missingTable")));
    EXPECT_THAT(harness.shownMessages(),
                Contains(L"Timeline: No areas created due to errors. Timeline will appear empty."));
    EXPECT_THAT(harness.shownMessages(), Not(Contains(::testing::HasSubstr(L"area(s) were specified"))));
    EXPECT_EQ(paneCount(), 0);
}

TEST_F(ConfigurationMessages, InfoLayersInRowByAreasMustShareTheRowTable)
{
    start(threadArea(layer("globalEvents") + layer("globalEventsOnThreads") + layer("instantMarkers")));
    EXPECT_THAT(harness.shownMessages(),
                ElementsAre(L"Timeline: Cannot create info query layer: attribute table 'global_event' is not of same "
                            L"type as band attribute table 'dd_thread'.",
                            L"Timeline: Global table 'global_event' cannot be displayed in areas with <rowBy>. Layer "
                            L"will not be created."));
    // The area stands, with the one layer that could be built.
    EXPECT_EQ(paneCount(), 1);
    EXPECT_THAT(harness.layers(), ElementsAre(LayerSeen{"EventMarker", 0}));
}

TEST_F(ConfigurationMessages, GlobalBandWithAnUnknownDisplayFormatIsRefused)
{
    start("<area><rowSet>" + layer("globalTasks") + layer("globalEvents") + "</rowSet></area>");
    ASSERT_EQ(paneCount(), 1);
    // Formats beyond line and area cannot come from the catalog: build such a description's layer.
    velmora_1_0::ViewpointParser::LayerInfo tasks = harness.pane().getParser().areas[0].rowSets[0].layers[0];
    tasks.drawBy.format = 3;
    const std::size_t before = harness.layers().size();
    EXPECT_FALSE(harness.pane().configureInfoQueryLayer(harness.result(), tasks, 0, false, wxString()));

    EXPECT_EQ(harness.pane().getErrors().back(),
              "Timeline: Global band layer could not be created due to unknown display format.");
    EXPECT_EQ(harness.layers().size(), before);
}

} // namespace
} // namespace pane_test
