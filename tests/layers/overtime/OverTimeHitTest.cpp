// Hit test and tooltip texts.
#include "OverTimeFixture.h"

namespace overtime_test {
namespace {

using velmora_1_0::OverTimeLayer;
using velmora_1_0::SarvikProvider;

class OverTimeHit : public OverTimeFixture {
protected:
    OverTimeHit() { attach(m_layer); }

    std::vector<wxString> tooltip(int maxCount = 1)
    {
        std::vector<wxString> lines;
        m_layer.getTooltip(maxCount, lines);
        return lines;
    }

    Probe<OverTimeLayer> m_layer;
};

TEST_F(OverTimeHit, ReportsOnlyChangesOfRowOrColumn)
{
    deliver(m_layer, {{0, samples({{40, 12.5}})}, {1, samples({})}}, 20.0);
    EXPECT_TRUE(m_layer.hittest(40, 5));
    EXPECT_FALSE(m_layer.hittest(40, 15)) << "same row and column, other height";
    EXPECT_TRUE(m_layer.hittest(41, 5));
    EXPECT_TRUE(m_layer.hittest(41, 25)) << "same column, next row";
    EXPECT_EQ(m_layer.getTooltipCount(), 1);

    EXPECT_TRUE(m_layer.hittest(41, 45)) << "row 2 has no data";
    EXPECT_EQ(m_layer.getTooltipCount(), 0);
    EXPECT_FALSE(m_layer.hittest(41, 45));
    EXPECT_FALSE(m_layer.hittest(WIDTH, 5)) << "right of the graph";
    EXPECT_FALSE(m_layer.hittest(-1, 5));
}

TEST_F(OverTimeHit, TooltipIsTheLayerNameAndTheTrimmedValue)
{
    deliver(m_layer, {{0, samples({{40, 12.5}, {41, 3.0}})}}, 20.0);
    m_layer.m_layerName = "CPU";
    ASSERT_TRUE(m_layer.hittest(40, 5));
    EXPECT_TRUE(tooltip(0).empty());
    EXPECT_EQ(tooltip(), std::vector<wxString>{"CPU\n12.5"});
    m_layer.hittest(41, 5);
    EXPECT_EQ(tooltip(5), std::vector<wxString>{"CPU\n3"});
    m_layer.hittest(42, 5);
    EXPECT_EQ(tooltip(), std::vector<wxString>{"CPU\n0"});
}

TEST_F(OverTimeHit, LaterPercentRecordOfTheRowCarriesThePercentSign)
{
    m_layer.requestData(false);
    const unsigned int id = m_provider->queued().back().requestId;
    m_provider->file(REQUEST_OVERTIME, record(&m_layer, 0, id, samples({{7, 1.0}}), 100.0));
    SarvikProvider::OverTimeData data = record(&m_layer, 0, id, samples({{7, 42.25}}), 100.0);
    data.isPercent = true;
    m_provider->file(REQUEST_OVERTIME, data);
    apply(m_layer);

    m_layer.hittest(7, 5);
    EXPECT_EQ(tooltip(), std::vector<wxString>{"Over-time Data\n42.25%"});
}

TEST_F(OverTimeHit, NoTooltipOnceTheHitRowIsGone)
{
    deliver(m_layer, {{0, samples({{40, 12.5}})}}, 20.0);
    ASSERT_TRUE(m_layer.hittest(40, 5));
    m_ruler.setPixelWidth(50);
    paint(m_layer); // drops the row of the old width
    EXPECT_TRUE(tooltip().empty());
    m_layer.clear();
    EXPECT_EQ(m_layer.getTooltipCount(), 0);
}

TEST_F(OverTimeHit, TrailingZerosGoWithTheRulersSeparator)
{
    EXPECT_EQ(m_layer.removeTrailingZeros("100.000000"), "100");
    EXPECT_EQ(m_layer.removeTrailingZeros("0.000000"), "0");
    EXPECT_EQ(m_layer.removeTrailingZeros("-0.250000"), "-0.25");
    EXPECT_EQ(m_layer.removeTrailingZeros("1000000.000001"), "1000000.000001");
    m_ruler.setDecimalSeparator(",");
    EXPECT_EQ(m_layer.removeTrailingZeros("3,250000"), "3,25");
    EXPECT_EQ(m_layer.removeTrailingZeros("30,000000"), "30");
}

} // namespace
} // namespace overtime_test
