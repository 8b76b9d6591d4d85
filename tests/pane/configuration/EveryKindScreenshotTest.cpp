// A pane configured with every layer kind, shown in a real window over a result whose content is
// known: once everything has loaded, each kind must be seen in its own colour where its data
// lies, and nowhere else in its graph. The screenshot is kept in the build tree for people.
#include "EveryKindResult.h"
#include "PaneHarness.h"
#include "PaneScreenshot.h"
#include "WxTestMain.h"

#include <tarquel_1_0/DataProvider.h>
#include <tarquel_1_0/Timeline.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

namespace pane_test {
namespace {

using Kind = EveryKindResult::Kind;
namespace fs = std::filesystem;

// How far a kind's pixels may reach past the columns of its data: one bar column for graphs and
// lines, the shape's half width for markers.
constexpr int GRAPH_SLACK = 2;
constexpr int MARKER_SLACK = 12;

// One layer kind as the test viewpoint colours it, the graph it is drawn in (-1: the ruler), and
// the least number of its pixels per column of its data (a full bar is 19 pixels high).
struct DrawnKind {
    const char* name;
    Kind kind;
    int paneIndex;
    wxColour colour;
    int slack;
    int pixelsPerColumn;
};

void PrintTo(const DrawnKind& drawn, std::ostream* os)
{
    *os << drawn.name;
}

// One pane for the whole suite: configuring and loading it is the slow part.
class EveryKindScreenshot : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        const fs::path sources = fs::path(VELMORA_SOURCE_DIR) / "tests" / "pane" / "configuration";
        s_result = std::make_unique<EveryKindResult>();
        s_harness = std::make_unique<PaneHarness>(s_result->get());
        s_harness->copyViewpoint(L"every_kind", sources / "every_kind_viewpoint.xml");
        s_harness->setStorage(L"every_kind.view");
        s_harness->setQueryLibraryFile(sources / "every_kind_catalog.xml");
        s_harness->addResult();
        tarquel_1_0::Timeline& timeline = *s_harness->pane().getTimeline();
        s_loaded = chart_test::pumpUntil([&] { return timeline.IsShown() && !timeline.isLoading(); }, 60000);
        chart_test::pumpPending();
        s_shot = std::make_unique<PaneScreenshot>(s_harness->pane());
        s_saved = s_shot->save(fs::path(PANE_ARTIFACT_DIR) / "every_kind.png");
    }

    static void TearDownTestSuite()
    {
        s_shot.reset();
        s_harness.reset();
        s_result.reset();
    }

    // The columns of a kind's time span in its graph, widened by `slack` on both sides.
    static std::pair<int, int> columnsOf(Kind kind, int paneIndex, int slack)
    {
        const EveryKindResult::Placement where = EveryKindResult::placementOf(kind);
        return {s_shot->columnOf(paneIndex, where.start) - slack, s_shot->columnOf(paneIndex, where.end) + slack};
    }

    // At least `minimum` pixels of `colour` in `expected`, and none elsewhere in the graph.
    static ::testing::AssertionResult drawnOnlyIn(int paneIndex, const wxRect& expected, const wxColour& colour,
                                                  int minimum)
    {
        const int inside = s_shot->count(expected, colour);
        const int outside = s_shot->count(s_shot->graphRect(paneIndex), colour) - inside;
        if (inside >= minimum && outside == 0)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << inside << " pixels where its data lies (at least " << minimum
                                             << " expected), " << outside << " elsewhere in the graph";
    }

    static std::unique_ptr<EveryKindResult> s_result;
    static std::unique_ptr<PaneHarness> s_harness;
    static std::unique_ptr<PaneScreenshot> s_shot;
    static bool s_loaded;
    static bool s_saved;
};

std::unique_ptr<EveryKindResult> EveryKindScreenshot::s_result;
std::unique_ptr<PaneHarness> EveryKindScreenshot::s_harness;
std::unique_ptr<PaneScreenshot> EveryKindScreenshot::s_shot;
bool EveryKindScreenshot::s_loaded = false;
bool EveryKindScreenshot::s_saved = false;

TEST_F(EveryKindScreenshot, LoadsWithoutMessagesAndIsSaved)
{
    EXPECT_TRUE(s_loaded) << "the timeline was still loading after a minute";
    EXPECT_THAT(s_harness->shownMessages(), ::testing::IsEmpty());
    EXPECT_TRUE(s_saved) << "the screenshot was not written";
}

TEST_F(EveryKindScreenshot, StatesAndTransitionsAreDrawnWhereTheWaitLies)
{
    const EveryKindResult::Placement wait = EveryKindResult::placementOf(Kind::State);
    const auto [left, right] = columnsOf(Kind::State, 0, GRAPH_SLACK);
    const int columns = right - left + 1;

    // The state box fills its row but a pixel at the top and two at the bottom, except where the
    // two-pixel transition line above it crosses.
    const wxRect row = s_shot->rowRect(0, wait.dataRow);
    const wxColour transition(255, 215, 0);
    const wxColour waiting = s_harness->pane().getTimeline()->getDataProvider(0)->getSMBWaitingColor();
    EXPECT_TRUE(drawnOnlyIn(0, wxRect(left, row.y, columns, row.height), waiting, columns * (row.height - 8)))
        << "states";

    // The transition leaves the middle of row 0 at the wait's start and reaches the middle of the
    // waiting row at its end; its line is two pixels wide.
    const wxRect from = s_shot->rowRect(0, 0);
    const wxRect line(wxPoint(left, from.y + from.height / 2 - 2), wxPoint(right, row.y + row.height / 2 + 2));
    EXPECT_TRUE(drawnOnlyIn(0, line, transition, columns / 2)) << "transitions";
}

class EachKind : public EveryKindScreenshot, public ::testing::WithParamInterface<DrawnKind> {};

TEST_P(EachKind, IsDrawnInItsColourOnlyWhereItsDataLies)
{
    const DrawnKind& drawn = GetParam();
    const auto [left, right] = columnsOf(drawn.kind, drawn.paneIndex, drawn.slack);
    const wxRect row = s_shot->rowRect(drawn.paneIndex, EveryKindResult::placementOf(drawn.kind).dataRow);
    const auto [first, last] = columnsOf(drawn.kind, drawn.paneIndex, 0);
    EXPECT_TRUE(drawnOnlyIn(drawn.paneIndex, wxRect(left, row.y, right - left + 1, row.height), drawn.colour,
                            drawn.pixelsPerColumn * (last - first + 1)));
}

INSTANTIATE_TEST_SUITE_P(
    EveryKindScreenshot, EachKind,
    ::testing::Values(DrawnKind{"time", Kind::Time, 0, wxColour(220, 20, 60), GRAPH_SLACK, 17},
                      DrawnKind{"count", Kind::Count, 0, wxColour(30, 144, 255), GRAPH_SLACK, 15},
                      // Slots are half busy, so bars alternate between half and full height.
                      DrawnKind{"instance_count", Kind::InstanceCount, 0, wxColour(255, 140, 0), GRAPH_SLACK, 10},
                      DrawnKind{"derived", Kind::Derived, 0, wxColour(148, 0, 211), GRAPH_SLACK, 17},
                      DrawnKind{"attribute", Kind::Attribute, 1, wxColour(0, 139, 139), GRAPH_SLACK, 17},
                      DrawnKind{"event_markers", Kind::EventMarker, 0, wxColour(255, 0, 255), MARKER_SLACK, 20},
                      DrawnKind{"duration_markers", Kind::DurationMarker, 0, wxColour(0, 200, 0), MARKER_SLACK, 3},
                      DrawnKind{"global_events", Kind::GlobalEvent, -1, wxColour(139, 69, 19), MARKER_SLACK, 20},
                      DrawnKind{"global_tasks", Kind::GlobalTask, -1, wxColour(0, 0, 139), MARKER_SLACK, 3}),
    [](const ::testing::TestParamInfo<DrawnKind>& info) { return std::string(info.param.name); });

} // namespace
} // namespace pane_test
