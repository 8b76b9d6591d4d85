#include "MarkerFixture.h"

#include "layers/GlobalEventMarkerLayer.h"

using velmora_1_0::GlobalEventMarkerLayer;
using velmora_1_0::SarvikProvider;

namespace marker_test {
namespace {

// The ruler's graph: one row; the ruler window is 30 pixels high, so markers stand on y = 29.
class GlobalEventMarkerLayerTest : public MarkerFixture {
protected:
    static constexpr int kRulerHeight = 30;

    GlobalEventMarkerLayerTest() : m_rulerGraph(m_provider.get(), &m_ruler, 1, kWidth)
    {
        const wxSize ruler(kWidth, kRulerHeight);
        m_ruler.setWindowSize(ruler);
        resizeCanvas(ruler);
        m_layer.attach(nullptr, &m_rulerGraph);
        m_layer.setParentSize(ruler);
    }

    void loadGlobal(std::vector<SarvikProvider::EventMarker> markers)
    {
        m_layer.requestData(false);
        ASSERT_EQ(m_layer.m_requests.size(), 1u);
        EXPECT_EQ(m_layer.m_loading, 1);
        m_provider->file(&m_layer, m_layer.m_requests.begin()->first, -1, std::move(markers), true);
        ASSERT_TRUE(m_layer.checkData());
        m_layer.updateData(m_dc, false);
        EXPECT_EQ(m_layer.m_loading, 0);
    }

    MarkerGraph m_rulerGraph;
    GlobalEventMarkerLayer m_layer;
};

// A shape hanging from the bottom line would show as one line of border.
TEST_F(GlobalEventMarkerLayerTest, StandsOnTheRulersBottomLineInPlainSightAndFramesAHoveredInstant)
{
    loadGlobal({marker(-1, 500, 500)});
    paint(m_layer);
    const wxRect pin(45, kRulerHeight - 14, 11, 14);
    EXPECT_EQ(pixel(50, kRulerHeight - 1), kBlack) << "the tip marks the time on the bottom line";
    EXPECT_EQ(pixel(50, pin.y), kBlack);
    EXPECT_EQ(pixel(50, pin.y - 1), kWhite);
    EXPECT_GE(count(pin, kInner), 80);
    EXPECT_EQ(count(pin, kInner), count(wxRect(0, 0, kWidth, kRulerHeight), kInner));

    EXPECT_TRUE(m_layer.hittest(50, 20));
    EXPECT_EQ(m_ruler.getFrameAnchorX1(), 50);
    EXPECT_EQ(m_ruler.getFrameAnchorX2(), 50);
}

TEST_F(GlobalEventMarkerLayerTest, FramesFromTheFirstStartToTheLastEndAndClearsOffMarkers)
{
    // The earlier marker ends later; the frame still ends at the later marker's end.
    loadGlobal({marker(-1, 300, 400), marker(-1, 100, 900)});
    paint(m_layer);
    EXPECT_TRUE(m_layer.hittest(35, 25));
    EXPECT_EQ(m_layer.getHittestItems().size(), 2u);
    EXPECT_EQ(m_ruler.getFrameAnchorX1(), 10);
    EXPECT_EQ(m_ruler.getFrameAnchorX2(), 40);

    EXPECT_TRUE(m_layer.hittest(95, 25));
    EXPECT_FALSE(m_ruler.hasFrameAnchor());
}

} // namespace
} // namespace marker_test
