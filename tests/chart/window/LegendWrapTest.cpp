#include "TimelineFixture.h"

#include "../support/WxTestMain.h"

#include <tarquel_1_0/Legend.h>
#include <tarquel_1_0/LegendItem.h>

using namespace tarquel_1_0;

namespace chart_test {

// A legend with more items than a narrow window has room for in one line wraps them, and grows
// to hold every line: no item is cut at the bottom, whatever the width.
TEST_F(TimelineFixture, LegendWrapsAndHoldsEveryItemAtAnyWidth)
{
    Legend& legend = *m_timeline->getLegend();
    const wxString labels[] = {"Running", "CPU time", "Markers", "Duration markers", "Transitions (all)",
                               "Counters", "Slices", "Ruler events", "Global tasks", "Waiting"};
    for (const wxString& label : labels)
        legend.addCheckbox(legend.nextItemId(), label, wxImage(), wxString(), true, false, 4);
    for (const int width : {260, 400, 900, 1920}) {
        m_frame->SetSize(wxSize(width, 760));
        // The legend spans the timeline but for its border of two pixels.
        ASSERT_TRUE(pumpUntil([&] { return m_timeline->GetSize().x == width && legend.GetSize().x == width - 4; }))
            << width;
        pumpPending();
        const wxSize room = legend.GetClientSize();
        EXPECT_LE(room.x, width);
        int lastBottom = 0;
        for (LegendItem* item : legend.getItems()) {
            const wxRect rect = item->GetRect();
            EXPECT_GE(rect.x, 0) << width << " " << item->getLabel();
            EXPECT_GE(rect.y, 0) << width << " " << item->getLabel();
            EXPECT_LE(rect.GetRight(), room.x - 1) << width << " " << item->getLabel();
            EXPECT_LE(rect.GetBottom(), room.y - 1) << width << " " << item->getLabel() << " legend " << room.y;
            lastBottom = std::max(lastBottom, rect.GetBottom());
        }
        // The legend takes no more than its lines need, and sits above the status line.
        EXPECT_LE(room.y - 1 - lastBottom, 4) << width;
        EXPECT_LE(legend.GetRect().GetBottom(), m_timeline->GetClientSize().y - 1) << width;
        if (width == 260) {
            EXPECT_GT(lastBottom, 2 * legend.getItems().front()->GetSize().y) << "wraps into several lines";
        }
    }
}

} // namespace chart_test
