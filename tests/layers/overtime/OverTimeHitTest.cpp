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
TEST_F(OverTimeHit, TooltipIsTheLayerNameAndTheRoundedValueOfTheRowsLastRecord)
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
    EXPECT_EQ(tooltip(), std::vector<wxString>{"CPU\n42.3%"});
    m_layer.hittest(8, 5);
    EXPECT_EQ(tooltip(5), std::vector<wxString>{"CPU\n3%"});

    m_ruler.setPixelWidth(50);
    paint(m_layer);
    EXPECT_TRUE(tooltip().empty());
    m_layer.clear();
    EXPECT_EQ(m_layer.getTooltipCount(), 0);
}

// A row with a series of its own (a counter) names the row and reads the value in its unit.
TEST_F(OverTimeHit, OwnSeriesTooltipNamesTheRowAndReadsTheUnit)
{
    m_layer.requestData(false);
    const unsigned int id = lastId();
    const auto series = [&](int row, double value, const wchar_t* unit) {
        SarvikProvider::OverTimeData data = record(&m_layer, row, id, samples({{30, value}}), value);
        data.ownSeries = true;
        data.unit = unit;
        m_provider->file(REQUEST_OVERTIME, data);
    };
    series(0, 2.5e6, L"bytes");
    series(1, 12.345, L"percent");
    series(2, 1234.5, L"");
    apply(m_layer);
    m_layer.m_layerName = "Counters";

    const std::pair<int, const char*> cases[] = {
        {5, "Counters\nrow 0: 2.5 MB"}, {25, "Counters\nrow 1: 12.3%"}, {45, "Counters\nrow 2: 1230"}};
    for (const auto& [y, text] : cases) {
        m_layer.hittest(30, y);
        EXPECT_EQ(tooltip(), std::vector<wxString>{text}) << y;
    }
    m_layer.hittest(31, 5);
    EXPECT_EQ(tooltip(), std::vector<wxString>{"Counters\nrow 0: 0 B"});
}

} // namespace
} // namespace overtime_test
