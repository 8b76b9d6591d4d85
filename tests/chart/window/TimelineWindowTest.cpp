#include "TimelineFixture.h"

#include "../support/ShownTooltip.h"
#include "../support/WxTestMain.h"

#include <brannow2/CollectingMessenger.h>
#include <tarquel_1_0/GraphLayerParent.h>
#include <tarquel_1_0/HeaderCtrl.h>
#include <tarquel_1_0/Legend.h>
#include <tarquel_1_0/MessageCatalog.h>
#include <tarquel_1_0/ProviderNotice.h>
#include <tarquel_1_0/LegendCheckBox.h>
#include <tarquel_1_0/Ruler.h>

#include <wx/menu.h>

using namespace tarquel_1_0;

namespace chart_test {

namespace {
wxColour pixel(const wxImage& image, const wxPoint& at)
{
    return wxColour(image.GetRed(at.x, at.y), image.GetGreen(at.x, at.y), image.GetBlue(at.x, at.y));
}

wxPoint centre(const wxRect& rect)
{
    return wxPoint(rect.x + rect.width / 2, rect.y + rect.height / 2);
}
} // namespace

TEST_F(TimelineFixture, ScreenshotShowsEveryAreaTheRulerAndTheLegend)
{
    // Each area draws its line in every row, in the layer's colour, between a quarter and three
    // quarters of the data; outside the line the row background shows.
    for (int area = 0; area < 2; ++area) {
        const wxImage shot = grab(graphWindow(area));
        GraphLayerParent& graph = *m_timeline->getGraph(area);
        for (int row = 0; row < graph.getRowCount(); ++row) {
            const wxRect line = m_lines[area]->lineRect(row);
            EXPECT_EQ(pixel(shot, centre(line)), m_lines[area]->getColor()) << "area " << area << " row " << row;
            EXPECT_EQ(pixel(shot, wxPoint(line.x - 5, line.y + 1)), pixel(shot, wxPoint(2, line.y + 1)));
            EXPECT_NE(pixel(shot, wxPoint(line.x - 5, line.y + 1)), m_lines[area]->getColor());
        }
        // Below the last row nothing is drawn (an area that fits its rows has no room below).
        const wxRect last = graph.getRowRect(graph.getRowCount() - 1, false);
        if (last.GetBottom() + 10 < shot.GetHeight())
            EXPECT_EQ(pixel(shot, wxPoint(shot.GetWidth() / 2, last.GetBottom() + 10)), wxColour(255, 255, 255));
        else
            EXPECT_EQ(last.GetBottom() + 1, shot.GetHeight()) << "the area fits its rows exactly";
    }

    // The ruler's global layer draws in the strip at its bottom, aligned with the areas.
    const wxImage ruler = grab(graphWindow(-1));
    const wxRect rulerLine = m_rulerLine->lineRect(0);
    EXPECT_EQ(pixel(ruler, centre(rulerLine)), m_rulerLine->getColor());
    EXPECT_GT(rulerLine.y, ruler.GetHeight() / 2);
    EXPECT_EQ(graphWindow(-1)->GetScreenPosition().x, graphWindow(0)->GetScreenPosition().x);
    EXPECT_EQ(graphWindow(-1)->GetClientSize().x, graphWindow(1)->GetClientSize().x);

    // The legend has one check box per layer, in the order the layers were added, with the
    // layer's colour as its icon.
    const std::vector<LegendItem*>& items = m_timeline->getLegend()->getItems();
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0]->getLabel(), "Lines 0");
    EXPECT_EQ(items[1]->getLabel(), "Lines 1");
    EXPECT_EQ(items[2]->getLabel(), "Global");
    const wxImage legendItem = grab(items[1]);
    EXPECT_EQ(pixel(legendItem, wxPoint(13 + 4 + 8, legendItem.GetHeight() / 2)), m_lines[1]->getColor());

    // Row names are in the header beside their rows.
    EXPECT_EQ(m_timeline->getGraph(1)->getRowName(2), "task 2");
}

TEST_F(TimelineFixture, LegendCheckBoxHidesItsLayerAndThePopupReachesTheLayer)
{
    auto* box = dynamic_cast<LegendCheckBox*>(m_timeline->getLegend()->getItems()[0]);
    ASSERT_NE(box, nullptr);
    const wxRect line = m_lines[0]->lineRect(0);
    box->toggle();
    EXPECT_FALSE(box->isChecked());
    EXPECT_FALSE(m_lines[0]->m_visible);
    EXPECT_NE(pixel(grab(graphWindow(0)), centre(line)), m_lines[0]->getColor());
    box->toggle();
    EXPECT_EQ(pixel(grab(graphWindow(0)), centre(line)), m_lines[0]->getColor());

    Legend& legend = *m_timeline->getLegend();
    wxMenu menu;
    ASSERT_TRUE(legend.buildPopup(box, menu));
    ASSERT_EQ(menu.GetMenuItemCount(), 2u);
    legend.handlePopupSelection(box, menu.FindItemByPosition(1)->GetId());
    EXPECT_EQ(m_lines[0]->m_popupChoices, std::vector<int>{1});
}

TEST_F(TimelineFixture, WheelZoomsAroundThePointerAndKeysZoomPanAndUndo)
{
    Ruler& ruler = *m_timeline->getRuler();
    wxWindow* graph = graphWindow(0);
    ASSERT_EQ(ruler.getStart(), 0u);
    ASSERT_EQ(ruler.getEnd(), kDuration);
    const int x = graph->GetClientSize().x / 4;
    const wxULongLong anchor = ruler.timeFromX(x);

    const int requestsBefore = m_lines[0]->m_requestsMade;
    mouse(graph, wxEVT_MOUSEWHEEL, x, 10, true);
    EXPECT_LT(ruler.getEnd() - ruler.getStart(), kDuration);
    // The time under the pointer stays under the pointer (within a column).
    EXPECT_NEAR(static_cast<double>(ruler.timeFromX(x).GetValue()), static_cast<double>(anchor.GetValue()),
                ruler.nsPerPixel() + 1);
    // Every layer asks again for the new range.
    EXPECT_GT(m_lines[0]->m_requestsMade, requestsBefore);
    EXPECT_GT(m_lines[1]->m_requestsMade, 1);
    ASSERT_TRUE(loaded());

    const wxULongLong zoomedStart = ruler.getStart();
    key(graph, WXK_RIGHT);
    EXPECT_GT(ruler.getStart(), zoomedStart);
    key(graph, WXK_BACK);
    EXPECT_EQ(ruler.getStart(), zoomedStart);
    key(graph, '-');
    key(graph, '-');
    key(graph, '-');
    EXPECT_EQ(ruler.getStart(), 0u);
    EXPECT_EQ(ruler.getEnd(), kDuration);
    key(graph, '+');
    EXPECT_TRUE(ruler.canZoomReset());
    key(graph, '0');
    EXPECT_EQ(ruler.getEnd() - ruler.getStart(), kDuration);
}

TEST_F(TimelineFixture, KeysAndSidewaysWheelsPanAndARunOfPansIsOneUndoStep)
{
    Ruler& ruler = *m_timeline->getRuler();
    wxWindow* graph = graphWindow(0);
    const int x = graph->GetClientSize().x / 4;
    // W zooms in around the mouse, S out again.
    mouse(graph, wxEVT_MOTION, x, 10);
    const wxULongLong anchor = ruler.timeFromX(x);
    key(graph, 'W');
    key(graph, 'W');
    EXPECT_LT(ruler.getEnd() - ruler.getStart(), kDuration);
    EXPECT_NEAR(static_cast<double>(ruler.timeFromX(x).GetValue()), static_cast<double>(anchor.GetValue()),
                ruler.nsPerPixel() + 1);
    const wxULongLong zoomedStart = ruler.getStart();
    const wxULongLong span = ruler.getEnd() - ruler.getStart();

    // D and A, Shift+wheel and the sideways wheel pan, keeping the span.
    key(graph, 'D');
    const wxULongLong afterD = ruler.getStart();
    EXPECT_GT(afterD, zoomedStart);
    mouse(graph, wxEVT_MOUSEWHEEL, x, 10, false, wxMOD_SHIFT);
    EXPECT_GT(ruler.getStart(), afterD);
    wxMouseEvent sideways(wxEVT_MOUSEWHEEL);
    sideways.SetEventObject(graph);
    sideways.SetPosition(wxPoint(x, 10));
    sideways.m_wheelAxis = wxMOUSE_WHEEL_HORIZONTAL;
    sideways.m_wheelRotation = -120;
    sideways.m_wheelDelta = 120;
    const wxULongLong beforeSideways = ruler.getStart();
    graph->GetEventHandler()->ProcessEvent(sideways);
    EXPECT_LT(ruler.getStart(), beforeSideways);
    key(graph, 'A');
    key(graph, WXK_END);
    EXPECT_EQ(ruler.getEnd(), kDuration);
    key(graph, WXK_HOME);
    EXPECT_EQ(ruler.getStart(), 0u);
    EXPECT_EQ(ruler.getEnd() - ruler.getStart(), span);

    // All those pans were one step: one undo returns to where they began, the next undoes a zoom.
    key(graph, WXK_BACK);
    EXPECT_EQ(ruler.getStart(), zoomedStart);
    key(graph, WXK_BACK);
    EXPECT_GT(ruler.getEnd() - ruler.getStart(), span);
    // Ctrl+wheel does not zoom.
    const wxULongLong before = ruler.getEnd() - ruler.getStart();
    mouse(graph, wxEVT_MOUSEWHEEL, x, 10, true, wxMOD_CONTROL);
    EXPECT_EQ(ruler.getEnd() - ruler.getStart(), before);
}

TEST_F(TimelineFixture, DragOnTheRulerSelectsARangeAndRightClickAsksForItsMenu)
{
    wxWindow* ruler = graphWindow(-1);
    Ruler& model = *m_timeline->getRuler();
    mouse(ruler, wxEVT_LEFT_DOWN, 100, 5, true);
    mouse(ruler, wxEVT_MOTION, 200, 5, true);
    mouse(ruler, wxEVT_MOTION, 300, 6, true);
    mouse(ruler, wxEVT_LEFT_UP, 300, 6);
    ASSERT_TRUE(model.hasRulerSelection());
    EXPECT_EQ(model.getSelectionStart(), model.timeFromX(100));
    EXPECT_EQ(model.getSelectionEnd(), model.timeFromX(300));
    EXPECT_EQ(m_globalCallback.m_calls, std::vector<std::string>{"rulerRangeSelected"});

    // A click without a drag clears the selection and tells nobody.
    mouse(ruler, wxEVT_LEFT_DOWN, 50, 5, true);
    mouse(ruler, wxEVT_LEFT_UP, 51, 5);
    EXPECT_FALSE(model.hasRulerSelection());

    mouse(ruler, wxEVT_RIGHT_DOWN, 40, 5);
    // Menu commands popped up on the timeline come back as ruler commands.
    wxCommandEvent command(wxEVT_MENU, 2801);
    m_timeline->GetEventHandler()->ProcessEvent(command);
    EXPECT_EQ(m_globalCallback.m_calls,
              (std::vector<std::string>{"rulerRangeSelected", "rulerContextMenu", "rulerMenuCommand 2801"}));
    EXPECT_TRUE(m_callbacks[0].m_calls.empty());
}

TEST_F(TimelineFixture, HeaderClicksSelectRowsAndItsMenuGoesToTheAreaCallback)
{
    HeaderCtrl& header = *m_timeline->getHeader(0);
    GraphLayerParent& graph = *m_timeline->getGraph(0);
    const auto rowY = [&](int display) { return centre(graph.getRowRect(display, true)).y; };

    mouse(&header, wxEVT_LEFT_DOWN, 10, rowY(1), true);
    mouse(&header, wxEVT_LEFT_DOWN, 10, rowY(3), true, wxMOD_CONTROL);
    EXPECT_EQ(header.getSelectedRows(true), (std::vector<int>{1, 3}));
    EXPECT_EQ(header.getSelectedRows(false), (std::vector<int>{0, 2, 4}));
    mouse(&header, wxEVT_LEFT_DOWN, 10, rowY(4), true, wxMOD_SHIFT);
    EXPECT_EQ(header.getSelectedRows(true), (std::vector<int>{3, 4}));
    EXPECT_EQ(m_callbacks[0].m_calls,
              (std::vector<std::string>{"rowsSelected 1", "rowsSelected 1,3", "rowsSelected 3,4"}));

    mouse(&header, wxEVT_RIGHT_DOWN, 10, rowY(0));
    wxCommandEvent command(wxEVT_MENU, 2702);
    header.GetEventHandler()->ProcessEvent(command);
    EXPECT_EQ(m_callbacks[0].m_calls.back(), "headerMenuCommand 2702");
    EXPECT_EQ(m_callbacks[0].m_calls[3], "headerContextMenu");
    EXPECT_TRUE(m_callbacks[1].m_calls.empty());
    EXPECT_TRUE(m_globalCallback.m_calls.empty());

    m_timeline->clearHeaderSelection(nullptr);
    EXPECT_FALSE(header.hasSelection());
}

TEST_F(TimelineFixture, HoverShowsTooltipLinesAndClicksSelectOrActivate)
{
    wxWindow* graph = graphWindow(1);
    const wxPoint onLine = centre(m_lines[1]->lineRect(2));
    mouse(graph, wxEVT_MOTION, onLine.x, onLine.y);
    EXPECT_EQ(m_lines[1]->m_hitRow, 2);
    EXPECT_EQ(shownTooltipText(graph), "Lines 1\ntask 2");

    mouse(graph, wxEVT_LEFT_DOWN, onLine.x, onLine.y, true);
    EXPECT_EQ(m_timeline->getSelectionLayer(), m_lines[1]);
    mouse(graph, wxEVT_LEFT_DCLICK, onLine.x, onLine.y, true);
    EXPECT_EQ(m_callbacks[1].m_calls, (std::vector<std::string>{"itemSelected Lines 1", "itemActivated Lines 1"}));

    // Off the line: no tooltip, and a click there clears the selection.
    mouse(graph, wxEVT_MOTION, 2, onLine.y);
    EXPECT_EQ(m_lines[1]->m_hitRow, -1);
    EXPECT_EQ(shownTooltip(graph), nullptr);
    mouse(graph, wxEVT_LEFT_DOWN, 2, onLine.y, true);
    EXPECT_EQ(m_timeline->getSelectionLayer(), nullptr);
    EXPECT_EQ(m_callbacks[1].m_calls.size(), 2u);
}

TEST_F(TimelineFixture, SortOrderAndFilterChangeTheRowsShown)
{
    HeaderCtrl& header = *m_timeline->getHeader(0);
    GraphLayerParent& graph = *m_timeline->getGraph(0);
    header.setSortOrder(DataProvider::SORT_LABEL_DESCENDING);
    EXPECT_EQ(header.getSortOrder(), DataProvider::SORT_LABEL_DESCENDING);
    EXPECT_EQ(graph.getDataRow(0), 4);
    EXPECT_EQ(graph.getDisplayRow(0), 4);
    EXPECT_EQ(graph.getRowName(0), "thread 4");

    // Only area 0 shows its filter band; its provider lets rows 1 and 3 through.
    m_timeline->enableFilterLayer(0);
    m_providers[0]->setFilteredRows({1, 3});
    m_providers[1]->setFilteredRows({0});
    m_timeline->filterChanged();
    ASSERT_TRUE(pumpUntil([&] { return graph.getDisplayRow(0) == -1; }));
    EXPECT_EQ(graph.getDataRow(0), 3);
    EXPECT_EQ(graph.getDataRow(1), 1);
    EXPECT_EQ(graph.getDataRow(2), -1);
    EXPECT_EQ(m_timeline->getGraph(1)->getDataRow(2), 2);
    EXPECT_EQ(m_callbacks[0].m_calls, std::vector<std::string>{"rowVisibilityChanged"});
    ASSERT_TRUE(loaded());

    // Rows that are filtered out are not drawn: the area shrinks to the two rows left, and the
    // height it frees goes to the other area.
    ASSERT_TRUE(pumpUntil([this] { return graphWindow(0)->GetClientSize().y == 2 * 22; }));
    const wxImage shot = grab(graphWindow(0));
    EXPECT_EQ(pixel(shot, centre(m_lines[0]->lineRect(1))), m_lines[0]->getColor());
    EXPECT_GT(graphWindow(1)->GetClientSize().y, 3 * 22);
}

TEST_F(TimelineFixture, ReloadFetchesEverythingAgainAndTheStatusLineShowsLoading)
{
    const int areaRequests = m_lines[0]->m_requestsMade;
    const int rulerRequests = m_rulerLine->m_requestsMade;
    m_providers[0]->closeGate();
    EXPECT_FALSE(m_timeline->isLoading());
    m_timeline->reload(false);
    EXPECT_TRUE(m_timeline->isLoading());
    EXPECT_FALSE(m_lines[0]->m_dataLoaded);
    EXPECT_EQ(m_lines[0]->m_requestsMade, areaRequests + 1);
    EXPECT_EQ(m_rulerLine->m_requestsMade, rulerRequests + 1);
    ASSERT_TRUE(pumpUntil([this] { return m_lines[1]->m_dataLoaded && m_rulerLine->m_dataLoaded; }));

    // Area 0's request waits at the gate after reporting half of its work.
    ASSERT_TRUE(pumpUntil([this] { return m_timeline->getStatusText().Contains("Lines 0 50%"); }));
    EXPECT_FALSE(m_timeline->getStatusText().Contains("Lines 1"));
    m_providers[0]->openGate();
    ASSERT_TRUE(loaded());
    EXPECT_TRUE(pumpUntil([this] { return m_timeline->getStatusText().empty(); }));
    EXPECT_FALSE(m_timeline->isLoading());
}

TEST_F(TimelineFixture, NoticesAreDeliveredOnlyForProvidersAndLayersTheTimelineHolds)
{
    const auto post = [this](DataProvider* provider, GraphLayer* layer, std::uint64_t serial = 0) {
        wxThreadEvent event(EVT_PROVIDER_DATA_READY);
        event.SetPayload(ProviderNotice{provider, layer, 0, serial ? serial : provider->getSerial()});
        m_timeline->GetEventHandler()->ProcessEvent(event);
    };
    const int checks[2] = {m_lines[0]->m_checks, m_lines[1]->m_checks};
    // A layer of area 0 named by area 1's provider, and a provider the timeline never held.
    post(m_providers[1], m_lines[0]);
    TestProvider* stranger = new TestProvider(1, kDuration, "stranger");
    post(stranger, m_lines[1]);
    // The notice of an ended provider whose address the held one took.
    post(m_providers[1], m_lines[1], stranger->getSerial());
    stranger->deleteSelf();
    EXPECT_EQ(m_lines[0]->m_checks, checks[0]);
    EXPECT_EQ(m_lines[1]->m_checks, checks[1]);
    // The right pair is delivered.
    post(m_providers[1], m_lines[1]);
    EXPECT_EQ(m_lines[1]->m_checks, checks[1] + 1);
}

TEST_F(TimelineFixture, AFailedRequestOfAHeldProviderReachesTheUserThroughTheMessenger)
{
    ASSERT_TRUE(registerMessageCatalog("tarquel"));
    brannow2::CollectingMessenger messenger;
    m_timeline->setMessenger(&messenger);
    const auto fail = [this](DataProvider* provider, const wxString& cause) {
        wxThreadEvent event(EVT_PROVIDER_FAILURE);
        event.SetPayload(ProviderNotice{provider, m_lines[0], 0, provider->getSerial()});
        event.SetString(cause);
        m_timeline->GetEventHandler()->ProcessEvent(event);
    };
    fail(m_providers[0], "std::bad_alloc");
    fail(m_providers[1], wxString());
    TestProvider* stranger = new TestProvider(1, kDuration, "stranger");
    fail(stranger, "not ours");
    stranger->deleteSelf();
    m_timeline->setMessenger(nullptr);
    const auto messages = messenger.messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].m_kind, brannow2::IMessenger::Error);
    EXPECT_EQ(messages[0].m_text, L"A data request failed and was skipped: std::bad_alloc");
    EXPECT_EQ(messages[1].m_text, L"A data request failed for an unknown reason and was skipped");
}

TEST_F(TimelineFixture, UpdateTimerTicksALayerUntilItStopsAsking)
{
    m_lines[1]->m_ticksWanted = 3;
    m_timeline->getGraph(1)->requestUpdateTimer(m_lines[1], true);
    ASSERT_TRUE(pumpUntil([this] { return m_lines[1]->m_ticksWanted == 0; }));
    EXPECT_EQ(m_lines[1]->m_ticks, 3);
    EXPECT_EQ(m_lines[0]->m_ticks, 0);
}

} // namespace chart_test

namespace chart_test {

TEST_F(TimelineFixture, KeysAndShiftWheelScrollTheRowsWithTheirHeader)
{
    // Make area 0 too short for its five rows.
    m_frame->SetSize(wxSize(1100, 260));
    GraphLayerParent& graph = *m_timeline->getGraph(0);
    const auto range = [&graph] {
        int first = -1;
        int last = -1;
        graph.getVisibleRowRange(first, last);
        return std::make_pair(first, last);
    };
    ASSERT_TRUE(pumpUntil([this] { return graphWindow(0)->GetClientSize().y < 5 * 22; }));
    const int shown = range().second + 1;
    const int lastFirstRow = 5 - graphWindow(0)->GetClientSize().y / 22;

    key(graphWindow(0), WXK_DOWN);
    EXPECT_EQ(range().first, 1);
    key(graphWindow(0), WXK_PAGEDOWN);
    EXPECT_EQ(range().first, lastFirstRow);
    mouse(graphWindow(0), wxEVT_MOUSEWHEEL, 10, 10, true, wxMOD_CONTROL);
    EXPECT_EQ(range().first, std::max(lastFirstRow - 3, 0));
    key(graphWindow(0), WXK_UP);
    key(graphWindow(0), WXK_UP);
    key(graphWindow(0), WXK_UP);
    EXPECT_EQ(range().first, 0);
    EXPECT_EQ(range().second, shown - 1);
    // Area 1 did not move.
    EXPECT_EQ(m_timeline->getGraph(1)->getRowRect(0, false).y, 0);

    // After scrolling down, the header names the row drawn at the top.
    key(graphWindow(0), WXK_DOWN);
    EXPECT_EQ(graph.getRowRect(1, false).y, 0);
    EXPECT_EQ(graph.getDataRowAt(10, 5, false), 1);
    const wxImage shot = grab(graphWindow(0));
    EXPECT_EQ(pixel(shot, centre(m_lines[0]->lineRect(1))), m_lines[0]->getColor());
}

} // namespace chart_test

namespace chart_test {

TEST_F(TimelineFixture, TimelineDestroyedWhileAQueryRunsEndsItsProvidersSafely)
{
    TestProvider& busy = *m_providers[0];
    busy.closeGate();
    m_timeline->reload(false);
    ASSERT_TRUE(pumpUntil([this] { return m_timeline->getStatusText().Contains("Lines 0 50%"); }));

    // The timeline goes while area 0's worker holds a request: its provider is ended through
    // deleteSelf, whose worker is still alive and so still owns the object.
    delete m_frame;
    m_frame = nullptr;
    // The worker now finishes, files nothing and ends; nobody may hear of it any more. What can
    // go wrong here (a notice reaching the dead timeline, a double free) shows under the
    // sanitizer builds.
    busy.openGate(); // the last use of `busy`: the ending worker deletes it
    pumpPending();
}

} // namespace chart_test
