#include "WxTestMain.h"

#include <tarquel_1_0/EventCallback.h>
#include <tarquel_1_0/GraphLayer.h>
#include <tarquel_1_0/Timeline.h>

#include <gtest/gtest.h>

#include <wx/frame.h>

using namespace tarquel_1_0;

namespace {

// Counts how it is asked for data.
class CountingLayer : public GraphLayer {
public:
    void requestData(bool onlyIfMissing) override { (onlyIfMissing ? m_missing : m_all)++; }
    void renderAll(wxMemoryDC&) override {}
    int m_missing = 0;
    int m_all = 0;
};

// The host's part is empty here: only the base behaviour is under test.
class QuietCallback : public EventCallback {
public:
    void itemSelected(GraphLayer*) override {}
    void itemActivated(GraphLayer*) override {}
    void rulerContextMenu(Timeline*) override {}
    void rulerRangeSelected(Timeline*) override {}
    void rulerMenuCommand(Timeline*, int) override {}
    void layerColorChanged(GraphLayer*, const wxString&, const wxColour&) override {}
    void rowsSelected(GraphLayerParent*, const std::vector<int>&) override {}
    void headerContextMenu(HeaderCtrl*) override {}
    void headerMenuCommand(HeaderCtrl*, int) override {}
};

TEST(EventCallback, RowVisibilityChangeFetchesWhatTheGraphsLayersMiss)
{
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "timeline"); // destroyed below through Destroy
    Timeline* timeline = new Timeline(frame);                     // a child of the frame
    const int first = timeline->addPane("first");
    const int second = timeline->addPane("second");
    auto* a = new CountingLayer;
    auto* b = new CountingLayer;
    auto* other = new CountingLayer;
    ASSERT_TRUE(timeline->addLayer(first, a, 0));
    ASSERT_TRUE(timeline->addLayer(first, b, 0));
    ASSERT_TRUE(timeline->addLayer(second, other, 0));
    const int allBefore = a->m_all;

    QuietCallback callback;
    callback.rowVisibilityChanged(timeline, timeline->getGraph(first));
    EXPECT_EQ(1, a->m_missing);
    EXPECT_EQ(1, b->m_missing);
    EXPECT_EQ(0, other->m_missing);
    EXPECT_EQ(allBefore, a->m_all) << "what is loaded stays";

    frame->Destroy();
    chart_test::pumpPending();
}

} // namespace
