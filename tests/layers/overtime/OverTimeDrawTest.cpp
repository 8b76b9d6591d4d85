// Drawing checked on pixels. Rows are 20 pixels high: row 0's baseline is y = 19 and a full-height
// bar reaches y = 2 (17 pixels above the baseline).
#include "OverTimeFixture.h"

#include "layers/OverTimeSampleScale.h"
#include "provider/SarvikDataSource.h"

#include <algorithm>
#include <random>

namespace overtime_test {
namespace {

using velmora_1_0::OverTimeLayer;
using velmora_1_0::SarvikProvider;

class OverTimeDraw : public OverTimeFixture {
protected:
    // The rows drawn with one renderer call per sample: the pixels the batched drawing keeps.
    static wxImage paintEachSample(const std::map<int, std::vector<double>>& rows, double scale, int format,
                                   int lineWidth)
    {
        return paintWith([&](wxMemoryDC& dc) {
            tarquel_1_0::Renderer renderer;
            renderer.setLineWidth(lineWidth);
            renderer.setColour(dc, red());
            const velmora_1_0::OverTimeSampleScale heights(scale, RowGraph::ROW_HEIGHT - 3);
            for (const auto& [row, values] : rows) {
                const int bottom = (row + 1) * RowGraph::ROW_HEIGHT - 1;
                int previousY = -1;
                for (int x = 0; x < WIDTH; ++x) {
                    const int h = heights.height(values[x]);
                    const int y = bottom - h;
                    if (h != 0 && format == 0)
                        renderer.drawLine(dc, x, y, x, bottom);
                    if (h == 0 || format == 0)
                        continue;
                    if (previousY != -1)
                        renderer.drawLine(dc, x - 1, previousY, x, y);
                    renderer.drawPoint(dc, x, y);
                    previousY = y;
                }
            }
        });
    }
};

TEST_F(OverTimeDraw, LineJoinsSkipZeroSamplesAndStartFromTheColumnBefore)
{
    m_layer.setDisplayFormat(1);
    deliver(m_layer, {{0, samples({{10, 10.0}, {12, 5.0}, {13, 5.0}})}}, 10.0);
    const wxImage image = paint(m_layer);

    EXPECT_EQ(pixel(image, 10, 2), red()) << "first sample is a point";
    EXPECT_EQ(countInColumn(image, 10, 3, 19, red()), 0) << "a line, not a bar";
    // Column 11 is zero: column 12 joins from (11, 2), the last drawn height, not from a baseline.
    EXPECT_GT(countInColumn(image, 11, 2, 11, red()), 0);
    EXPECT_EQ(pixel(image, 12, 11), red());
    EXPECT_EQ(countInColumn(image, 11, 12, 19, red()), 0);
    EXPECT_EQ(countInColumn(image, 13, 0, 19, red()), 1) << "equal heights join flat";
    EXPECT_EQ(countInColumn(image, 9, 0, 19, red()) + countInColumn(image, 14, 0, 19, red()), 0);
}

// Gaps, flat runs, steep joins, tiny, negative and clipped samples on every row, in both formats and
// in the line widths another layer may leave on the renderer.
TEST_F(OverTimeDraw, VariedRowsHaveThePixelsOfDrawingEachSampleAlone)
{
    std::mt19937 random(11);
    std::uniform_int_distribution<int> kind(0, 5);
    std::uniform_real_distribution<double> value(0.0, 12.0);
    std::map<int, std::vector<double>> rows;
    for (int row = 0; row < ROWS; ++row) {
        std::vector<double>& values = rows[row];
        for (int x = 0; x < WIDTH; ++x) {
            const double choices[] = {0.0, x > 0 ? values.back() : 1.0, 0.001, -value(random), value(random), 10.0};
            values.push_back(choices[kind(random)]);
        }
    }
    for (int lineWidth : {1, 2, 3}) {
        for (int format : {0, 1}) {
            m_graph.m_renderer.setLineWidth(lineWidth);
            m_layer.setDisplayFormat(format);
            deliver(m_layer, rows, 10.0);
            const wxImage batched = paint(m_layer);
            const unsigned char* data = batched.GetData();
            EXPECT_TRUE(std::equal(data, data + WIDTH * ROWS * RowGraph::ROW_HEIGHT * 3,
                                   paintEachSample(rows, 10.0, format, lineWidth).GetData()))
                << "format " << format << ", line width " << lineWidth;
        }
    }
}

TEST_F(OverTimeDraw, RowOfAnOldWidthIsErasedOnItsNextDraw)
{
    deliver(m_layer, {{0, samples({{1, 10.0}})}, {1, samples({{1, 10.0}})}}, 10.0);
    m_ruler.setPixelWidth(50);
    EXPECT_EQ(countInColumn(paint(m_layer), 1, 0, 59, red()), 0);
    EXPECT_TRUE(m_layer.m_rowData.empty());

    // Back at the old width the samples would fit again, but they are gone until new data arrives.
    m_ruler.setPixelWidth(WIDTH);
    EXPECT_EQ(countInColumn(paint(m_layer), 1, 0, 59, red()), 0);
}

// The row height stands for the data source's upper limit when it has one, else for the row's
// maximum: its own, or the associated layer's for that row (none there: no scale, full height).
TEST_F(OverTimeDraw, RowsScaleToTheUpperLimitOrTheOwnOrAssociatedRowMaximum)
{
    ProbeLayer reference;
    attach(reference);
    deliver(reference, {{0, samples({{1, 40.0}})}}, 40.0);
    const struct {
        double limit;
        OverTimeLayer* associated;
        int row0;
        int row1;
    } cases[] = {{20.0, nullptr, 9, 9}, {0.0, nullptr, 18, 18}, {0.0, &reference, 5, 18}};
    for (const auto& c : cases) {
        auto source = std::make_unique<velmora_1_0::SarvikDataSource>();
        source->upperLimit = c.limit;
        m_layer.setDataSource(source.release()); // the layer owns its source
        m_layer.setAssociatedLayer(c.associated);
        deliver(m_layer, {{0, samples({{5, 10.0}, {6, 40.0}})}, {1, samples({{5, 10.0}})}}, 10.0);
        const wxImage image = paint(m_layer);
        EXPECT_EQ(countInColumn(image, 5, 0, 19, red()), c.row0) << "limit " << c.limit;
        EXPECT_EQ(countInColumn(image, 5, 20, 39, red()), c.row1) << "limit " << c.limit;
        EXPECT_EQ(countInColumn(image, 6, 0, 19, red()), 18) << "samples above the scale stop at the row top";
    }
}

TEST_F(OverTimeDraw, ArrivingRowsAreDrawnAtOnceOnlyWhenVisibleAndEnabled)
{
    m_layer.requestData(false);
    m_provider->file(REQUEST_OVERTIME, record(&m_layer, 1, lastId(), samples({{6, 10.0}}), 10.0));
    ASSERT_TRUE(m_layer.checkData());
    EXPECT_EQ(countInColumn(paintWith([this](wxMemoryDC& dc) { m_layer.updateData(dc, true); }), 6, 20, 39, red()), 18);

    m_layer.m_visible = false;
    EXPECT_EQ(countInColumn(paint(m_layer), 6, 20, 39, red()), 0);
    m_layer.m_visible = true;
    m_layer.setEnabled(false);
    EXPECT_EQ(countInColumn(paint(m_layer), 6, 20, 39, red()), 0);
}

class OverTimeBackground : public OverTimeFixture {
protected:
    OverTimeBackground() : OverTimeFixture(true)
    {
        attach(m_other);
        m_graph.m_lifetimes[0] = {200, 499}; // columns 20 to 49
    }
    OverTimeLayer m_other;
};

TEST_F(OverTimeBackground, OnlyTheRowOwnerDrawsTheRunningBarOverTheRowLifetime)
{
    deliver(m_layer, {{0, samples({{30, 10.0}})}}, 10.0);
    deliver(m_other, {{0, samples({{30, 10.0}})}}, 10.0);
    const wxColour running = m_provider->getSMBRunningColor();
    const wxImage image = paint(m_layer);
    EXPECT_EQ(countInColumn(image, 25, 0, 19, running), 18); // y = 1 to 18
    EXPECT_EQ(pixel(image, 20, 10), running);
    EXPECT_EQ(pixel(image, 49, 10), running);
    EXPECT_EQ(pixel(image, 19, 10), white());
    EXPECT_EQ(pixel(image, 50, 10), white());
    EXPECT_EQ(pixel(image, 30, 10), red()) << "the series is drawn over the bar";
    EXPECT_EQ(pixel(image, WIDTH - 1, 30), running) << "row 1 lives throughout";

    const wxImage other = paint(m_other);
    EXPECT_EQ(pixel(other, 25, 10), white());
    EXPECT_EQ(pixel(other, 30, 10), red());
    m_layer.m_showRunning = false;
    EXPECT_EQ(pixel(paint(m_layer), 25, 10), white());
}

// A row with its own series carries its range as text at its left edge; a row sharing the
// area's scale does not, and the graph to the right is drawn as before.
TEST_F(OverTimeDraw, OwnSeriesRowsWriteTheirRangeAtTheLeftEdge)
{
    m_layer.setDisplayFormat(1);
    m_layer.requestData(false);
    const std::vector<double> values = samples({{80, 10.0}});
    for (int row = 0; row < 2; ++row) {
        SarvikProvider::OverTimeData data = record(&m_layer, row, lastId(), values, 10.0);
        data.ownSeries = row == 0;
        data.minValue = 0.5;
        data.unit = L"bytes";
        m_provider->file(REQUEST_OVERTIME, data);
    }
    apply(m_layer);
    const wxImage image = paint(m_layer);
    // Text pixels: dark, unlike the red series and the white ground.
    const auto textPixels = [&image](int row) {
        int count = 0;
        for (int y = row * RowGraph::ROW_HEIGHT; y < (row + 1) * RowGraph::ROW_HEIGHT; ++y)
            for (int x = 0; x < 60; ++x)
                count += image.GetRed(x, y) < 160 && image.GetGreen(x, y) < 160 ? 1 : 0;
        return count;
    };
    EXPECT_GT(textPixels(0), 10);
    EXPECT_EQ(textPixels(1), 0);
    for (int row = 0; row < 2; ++row)
        EXPECT_EQ(pixel(image, 80, row * RowGraph::ROW_HEIGHT + 2), red()) << row;
}

} // namespace
} // namespace overtime_test
