#include "MarkerFixture.h"

#include "provider/SarvikDataSource.h"

#include <tarquel_1_0/Colors.h>
#include <tarquel_1_0/Legend.h>
#include <tarquel_1_0/LegendItem.h>
#include <tarquel_1_0/Timeline.h>

#include "WxTestMain.h"

#include <wx/frame.h>
#include <wx/menu.h>

using velmora_1_0::EventMarkerLayer;
using velmora_1_0::SarvikProvider;

namespace marker_test {
namespace {

using Markers = std::vector<SarvikProvider::EventMarker>;

std::vector<std::uint64_t> hitStarts(const EventMarkerLayer& layer)
{
    std::vector<std::uint64_t> starts;
    for (const SarvikProvider::EventMarker& m : layer.getHittestItems())
        starts.push_back(m.startTime);
    return starts;
}

class EventMarkerLayerTest : public MarkerFixture {
protected:
    EventMarkerLayer m_layer;
};

TEST_F(EventMarkerLayerTest, KeepsTheFirstMarkerOfEachPixelSpanPerRowAndDrawsBordersFirst)
{
    // 500 and 505 share column 50 in row 0; 520 is column 52; row 1 has its own column 50.
    load(m_layer, {{0, {marker(0, 520, 520), marker(0, 505, 505), marker(0, 500, 500)}}, {1, {marker(1, 505, 505)}}});
    paint(m_layer);

    EXPECT_EQ(pixel(45, 4), kBlack);  // pin at 50: top-left of its border
    EXPECT_EQ(pixel(50, 6), kInner);
    // The pin at 52 has its border at 47, but every border is drawn before any fill.
    EXPECT_EQ(pixel(47, 6), kInner);
    EXPECT_EQ(pixel(50, 25), kInner); // row 1
    EXPECT_EQ(pixel(50, 18), kWhite);

    EXPECT_TRUE(m_layer.hittest(50, 6));
    EXPECT_EQ(hitStarts(m_layer), (std::vector<std::uint64_t>{500, 520})); // 505 was not drawn
    EXPECT_EQ(m_layer.getTooltipCount(), 2);
    EXPECT_FALSE(m_layer.hittest(50, 6));
}

// Each kind must show as a solid area of its fill colour inside its own row, not as a few pixels.
TEST_F(EventMarkerLayerTest, InstantAndDurationMarkersFillAClearAreaOfTheirRow)
{
    load(m_layer, {{1, {marker(1, 500, 500)}}, {2, {marker(2, 200, 400)}}, {3, {marker(3, 700, 701)}}});
    paint(m_layer);
    const auto rowArea = [](int row) { return wxRect(0, row * MarkerGraph::ROW_HEIGHT, kWidth, MarkerGraph::ROW_HEIGHT); };

    const wxRect pin(45, 24, 11, 14);
    EXPECT_GE(count(pin, kInner), 80);
    EXPECT_EQ(count(rowArea(1), kInner), count(pin, kInner));
    EXPECT_EQ(pixel(50, 37), kBlack) << "tip";

    const wxRect bar(20, 44, 21, 10); // columns 20 to 40, 4 below the row's top
    EXPECT_EQ(count(wxRect(bar).Deflate(1), kInner), 19 * 8);
    EXPECT_EQ(count(rowArea(2), kInner), 19 * 8);
    EXPECT_EQ(pixel(20, 44), kBlack);

    // A duration shorter than a column is still a bar with a visible inside.
    EXPECT_GE(count(rowArea(3), kInner), 3 * 8);
}

TEST_F(EventMarkerLayerTest, GlobalMarkerTakesRowZerosPixelSpan)
{
    load(m_layer, {{0, {marker(0, 500, 500), marker(-1, 500, 500)}}});
    paint(m_layer);
    EXPECT_EQ(pixel(50, 6), kInner);
    m_layer.hittest(50, 6);
    const Markers hit = m_layer.getHittestItems();
    ASSERT_EQ(hit.size(), 1u);
    EXPECT_EQ(hit[0].row, -1); // sorts before row 0 and wins the span
}

TEST_F(EventMarkerLayerTest, DurationMarkersAreClampedAroundTheGraph)
{
    m_ruler.setDuration(19999);
    m_ruler.setVisibleRange(10000, 10999, false); // x = (t - 10000) / 10
    load(m_layer, {{0, {marker(0, 0, 10500)}},      // from x = -1000 to 50
                   {1, {marker(1, 10500, 19999)}},  // from 50 to x = 999
                   {2, {marker(2, 0, 10000)}}});    // ends at column 0
    paint(m_layer);

    EXPECT_EQ(pixel(0, 7), kInner);
    EXPECT_EQ(pixel(50, 7), kBlack);
    EXPECT_EQ(pixel(51, 7), kWhite);
    EXPECT_EQ(pixel(99, 27), kInner);
    EXPECT_EQ(pixel(50, 27), kBlack);

    m_layer.hittest(0, 7);
    ASSERT_EQ(m_layer.getHittestItems().size(), 1u);
    EXPECT_EQ(m_layer.getHittestItems()[0].rect, wxRect(-20, 4, 71, 10));
    m_layer.hittest(99, 27);
    ASSERT_EQ(m_layer.getHittestItems().size(), 1u);
    EXPECT_EQ(m_layer.getHittestItems()[0].rect, wxRect(50, 24, 71, 10));

    // A shape whose last column would be 0 is not drawn and cannot be hovered.
    EXPECT_EQ(pixel(0, 47), kWhite);
    m_layer.hittest(0, 47);
    EXPECT_TRUE(m_layer.getHittestItems().empty());
}

TEST_F(EventMarkerLayerTest, MarkersNotDrawnCannotBeHit)
{
    m_graph.m_hidden = {1};
    load(m_layer, {{0, {marker(0, 500, 500)}}, {1, {marker(1, 500, 500)}}});
    paint(m_layer);
    EXPECT_EQ(pixel(50, 26), kWhite);
    EXPECT_FALSE(m_layer.hittest(50, 26));

    EXPECT_TRUE(m_layer.hittest(50, 6));
    // Outside the graph nothing is hovered any more.
    EXPECT_TRUE(m_layer.hittest(-1, 6));
    EXPECT_FALSE(m_layer.hittest(-1, 6));

    // After a zoom away from it, the marker's old rectangle no longer counts.
    m_ruler.setVisibleRange(600, 999, false);
    m_layer.requestData(false);
    paint(m_layer);
    EXPECT_EQ(pixel(50, 6), kWhite);
    EXPECT_FALSE(m_layer.hittest(50, 6));
    EXPECT_TRUE(m_layer.getHittestItems().empty());
}

TEST_F(EventMarkerLayerTest, HoveredMarkersGetTheHighlightBorderAndCanBeSelected)
{
    load(m_layer, {{0, {marker(0, 500, 500), marker(0, 800, 800)}}});
    paint(m_layer);
    EXPECT_FALSE(m_layer.canSelect());

    m_layer.hittest(50, 6);
    paint(m_layer, true);
    EXPECT_EQ(pixel(45, 4), kHighlight);
    EXPECT_EQ(pixel(50, 6), kInner);
    EXPECT_EQ(pixel(75, 4), kBlack); // the pin at 80 is not hovered

    ASSERT_TRUE(m_layer.canSelect());
    EXPECT_TRUE(m_layer.setSelection());
    m_layer.clearHittest();
    EXPECT_FALSE(m_layer.canSelect());
    EXPECT_TRUE(m_layer.hasSelection());
    m_layer.clearSelection();
    EXPECT_FALSE(m_layer.hasSelection());
    EXPECT_FALSE(m_layer.setSelection());
}

TEST_F(EventMarkerLayerTest, TooltipsPutTheTopMostMarkerFirst)
{
    load(m_layer, {{0, {marker(0, 500, 500, 8), marker(0, 510, 510, 9), marker(0, 480, 700, 7)}}});
    m_layer.setTooltipSource(new velmora_1_0::SarvikDataSource);
    paint(m_layer);
    m_layer.hittest(50, 8);
    ASSERT_EQ(m_layer.getTooltipCount(), 3);

    // Times read in the unit that suits them, whatever the zoom.
    std::vector<wxString> lines;
    m_layer.getTooltip(5, lines);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "Thread Marker\n510 ns\nInstance 9");
    EXPECT_EQ(lines[1], "Thread Marker\nStart: 480 ns\nDuration: 220 ns\nInstance 7");
    EXPECT_EQ(lines[2], "Thread Marker\n500 ns\nInstance 8");

    lines.clear();
    m_layer.getTooltip(1, lines);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "Thread Marker\n510 ns\nInstance 9");
    m_layer.getTooltip(0, lines);
    EXPECT_EQ(lines.size(), 1u);
}

TEST_F(EventMarkerLayerTest, RequestsEveryRowOnceAndDropsStaleAnswers)
{
    m_layer.attach(nullptr, &m_graph);
    m_layer.setParentSize(wxSize(kWidth, 100));
    m_layer.requestData(false);
    ASSERT_EQ(m_layer.m_requests.size(), 5u);
    EXPECT_EQ(m_layer.m_loading, 5);
    const auto ids = m_layer.m_requests;
    m_layer.requestData(false); // still waiting: nothing new
    EXPECT_EQ(m_layer.m_requests, ids);

    m_provider->file(&m_layer, 999999, 0, {marker(0, 100, 100)});
    EXPECT_FALSE(m_layer.checkData());

    // Row 0 answers first and is drawn; markers arriving later join the drawing.
    auto id = ids.begin();
    m_provider->file(&m_layer, (id++)->first, 0, {marker(0, 500, 500)});
    ASSERT_TRUE(m_layer.checkData());
    m_layer.updateData(m_dc, false);
    paint(m_layer);
    EXPECT_EQ(pixel(50, 6), kInner);
    for (short row = 1; id != ids.end(); ++id, ++row)
        m_provider->file(&m_layer, id->first, row, {marker(row, 300, 300)});
    ASSERT_TRUE(m_layer.checkData());
    m_layer.updateData(m_dc, false);
    EXPECT_EQ(m_layer.m_loading, 0);
    paint(m_layer);
    EXPECT_EQ(pixel(30, 86), kInner);
    EXPECT_EQ(pixel(50, 6), kInner);

    // Loaded: a new view does not fetch again, a cleared layer does.
    m_layer.requestData(false);
    EXPECT_EQ(m_layer.m_requests, ids);
    m_layer.clear();
    paint(m_layer);
    EXPECT_EQ(pixel(50, 6), kWhite);
    m_layer.requestData(true);
    EXPECT_EQ(m_layer.m_requests.size(), 5u);
    EXPECT_NE(m_layer.m_requests, ids);
}

// Reaches the legend icons.
class IconLayer : public EventMarkerLayer {
public:
    using EventMarkerLayer::getDurationMarkerImage;
    using EventMarkerLayer::getEventMarkerImage;
};

wxColour at(const wxImage& image, int x, int y)
{
    return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
}

TEST_F(EventMarkerLayerTest, LegendIconsMenuAndColourCommands)
{
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "markers"); // destroyed below
    auto* timeline = new tarquel_1_0::Timeline(frame);
    IconLayer layer;
    load(layer, {{0, {marker(0, 500, 500)}}});
    layer.attach(timeline, &m_graph);
    const wxColour background = timeline->getLegend()->GetBackgroundColour();

    const wxImage pin = layer.getEventMarkerImage();
    ASSERT_EQ(pin.GetSize(), wxSize(12, 15));
    EXPECT_EQ(at(pin, 5, 0), kBlack);
    EXPECT_EQ(at(pin, 5, 1), kInner);
    EXPECT_EQ(at(pin, 11, 0), background);
    const wxImage bar = layer.getDurationMarkerImage();
    ASSERT_EQ(bar.GetSize(), wxSize(9, 11));
    EXPECT_EQ(at(bar, 7, 0), kBlack);
    EXPECT_EQ(at(bar, 1, 1), kInner);
    EXPECT_EQ(at(bar, 8, 0), background);

    std::vector<int> ids;
    layer.customizeLegend(ids);
    ASSERT_EQ(ids.size(), 1u);
    ASSERT_NE(layer.m_legendItem, nullptr);
    EXPECT_EQ(timeline->getLegend()->findItem(ids[0]), layer.m_legendItem);
    EXPECT_EQ(layer.m_legendItem->getLabel(), "Thread Marker");

    wxMenu menu;
    layer.populateLegendPopup(menu, 40);
    ASSERT_EQ(menu.GetMenuItemCount(), 2u);
    EXPECT_EQ(menu.FindItemByPosition(0)->GetId(), 40);
    EXPECT_EQ(menu.FindItemByPosition(0)->GetItemLabelText(), "Set inner color...");
    EXPECT_EQ(menu.FindItemByPosition(1)->GetId(), 41);
    EXPECT_EQ(menu.FindItemByPosition(1)->GetItemLabelText(), "Set border color...");

    std::vector<wxString> titles;
    wxColour answer(0, 0, 255);
    bool confirm = true;
    tarquel_1_0::setColorPicker([&](wxWindow*, const wxString& title, const wxColour&, wxColour& chosen) {
        titles.push_back(title);
        chosen = answer;
        return confirm;
    });
    layer.handleLegendPopupMenu(0);
    answer = wxColour(0, 128, 0);
    layer.handleLegendPopupMenu(1);
    confirm = false;
    layer.handleLegendPopupMenu(0);
    layer.handleLegendPopupMenu(2);
    tarquel_1_0::setColorPicker({});

    EXPECT_EQ(titles, (std::vector<wxString>{"Select inner color", "Select border color", "Select inner color"}));
    EXPECT_EQ(m_graph.m_colorChanges, (std::vector<wxString>{"Inner color #0000FF", "Border color #008000"}));
    paint(layer);
    EXPECT_EQ(pixel(45, 4), wxColour(0, 128, 0));
    EXPECT_EQ(pixel(50, 6), wxColour(0, 0, 255));

    frame->Destroy();
    chart_test::pumpPending();
}

} // namespace
} // namespace marker_test
