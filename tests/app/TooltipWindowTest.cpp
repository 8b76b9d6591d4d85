// Tooltips of the viewer's window on a generated result, read back after synthesized pointer
// moves: each counter has a row of its own whose tooltip names the counter and reads the value
// under the pointer in the counter's unit; a marker's tooltip gives its time in a unit, its
// category, the frames it was recorded at and the arguments it was recorded with, one per line,
// as the generator wrote them; a global task's tooltip gives its name and its length in a unit.
#include "GeneratedWindow.h"
#include "ShownTooltip.h"

#include "layers/AttrOverTimeLayer.h"
#include "layers/EventMarkerLayer.h"
#include "layers/GlobalEventMarkerLayer.h"

#include <tarquel_1_0/Directory.h>
#include <tarquel_1_0/GraphLayerParent.h>
#include <tarquel_1_0/Timeline.h>

#include <gtest/gtest.h>

#include <map>
#include <regex>

namespace {

namespace store = dd_sarvik_2_2::store;
using viewer_test::GeneratedWindow;

class TooltipWindow : public GeneratedWindow {
protected:
    template <class Layer>
    Layer* layerNamed(const wxString& name) const
    {
        for (tarquel_1_0::GraphLayer* layer : m_frame->timeline().getDirectory().getLayers())
            if (auto* found = dynamic_cast<Layer*>(layer); found && layer->m_layerName == name)
                return found;
        return nullptr;
    }

    // Moves the pointer over `layer`'s graph at `at` and returns the tooltip the window shows.
    static wxString hover(tarquel_1_0::GraphLayer& layer, wxPoint at)
    {
        wxWindow* graph = layer.m_parent->getWindow();
        wxMouseEvent event(wxEVT_MOTION);
        event.SetEventObject(graph);
        event.SetPosition(at);
        graph->GetEventHandler()->ProcessEvent(event);
        return chart_test::shownTooltipText(graph);
    }
};

TEST_F(TooltipWindow, EachCounterHasItsRowAndItsTooltipReadsTheValueInItsUnit)
{
    auto* counters = layerNamed<velmora_1_0::AttrOverTimeLayer>("Counters");
    ASSERT_NE(counters, nullptr);
    tarquel_1_0::GraphLayerParent& rows = *counters->m_parent;
    const store::AttributeTableRecord& names = attributes(L"counter");
    ASSERT_EQ(rows.getRowCount(), static_cast<int>(names.instances.size()));
    // Each counter's own range, from the generated points.
    std::map<std::int32_t, std::pair<double, double>> ranges;
    for (const store::TimedValueRecord& point : s_records.timedAttributes.at(0).values) {
        auto [entry, added] = ranges.emplace(point.instanceIndex, std::make_pair(point.value, point.value));
        entry->second = {std::min(entry->second.first, point.value), std::max(entry->second.second, point.value)};
    }
    // Bytes read with a decimal prefix, percent as a share; three significant digits.
    const std::map<std::wstring, std::wregex> shapes = {
        {L"bytes", std::wregex(LR"(([0-9.]+) (B|kB|MB|GB))")}, {L"percent", std::wregex(LR"(([0-9.]+)%)")}};
    const std::map<std::wstring, double> prefix = {{L"B", 1}, {L"kB", 1e3}, {L"MB", 1e6}, {L"GB", 1e9}};
    for (int row = 0; row < rows.getRowCount(); ++row) {
        const int dataRow = rows.getDataRow(row);
        const auto& counter = names.instances.at(static_cast<std::size_t>(dataRow));
        const std::wstring name = std::get<std::wstring>(counter.at(0));
        const std::wstring unit = std::get<std::wstring>(counter.at(1));
        EXPECT_EQ(rows.getRowName(row), name);
        const wxRect lane = rows.getRowGraphRect(row);
        const wxString text = hover(*counters, {lane.x + lane.width / 2, lane.y + lane.height / 2});
        const wxString head = "Counters\n" + wxString(name) + ": ";
        ASSERT_TRUE(text.StartsWith(head)) << text;
        const std::wstring value = text.Mid(head.length()).ToStdWstring();
        std::wsmatch match;
        ASSERT_TRUE(std::regex_match(value, match, shapes.at(unit))) << text;
        double read = std::stod(match[1].str());
        if (unit == L"bytes")
            read *= prefix.at(match[2].str());
        EXPECT_GE(read, ranges[dataRow].first * 0.99) << text;
        EXPECT_LE(read, ranges[dataRow].second * 1.01) << text;
    }
}

TEST_F(TooltipWindow, AMarkersTooltipGivesItsTimeCategoryAndArguments)
{
    auto* markers = layerNamed<velmora_1_0::EventMarkerLayer>("Markers");
    ASSERT_NE(markers, nullptr);
    ASSERT_EQ(dynamic_cast<velmora_1_0::GlobalEventMarkerLayer*>(markers), nullptr);
    // The markers sit at the top of their rows: walk the first row until one is under the pointer.
    const wxRect row = markers->m_parent->getRowGraphRect(0);
    wxString text;
    for (int x = row.x; x < row.x + row.width && !text.StartsWith("Markers\n"); ++x)
        text = hover(*markers, {x, row.y + 5});
    ASSERT_TRUE(text.StartsWith("Markers\n")) << "no marker in the first row";
    // The first entry is the marker on top; further entries follow after a blank line.
    const wxString entry = text.Left(text.Find("\n\n") == wxNOT_FOUND ? text.length() : text.Find("\n\n"));
    std::wsmatch match;
    const std::wstring lines = entry.ToStdWstring();
    ASSERT_TRUE(std::regex_search(lines, match, std::wregex(LR"(^Markers\n[0-9.]+ (ns|µs|ms|s)\nMarker: (\w+)\n)")))
        << entry;
    const std::wstring name = match[2].str();
    const store::AttributeTableRecord& names = attributes(L"marker");
    bool found = false;
    for (const auto& marker : names.instances) {
        if (std::get<std::wstring>(marker.at(0)) != name)
            continue;
        found = true;
        std::wstring expected = L"\nCategory: " + std::get<std::wstring>(marker.at(1));
        // One value on the label's line, several as a list under it; none, no line.
        const auto field = [&expected](const wchar_t* label, const std::wstring& value) {
            if (value.find(L'\n') != std::wstring::npos)
                expected += L"\n" + std::wstring(label) + L":\n    " +
                            std::regex_replace(value, std::wregex(L"\n"), L"\n    ");
            else if (!value.empty())
                expected += L"\n" + std::wstring(label) + L": " + value;
        };
        field(L"Stack", std::get<std::wstring>(marker.at(3)));
        field(L"Arguments", std::get<std::wstring>(marker.at(2)));
        EXPECT_TRUE(lines.size() >= expected.size() &&
                    lines.compare(lines.size() - expected.size(), expected.size(), expected) == 0)
            << entry << "\nexpected to end with" << wxString(expected);
    }
    EXPECT_TRUE(found) << name;
}

TEST_F(TooltipWindow, AGlobalTasksTooltipGivesItsNameAndItsLengthInAUnit)
{
    auto* tasks = layerNamed<velmora_1_0::GlobalEventMarkerLayer>("Global tasks");
    ASSERT_NE(tasks, nullptr);
    // Walk the strip until a task is under the pointer; events on top of it come first.
    const wxRect strip = tasks->m_parent->getRowGraphRect(0);
    wxString text;
    wxString seen; // the last tooltip of anything, to tell what the strip showed instead
    int at = wxNOT_FOUND;
    for (int y = strip.y; y < strip.GetBottom() && at == wxNOT_FOUND; y += 3)
        for (int x = strip.x; x < strip.GetRight() && at == wxNOT_FOUND; x += 2) {
            text = hover(*tasks, {x, y});
            seen = text.empty() ? seen : text;
            at = text.Find("Global tasks\n");
        }
    ASSERT_NE(at, wxNOT_FOUND) << "no global task on the ruler; last tooltip: " << seen;
    const wxString rest = text.Mid(static_cast<std::size_t>(at));
    const wxString entry = rest.Left(rest.Find("\n\n") == wxNOT_FOUND ? rest.length() : rest.Find("\n\n"));
    const std::wstring lines = entry.ToStdWstring();
    std::wsmatch match;
    EXPECT_TRUE(std::regex_search(lines, std::wregex(LR"(\nDuration: [0-9.]+ (ns|µs|ms|s)(\n|$))"))) << entry;
    ASSERT_TRUE(std::regex_search(lines, match, std::wregex(LR"(\nName: (\w+)(\n|$))"))) << entry;
    bool known = false;
    for (const auto& task : attributes(L"global_task").instances)
        known = known || std::get<std::wstring>(task.at(0)) == match[1].str();
    EXPECT_TRUE(known) << entry;
}

} // namespace
