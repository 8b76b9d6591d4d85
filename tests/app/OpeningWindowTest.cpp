// Opening another result from a window: the load runs on a worker while the window stays usable
// and tells how far it is; the new window replaces the old one; Escape or closing the window
// stops the load and leaves nothing behind.
#include "ViewerFrame.h"
#include "ViewerSession.h"

#include "ViewerProgram.h"
#include "WxTestMain.h"

#include <gtest/gtest.h>

#include <wx/menu.h>
#include <wx/statusbr.h>

#include <algorithm>
#include <vector>

namespace viewer_test {
namespace {

using velmora_viewer::ViewerFrame;

constexpr int kOpenTimeoutMs = 60000;

class OpeningWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        largeResult(); // generated before the window exists, so no test waits for it mid-way
        auto session = std::make_unique<velmora_viewer::ViewerSession>();
        std::string error;
        ASSERT_TRUE(session->open(sampleResult(), "default", error)) << error;
        m_frame = new ViewerFrame(std::move(session), wxSize(1000, 700));
        m_frame->Show();
        m_frame->start();
        ASSERT_TRUE(chart_test::pumpUntil([this] { return m_frame->isComplete(); }, kOpenTimeoutMs));
    }

    void TearDown() override
    {
        for (ViewerFrame* frame : frames())
            frame->Destroy();
        chart_test::pumpPending();
    }

    static std::vector<ViewerFrame*> frames()
    {
        std::vector<ViewerFrame*> found;
        for (wxWindow* window : wxTopLevelWindows)
            if (auto* frame = dynamic_cast<ViewerFrame*>(window); frame && !frame->IsBeingDeleted())
                found.push_back(frame);
        return found;
    }

    wxString status() const { return m_frame->GetStatusBar()->GetStatusText(); }

    void pressEscape()
    {
        wxKeyEvent escape(wxEVT_CHAR_HOOK);
        escape.m_keyCode = WXK_ESCAPE;
        escape.SetEventObject(m_frame);
        m_frame->GetEventHandler()->ProcessEvent(escape);
    }

    // Starts opening the large result and waits until the window tells its first progress.
    void startLargeOpening()
    {
        m_frame->openInNewWindow(largeResult(), "default");
        ASSERT_TRUE(m_frame->isOpening());
        ASSERT_TRUE(chart_test::pumpUntil([this] { return status().Contains("%") || !m_frame->isOpening(); },
                                          kOpenTimeoutMs));
        ASSERT_TRUE(m_frame->isOpening()) << "the load ended before the test could cancel it";
        EXPECT_TRUE(status().StartsWith("Opening large: ")) << status();
    }

    ViewerFrame* m_frame = nullptr;
};

TEST_F(OpeningWindow, OpenedResultReplacesTheWindow)
{
    ViewerFrame* const old = m_frame;
    old->openInNewWindow(sampleResult(), "all_layers");
    EXPECT_TRUE(status().StartsWith("Opening result")) << status();
    ASSERT_TRUE(chart_test::pumpUntil(
        [old] { return frames().size() == 1 && frames().front() != old; }, kOpenTimeoutMs));
    m_frame = frames().front();
    EXPECT_EQ(m_frame->session().resultDirectory(), sampleResult());
    EXPECT_TRUE(m_frame->GetTitle().EndsWith("(all_layers) - Velmora")) << m_frame->GetTitle();
    EXPECT_EQ(m_frame->GetSize(), wxSize(1000, 700)) << "the new window takes the old one's size";
    ASSERT_TRUE(chart_test::pumpUntil([this] { return m_frame->isComplete(); }, kOpenTimeoutMs));
}

TEST_F(OpeningWindow, EscapeCancelsTheOpeningAndTheWindowStaysUsable)
{
    startLargeOpening();
    pressEscape();
    EXPECT_FALSE(m_frame->isOpening());
    EXPECT_EQ(status(), "Opening large cancelled");
    chart_test::pumpPending();
    EXPECT_EQ(frames(), std::vector<ViewerFrame*>{m_frame}) << "a window opened after the cancel";
    EXPECT_EQ(status(), "Opening large cancelled") << "a late progress report overwrote the cancel";
    EXPECT_EQ(m_frame->session().resultDirectory(), sampleResult());

    // The window still answers its commands, and opens again when asked.
    wxCommandEvent remove(wxEVT_MENU, m_frame->GetMenuBar()->FindMenuItem("Filter", "Remove filters"));
    m_frame->GetEventHandler()->ProcessEvent(remove);
    EXPECT_EQ(status(), "Filters removed");
    ASSERT_TRUE(chart_test::pumpUntil([this] { return m_frame->isComplete(); }, kOpenTimeoutMs));
    ViewerFrame* const old = m_frame;
    old->openInNewWindow(sampleResult(), "all_layers");
    ASSERT_TRUE(chart_test::pumpUntil([old] { return frames().size() == 1 && frames().front() != old; },
                                      kOpenTimeoutMs));
    m_frame = frames().front();
    EXPECT_EQ(m_frame->session().viewpointName(), "all_layers");
    ASSERT_TRUE(chart_test::pumpUntil([this] { return m_frame->isComplete(); }, kOpenTimeoutMs));
}

// The window goes while its worker is loading: the load stops, and nothing it queued runs on
// the gone window or opens another.
TEST_F(OpeningWindow, ClosingTheWindowStopsTheOpening)
{
    startLargeOpening();
    m_frame->Close();
    ASSERT_TRUE(chart_test::pumpUntil([] { return frames().empty(); }));
    chart_test::pumpPending();
    EXPECT_TRUE(frames().empty());
}

// Destroyed right after asking, before the worker has got anywhere.
TEST_F(OpeningWindow, WindowDestroyedRightAfterAskingEndsCleanly)
{
    m_frame->openInNewWindow(largeResult(), "default");
    m_frame->Destroy();
    ASSERT_TRUE(chart_test::pumpUntil([] { return frames().empty(); }));
    chart_test::pumpPending();
    EXPECT_TRUE(frames().empty());
}

} // namespace
} // namespace viewer_test
