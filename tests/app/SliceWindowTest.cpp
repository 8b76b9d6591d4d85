// The viewer's window in this process on a generated result, driven by synthesized mouse and key
// events: a click on a slice selects it and fills the details panel, its parent line leads to
// the parent, Escape clears; Ctrl+F and typing find the slices named so (counted here from the
// generator's records, not from the viewer), Enter and Shift+Enter walk the matches; a drag
// across the rows lists each name's total time in the range, checked against the records too.
#include "DetailsPanel.h"
#include "GeneratedWindow.h"
#include "SearchBar.h"
#include "WxTestMain.h"

#include "layers/SliceLayer.h"
#include "layers/SliceLanes.h"

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

using velmora_1_0::SliceLayer;
using viewer_test::GeneratedWindow;

class SliceWindow : public GeneratedWindow {
protected:
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
};

TEST_F(SliceWindow, AClickSelectsASliceAndTheDetailsLeadToItsParentUntilEscape)
{
    int index = -1;
    const wxPoint at = sliceAt(1, index);
    click(at);
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

TEST_F(SliceWindow, SearchCountsTheNamedSlicesMarkersAndRulerEventsAndEnterWalksThem)
{
    // Independently: the objects of every searched table whose instance is named like that
    // (slices are the durations among the duration markers).
    const auto named = [](const wchar_t* table, const wchar_t* names, bool durationsOnly) {
        int count = 0;
        for (const auto& object : band(table).objects) {
            const bool kept = !durationsOnly || object.end > object.start;
            count += kept && text(names, object.instanceIndex).find(L"request") != std::wstring::npos ? 1 : 0;
        }
        return count;
    };
    const int slices = named(L"marker_duration", L"marker", true);
    const int expected = slices + named(L"marker_instant", L"marker", false) +
                         named(L"global_event", L"global_event", false) + named(L"global_task", L"global_task", false);
    ASSERT_GT(slices, 1);

    key(m_frame, wxEVT_CHAR_HOOK, 'F', wxMOD_CONTROL);
    velmora_viewer::SearchBar& search = m_frame->search();
    ASSERT_TRUE(search.IsShown());
    search.search("ReQuest");
    ASSERT_TRUE(chart_test::pumpUntil([&] { return !search.isSearching(); }));
    EXPECT_EQ(search.matchCount(), expected);
    EXPECT_EQ(search.countText(), wxString::Format("%d matches", expected));

    // Walked in time order; the first slice among them is selected when stepped to.
    const auto& matches = search.matches();
    EXPECT_TRUE(std::is_sorted(matches.begin(), matches.end(),
                               [](const auto& a, const auto& b) { return a.startTime < b.startTime; }));
    const auto firstSlice = std::find_if(matches.begin(), matches.end(), [](const auto& m) { return m.slices; });
    ASSERT_NE(firstSlice, matches.end());
    for (auto it = matches.begin(); it <= firstSlice; ++it)
        key(search.field(), wxEVT_KEY_DOWN, WXK_RETURN);
    EXPECT_EQ(search.currentMatch(), firstSlice - matches.begin());
    const SliceLayer::Item first = m_layer->getSelected();
    ASSERT_TRUE(first.valid());
    const auto& slice = m_layer->getRow(first.row)->slices()[static_cast<std::size_t>(first.slice)];
    EXPECT_NE(wxString(m_layer->getRow(first.row)->name(slice)).Lower().Find("request"), wxNOT_FOUND);
    const tarquel_1_0::Ruler& ruler = *m_layer->getRuler();
    EXPECT_LE(ruler.getStart().GetValue(), slice.startTime);
    EXPECT_GE(ruler.getEnd().GetValue(), slice.endTime);
    EXPECT_LT(ruler.getEnd().GetValue() - ruler.getStart().GetValue(), 3 * (slice.endTime - slice.startTime));
    EXPECT_EQ(search.countText(),
              wxString::Format("%d of %d", static_cast<int>(firstSlice - matches.begin()) + 1, expected));

    for (auto it = matches.begin(); it <= firstSlice; ++it)
        key(search.field(), wxEVT_KEY_DOWN, WXK_RETURN, wxMOD_SHIFT);
    EXPECT_EQ(search.currentMatch(), expected - 1) << "Shift+Enter walks back round the start";
    key(search.field(), wxEVT_KEY_DOWN, WXK_RETURN, wxMOD_SHIFT);
    EXPECT_EQ(search.currentMatch(), expected - 2);

    key(m_frame, wxEVT_CHAR_HOOK, WXK_ESCAPE); // the focus is not in the field: clears the selection
    search.close();
    EXPECT_FALSE(search.IsShown());
    EXPECT_FALSE(m_layer->isMarked(first.row, first.slice));
}

TEST_F(SliceWindow, ADragAcrossTheRowsListsTheSlicesAndTheCpuTimeOfTheRange)
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
    const auto overlap = [start, end](std::uint64_t from, std::uint64_t to) {
        const std::uint64_t a = std::max(nanoseconds(from), start);
        const std::uint64_t b = std::min(nanoseconds(to), end);
        return b > a ? b - a : 0;
    };

    // Independently, from the generator's records: time of each name's durations in the range,
    // and each thread's time in its samples.
    std::map<std::wstring, std::pair<int, std::uint64_t>> expected; // count, total
    for (const auto& object : band(L"marker_duration").objects) {
        const std::uint64_t inside = overlap(object.start, object.end);
        if (object.end <= object.start || inside == 0)
            continue;
        auto& entry = expected[text(L"marker", object.instanceIndex)];
        entry.first += 1;
        entry.second += inside;
    }
    std::map<int, std::uint64_t> cpu;
    for (const auto& table : s_records.sampleTables)
        for (const auto& sample : table.samples)
            cpu[sample.row] += overlap(sample.start, sample.end);
    ASSERT_FALSE(expected.empty());
    ASSERT_FALSE(cpu.empty());

    const std::vector<wxString> lines = m_frame->details().lines();
    ASSERT_EQ(lines.size(), expected.size() + 3 + cpu.size());
    EXPECT_TRUE(lines[0].StartsWith("Range " + tarquel_1_0::durationText(static_cast<double>(end - start))));
    EXPECT_EQ(lines[1], "Slices of all rows:");
    std::uint64_t previous = UINT64_MAX;
    for (std::size_t i = 2; i < expected.size() + 2; ++i) {
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

    EXPECT_EQ(lines[expected.size() + 2], "CPU time of all rows:");
    const auto& measured = m_frame->details().lastRange().cpu;
    ASSERT_EQ(measured.size(), cpu.size());
    for (std::size_t i = 0; i < measured.size(); ++i) {
        const std::uint64_t wanted = cpu.at(measured[i].row);
        // The engine answers in a double per bucket: a nanosecond or so of rounding.
        EXPECT_NEAR(static_cast<double>(measured[i].nanoseconds), static_cast<double>(wanted), 2.0)
            << "row " << measured[i].row;
        const wxString& line = lines[expected.size() + 3 + i];
        EXPECT_TRUE(line.StartsWith("    " + m_layer->m_parent->getRowName(m_layer->m_parent->getDisplayRow(measured[i].row)) +
                                    ": " + tarquel_1_0::durationText(static_cast<double>(measured[i].nanoseconds))))
            << line;
    }
}

} // namespace
