// The container window: minimum width, black background, and the control shown only after a
// burst of size changes has settled.
#include "WxTestMain.h"
#include "pane/TimelinePaneContainer.h"

#include <tarquel_1_0/Timeline.h>

#include <gtest/gtest.h>

#include <wx/frame.h>

#include <memory>

namespace {

using velmora_1_0::TimelinePaneContainer;

struct FrameCloser {
    void operator()(wxFrame* frame) const
    {
        frame->Destroy();
        chart_test::pumpPending();
    }
};
using FramePtr = std::unique_ptr<wxFrame, FrameCloser>;

FramePtr makeFrame()
{
    return FramePtr(new wxFrame(nullptr, wxID_ANY, "container", wxDefaultPosition, wxSize(900, 500)));
}

TEST(TimelinePaneContainerTest, NarrowRequestsAreWidenedToTheMinimumAndTheBackgroundIsBlack)
{
    FramePtr frame = makeFrame();
    auto* narrow = new TimelinePaneContainer(frame.get(), wxPoint(0, 0), wxSize(120, 200));
    auto* wide = new TimelinePaneContainer(frame.get(), wxPoint(0, 0), wxSize(640, 200));
    EXPECT_EQ(narrow->GetSize().GetWidth(), 300);
    EXPECT_EQ(wide->GetSize().GetWidth(), 640);
    EXPECT_EQ(narrow->GetName(), "TimelinePaneContainer");
    EXPECT_EQ(narrow->GetBackgroundColour(), *wxBLACK);
    EXPECT_EQ(narrow->getTimeline()->GetParent(), narrow);
}

TEST(TimelinePaneContainerTest, ControlAppearsFilledOnlyAfterTheSizeChangesSettle)
{
    FramePtr frame = makeFrame();
    auto* container = new TimelinePaneContainer(frame.get(), wxPoint(0, 0), wxSize(400, 300));
    tarquel_1_0::Timeline* timeline = container->getTimeline();
    EXPECT_FALSE(timeline->IsShown());

    // A burst: each size change restarts the wait, so the control stays hidden throughout.
    for (int width = 500; width <= 700; width += 50) {
        container->SetSize(wxSize(width, 320));
        EXPECT_TRUE(container->isSettling());
        EXPECT_FALSE(timeline->IsShown());
    }
    frame->Show();
    ASSERT_TRUE(chart_test::pumpUntil([&] { return !container->isSettling() && timeline->IsShown(); }));
    EXPECT_EQ(timeline->GetSize(), container->GetClientSize());

    // A later resize is followed once it settles.
    container->SetSize(wxSize(450, 250));
    ASSERT_TRUE(chart_test::pumpUntil([&] { return !container->isSettling(); }));
    EXPECT_EQ(timeline->GetSize(), container->GetClientSize());
}

} // namespace
