#include "TimelineFixture.h"

#include "../support/WxTestMain.h"

#include <tarquel_1_0/GraphArea.h>
#include <tarquel_1_0/GraphLayerParent.h>

#include <wx/scrolbar.h>

using namespace tarquel_1_0;

namespace chart_test {

namespace {

wxScrollBar* scrollBarBeside(wxWindow* graph)
{
    for (wxWindow* sibling : graph->GetParent()->GetChildren())
        if (auto* bar = dynamic_cast<wxScrollBar*>(sibling))
            return bar;
    return nullptr;
}

} // namespace

TEST_F(TimelineFixture, AreasTakeTheirRowsHeightAndTheDividerDragsThemApart)
{
    GraphArea& area = *m_timeline->getGraphArea();
    // Three rows need 66 pixels; the five-row area takes all the rest, so nothing is blank.
    EXPECT_EQ(graphWindow(1)->GetClientSize().y, 3 * 22);
    EXPECT_EQ(graphWindow(0)->GetClientSize().y + 3 * 22 + GraphArea::kDividerHeight, area.GetClientSize().y);

    // The divider lies between the two areas; the cursor says it can be moved.
    const int dividerY = graphWindow(0)->GetParent()->GetRect().GetBottom() + 2;
    EXPECT_EQ(area.dividerAt(dividerY), 0);
    EXPECT_EQ(area.dividerAt(2), -1);
    EXPECT_FALSE(area.GetCursor().IsOk());
    mouse(&area, wxEVT_MOTION, 300, dividerY);
    EXPECT_TRUE(area.GetCursor().IsOk());
    mouse(&area, wxEVT_LEAVE_WINDOW, 300, dividerY - 20);
    EXPECT_FALSE(area.GetCursor().IsOk());

    // Dragging it up leaves area 0 three rows' height; area 1 gets what area 0 gave up.
    const int total = graphWindow(0)->GetClientSize().y + graphWindow(1)->GetClientSize().y;
    const int offset = 3 * 22 - graphWindow(0)->GetClientSize().y;
    mouse(&area, wxEVT_LEFT_DOWN, 300, dividerY, true);
    mouse(&area, wxEVT_MOTION, 300, dividerY + offset / 2, true);
    mouse(&area, wxEVT_MOTION, 300, dividerY + offset, true);
    mouse(&area, wxEVT_LEFT_UP, 300, dividerY + offset);
    EXPECT_EQ(graphWindow(0)->GetClientSize().y, 3 * 22);
    EXPECT_EQ(graphWindow(1)->GetClientSize().y, total - 3 * 22);

    // The scroll bar of area 0 now pages by three of its five rows, and its rows scroll into
    // view with their data drawn.
    wxScrollBar* bar = scrollBarBeside(graphWindow(0));
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(pumpUntil([bar] { return bar->GetThumbSize() == 3; }));
    EXPECT_EQ(bar->GetRange(), 5);
    key(graphWindow(0), WXK_PAGEDOWN);
    GraphLayerParent& graph = *m_timeline->getGraph(0);
    EXPECT_EQ(graph.getDataRowAt(10, 5, false), 2);
    ASSERT_TRUE(loaded());
    const wxRect line = m_lines[0]->lineRect(4);
    const wxImage shot = grab(graphWindow(0));
    ASSERT_LT(line.GetBottom(), shot.GetHeight());
    EXPECT_EQ(wxColour(shot.GetRed(line.x + 2, line.y + 1), shot.GetGreen(line.x + 2, line.y + 1),
                       shot.GetBlue(line.x + 2, line.y + 1)),
              m_lines[0]->getColor());

    // The areas keep the proportions the user gave them when the window shrinks.
    const double share = 3.0 * 22 / total;
    m_frame->SetSize(wxSize(1100, 400));
    ASSERT_TRUE(pumpUntil([&] { return graphWindow(0)->GetClientSize().y + graphWindow(1)->GetClientSize().y < total; }));
    const int shrunk = graphWindow(0)->GetClientSize().y + graphWindow(1)->GetClientSize().y;
    EXPECT_NEAR(graphWindow(0)->GetClientSize().y, share * shrunk, 1.0);
}

TEST_F(TimelineFixture, AreasFollowTheWindowWhenItShrinksBelowTheirRows)
{
    m_frame->SetSize(wxSize(1100, 200));
    // Both areas need more than half of what is left: they share it evenly and scroll.
    ASSERT_TRUE(pumpUntil([this] { return graphWindow(1)->GetClientSize().y < 3 * 22; }));
    EXPECT_NEAR(graphWindow(0)->GetClientSize().y, graphWindow(1)->GetClientSize().y, 1);
    m_frame->SetSize(wxSize(1100, 760));
    ASSERT_TRUE(pumpUntil([this] { return graphWindow(1)->GetClientSize().y == 3 * 22; }));
    EXPECT_GT(graphWindow(0)->GetClientSize().y, 5 * 22);
}

} // namespace chart_test
