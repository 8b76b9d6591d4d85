#include "SliceScene.h"

#include "layers/SliceColor.h"
#include "layers/SliceLanes.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using slice_test::LaneGraph;
using slice_test::SliceScene;
using velmora_1_0::SarvikProvider;
using velmora_1_0::SliceColor;
using velmora_1_0::SliceLanes;
using velmora_1_0::SliceLayer;

constexpr int kWidth = 1000;
constexpr std::uint64_t kDuration = 1000000000; // 1 ms per column

SarvikProvider::Slice slice(std::uint64_t startMs, std::uint64_t endMs, int name)
{
    SarvikProvider::Slice s;
    s.startTime = startMs * 1000000;
    s.endTime = endMs * 1000000;
    s.name = name;
    return s;
}

bool colourAt(const wxImage& image, int x, int y, const wxColour& colour)
{
    return image.GetRed(x, y) == colour.Red() && image.GetGreen(x, y) == colour.Green() &&
           image.GetBlue(x, y) == colour.Blue();
}

int darkPixels(const wxImage& image, int x0, int x1, int y0, int y1)
{
    int count = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x <= x1; ++x)
            count += image.GetRed(x, y) < 90 && image.GetGreen(x, y) < 90 && image.GetBlue(x, y) < 90 ? 1 : 0;
    return count;
}

// Row 0: "parent" [100, 700) ms holding "child" [200, 500) and "tiny" [600, 605); row 1 empty.
void fileFamily(SliceScene& scene)
{
    scene.file(slice_test::rowData(0, {slice(100, 700, 0), slice(200, 500, 1), slice(600, 605, 2)},
                                   {L"parent", L"child", L"tiny"}));
    scene.file(slice_test::rowData(1, {}, {}));
    scene.apply();
}

class SliceLayerTest : public ::testing::Test {
protected:
    void SetUp() override { fileFamily(scene); }
    int laneY(int row, int lane) { return scene.graph.getRowExtraRect(row).y + lane * SliceLanes::kLaneHeight; }

    SliceScene scene{2, kWidth, kDuration};
};

TEST_F(SliceLayerTest, RowsGrowByTheirLanesOnceTheirSlicesArrive)
{
    EXPECT_TRUE(scene.layer.isLoaded());
    EXPECT_EQ(scene.graph.getRowExtraRect(0).height, scene.layer.lanes().extraHeight(2));
    EXPECT_EQ(scene.graph.getRowExtraRect(1).height, 0);
    ASSERT_NE(scene.layer.getRow(0), nullptr);
    EXPECT_EQ(scene.layer.getRow(0)->depth(), 2);
}

TEST_F(SliceLayerTest, ChildrenAreDrawnOneLaneBelowTheirParentsInTheirNamesColours)
{
    const wxImage image = scene.draw();
    const int lane0 = laneY(0, 0) + SliceLanes::kLaneHeight - 3; // below the text
    const int lane1 = laneY(0, 1) + SliceLanes::kLaneHeight - 3;
    EXPECT_TRUE(colourAt(image, 150, lane0, SliceColor::of(L"parent")));
    EXPECT_TRUE(colourAt(image, 650, lane0, SliceColor::of(L"parent")));
    EXPECT_TRUE(colourAt(image, 250, lane1, SliceColor::of(L"child")));
    EXPECT_TRUE(colourAt(image, 150, lane1, *wxWHITE)) << "nothing below the parent where it has no child";
    EXPECT_TRUE(colourAt(image, 50, lane0, *wxWHITE));
    EXPECT_TRUE(colourAt(image, 750, lane0, *wxWHITE));
    // The strip of the row stays free for the other layers.
    EXPECT_TRUE(colourAt(image, 300, LaneGraph::ROW_HEIGHT / 2, *wxWHITE));
}

TEST_F(SliceLayerTest, NamesAreWrittenInWideBoxesOnly)
{
    const wxImage image = scene.draw();
    const int top = laneY(0, 1);
    EXPECT_GT(darkPixels(image, 200, 499, top, top + SliceLanes::kLaneHeight - 1), 20);
    EXPECT_EQ(darkPixels(image, 595, 610, top, top + SliceLanes::kLaneHeight - 1), 0);
    // Text never leaves its box.
    EXPECT_EQ(darkPixels(image, 500, 599, top, top + SliceLanes::kLaneHeight - 1), 0);
}

// Lanes are kept from frame to frame: after a zoom a repaint must show what a first paint of that
// view shows.
TEST_F(SliceLayerTest, ARepaintAfterAZoomShowsWhatAFirstPaintShows)
{
    scene.draw();
    scene.ruler.setVisibleRange(150000000, 649999999, false);
    const wxImage zoomed = scene.draw();
    EXPECT_TRUE(colourAt(zoomed, 100, laneY(0, 1) + SliceLanes::kLaneHeight - 3, SliceColor::of(L"child")))
        << "the child starts at column 100 of the zoomed view";
    SliceScene fresh{2, kWidth, kDuration};
    fileFamily(fresh);
    fresh.ruler.setVisibleRange(150000000, 649999999, false);
    const wxImage expected = fresh.draw();
    ASSERT_EQ(expected.GetSize(), zoomed.GetSize());
    EXPECT_EQ(0, memcmp(expected.GetData(), zoomed.GetData(), static_cast<size_t>(expected.GetWidth()) * expected.GetHeight() * 3));
}

TEST_F(SliceLayerTest, HoverGivesNameTimesAndSelfTimeAndAClickSelects)
{
    scene.draw();
    ASSERT_TRUE(scene.layer.hittest(300, laneY(0, 0) + 4));
    std::vector<wxString> lines;
    scene.layer.getTooltip(4, lines);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(lines[0].StartsWith("parent\n")) << lines[0];
    EXPECT_NE(lines[0].Find("Duration: 600 ms"), wxNOT_FOUND) << lines[0];
    EXPECT_NE(lines[0].Find("Self time: 295 ms"), wxNOT_FOUND) << lines[0];
    EXPECT_NE(lines[0].Find("Category: test"), wxNOT_FOUND) << lines[0];

    std::vector<SliceLayer::Item> heard;
    scene.layer.setSelectionListener([&](const SliceLayer::Item& item) { heard.push_back(item); });
    ASSERT_TRUE(scene.layer.canSelect());
    EXPECT_TRUE(scene.layer.setSelection());
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].row, 0);
    EXPECT_EQ(heard[0].slice, 0);
    scene.layer.clearSelection();
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_FALSE(heard[1].valid());

    EXPECT_TRUE(scene.layer.hittest(900, laneY(0, 0) + 4)); // left the slice
    EXPECT_EQ(scene.layer.getTooltipCount(), 0);
}

// Boxes are found in the lanes of the last repaint: a run of slices too narrow to tell apart is
// hovered as one box, the spare line under a lane hits nothing, and a selected and a marked slice
// are outlined on the box they were drawn in.
TEST(SliceLayerBoxesTest, HoverFindsRunsAndOutlinesFollowTheDrawnBoxes)
{
    SliceScene scene(1, kWidth, kDuration);
    std::vector<SarvikProvider::Slice> slices{slice(100, 300, 0)};
    for (int i = 0; i < 20; ++i) { // 10 us each, every 20 us: all in column 400
        SarvikProvider::Slice narrow;
        narrow.startTime = 400200000 + static_cast<std::uint64_t>(i) * 20000;
        narrow.endTime = narrow.startTime + 10000;
        narrow.name = 1;
        slices.push_back(narrow);
    }
    scene.file(slice_test::rowData(0, slices, {L"wide", L"narrow"}));
    scene.apply();
    const wxImage plain = scene.draw();
    const int lane = scene.graph.getRowExtraRect(0).y;
    const int low = lane + SliceLanes::kLaneHeight - 3; // below the names
    // Where the wide box was painted, read back.
    int left = 0;
    while (left < kWidth && !colourAt(plain, left, low, SliceColor::of(L"wide")))
        ++left;
    int right = left;
    while (right + 1 < kWidth && colourAt(plain, right + 1, low, SliceColor::of(L"wide")))
        ++right;
    ASSERT_LT(left + 150, right);

    ASSERT_TRUE(scene.layer.hittest(400, lane + 4));
    EXPECT_EQ(scene.layer.getHovered(), (SliceLayer::Item{0, 1, 20}));
    std::vector<wxString> lines;
    scene.layer.getTooltip(1, lines);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(lines[0].StartsWith("20 slices")) << lines[0];
    EXPECT_TRUE(scene.layer.hittest(200, lane + SliceLanes::kLaneHeight - 1)) << "the line under the lane is free";
    EXPECT_FALSE(scene.layer.getHovered().valid());
    EXPECT_TRUE(scene.layer.hittest(left, lane));
    EXPECT_EQ(scene.layer.getHovered(), (SliceLayer::Item{0, 0, 1}));
    EXPECT_TRUE(scene.layer.hittest(right + 1, lane)) << "past the painted box";
    EXPECT_FALSE(scene.layer.getHovered().valid());

    scene.layer.select({0, 0, 1});
    const wxImage selected = scene.draw();
    EXPECT_TRUE(colourAt(selected, left, low, *wxBLACK));
    EXPECT_TRUE(colourAt(selected, right, low, *wxBLACK));
    EXPECT_TRUE(colourAt(selected, left + 100, low, SliceColor::of(L"wide"))) << "inside stays as it was";

    scene.layer.select({});
    scene.layer.setMarked({{0, 0, 1}, {0, 5, 1}}); // the second lies in the run: no box of its own
    const wxImage marked = scene.draw();
    EXPECT_TRUE(colourAt(marked, left, low, wxColour(255, 120, 0)));
    EXPECT_TRUE(colourAt(marked, 400, low, SliceColor::run()));
}

TEST(SliceLayerLoadTest, ADeepRowCapsItsLanesAndAnswersToClearedRequestsAreDropped)
{
    SliceScene scene(1, kWidth, kDuration);
    std::vector<SarvikProvider::Slice> chain;
    for (int level = 0; level < SliceLanes::kMaxLanes + 3; ++level)
        chain.push_back(slice(10 + level, 900 - level, 0));
    SarvikProvider::SliceData stale = slice_test::rowData(0, chain, {L"level"});
    stale.layer = &scene.layer;
    stale.requestId = 999999; // never asked for
    scene.provider->file(stale);
    scene.apply();
    EXPECT_EQ(scene.layer.getRow(0), nullptr);

    scene.file(slice_test::rowData(0, chain, {L"level"}));
    scene.apply();
    // Collapsed at first: a few lanes, "+N" on a dark box at the right end of the bottom one.
    const auto hiddenMarkAt = [&](int lanes) {
        EXPECT_EQ(scene.graph.getRowExtraRect(0).height, SliceLanes(lanes).extraHeight(lanes));
        const wxImage image = scene.draw();
        const int bottom = scene.graph.getRowExtraRect(0).y + (lanes - 1) * SliceLanes::kLaneHeight;
        return darkPixels(image, kWidth - 30, kWidth - 1, bottom, bottom + SliceLanes::kLaneHeight - 1);
    };
    EXPECT_FALSE(scene.layer.lanesExpanded());
    EXPECT_GT(hiddenMarkAt(SliceLanes::kCollapsedLanes), 40);

    scene.layer.handleLegendPopupMenu(0); // "Show every lane"
    EXPECT_TRUE(scene.layer.lanesExpanded());
    EXPECT_GT(hiddenMarkAt(SliceLanes::kMaxLanes), 40);
}

} // namespace
