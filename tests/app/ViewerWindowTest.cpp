// The viewer's window driven as a user drives it: keys on the graph, a drag on the ruler, the
// ruler's and the header's menus, the host's filters. After each move the test waits until
// everything has loaded, then reads the window's pixels back: what is in view must be drawn.
#include "PaneScreenshot.h"
#include "ViewerProgram.h"
#include "ViewerFrame.h"
#include "ViewerSession.h"
#include "WxTestMain.h"

#include "layers/EventMarkerLayer.h"
#include "layers/GlobalEventMarkerLayer.h"
#include "pane/PaneContextMenu.h"
#include "pane/SarvikEventCallback.h"
#include "pane/TimelinePane.h"

#include <dd_sarvik_2_2/store/GeneratorOptions.h>
#include <dd_sarvik_2_2/store/ResultGenerator.h>
#include <tarquel_1_0/Colors.h>
#include <tarquel_1_0/Directory.h>
#include <tarquel_1_0/GraphLayerParent.h>
#include <tarquel_1_0/HeaderCtrl.h>
#include <tarquel_1_0/Ruler.h>
#include <tarquel_1_0/Timeline.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <wx/menu.h>
#include <wx/settings.h>
#include <wx/statusbr.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <unistd.h>

namespace viewer_test {
namespace {

namespace fs = std::filesystem;
using velmora_1_0::PaneContextMenu;
using velmora_viewer::ViewerFrame;

constexpr int kLoadTimeoutMs = 60000;
// The colour of time a time filter excludes.
const wxColour kExcluded(214, 214, 214);

class ViewerWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_result = fs::temp_directory_path() / ("velmora_window_result_" + std::to_string(::getpid()));
        fs::remove_all(s_result);
        dd_sarvik_2_2::store::GeneratorOptions options;
        // More threads than a window shows, each with markers all along.
        options.threads = 60;
        options.processes = 4;
        options.samples = 30000;
        options.markers = 6000;
        options.transitions = 300;
        options.globalMarkers = 60;
        options.counterValues = 100;
        dd_sarvik_2_2::store::ResultGenerator(options).writeTo(s_result);
    }

    static void TearDownTestSuite() { fs::remove_all(s_result); }

    void SetUp() override
    {
        auto session = std::make_unique<velmora_viewer::ViewerSession>();
        std::string error;
        ASSERT_TRUE(session->open(s_result, "default", error)) << error;
        m_frame = new ViewerFrame(std::move(session), wxSize(1200, 800));
        m_frame->Show();
        m_frame->start();
        // Menus are answered by the test: it records them and then chooses a command.
        m_frame->pane().getEventCallback()->setMenuPresenter([this](wxWindow&, wxMenu&) { ++m_menus; });
        ASSERT_TRUE(settled());
    }

    void TearDown() override
    {
        m_frame->Destroy();
        chart_test::pumpPending();
    }

    bool settled()
    {
        return chart_test::pumpUntil([this] { return m_frame->isComplete(); }, kLoadTimeoutMs);
    }

    tarquel_1_0::Timeline& timeline() { return m_frame->timeline(); }
    tarquel_1_0::GraphLayerParent& graph(int paneIndex) { return *timeline().getGraph(paneIndex); }
    velmora_1_0::SarvikEventCallback& callback() { return *m_frame->pane().getEventCallback(); }

    // The first area's instant markers.
    tarquel_1_0::GraphLayer* markerLayer()
    {
        for (tarquel_1_0::GraphLayer* layer : timeline().getDirectory().getLayers())
            if (dynamic_cast<velmora_1_0::EventMarkerLayer*>(layer) &&
                !dynamic_cast<velmora_1_0::GlobalEventMarkerLayer*>(layer))
                return layer;
        return nullptr;
    }

    wxColour markerColour()
    {
        tarquel_1_0::GraphLayer* layer = markerLayer();
        EXPECT_NE(layer, nullptr) << "no marker layer";
        return layer ? layer->getColor() : wxColour();
    }

    void key(int keyCode)
    {
        wxWindow* window = graph(0).getWindow();
        wxKeyEvent event(wxEVT_KEY_DOWN);
        event.SetEventObject(window);
        event.m_keyCode = keyCode;
        window->GetEventHandler()->ProcessEvent(event);
    }

    void mouse(wxWindow* window, wxEventType type, int x, int y, bool leftDown)
    {
        wxMouseEvent event(type);
        event.SetEventObject(window);
        event.SetPosition(wxPoint(x, y));
        event.m_leftDown = leftDown;
        window->GetEventHandler()->ProcessEvent(event);
    }

    // Data rows in view in the first area.
    std::vector<int> rowsInView()
    {
        int first = -1;
        int last = -1;
        graph(0).getVisibleRowRange(first, last);
        std::vector<int> rows;
        for (int display = first; display != -1 && display <= last; ++display)
            rows.push_back(graph(0).getDataRow(display));
        return rows;
    }

    // Rows in view of the first area without a single pixel of `colour`.
    std::vector<int> rowsWithout(const wxColour& colour)
    {
        const pane_test::PaneScreenshot shot(m_frame->pane());
        std::vector<int> missing;
        for (int row : rowsInView()) {
            wxRect rect = shot.rowRect(0, row);
            // The last row may be cut by the window's bottom.
            rect.Intersect(shot.graphRect(0));
            if (rect.height > 10 && shot.count(rect, colour) == 0)
                missing.push_back(row);
        }
        return missing;
    }

    static fs::path s_result;
    ViewerFrame* m_frame = nullptr; // destroyed by wx
    int m_menus = 0;
};

fs::path ViewerWindow::s_result;

TEST_F(ViewerWindow, RowsScrolledIntoViewShowTheirMarkers)
{
    const std::vector<int> before = rowsInView();
    ASSERT_THAT(rowsWithout(markerColour()), ::testing::IsEmpty()) << "before scrolling";
    key(WXK_PAGEDOWN);
    ASSERT_TRUE(settled());
    ASSERT_NE(rowsInView(), before) << "Page Down did not scroll";
    EXPECT_THAT(rowsWithout(markerColour()), ::testing::IsEmpty());
}

TEST_F(ViewerWindow, RowsBackFromAFilterShowTheirMarkers)
{
    // Keep two rows below the first ones, so the rows in view after "remove" are rows that came back.
    tarquel_1_0::HeaderCtrl& header = *timeline().getHeader(0);
    header.selectRow(2, false);
    header.selectRow(3, true);
    callback().headerContextMenu(&header);
    callback().headerMenuCommand(&header, PaneContextMenu::FILTER_IN_BY_SELECTION);
    ASSERT_TRUE(chart_test::pumpUntil(
        [this] { return rowsInView() == std::vector<int>{2, 3} && m_frame->isComplete(); }, kLoadTimeoutMs));

    callback().headerContextMenu(&header);
    callback().headerMenuCommand(&header, PaneContextMenu::HEADER_REMOVE_ALL_FILTERS);
    ASSERT_TRUE(chart_test::pumpUntil([this] { return rowsInView().front() == 0 && m_frame->isComplete(); },
                                      kLoadTimeoutMs));
    EXPECT_THAT(rowsWithout(markerColour()), ::testing::IsEmpty());
}

TEST_F(ViewerWindow, KeysGoToTheGraphAtLaunchAndAClickedMarkerStaysHighlighted)
{
    EXPECT_EQ(wxWindow::FindFocus(), graph(0).getWindow());

    // Find a marker on the first row in the picture, point at it and click.
    const wxColour fill = markerColour();
    wxPoint at(-1, -1);
    {
        const pane_test::PaneScreenshot shot(m_frame->pane());
        const wxRect row = shot.rowRect(0, rowsInView().front());
        for (int x = row.x; x < row.GetRight() && at.x < 0; ++x)
            for (int y = row.y; y < row.GetBottom() && at.x < 0; ++y)
                if (shot.count(wxRect(x, y, 1, 1), fill) == 1)
                    at = wxPoint(x, y) - shot.graphRect(0).GetPosition();
    }
    ASSERT_GE(at.x, 0) << "no marker on the first row";
    wxWindow* window = graph(0).getWindow();
    mouse(window, wxEVT_MOTION, at.x, at.y, false);
    mouse(window, wxEVT_LEFT_DOWN, at.x, at.y, true);
    mouse(window, wxEVT_LEFT_UP, at.x, at.y, false);
    mouse(window, wxEVT_LEAVE_WINDOW, -1, -1, false);
    ASSERT_TRUE(settled());
    const pane_test::PaneScreenshot shot(m_frame->pane());
    EXPECT_GT(shot.count(shot.graphRect(0), tarquel_1_0::getHittestColor()), 0)
        << "the selected marker is not drawn as selected";
}

TEST_F(ViewerWindow, ColoursChangedFromTheLegendSurviveAViewpointSwitch)
{
    // What the legend's colour command leaves on the layer.
    const wxColour chosen(12, 34, 156);
    markerLayer()->setColor(chosen);
    const int id = m_frame->GetMenuBar()->FindMenuItem("Viewpoint", "threads");
    ASSERT_NE(id, wxNOT_FOUND);
    ViewerFrame* const old = m_frame;
    wxCommandEvent pick(wxEVT_MENU, id);
    old->GetEventHandler()->ProcessEvent(pick);

    // A new window replaces this one once the result is open again.
    ViewerFrame* next = nullptr;
    ASSERT_TRUE(chart_test::pumpUntil([&] {
        for (wxWindow* window : wxTopLevelWindows)
            if (auto* frame = dynamic_cast<ViewerFrame*>(window); frame && frame != old)
                next = frame;
        return next != nullptr;
    }, kLoadTimeoutMs)) << "no window for the other viewpoint";
    m_frame = next;
    const auto oldIsGone = [old] {
        return std::none_of(wxTopLevelWindows.begin(), wxTopLevelWindows.end(),
                            [old](wxWindow* window) { return window == old; });
    };
    ASSERT_TRUE(chart_test::pumpUntil([&] { return oldIsGone() && m_frame->isComplete(); }, kLoadTimeoutMs));
    EXPECT_EQ(markerColour(), chosen);
    EXPECT_THAT(rowsWithout(chosen), ::testing::IsEmpty()) << "the markers are not drawn in the chosen colour";
}

TEST_F(ViewerWindow, UpdateHighlightingBringsBackWhatTheSelectionSelects)
{
    // Rows 2 and 3 selected in the header write the selection; a selection made elsewhere then
    // clears the timeline's own (as the host reports it).
    tarquel_1_0::HeaderCtrl& header = *timeline().getHeader(0);
    header.selectRow(2, false);
    header.selectRow(3, true);
    callback().rowsSelected(&graph(0), {2, 3});
    chart_test::pumpPending();
    m_frame->pane().selectionChanged();
    ASSERT_FALSE(header.hasSelection());

    const int menusBefore = m_menus;
    callback().rulerContextMenu(&timeline());
    ASSERT_GT(m_menus, menusBefore);
    callback().rulerMenuCommand(&timeline(), PaneContextMenu::UPDATE_HIGHLIGHTING);
    ASSERT_TRUE(chart_test::pumpUntil([&] { return header.hasSelection(); }, kLoadTimeoutMs));
    EXPECT_EQ(header.getSelectedRows(true), (std::vector<int>{2, 3}));
    ASSERT_TRUE(settled());
    {
        // The header paints the two rows in the selection colour, and only them.
        const pane_test::PaneScreenshot shot(m_frame->pane());
        const wxColour selected = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT);
        const auto headerOf = [&](int row) {
            const wxRect rect = shot.rowRect(0, row);
            return wxRect(shot.graphRect(0).x - 150, rect.y + 2, 140, 16);
        };
        EXPECT_GT(shot.count(headerOf(2), selected), 0);
        EXPECT_GT(shot.count(headerOf(3), selected), 0);
        EXPECT_EQ(shot.count(headerOf(rowsInView().front()), selected), 0);
    }

    // A time range selected on the ruler comes back after a zoom cleared it, drawn through the
    // areas.
    tarquel_1_0::Ruler& ruler = *timeline().getRuler();
    const wxULongLong start = ruler.getEnd() / 4;
    const wxULongLong end = ruler.getEnd() / 2;
    ruler.setSelection(start, end, true);
    callback().rulerRangeSelected(&timeline());
    ruler.setSelection(0, 0, true);
    ASSERT_FALSE(ruler.hasRulerSelection());
    callback().rulerMenuCommand(&timeline(), PaneContextMenu::UPDATE_HIGHLIGHTING);
    ASSERT_TRUE(chart_test::pumpUntil([&] { return ruler.hasRulerSelection(); }, kLoadTimeoutMs));
    // Ticks and nanoseconds round differently by at most a tick.
    EXPECT_NEAR(static_cast<double>(ruler.getSelectionStart().GetValue()), static_cast<double>(start.GetValue()), 2.0);
    EXPECT_NEAR(static_cast<double>(ruler.getSelectionEnd().GetValue()), static_cast<double>(end.GetValue()), 2.0);
    ASSERT_TRUE(settled());
    const pane_test::PaneScreenshot shot(m_frame->pane());
    const wxRect rows = shot.graphRect(0);
    const wxColour edge(70, 120, 200); // the colour of the selection's edges in the areas
    EXPECT_GE(shot.count(wxRect(shot.columnOf(0, start.GetValue()) - 1, rows.y, 3, rows.height), edge),
              rows.height / 2);
}

TEST_F(ViewerWindow, SortByNamePutsNumberedRowsInTheirNumbersOrder)
{
    tarquel_1_0::HeaderCtrl& header = *timeline().getHeader(0);
    callback().headerContextMenu(&header);
    callback().headerMenuCommand(&header, PaneContextMenu::SORT_LABEL_ASCENDING);
    ASSERT_TRUE(settled());
    // Names alike up to their first number ("worker-9 ...", "worker-10 ...") follow its value.
    struct Numbered {
        wxString prefix;
        unsigned long number;
        int display;
    };
    std::vector<Numbered> numbered;
    for (int display = 0; display < graph(0).getRowCount(); ++display) {
        const wxString name = graph(0).getRowName(display);
        std::size_t first = 0;
        while (first < name.length() && !wxIsdigit(name[first]))
            ++first;
        std::size_t end = first;
        while (end < name.length() && wxIsdigit(name[end]))
            ++end;
        unsigned long number = 0;
        if (end > first && name.Mid(first, end - first).ToULong(&number))
            numbered.push_back({name.Left(first), number, display});
    }
    int compared = 0;
    for (const Numbered& a : numbered)
        for (const Numbered& b : numbered)
            if (a.prefix == b.prefix && a.number < b.number) {
                EXPECT_LT(a.display, b.display) << a.prefix << a.number << " after " << b.prefix << b.number;
                ++compared;
            }
    EXPECT_GT(compared, 0) << "no rows named with numbers";
}

TEST_F(ViewerWindow, ASavedViewpointReopensWithTheChosenColoursAndRowOrder)
{
    const fs::path file = fs::temp_directory_path() / ("velmora_saved_viewpoint_" + std::to_string(::getpid()) + ".xml");
    // A folder that does not exist: the user is told, nothing is written.
    const fs::path unwritable = fs::temp_directory_path() / "velmora_no_such_folder" / "saved.xml";
    const wxString error = m_frame->saveViewpoint(unwritable);
    EXPECT_TRUE(error.StartsWith("Cannot write the viewpoint to")) << error;
    EXPECT_EQ(m_frame->GetStatusBar()->GetStatusText(), error);

    const wxColour chosen(12, 34, 156);
    markerLayer()->setColor(chosen);
    tarquel_1_0::HeaderCtrl& header = *timeline().getHeader(0);
    callback().headerContextMenu(&header);
    callback().headerMenuCommand(&header, PaneContextMenu::SORT_LABEL_DESCENDING);
    std::vector<wxString> names;
    for (int row = 0; row < 5; ++row)
        names.push_back(graph(0).getRowName(row));
    ASSERT_EQ(m_frame->saveViewpoint(file), wxString());
    EXPECT_TRUE(m_frame->GetStatusBar()->GetStatusText().StartsWith("Viewpoint saved to")) << m_frame->GetStatusBar()->GetStatusText();

    // The viewer opens the file as it opens any viewpoint file, once this window is gone.
    ViewerFrame* const old = m_frame;
    old->Destroy();
    ASSERT_TRUE(chart_test::pumpUntil([old] {
        return std::none_of(wxTopLevelWindows.begin(), wxTopLevelWindows.end(),
                            [old](wxWindow* window) { return window == old; });
    }));
    auto session = std::make_unique<velmora_viewer::ViewerSession>();
    std::string opened;
    ASSERT_TRUE(session->open(s_result, file.string(), opened)) << opened;
    m_frame = new ViewerFrame(std::move(session), wxSize(1200, 800));
    m_frame->Show();
    m_frame->start();
    ASSERT_TRUE(settled());
    EXPECT_EQ(markerColour(), chosen);
    EXPECT_THAT(rowsWithout(chosen), ::testing::IsEmpty()) << "the markers are not drawn in the chosen colour";
    EXPECT_EQ(timeline().getHeader(0)->getSortOrder(), tarquel_1_0::DataProvider::SORT_LABEL_DESCENDING);
    for (int row = 0; row < 5; ++row)
        EXPECT_EQ(graph(0).getRowName(row), names[static_cast<std::size_t>(row)]) << "row " << row;

    // Lint finds nothing to complain about in it.
    const viewer_test::ProgramRun lint =
        viewer_test::runViewer("lint '" + s_result.string() + "' --viewpoint '" + file.string() + "'");
    EXPECT_EQ(lint.exitCode, 0) << lint.output;
    EXPECT_EQ(lint.output.find("Timeline:"), std::string::npos) << lint.output;
    fs::remove(file);
}

// A time filter leaves nothing of any layer in the time it excludes, on the rows, the counters
// and the ruler's strip, and keeps the data in the time it keeps.
class TimeFilter : public ViewerWindow, public ::testing::WithParamInterface<int> {};

TEST_P(TimeFilter, MasksEveryLayerInExcludedTime)
{
    // Drag over the second fifth of the ruler, then choose the command from the menu shown.
    wxWindow* ruler = graph(-1).getWindow();
    const int width = ruler->GetClientSize().x;
    const int y = 5; // on the time axis, above the global layers' strip
    const int menusBefore = m_menus;
    mouse(ruler, wxEVT_LEFT_DOWN, width / 5, y, true);
    mouse(ruler, wxEVT_MOTION, 2 * width / 5, y, true);
    mouse(ruler, wxEVT_LEFT_UP, 2 * width / 5, y, false);
    ASSERT_GT(m_menus, menusBefore) << "the drag showed no menu";
    const tarquel_1_0::Ruler& scale = *timeline().getRuler();
    ASSERT_TRUE(scale.hasRulerSelection());
    const std::uint64_t start = scale.getSelectionStart().GetValue();
    const std::uint64_t end = scale.getSelectionEnd().GetValue();
    callback().rulerMenuCommand(&timeline(), GetParam());
    ASSERT_TRUE(chart_test::pumpUntil(
        [this] { return timeline().getTimeMask().isActive() && m_frame->isComplete(); }, kLoadTimeoutMs));

    const pane_test::PaneScreenshot shot(m_frame->pane());
    const bool keepsSelection = GetParam() != PaneContextMenu::FILTER_OUT_BY_TIME;
    for (int paneIndex : {-1, 0, 1}) {
        const wxRect graphRect = paneIndex == -1 ? shot.rowRect(-1, 0) : shot.graphRect(paneIndex);
        // A column or two at the edges may hold both kinds of time.
        const int left = shot.columnOf(paneIndex, start);
        const int right = shot.columnOf(paneIndex, end);
        const wxRect excluded = keepsSelection
                                    ? wxRect(graphRect.x, graphRect.y, left - 2 - graphRect.x, graphRect.height)
                                    : wxRect(left + 2, graphRect.y, right - left - 4, graphRect.height);
        const wxRect kept = keepsSelection
                                ? wxRect(left + 2, graphRect.y, right - left - 4, graphRect.height)
                                : wxRect(graphRect.x, graphRect.y, left - 2 - graphRect.x, graphRect.height);
        EXPECT_EQ(shot.count(excluded, kExcluded), excluded.width * excluded.height)
            << "pane " << paneIndex << ": something is drawn in excluded time";
        EXPECT_EQ(shot.count(kept, kExcluded), 0) << "pane " << paneIndex << ": kept time is masked";
    }
    // The kept time still shows the markers.
    const wxRect rows = shot.graphRect(0);
    const int left = shot.columnOf(0, start);
    const int right = shot.columnOf(0, end);
    const wxRect kept = keepsSelection ? wxRect(left + 2, rows.y, right - left - 4, rows.height)
                                       : wxRect(rows.x, rows.y, left - 2 - rows.x, rows.height);
    EXPECT_GT(shot.count(kept, markerColour()), 0);
}

INSTANTIATE_TEST_SUITE_P(ViewerWindow, TimeFilter,
                         ::testing::Values(PaneContextMenu::FILTER_SELECTION, PaneContextMenu::FILTER_OUT_BY_TIME),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::string(info.param == PaneContextMenu::FILTER_SELECTION ? "FilterBySelection"
                                                                                                : "FilterOutByTime");
                         });

} // namespace
} // namespace viewer_test
