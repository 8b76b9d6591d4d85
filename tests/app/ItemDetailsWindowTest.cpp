// The viewer's window in this process on a generated result, driven by synthesized mouse and key
// events: a click on a marker, a ruler event, an arrow, a state or a counter sample selects it
// and the details panel tells what the data holds about it (checked against the generator's
// records, not the viewer's reading of them); an arrow's ends lead to them; a search finds
// markers, marks them and walks to them; selections made in quick succession end with the last one shown,
// whatever the workers answer late.
#include "DetailsPanel.h"
#include "GeneratedWindow.h"
#include "PaneScreenshot.h"
#include "PickedItem.h"
#include "SearchBar.h"
#include "WxTestMain.h"

#include "layers/AttrOverTimeLayer.h"
#include "layers/EventMarkerLayer.h"
#include "layers/GlobalEventMarkerLayer.h"
#include "layers/TransitionLayer.h"

#include <tarquel_1_0/Colors.h>
#include <tarquel_1_0/HeaderCtrl.h>
#include <tarquel_1_0/QuantityText.h>
#include <tarquel_1_0/Ruler.h>
#include <tarquel_1_0/SMBDataLayer.h>

#include <algorithm>
#include <functional>

namespace {

using velmora_1_0::EventMarkerLayer;
using velmora_1_0::GlobalEventMarkerLayer;
using velmora_1_0::TransitionLayer;
using viewer_test::GeneratedWindow;

// Columns of the generator's tables.
constexpr int NAME = 0;
constexpr int CATEGORY = 1;
constexpr int PROCESS = 1;
constexpr int TID = 3;

class ItemDetails : public GeneratedWindow {
protected:
    // Moves the pointer down column `x` of `window` until `hit` holds; the point, or (-1, -1).
    wxPoint hoverDown(wxWindow* window, int x, int top, int bottom, const std::function<bool()>& hit)
    {
        for (int y = std::max(top, 0); y < bottom; ++y) {
            mouse(wxEVT_MOTION, {x, y}, window);
            if (hit())
                return {x, y};
        }
        return {-1, -1};
    }
    // A point of `graph` with nothing under it that a click could pick or select; (-1, -1) if none.
    wxPoint emptySpot(tarquel_1_0::GraphLayerParent& graph)
    {
        wxWindow* window = graph.getWindow();
        const wxSize size = window->GetClientSize();
        const tarquel_1_0::Directory& directory = m_frame->timeline().getDirectory();
        for (int y = size.y - 2; y > 0; y -= 3)
            for (const int x : {4, size.x / 2, size.x - 4}) {
                mouse(wxEVT_MOTION, {x, y}, window);
                bool selectable = velmora_viewer::PickedItem::at(m_frame->timeline(), graph, x, y).valid();
                for (tarquel_1_0::GraphLayer* layer : directory.getLayers())
                    selectable = selectable || (directory.findGraphOf(layer) == &graph && layer->canSelect());
                if (!selectable)
                    return {x, y};
            }
        return {-1, -1};
    }
    // The details once the click has been handled and the worker has answered.
    std::vector<wxString> settledLines()
    {
        chart_test::pumpPending();
        EXPECT_TRUE(chart_test::pumpUntil([this] { return !m_frame->details().isComputing(); }));
        return m_frame->details().lines();
    }
    static bool has(const std::vector<wxString>& lines, const wxString& line)
    {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    // The thread and process lines of a data row, from the records.
    static std::vector<wxString> threadLines(const wxString& label, const wxString& rowName, int row)
    {
        const int thread = s_records.lifetimes.at(static_cast<std::size_t>(row)).index;
        return {label + ": " + rowName + " (tid " + wxString(text(L"dd_thread", thread, TID)) + ")",
                "Process: " + wxString(text(L"dd_thread", thread, PROCESS))};
    }
    wxString rowName(int row) const { return m_layer->m_parent->getRowName(m_layer->m_parent->getDisplayRow(row)); }
    bool transitionHovered() const
    {
        auto* transitions = layerOf<TransitionLayer>();
        return transitions && transitions->canSelect();
    }
    // An object of a band table alone within `room` columns of its neighbours on its row.
    template <class Accept>
    const dd_sarvik_2_2::store::BandObjectRecord* isolated(const std::wstring& table, int room, Accept accept) const
    {
        const tarquel_1_0::Ruler& ruler = *m_layer->getRuler();
        const auto& objects = band(table).objects;
        for (const auto& object : objects) {
            const int x = ruler.xFromTime(nanoseconds(object.start), false);
            if (!accept(object) || x < room || x > ruler.getPixelWidth() - room)
                continue;
            const bool alone = std::none_of(objects.begin(), objects.end(), [&](const auto& other) {
                return &other != &object && other.row == object.row &&
                       std::abs(ruler.xFromTime(nanoseconds(other.start), false) - x) < room;
            });
            if (alone)
                return &object;
        }
        return nullptr;
    }
};

TEST_F(ItemDetails, AClickedMarkerShowsItsNameCategoryThreadAndProcessUntilEscape)
{
    EventMarkerLayer* markers = nullptr;
    for (tarquel_1_0::GraphLayer* layer : m_frame->timeline().getDirectory().getLayers())
        if (!markers && !dynamic_cast<GlobalEventMarkerLayer*>(layer))
            markers = dynamic_cast<EventMarkerLayer*>(layer);
    ASSERT_NE(markers, nullptr);
    const tarquel_1_0::Ruler& ruler = *m_layer->getRuler();
    wxPoint at(-1, -1);
    const dd_sarvik_2_2::store::BandObjectRecord* marker = nullptr;
    // A marker no arrow crosses where the pointer finds it.
    for (int room = 12; room >= 4 && at.x < 0; room -= 4) {
        marker = isolated(L"marker_instant", room, [](const auto&) { return true; });
        if (!marker)
            continue;
        const wxRect row = m_layer->m_parent->getRowRect(m_layer->m_parent->getDisplayRow(marker->row), true);
        at = hoverDown(graph(), ruler.xFromTime(nanoseconds(marker->start), false), row.y, row.GetBottom(),
                       [&] { return !markers->getHittestItems().empty() && !transitionHovered(); });
    }
    ASSERT_GE(at.x, 0);
    ASSERT_EQ(markers->getHittestItems().back().instanceIndex, marker->instanceIndex);

    click(at);
    EXPECT_TRUE(markers->hasSelection());
    const std::vector<wxString> lines = settledLines();
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[0], wxString(text(L"marker", marker->instanceIndex, NAME)));
    EXPECT_TRUE(has(lines, "Category: " + wxString(text(L"marker", marker->instanceIndex, CATEGORY))));
    for (const wxString& line : threadLines("Thread", rowName(marker->row), marker->row))
        EXPECT_TRUE(has(lines, line)) << line;
    EXPECT_TRUE(has(lines, "Start: " + tarquel_1_0::durationText(static_cast<double>(nanoseconds(marker->start)), 6)));

    key(m_frame, wxEVT_CHAR_HOOK, WXK_ESCAPE);
    EXPECT_FALSE(markers->hasSelection());
    EXPECT_TRUE(m_frame->details().lines().empty());

    // A click where nothing is clears as Escape does.
    click(at);
    ASSERT_FALSE(settledLines().empty());
    wxWindow* window = markers->m_parent->getWindow();
    const wxPoint empty = emptySpot(*markers->m_parent);
    ASSERT_GE(empty.x, 0) << "no empty space in the graph";
    click(empty, window);
    chart_test::pumpPending();
    EXPECT_FALSE(markers->hasSelection());
    EXPECT_TRUE(m_frame->details().lines().empty());
}

TEST_F(ItemDetails, AClickedRulerEventShowsItsNameAndNoThread)
{
    GlobalEventMarkerLayer* events = nullptr;
    for (tarquel_1_0::GraphLayer* layer : m_frame->timeline().getDirectory().getLayers())
        if (auto* global = dynamic_cast<GlobalEventMarkerLayer*>(layer); global && !events)
            events = global;
    ASSERT_NE(events, nullptr);
    wxWindow* ruler = m_frame->timeline().getGraph(-1)->getWindow();
    const auto* event = isolated(L"global_event", 12, [](const auto& object) { return object.end == object.start; });
    ASSERT_NE(event, nullptr);
    const wxPoint at = hoverDown(ruler, m_layer->getRuler()->xFromTime(nanoseconds(event->start), false), 0,
                                 ruler->GetClientSize().y, [&] { return !events->getHittestItems().empty(); });
    ASSERT_GE(at.x, 0);

    click(at, ruler);
    const std::vector<wxString> lines = settledLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], wxString(text(L"global_event", events->getHittestItems().back().instanceIndex, NAME)));
    EXPECT_TRUE(has(lines, "Thread: none (a global item, on the ruler)"));
}

TEST_F(ItemDetails, AClickedArrowShowsItsWaitAndItsEndsLeadToThem)
{
    TransitionLayer* transitions = layerOf<TransitionLayer>();
    ASSERT_NE(transitions, nullptr);
    const int height = graph()->GetClientSize().y;
    wxPoint at(-1, -1);
    for (int x = graph()->GetClientSize().x / 3; x < graph()->GetClientSize().x && at.x < 0; x += 37)
        at = hoverDown(graph(), x, 0, height, [&] { return transitionHovered(); });
    ASSERT_GE(at.x, 0);
    const TransitionLayer::Transition arrow = transitions->getHittestItem();
    // The arrow is a wait of its end's row, signalled from its start's row, as the records have it.
    const auto& waits = band(L"wait_state").objects;
    const auto wait = std::find_if(waits.begin(), waits.end(), [&](const auto& w) {
        return w.instanceIndex == arrow.instanceIndex && w.row == arrow.toRow && w.sourceRow == arrow.fromRow &&
               nanoseconds(w.end) == arrow.endTime;
    });
    ASSERT_NE(wait, waits.end());

    click(at);
    EXPECT_TRUE(transitions->hasSelection());
    const std::vector<wxString> lines = settledLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], wxString(text(L"dd_wait", wait->instanceIndex, NAME)));
    for (const wxString& line : threadLines("From", rowName(wait->sourceRow), wait->sourceRow))
        EXPECT_TRUE(has(lines, line)) << line;
    for (const wxString& line : threadLines("To", rowName(wait->row), wait->row))
        EXPECT_TRUE(has(lines, line)) << line;
    EXPECT_TRUE(has(lines, "Waited: " + tarquel_1_0::durationText(static_cast<double>(arrow.endTime - arrow.startTime))));

    // Following the start selects its row and brings its time to the middle of the view.
    const wxString startLine = "    at " + tarquel_1_0::durationText(static_cast<double>(arrow.startTime), 6);
    const auto start = std::find(lines.begin(), lines.end(), startLine);
    ASSERT_NE(start, lines.end());
    tarquel_1_0::Ruler& ruler = *m_layer->getRuler();
    const std::uint64_t all = ruler.getEnd().GetValue();
    ruler.setVisibleRange(all - all / 20, all, true); // zoomed in, away from the arrow's start
    m_frame->details().followLine(static_cast<int>(start - lines.begin()));
    const std::uint64_t width = ruler.getEnd().GetValue() - ruler.getStart().GetValue();
    EXPECT_LT(width, all / 19) << "the zoom stays";
    EXPECT_LE(ruler.getStart().GetValue(), arrow.startTime);
    EXPECT_GE(ruler.getEnd().GetValue(), arrow.startTime);
    const std::uint64_t middle = ruler.getStart().GetValue() + width / 2;
    if (arrow.startTime > width / 2) { // else the view stops at the start of the data
        EXPECT_LE(std::max(middle, arrow.startTime) - std::min(middle, arrow.startTime), width / 100);
    }
    EXPECT_TRUE(m_frame->timeline().getHeader(0)->isRowSelected(arrow.fromRow));
    EXPECT_FALSE(m_frame->timeline().getHeader(0)->isRowSelected(arrow.toRow));
}

TEST_F(ItemDetails, StatesAndCounterSamplesShowTheirSpanOnTheRuler)
{
    auto* states = layerOf<tarquel_1_0::SMBDataLayer>();
    auto* counters = layerOf<velmora_1_0::AttrOverTimeLayer>();
    ASSERT_NE(states, nullptr);
    ASSERT_NE(counters, nullptr);
    const tarquel_1_0::Ruler& ruler = *m_layer->getRuler();
    auto* markers = layerOf<EventMarkerLayer>();

    const wxRect row = m_layer->m_parent->getRowRect(0, true);
    wxPoint at(-1, -1);
    for (int x = 40; x < graph()->GetClientSize().x && at.x < 0; x += 23)
        at = hoverDown(graph(), x, row.y, row.GetBottom(), [&] {
            return states->getHitInterval() && !transitionHovered() && markers->getHittestItems().empty();
        });
    ASSERT_GE(at.x, 0);
    const tarquel_1_0::DataProvider::SMBInterval interval = *states->getHitInterval();
    click(at);
    std::vector<wxString> lines = settledLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], interval.value != 0 ? "Running" : "Waiting");
    EXPECT_TRUE(has(lines, "Start: " + tarquel_1_0::durationText(static_cast<double>(interval.start), 6)));
    EXPECT_EQ(ruler.getSelectionStart().GetValue(), interval.start);
    EXPECT_EQ(ruler.getSelectionEnd().GetValue(), std::max(interval.end, interval.start + 1));

    wxWindow* counterGraph = counters->m_parent->getWindow();
    const wxRect counterRow = counters->m_parent->getRowRect(0, true);
    at = hoverDown(counterGraph, counterGraph->GetClientSize().x / 2, counterRow.y, counterRow.GetBottom(),
                   [&] { return counters->getHitRow() != -1; });
    ASSERT_GE(at.x, 0);
    click(at, counterGraph);
    lines = settledLines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], counters->getLayerName());
    EXPECT_EQ(ruler.getSelectionStart(), ruler.timeFromX(at.x));

    key(m_frame, wxEVT_CHAR_HOOK, WXK_ESCAPE);
    EXPECT_FALSE(ruler.hasRulerSelection()) << "the span goes with the item";
}

TEST_F(ItemDetails, SearchWalksToAMarkerAndShowsIt)
{
    // A marker name no slice has, counted in the records.
    const auto& instants = band(L"marker_instant").objects;
    ASSERT_FALSE(instants.empty());
    const std::wstring name = text(L"marker", instants.front().instanceIndex, NAME);
    int expected = 0;
    for (const wchar_t* table : {L"marker_instant", L"marker_duration"})
        for (const auto& object : band(table).objects)
            expected += (object.end > object.start || std::wstring(table) == L"marker_instant") &&
                                text(L"marker", object.instanceIndex, NAME).find(name) != std::wstring::npos
                            ? 1
                            : 0;

    key(m_frame, wxEVT_CHAR_HOOK, 'F', wxMOD_CONTROL);
    velmora_viewer::SearchBar& search = m_frame->search();
    search.search(name);
    ASSERT_TRUE(chart_test::pumpUntil([&] { return !search.isSearching(); }));
    EXPECT_EQ(search.matchCount(), expected);
    const std::vector<velmora_viewer::SearchBar::Match> matches = search.matches();
    const auto marker = std::find_if(matches.begin(), matches.end(), [](const auto& m) { return m.markers; });
    ASSERT_NE(marker, matches.end());
    // Marked where it is drawn, in the colour of a hovered marker; unmarked when the search closes.
    const auto highlight = [&] {
        const pane_test::PaneScreenshot shot(m_frame->pane());
        const wxRect row = shot.rowRect(0, marker->row);
        const int x = shot.columnOf(0, marker->startTime);
        return shot.count(wxRect(x - 8, row.y, 17, row.height), tarquel_1_0::getHittestColor());
    };
    EXPECT_GT(highlight(), 0);
    search.close();
    EXPECT_EQ(highlight(), 0);
    search.open();
    search.search(name);
    ASSERT_TRUE(chart_test::pumpUntil([&] { return !search.isSearching(); }));

    for (auto it = matches.begin(); it <= marker; ++it)
        key(search.field(), wxEVT_KEY_DOWN, WXK_RETURN);
    EXPECT_TRUE(marker->markers->hasSelection());
    const tarquel_1_0::Ruler& ruler = *m_layer->getRuler();
    EXPECT_LE(ruler.getStart().GetValue(), marker->startTime);
    EXPECT_GE(ruler.getEnd().GetValue(), marker->startTime);
    const std::vector<wxString> lines = settledLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], wxString(text(L"marker", marker->instance, NAME)));
}

// Each new selection cancels the work of the one before; answers that were on their way must
// not show over it, and closing the window with work running must not crash or leak.
TEST_F(ItemDetails, SelectionsInQuickSuccessionEndWithTheLastOne)
{
    velmora_viewer::SearchBar& search = m_frame->search();
    velmora_viewer::DetailsPanel& details = m_frame->details();
    tarquel_1_0::Ruler& ruler = *m_layer->getRuler();
    for (int round = 0; round < 20; ++round) {
        search.search(round % 2 ? "a" : "e");
        ruler.setSelection(1000u * static_cast<unsigned>(round), ruler.getEnd().GetValue() / 2, true);
        chart_test::pumpPending();
    }
    // Last: a range, then at once a slice whose details replace the range's statistics.
    ruler.setSelection(0, ruler.getEnd().GetValue(), true);
    ASSERT_TRUE(details.isComputing());
    const velmora_1_0::SliceRow& row = *m_layer->getRow(0);
    m_layer->select({0, 0, 1});
    ASSERT_TRUE(chart_test::pumpUntil([&] { return !search.isSearching() && !details.isComputing(); }));
    chart_test::pumpPending();
    const std::vector<wxString> lines = details.lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], wxString(row.name(row.slices().front())));

    // Work under way when the window goes.
    search.search("i");
    ruler.setSelection(0, ruler.getEnd().GetValue(), true);
}

} // namespace
