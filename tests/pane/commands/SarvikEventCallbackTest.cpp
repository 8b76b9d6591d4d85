// The pane's answers to the timeline's user events, driven on a real timeline: the menus shown,
// the selection each command leaves in the engine's filter store, and the signals raised.
#include "CommandFixture.h"

#include "layers/EventMarkerLayer.h"
#include "layers/OverTimeLayer.h"
#include "pane/PaneContextMenu.h"
#include "provider/SarvikDataSource.h"
#include "provider/SarvikProvider.h"

#include <tarquel_1_0/GraphLayer.h>
#include <tarquel_1_0/GraphLayerParent.h>
#include <tarquel_1_0/HeaderCtrl.h>
#include <tarquel_1_0/Ruler.h>
#include <tarquel_1_0/Timeline.h>

#include <wx/colour.h>
#include <wx/dcmemory.h>

namespace commands_test {
namespace {

using dd_sarvik_2_2::dd_filter;
using Menu = velmora_1_0::PaneContextMenu;
using Items = std::vector<std::pair<std::uint64_t, std::uint64_t>>;

// A marker layer whose last hit test found the given markers (as a mouse click would leave it).
struct HitMarkerLayer : velmora_1_0::EventMarkerLayer {
    HitMarkerLayer(const wxString& attributeTable, const std::vector<EventMarker>& hits)
    {
        velmora_1_0::SarvikDataSource source;
        source.attributeTable = attributeTable;
        source.instanceTable = "marker_band";
        setDataSource(source.clone().release());
        std::vector<EventMarker> arrivals = hits; // in sort order: the hit indices name them
        m_markers.add(arrivals);
        for (int i = 0; i < static_cast<int>(hits.size()); ++i)
            m_hitItems[i] = wxRect();
    }
};

velmora_1_0::SarvikProvider::EventMarker marker(std::uint64_t start, std::uint64_t end, int instance)
{
    velmora_1_0::SarvikProvider::EventMarker m;
    m.startTime = start;
    m.endTime = end;
    m.instanceIndex = instance;
    return m;
}

// An over-time layer that can select (the shipped graphs never do), attached to a graph of the
// timeline without being drawn in it and holding a sample in every column for data row `row`, so
// that its hit test is the real one.
struct SelectableGraph : velmora_1_0::OverTimeLayer {
    SelectableGraph(tarquel_1_0::Timeline& timeline, int paneIndex, int row)
    {
        attach(&timeline, timeline.getGraph(paneIndex));
        velmora_1_0::SarvikDataSource source;
        source.attributeTable = "dd_wait"; // a table with call stacks: a sample must still not deep-view
        source.instanceTable = "wait_state";
        setDataSource(source.clone().release());
        m_rowData[row].values.assign(timeline.getRuler()->getPixelWidth(), 1.0);
    }
    bool canSelect() override { return m_hitRow != -1; }
};

// A layer of no kind the pane knows: it cannot select, but it has a name.
struct PlainLayer : tarquel_1_0::GraphLayer {
    void renderAll(wxMemoryDC&) override {}
};

class SarvikEventCallbackTest : public CommandFixture {
protected:
    tarquel_1_0::Ruler& ruler() { return *timeline().getRuler(); }
    std::uint64_t tick(std::uint64_t ns) const { return m_areaProvider->tsc(ns); }

    const Item& item(int id) const
    {
        for (const Item& entry : m_menu)
            if (entry.id == id)
                return entry;
        throw std::out_of_range("no menu item " + std::to_string(id));
    }
    std::vector<int> ids() const
    {
        std::vector<int> result;
        for (const Item& entry : m_menu)
            result.push_back(entry.id);
        return result;
    }
    std::vector<bool> sortChecks() const
    {
        return {item(2702).checked, item(2703).checked, item(2704).checked, item(2705).checked};
    }
};

TEST_F(SarvikEventCallbackTest, RulerMenuItemsFollowTheRulerAndTheGlobalFilter)
{
    m_callback->rulerContextMenu(&timeline());
    ASSERT_EQ(m_menusShown, 1);
    EXPECT_EQ(ids(), (std::vector<int>{2800, 2801, 2802, 2803, 2804, 2805, 2806, 2807, 2808}));
    EXPECT_EQ(item(2801).label, "Undo zoom");
    EXPECT_EQ(item(2801).help, "Return to the time range shown before the last zoom");
    for (int id : {2800, 2801, 2802, 2803, 2804, 2805, 2806})
        EXPECT_FALSE(item(id).enabled) << id;
    EXPECT_TRUE(item(2807).enabled);
    EXPECT_TRUE(item(2808).enabled);

    ruler().setSelection(1000, 900000, false);
    setGlobalFilter(true);
    m_callback->rulerContextMenu(&timeline());
    for (int id : {2800, 2803, 2804, 2805, 2806})
        EXPECT_TRUE(item(id).enabled) << id;
    ruler().zoomSelection();
    m_callback->rulerContextMenu(&timeline());
    EXPECT_TRUE(item(2801).enabled);
    EXPECT_TRUE(item(2802).enabled);
}

TEST_F(SarvikEventCallbackTest, RangeSelectionForgetsOtherSelectionsWritesTheRangeAndShowsTheMenu)
{
    header().selectRow(1, false);
    ruler().setSelection(2000, 3000, false);
    m_callback->rulerRangeSelected(&timeline());
    EXPECT_FALSE(header().hasSelection());
    EXPECT_EQ(timeItems(dd_filter::selection_name), (Items{{tick(2000), tick(3000)}}));
    EXPECT_EQ(m_signals.selectionChanged, 1);
    EXPECT_EQ(m_menusShown, 1);
    EXPECT_EQ(m_callback->getSelectedItem(), -1);
    EXPECT_EQ(m_callback->getSelectedLayer(), nullptr);
}

TEST_F(SarvikEventCallbackTest, RulerFilterCommandsWriteTheSelectionAndAskForTheFilter)
{
    ruler().setSelection(2000, 3000, false);
    m_callback->rulerMenuCommand(&timeline(), Menu::FILTER_SELECTION);
    EXPECT_EQ(timeItems(dd_filter::selection_name), (Items{{tick(2000), tick(3000)}}));
    EXPECT_FALSE(ruler().hasRulerSelection());

    ruler().setSelection(2000, 3000, false);
    m_callback->rulerMenuCommand(&timeline(), Menu::FILTER_OUT_BY_TIME);
    EXPECT_EQ(timeItems(dd_filter::selection_name),
              (Items{{tick(0), tick(1999)}, {tick(3001), tick(m_areaProvider->getDuration())}}));
    EXPECT_FALSE(ruler().hasRulerSelection());

    ruler().setSelection(5000, 900000, false);
    m_callback->rulerMenuCommand(&timeline(), Menu::ZOOM_IN_FILTER_SELECTION);
    EXPECT_EQ(timeItems(dd_filter::selection_name), (Items{{tick(5000), tick(900000)}}));
    EXPECT_EQ(ruler().getStart(), 5000u);
    EXPECT_EQ(ruler().getEnd(), 900000u);

    EXPECT_EQ(m_signals.selectionChanged, 3);
    EXPECT_EQ(m_signals.applyFilter, 3);
    EXPECT_EQ(m_signals.removeFilters, 0);
    EXPECT_FALSE(wxIsBusy());
}

TEST_F(SarvikEventCallbackTest, RulerZoomRemoveHighlightAndDismissCommands)
{
    ruler().setSelection(5000, 900000, false);
    m_callback->rulerMenuCommand(&timeline(), Menu::ZOOM_SELECTION);
    EXPECT_EQ(ruler().getStart(), 5000u);
    m_callback->rulerMenuCommand(&timeline(), Menu::ZOOM_UNDO);
    EXPECT_EQ(ruler().getStart(), 0u);
    ruler().setSelection(5000, 900000, false);
    m_callback->rulerMenuCommand(&timeline(), Menu::ZOOM_SELECTION);
    m_callback->rulerMenuCommand(&timeline(), Menu::ZOOM_RESET);
    EXPECT_EQ(ruler().getStart(), 0u);
    EXPECT_EQ(ruler().getEnd(), ruler().getDuration());

    m_callback->rulerMenuCommand(&timeline(), Menu::RULER_REMOVE_ALL_FILTERS);
    m_callback->rulerMenuCommand(&timeline(), Menu::UPDATE_HIGHLIGHTING);
    m_callback->rulerMenuCommand(&timeline(), Menu::DISMISS_MENU);
    m_callback->rulerMenuCommand(&timeline(), 4242);
    EXPECT_EQ(m_signals.removeFilters, 1);
    EXPECT_EQ(m_signals.highlighting, (std::vector<std::wstring>{L"selection"}));
    EXPECT_EQ(m_signals.selectionChanged + m_signals.applyFilter, 0); // zooms and the rest write nothing
    EXPECT_FALSE(dd_filter(sharedResult()->get_database(), dd_filter::selection_name).has_filters());
}

TEST_F(SarvikEventCallbackTest, HeaderMenuStatesFollowTheRowsTheFilterAndTheSortOrder)
{
    m_callback->headerContextMenu(&header());
    EXPECT_EQ(ids(), (std::vector<int>{2700, 2701, 2706, 2702, 2703, 2704, 2705}));
    EXPECT_FALSE(item(2700).enabled);
    EXPECT_FALSE(item(2701).enabled);
    EXPECT_FALSE(item(2706).enabled);
    EXPECT_EQ(sortChecks(), (std::vector<bool>{false, false, false, false}));
    EXPECT_TRUE(item(2702).help.empty());

    header().selectRow(2, false);
    setGlobalFilter(true);
    header().setSortOrder(3);
    m_callback->headerContextMenu(&header());
    EXPECT_TRUE(item(2700).enabled);
    EXPECT_TRUE(item(2701).enabled);
    EXPECT_TRUE(item(2706).enabled);
    EXPECT_EQ(sortChecks(), (std::vector<bool>{false, false, true, false}));
}

TEST_F(SarvikEventCallbackTest, HeaderCommandsSelectRowsSortAndRemoveFilters)
{
    header().selectRow(1, false);
    header().selectRow(3, true);
    m_callback->headerContextMenu(&header());

    m_callback->headerMenuCommand(&header(), Menu::FILTER_IN_BY_SELECTION);
    EXPECT_EQ(profileItems(dd_filter::selection_name),
              (std::vector<dd_sarvik_2_2::dd_attribute_filter>{{L"dd_thread", L"dd_band", std::int64_t{1}},
                                                               {L"dd_thread", L"dd_band", std::int64_t{3}}}));
    m_callback->headerMenuCommand(&header(), Menu::FILTER_OUT_BY_SELECTION);
    EXPECT_EQ(profileItems(dd_filter::selection_name),
              (std::vector<dd_sarvik_2_2::dd_attribute_filter>{{L"dd_thread", L"dd_band", std::int64_t{0}},
                                                               {L"dd_thread", L"dd_band", std::int64_t{2}},
                                                               {L"dd_thread", L"dd_band", std::int64_t{4}},
                                                               {L"dd_thread", L"dd_band", std::int64_t{5}}}));
    EXPECT_EQ(m_signals.applyFilter, 2);
    EXPECT_EQ(m_signals.selectionChanged, 2);

    m_callback->headerMenuCommand(&header(), Menu::SORT_LABEL_DESCENDING);
    EXPECT_EQ(header().getSortOrder(), 4);
    m_callback->headerMenuCommand(&header(), Menu::SORT_TIME_ASCENDING);
    EXPECT_EQ(header().getSortOrder(), 1);

    m_callback->headerMenuCommand(&header(), Menu::HEADER_REMOVE_ALL_FILTERS);
    EXPECT_EQ(m_signals.removeFilters, 1);
}

TEST_F(SarvikEventCallbackTest, RowSelectionNeedsARowByProvider)
{
    m_callback->rowsSelected(timeline().getGraph(0), {2});
    EXPECT_EQ(profileItems(dd_filter::selection_name),
              (std::vector<dd_sarvik_2_2::dd_attribute_filter>{{L"dd_thread", L"dd_band", std::int64_t{2}}}));
    EXPECT_EQ(m_signals.selectionChanged, 1);

    // The ruler's provider has no rows: nothing is written, nothing is announced.
    dd_filter(sharedResult()->get_database(), dd_filter::selection_name).clear_filters();
    tarquel_1_0::GraphLayerParent* rulerGraph = timeline().getGraph(-1);
    ASSERT_NE(rulerGraph, nullptr);
    m_callback->rowsSelected(rulerGraph, {2});
    m_callback->rowsSelected(nullptr, {2});
    EXPECT_TRUE(profileItems(dd_filter::selection_name).empty());
    EXPECT_EQ(m_signals.selectionChanged, 1);
}

TEST_F(SarvikEventCallbackTest, ColourChangeIsReportedInBothViewpointNotations)
{
    PlainLayer layer;
    layer.setLayerName("CPU time");
    m_callback->layerColorChanged(&layer, "Graph color", wxColour(255, 128, 0));
    const auto messages = m_harness.messenger.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].m_kind, 1);
    EXPECT_EQ(messages[0].m_text,
              L"Graph color of layer 'CPU time' changed to 255,128,0 (0xff8000). "
              L"Put this color into the viewpoint to keep it.");
}

TEST_F(SarvikEventCallbackTest, SelectedMarkerIsWrittenAndHeldForTheRulerFilterCommands)
{
    HitMarkerLayer layer("marker", {marker(1000, 1000, 4), marker(1500, 3000, 7)});
    header().selectRow(0, false);
    m_callback->itemSelected(&layer);
    EXPECT_EQ(m_callback->getSelectedItem(), 7); // the last marker hit
    EXPECT_FALSE(ruler().hasRulerSelection());  // the selection form shows no time range
    EXPECT_FALSE(header().hasSelection());
    const std::vector<dd_sarvik_2_2::dd_attribute_filter> markerSeven{{L"marker", L"marker_band", std::int64_t{7}}};
    EXPECT_EQ(profileItems(dd_filter::selection_name), markerSeven);

    // With an item held, filtering by the ruler's range filters by the item instead.
    ruler().setSelection(2000, 3000, false);
    m_callback->rulerMenuCommand(&timeline(), Menu::FILTER_SELECTION);
    EXPECT_EQ(profileItems(dd_filter::selection_name), markerSeven);
    EXPECT_TRUE(timeItems(dd_filter::selection_name).empty());
    EXPECT_EQ(m_signals.selectionChanged, 2);
    EXPECT_EQ(m_signals.applyFilter, 1);

    // A range drawn on the ruler drops the held item.
    ruler().setSelection(2000, 3000, false);
    m_callback->rulerRangeSelected(&timeline());
    EXPECT_EQ(m_callback->getSelectedLayer(), nullptr);
    EXPECT_EQ(timeItems(dd_filter::selection_name), (Items{{tick(2000), tick(3000)}}));
}

TEST_F(SarvikEventCallbackTest, ActivatingAnItemWritesTheDeepViewOfWaitsOnly)
{
    HitMarkerLayer wait("dd_wait", {marker(1000, 5000, 0)});
    m_callback->itemActivated(&wait);
    EXPECT_EQ(ruler().getSelectionStart(), 1000u); // the activated markers' span is shown
    EXPECT_EQ(ruler().getSelectionEnd(), 5000u);
    ASSERT_EQ(profileItems(L"deep_view_selection_filter").size(), 1u);
    EXPECT_EQ(profileItems(L"deep_view_selection_filter")[0].get_table().str(), L"dd_wait.wait_cs.bottom_user_cs");
    EXPECT_EQ(m_signals.deepView, 1);

    HitMarkerLayer instant("marker", {marker(2000, 2000, 1)});
    m_callback->itemActivated(&instant);
    EXPECT_FALSE(ruler().hasRulerSelection()); // a single instant clears the range
    EXPECT_TRUE(profileItems(L"deep_view_selection_filter").empty());
    EXPECT_EQ(m_signals.deepView, 1);
    EXPECT_EQ(m_signals.selectionChanged, 0); // the deep view is not the selection
}

TEST_F(SarvikEventCallbackTest, SelectedSampleIsItsRowDuringItsColumnEvenAfterAZoom)
{
    SelectableGraph graph(timeline(), 0, 2);
    const std::uint64_t clicked = 400000000;
    const int x = ruler().xFromTime(clicked, false);
    const wxRect row = timeline().getGraph(0)->getRowRect(timeline().getGraph(0)->getDisplayRow(2), false);
    ASSERT_TRUE(graph.hittest(x, row.y + row.height / 2));
    m_callback->itemSelected(&graph);

    EXPECT_EQ(m_callback->getSelectedItem(), 2);
    const std::vector<dd_sarvik_2_2::dd_attribute_filter> rowTwo{{L"dd_thread", L"dd_band", std::int64_t{2}}};
    EXPECT_EQ(profileItems(dd_filter::selection_name), rowTwo);
    const Items sample = timeItems(dd_filter::selection_name);
    ASSERT_EQ(sample.size(), 1u);
    EXPECT_LE(sample[0].first, tick(clicked));
    EXPECT_GE(sample[0].second, tick(clicked));
    EXPECT_NEAR(double(sample[0].second - sample[0].first + 1), ruler().nsPerPixel(), 1.0) << "one column";
    EXPECT_EQ(m_signals.selectionChanged, 1);

    // The ruler's filter commands take the held sample, as it was when it was clicked.
    ruler().setSelection(100, 200000000, false);
    ruler().zoomSelection();
    ruler().setSelection(1000, 2000, false);
    m_callback->rulerMenuCommand(&timeline(), Menu::FILTER_SELECTION);
    EXPECT_EQ(profileItems(dd_filter::selection_name), rowTwo);
    EXPECT_EQ(timeItems(dd_filter::selection_name), sample);

    // A sample is no instance: activating it leaves the deep view empty.
    m_callback->itemActivated(&graph);
    EXPECT_TRUE(profileItems(L"deep_view_selection_filter").empty());
    EXPECT_EQ(m_signals.deepView, 0);
}

TEST_F(SarvikEventCallbackTest, SelectedSampleOnTheRulerIsItsTimeAlone)
{
    SelectableGraph graph(timeline(), -1, 0);
    const wxRect strip = timeline().getGraph(-1)->getRowRect(0, false);
    ASSERT_TRUE(graph.hittest(0, strip.y + 1));
    m_callback->itemSelected(&graph);
    EXPECT_TRUE(profileItems(dd_filter::selection_name).empty());
    const Items sample = timeItems(dd_filter::selection_name);
    ASSERT_EQ(sample.size(), 1u);
    EXPECT_EQ(sample[0].first, tick(0));
    EXPECT_EQ(m_signals.selectionChanged, 1);
}

TEST_F(SarvikEventCallbackTest, LayersThatCannotSelectLeaveTheSelectionAlone)
{
    PlainLayer layer;
    m_callback->itemSelected(&layer);
    m_callback->itemActivated(&layer);
    EXPECT_EQ(m_callback->getSelectedItem(), -1);
    EXPECT_EQ(m_signals.selectionChanged + m_signals.deepView, 0);
    EXPECT_FALSE(dd_filter(sharedResult()->get_database(), dd_filter::selection_name).has_filters());
}

} // namespace
} // namespace commands_test
