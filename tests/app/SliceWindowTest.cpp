// The viewer's window in this process on a generated result, driven by synthesized mouse and key
// events: a click on a slice selects it and fills the details panel, its parent line leads to
// the parent, Escape clears; Ctrl+F and typing find the slices named so (counted here from the
// generator's records, not from the viewer), Enter and Shift+Enter walk the matches; a drag
// across the rows lists each name's total time in the range, checked against the records too.
#include "DetailsPanel.h"
#include "GeneratedResultWindow.h"
#include "SearchBar.h"
#include "ViewerApp.h"
#include "ViewerFrame.h"
#include "WxTestMain.h"

#include "layers/SliceLayer.h"
#include "layers/SliceLanes.h"

#include <dd_sarvik_2_2/store/ResultGenerator.h>
#include <dd_sarvik_2_2/store/ResultRecords.h>

#include <tarquel_1_0/Directory.h>
#include <tarquel_1_0/GraphLayerParent.h>
#include <tarquel_1_0/QuantityText.h>
#include <tarquel_1_0/Ruler.h>
#include <tarquel_1_0/Timeline.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <map>

namespace {

namespace store = dd_sarvik_2_2::store;
using velmora_1_0::SliceLayer;

store::GeneratorOptions options()
{
    store::GeneratorOptions generated;
    generated.threads = 4;
    generated.samples = 5000;
    generated.markers = 40;
    generated.transitions = 20;
    generated.globalMarkers = 10;
    return generated;
}

class SliceWindow : public GeneratedResultWindow {
protected:
    static void SetUpTestSuite() { generate(options(), "velmora_slice_window_"); }
    static void TearDownTestSuite() { removeResult(); }

    void SetUp() override
    {
        openWindow();
        for (tarquel_1_0::GraphLayer* layer : m_frame->timeline().getDirectory().getLayers())
            if (auto* slices = dynamic_cast<SliceLayer*>(layer))
                m_layer = slices;
        ASSERT_NE(m_layer, nullptr);
    }

    wxWindow* graph() const { return m_layer->m_parent->getWindow(); }
    void mouse(wxEventType type, wxPoint at)
    {
        wxMouseEvent event(type);
        event.SetEventObject(graph());
        event.SetPosition(at);
        event.m_leftDown = type == wxEVT_LEFT_DOWN;
        graph()->GetEventHandler()->ProcessEvent(event);
    }
    void key(wxWindow* window, wxEventType type, int code, int modifiers = 0)
    {
        wxKeyEvent event(type);
        event.SetEventObject(window);
        event.m_keyCode = code;
        event.SetControlDown((modifiers & wxMOD_CONTROL) != 0);
        event.SetShiftDown((modifiers & wxMOD_SHIFT) != 0);
        window->GetEventHandler()->ProcessEvent(event);
    }
    // The middle of a slice of `lane` in the first row, in the graph's client coordinates; the
    // widest such slice in view.
    wxPoint sliceAt(int lane, int& index) const
    {
        const velmora_1_0::SliceRow* row = m_layer->getRow(0);
        const tarquel_1_0::Ruler& ruler = *m_layer->getRuler();
        int widest = -1;
        index = -1;
        for (int i : row->lane(lane)) {
            const auto& s = row->slices()[static_cast<std::size_t>(i)];
            const int width = ruler.xFromTime(s.endTime, true) - ruler.xFromTime(s.startTime, true);
            if (width > widest) {
                widest = width;
                index = i;
            }
        }
        const auto& s = row->slices()[static_cast<std::size_t>(index)];
        const int x = (ruler.xFromTime(s.startTime, true) + ruler.xFromTime(s.endTime, true)) / 2;
        const wxRect lanes = m_layer->lanesRect(m_layer->m_parent->getDisplayRow(0));
        return {x, lanes.y + lane * velmora_1_0::SliceLanes::kLaneHeight + 4};
    }

    SliceLayer* m_layer = nullptr;
};

TEST_F(SliceWindow, AClickSelectsASliceAndTheDetailsLeadToItsParentUntilEscape)
{
    int index = -1;
    const wxPoint at = sliceAt(1, index);
    mouse(wxEVT_MOTION, at);
    mouse(wxEVT_LEFT_DOWN, at);
    mouse(wxEVT_LEFT_UP, at);
    ASSERT_EQ(m_layer->getSelected().row, 0);
    ASSERT_EQ(m_layer->getSelected().slice, index);
    const velmora_1_0::SliceRow& row = *m_layer->getRow(0);
    const auto& slice = row.slices()[static_cast<std::size_t>(index)];
    std::vector<wxString> lines = m_frame->details().lines();
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines[0], wxString(row.name(slice)));
    const auto parentLine = std::find_if(lines.begin(), lines.end(), [](const wxString& line) {
        return line.StartsWith("Parent: ");
    });
    ASSERT_NE(parentLine, lines.end());
    const wxString parentName(row.name(row.slices()[static_cast<std::size_t>(slice.parent)]));
    EXPECT_EQ(*parentLine, "Parent: " + parentName);

    m_frame->details().followLine(static_cast<int>(parentLine - lines.begin()));
    EXPECT_EQ(m_layer->getSelected().slice, slice.parent);
    lines = m_frame->details().lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], parentName);
    EXPECT_NE(std::find_if(lines.begin(), lines.end(),
                           [&](const wxString& line) { return line.StartsWith("    " + wxString(row.name(slice))); }),
              lines.end())
        << "the child is listed under its parent";

    key(m_frame, wxEVT_CHAR_HOOK, WXK_ESCAPE);
    EXPECT_FALSE(m_layer->hasSelection());
    EXPECT_TRUE(m_frame->details().lines().empty());
}

TEST_F(SliceWindow, SearchCountsTheNamedSlicesAndEnterWalksThem)
{
    // Independently: the duration markers whose "marker" instance is named like that.
    const auto& tables = s_records.attributeTables;
    const auto markers = std::find_if(tables.begin(), tables.end(), [](const auto& t) { return t.name == L"marker"; });
    const auto& bands = s_records.bandTables;
    const auto durations = std::find_if(bands.begin(), bands.end(), [](const auto& t) { return t.name == L"marker_duration"; });
    ASSERT_NE(markers, tables.end());
    ASSERT_NE(durations, bands.end());
    int expected = 0;
    for (const auto& object : durations->objects) {
        const std::wstring& name = std::get<std::wstring>(markers->instances.at(object.instanceIndex).at(0));
        expected += object.end > object.start && name.find(L"request") != std::wstring::npos ? 1 : 0;
    }
    ASSERT_GT(expected, 1);

    key(m_frame, wxEVT_CHAR_HOOK, 'F', wxMOD_CONTROL);
    velmora_viewer::SearchBar& search = m_frame->search();
    ASSERT_TRUE(search.IsShown());
    search.search("ReQuest");
    ASSERT_TRUE(chart_test::pumpUntil([&] { return !search.isSearching(); }));
    EXPECT_EQ(search.matchCount(), expected);
    EXPECT_EQ(search.countText(), wxString::Format("%d matches", expected));

    key(search.field(), wxEVT_KEY_DOWN, WXK_RETURN);
    EXPECT_EQ(search.currentMatch(), 0);
    const SliceLayer::Item first = m_layer->getSelected();
    ASSERT_TRUE(first.valid());
    const auto& slice = m_layer->getRow(first.row)->slices()[static_cast<std::size_t>(first.slice)];
    EXPECT_NE(wxString(m_layer->getRow(first.row)->name(slice)).Lower().Find("request"), wxNOT_FOUND);
    const tarquel_1_0::Ruler& ruler = *m_layer->getRuler();
    EXPECT_LE(ruler.getStart().GetValue(), slice.startTime);
    EXPECT_GE(ruler.getEnd().GetValue(), slice.endTime);
    EXPECT_LT(ruler.getEnd().GetValue() - ruler.getStart().GetValue(), 3 * (slice.endTime - slice.startTime));
    EXPECT_EQ(search.countText(), wxString::Format("1 of %d", expected));

    key(search.field(), wxEVT_KEY_DOWN, WXK_RETURN, wxMOD_SHIFT);
    EXPECT_EQ(search.currentMatch(), expected - 1) << "Shift+Enter walks back round the start";
    key(search.field(), wxEVT_KEY_DOWN, WXK_RETURN, wxMOD_SHIFT);
    EXPECT_EQ(search.currentMatch(), expected - 2);

    key(m_frame, wxEVT_CHAR_HOOK, WXK_ESCAPE); // the focus is not in the field: clears the selection
    search.close();
    EXPECT_FALSE(search.IsShown());
    EXPECT_FALSE(m_layer->isMarked(first.row, first.slice));
}

TEST_F(SliceWindow, ADragAcrossTheRowsListsTheSlicesOfTheRangeWithTheirTotals)
{
    const int width = graph()->GetClientSize().x;
    const int y = m_layer->lanesRect(0).y + 4;
    mouse(wxEVT_MOTION, {width / 5, y});
    mouse(wxEVT_LEFT_DOWN, {width / 5, y});
    wxMouseEvent drag(wxEVT_MOTION);
    drag.SetEventObject(graph());
    drag.SetPosition({width / 2, y});
    drag.m_leftDown = true;
    graph()->GetEventHandler()->ProcessEvent(drag);
    mouse(wxEVT_LEFT_UP, {width / 2, y});

    const tarquel_1_0::Ruler& ruler = *m_layer->getRuler();
    ASSERT_TRUE(ruler.hasRulerSelection());
    ASSERT_TRUE(chart_test::pumpUntil([&] { return !m_frame->details().isComputing(); }));
    const std::uint64_t start = ruler.getSelectionStart().GetValue();
    const std::uint64_t end = ruler.getSelectionEnd().GetValue();

    // Independently, from the generator's records: time of each name's durations in the range.
    const auto& tables = s_records.attributeTables;
    const auto markers = std::find_if(tables.begin(), tables.end(), [](const auto& t) { return t.name == L"marker"; });
    const auto& bands = s_records.bandTables;
    const auto durations =
        std::find_if(bands.begin(), bands.end(), [](const auto& t) { return t.name == L"marker_duration"; });
    std::map<std::wstring, std::pair<int, std::uint64_t>> expected; // count, total
    const auto ns = [](std::uint64_t tick) { return tick - s_records.timeOrigin; };
    for (const auto& object : durations->objects) {
        const std::uint64_t from = std::max(ns(object.start), start);
        const std::uint64_t to = std::min(ns(object.end), end);
        if (object.end <= object.start || to <= from)
            continue;
        auto& entry = expected[std::get<std::wstring>(markers->instances.at(object.instanceIndex).at(0))];
        entry.first += 1;
        entry.second += to - from;
    }
    ASSERT_FALSE(expected.empty());
    const std::vector<wxString> lines = m_frame->details().lines();
    ASSERT_EQ(lines.size(), expected.size() + 2);
    EXPECT_TRUE(lines[0].StartsWith("Range " + tarquel_1_0::durationText(static_cast<double>(end - start))));
    EXPECT_EQ(lines[1], "Slices of all rows:");
    std::uint64_t previous = UINT64_MAX;
    for (std::size_t i = 2; i < lines.size(); ++i) {
        const wxString name = lines[i].AfterFirst(' ').Trim(false).BeforeFirst(':');
        const auto found = expected.find(name.ToStdWstring());
        ASSERT_NE(found, expected.end()) << lines[i];
        EXPECT_TRUE(lines[i].StartsWith(wxString::Format("    %s: %d, total %s, self ", name, found->second.first,
                                                         tarquel_1_0::durationText(
                                                             static_cast<double>(found->second.second)))))
            << lines[i];
        EXPECT_LE(found->second.second, previous) << "sorted by total";
        previous = found->second.second;
    }
}

} // namespace
