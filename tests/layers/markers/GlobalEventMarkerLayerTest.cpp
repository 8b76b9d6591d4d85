#include "MarkerFixture.h"

#include "layers/GlobalEventMarkerLayer.h"

using velmora_1_0::GlobalEventMarkerLayer;
using velmora_1_0::SarvikProvider;

namespace marker_test {
namespace {

// The ruler's graph: one row; the ruler window is 30 pixels high, so markers sit at y = 29.
class GlobalEventMarkerLayerTest : public MarkerFixture {
protected:
    GlobalEventMarkerLayerTest() : m_rulerGraph(m_provider.get(), &m_ruler, 1, kWidth)
    {
        m_ruler.setWindowSize(wxSize(kWidth, 30));
        m_layer.attach(nullptr, &m_rulerGraph);
        m_layer.setParentSize(wxSize(kWidth, 60));
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

TEST_F(GlobalEventMarkerLayerTest, DrawsOnTheRulersBottomLineAndFramesAHoveredInstant)
{
    loadGlobal({marker(-1, 500, 500)});
    paint(m_layer);
    EXPECT_EQ(pixel(50, 28), kWhite);
    EXPECT_EQ(pixel(50, 29), kBlack);
    EXPECT_EQ(pixel(50, 30), kInner);

    EXPECT_TRUE(m_layer.hittest(50, 32));
    EXPECT_EQ(m_ruler.getFrameAnchorX1(), 50);
    EXPECT_EQ(m_ruler.getFrameAnchorX2(), 50);
}

TEST_F(GlobalEventMarkerLayerTest, FramesFromTheFirstStartToTheLastEndAndClearsOffMarkers)
{
    // The earlier marker ends later; the frame still ends at the later marker's end.
    loadGlobal({marker(-1, 300, 400), marker(-1, 100, 900)});
    paint(m_layer);
    EXPECT_TRUE(m_layer.hittest(35, 32));
    EXPECT_EQ(m_layer.getHittestItems().size(), 2u);
    EXPECT_EQ(m_ruler.getFrameAnchorX1(), 10);
    EXPECT_EQ(m_ruler.getFrameAnchorX2(), 40);

    EXPECT_TRUE(m_layer.hittest(95, 32));
    EXPECT_FALSE(m_ruler.hasFrameAnchor());
}

} // namespace
} // namespace marker_test
