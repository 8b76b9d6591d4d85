// Hit test and tooltip texts.
#include "OverTimeFixture.h"

namespace overtime_test {
namespace {

using velmora_1_0::SarvikProvider;

class OverTimeHit : public OverTimeFixture {
protected:
    std::vector<wxString> tooltip(int maxCount = 1)
    {
        std::vector<wxString> lines;
        m_layer.getTooltip(maxCount, lines);
        return lines;
    }
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

// The last record of a row wins, with its percent flag; a row dropped for its width has no tooltip.
TEST_F(OverTimeHit, TooltipIsTheLayerNameAndTheTrimmedValueOfTheRowsLastRecord)
{
    m_layer.requestData(false);
    const unsigned int id = lastId();
    m_provider->file(REQUEST_OVERTIME, record(&m_layer, 0, id, samples({{7, 1.0}}), 100.0));
    SarvikProvider::OverTimeData data = record(&m_layer, 0, id, samples({{7, 42.25}, {8, 3.0}}), 100.0);
    data.isPercent = true;
    m_provider->file(REQUEST_OVERTIME, data);
    apply(m_layer);
    m_layer.m_layerName = "CPU";

    ASSERT_TRUE(m_layer.hittest(7, 5));
    EXPECT_TRUE(tooltip(0).empty());
    EXPECT_EQ(tooltip(), std::vector<wxString>{"CPU\n42.25%"});
    m_layer.hittest(8, 5);
    EXPECT_EQ(tooltip(5), std::vector<wxString>{"CPU\n3%"});

    m_ruler.setPixelWidth(50);
    paint(m_layer);
    EXPECT_TRUE(tooltip().empty());
    m_layer.clear();
    EXPECT_EQ(m_layer.getTooltipCount(), 0);
}

TEST_F(OverTimeHit, TrailingZerosGoWithTheRulersSeparator)
{
    const struct {
        const char* separator;
        const char* text;
        const char* trimmed;
    } cases[] = {
        {".", "100.000000", "100"},         {".", "0.000000", "0"}, {".", "-0.250000", "-0.25"},
        {".", "1000000.000001", "1000000.000001"}, {",", "3,250000", "3,25"}, {",", "30,000000", "30"},
    };
    for (const auto& c : cases) {
        m_ruler.setDecimalSeparator(c.separator);
        EXPECT_EQ(m_layer.removeTrailingZeros(c.text), c.trimmed) << c.text;
    }
}

} // namespace
} // namespace overtime_test
