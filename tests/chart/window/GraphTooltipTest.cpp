#include "TimelineFixture.h"

#include "../support/ShownTooltip.h"
#include "../support/WxTestMain.h"

#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/display.h>

using namespace tarquel_1_0;

namespace chart_test {

namespace {

wxRect screenRectOf(wxWindow* window)
{
    return wxRect(window->GetScreenPosition(), window->GetSize());
}

// Ink of the text on the tooltip's background: dark pixels inside its border.
bool hasText(wxWindow* tooltip)
{
    const wxSize size = tooltip->GetClientSize();
    wxBitmap bitmap(size);
    {
        wxClientDC screen(tooltip);
        wxMemoryDC memory(bitmap);
        memory.Blit(0, 0, size.x, size.y, &screen, 0, 0);
    }
    const wxImage image = bitmap.ConvertToImage();
    for (int y = 2; y < size.y - 2; ++y)
        for (int x = 2; x < size.x - 2; ++x)
            if (image.GetRed(x, y) + image.GetGreen(x, y) + image.GetBlue(x, y) < 3 * 100)
                return true;
    return false;
}

} // namespace

TEST_F(TimelineFixture, TheTooltipFollowsThePointerAlongARowAndHidesOffIt)
{
    wxWindow* graph = graphWindow(1);
    graph->SetFocus();
    ASSERT_TRUE(pumpUntil([graph] { return wxWindow::FindFocus() == graph; }));
    const wxRect line = m_lines[1]->lineRect(2);
    const int y = line.y + line.height / 2;
    int lastX = -1;
    for (int x = line.x + 4; x < line.GetRight() - 4; x += line.width / 6) {
        mouse(graph, wxEVT_MOTION, x, y);
        wxWindow* tooltip = shownTooltip(graph);
        ASSERT_NE(tooltip, nullptr) << x;
        EXPECT_EQ(tooltip->GetLabel(), "Lines 1\ntask 2");
        const wxPoint pointer = graph->ClientToScreen(wxPoint(x, y));
        const wxRect rect = screenRectOf(tooltip);
        EXPECT_FALSE(rect.Contains(pointer)) << x;
        // Beside the pointer, and it moves as far as the pointer does.
        EXPECT_LT(std::abs(rect.x - pointer.x), 40) << x;
        EXPECT_LT(std::abs(rect.y - pointer.y), 40) << x;
        if (lastX >= 0) {
            EXPECT_EQ(rect.x - lastX, line.width / 6);
        }
        lastX = rect.x;
    }
    wxWindow* tooltip = shownTooltip(graph);
    ASSERT_NE(tooltip, nullptr);
    EXPECT_TRUE(pumpUntil([tooltip] { return tooltip->IsShownOnScreen() && hasText(tooltip); }));
    // The keys stay with the graph.
    EXPECT_EQ(wxWindow::FindFocus(), graph);

    // Off the line nothing is under the pointer: no tooltip; back on it, and out of the window.
    mouse(graph, wxEVT_MOTION, line.x - 20, y);
    EXPECT_EQ(shownTooltip(graph), nullptr);
    mouse(graph, wxEVT_MOTION, line.x + 10, y);
    EXPECT_NE(shownTooltip(graph), nullptr);
    mouse(graph, wxEVT_LEAVE_WINDOW, -1, -1);
    EXPECT_EQ(shownTooltip(graph), nullptr);

    // A zoom changes what is under the pointer: the old text goes.
    mouse(graph, wxEVT_MOTION, line.x + 10, y);
    mouse(graph, wxEVT_MOUSEWHEEL, line.x + 10, y, true);
    EXPECT_EQ(shownTooltip(graph), nullptr);
}

TEST_F(TimelineFixture, AtTheScreensEdgesTheTooltipStaysOnTheScreen)
{
    // The frame in the bottom-right corner of the screen: its last row ends at the screen's edge.
    const wxRect screen = wxDisplay(0u).GetGeometry();
    const wxPoint corner(screen.GetRight() + 1 - m_frame->GetSize().x, screen.GetBottom() + 1 - m_frame->GetSize().y);
    m_frame->Move(corner);
    ASSERT_TRUE(pumpUntil([&] { return m_frame->GetScreenPosition() == corner; }));
    wxWindow* graph = graphWindow(1);
    const wxRect line = m_lines[1]->lineRect(2);
    for (const int x : {line.x + 2, line.GetRight() - 2}) {
        const int y = line.y + line.height / 2;
        mouse(graph, wxEVT_MOTION, x, y);
        wxWindow* tooltip = shownTooltip(graph);
        ASSERT_NE(tooltip, nullptr);
        const wxRect rect = screenRectOf(tooltip);
        EXPECT_TRUE(screen.Contains(rect)) << x;
        EXPECT_FALSE(rect.Contains(graph->ClientToScreen(wxPoint(x, y)))) << x;
    }
}

} // namespace chart_test
