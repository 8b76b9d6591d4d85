// Drawing checked on pixels. Rows are 20 pixels high: row 0's baseline is y = 19 and a full-height
// bar reaches y = 2 (17 pixels above the baseline).
#include "OverTimeFixture.h"

#include "provider/SarvikDataSource.h"

namespace overtime_test {
namespace {

using velmora_1_0::OverTimeLayer;

class OverTimeDraw : public OverTimeFixture {
protected:
    OverTimeDraw() { attach(m_layer); }
    Probe<OverTimeLayer> m_layer;
};

TEST_F(OverTimeDraw, AreaBarsScaleToTheRowMaximumAndKeepOnePixelMinimum)
{
    deliver(m_layer, {{0, samples({{1, 10.0}, {2, 5.0}, {3, 0.001}, {4, -3.0}})}, {1, samples({{1, 10.0}})}},
            10.0);
    const wxImage image = paint(m_layer);

    EXPECT_EQ(countInColumn(image, 0, 0, 19, red()), 0) << "a zero sample draws nothing";
    EXPECT_EQ(pixel(image, 1, 1), white());
    EXPECT_EQ(countInColumn(image, 1, 2, 19, red()), 18);
    EXPECT_EQ(pixel(image, 2, 10), white());
    EXPECT_EQ(countInColumn(image, 2, 11, 19, red()), 9); // 8.5 pixels truncated, plus the baseline
    for (int column : {3, 4}) {
        EXPECT_EQ(countInColumn(image, column, 0, 19, red()), 2) << "column " << column;
        EXPECT_EQ(pixel(image, column, 18), red()) << "column " << column;
    }
    // Row 1 is drawn in its own rectangle, with the same scale.
    EXPECT_EQ(countInColumn(image, 1, 20, 39, red()), 18);
    EXPECT_EQ(pixel(image, 1, 22), red());
    EXPECT_EQ(countInColumn(image, 5, 0, 59, red()), 0);
}

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
    EXPECT_EQ(pixel(image, 13, 11), red());
    EXPECT_EQ(countInColumn(image, 13, 0, 19, red()), 1) << "equal heights join flat";
    EXPECT_EQ(countInColumn(image, 9, 0, 19, red()), 0);
    EXPECT_EQ(countInColumn(image, 14, 0, 19, red()), 0);
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

TEST_F(OverTimeDraw, UpperLimitOfTheDataSourceWinsOverTheRowMaximum)
{
    auto limits = std::make_unique<velmora_1_0::SarvikDataSource>();
    limits->upperLimit = 20.0;
    m_layer.setDataSource(limits.release()); // the layer owns its source
    deliver(m_layer, {{0, samples({{1, 10.0}, {2, 40.0}})}}, 10.0);
    const wxImage limited = paint(m_layer);
    EXPECT_EQ(countInColumn(limited, 1, 0, 19, red()), 9);
    EXPECT_EQ(countInColumn(limited, 2, 0, 19, red()), 18) << "samples above the limit stop at the row top";

    auto noLimit = std::make_unique<velmora_1_0::SarvikDataSource>();
    noLimit->upperLimit = 0.0;
    m_layer.setDataSource(noLimit.release());
    EXPECT_EQ(countInColumn(paint(m_layer), 1, 0, 19, red()), 18);
}

TEST_F(OverTimeDraw, AssociatedLayerMaximumScalesEachRow)
{
    Probe<OverTimeLayer> reference;
    attach(reference);
    deliver(reference, {{0, samples({{1, 40.0}})}}, 40.0);

    m_layer.setAssociatedLayer(&reference);
    deliver(m_layer, {{0, samples({{5, 10.0}})}, {1, samples({{5, 10.0}})}}, 10.0);
    EXPECT_EQ(m_layer.getRowData(0).maxValue, 40.0);
    const wxImage image = paint(m_layer);
    EXPECT_EQ(countInColumn(image, 5, 0, 19, red()), 5); // 10 / 40 of 17 pixels, plus the baseline
    // The reference has nothing for row 1: no scale, so the bar fills the row.
    EXPECT_EQ(reference.getRowData(1).maxValue, 0.0);
    EXPECT_EQ(countInColumn(image, 5, 20, 39, red()), 18);
}

TEST_F(OverTimeDraw, ArrivingRowsAreDrawnAtOnceWhenAsked)
{
    m_layer.requestData(false);
    m_provider->file(REQUEST_OVERTIME, record(&m_layer, 1, m_provider->queued().back().requestId,
                                              samples({{6, 10.0}}), 10.0));
    ASSERT_TRUE(m_layer.checkData());
    wxBitmap bitmap(WIDTH, ROWS * RowGraph::ROW_HEIGHT, 24);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        m_layer.updateData(dc, true);
    }
    EXPECT_EQ(countInColumn(bitmap.ConvertToImage(), 6, 20, 39, red()), 18);
}

TEST_F(OverTimeDraw, HiddenOrDisabledLayerDrawsNothing)
{
    deliver(m_layer, {{0, samples({{1, 10.0}})}}, 10.0);
    m_layer.m_visible = false;
    EXPECT_EQ(countInColumn(paint(m_layer), 1, 0, 19, red()), 0);
    m_layer.m_visible = true;
    m_layer.setEnabled(false);
    EXPECT_EQ(countInColumn(paint(m_layer), 1, 0, 19, red()), 0);
}

class OverTimeBackground : public OverTimeFixture {
protected:
    OverTimeBackground() : OverTimeFixture(true)
    {
        attach(m_owner);
        attach(m_other);
        m_graph.m_lifetimes[0] = {200, 499}; // columns 20 to 49
    }
    OverTimeLayer m_owner;
    OverTimeLayer m_other;
};

TEST_F(OverTimeBackground, RowOwnerDrawsTheRunningBarOverTheRowLifetime)
{
    const wxColour running = m_provider->getSMBRunningColor();
    deliver(m_owner, {{0, samples({{30, 10.0}})}}, 10.0);
    const wxImage image = paint(m_owner);
    EXPECT_EQ(countInColumn(image, 25, 0, 19, running), 18); // y = 1 to 18
    EXPECT_EQ(pixel(image, 25, 0), white());
    EXPECT_EQ(pixel(image, 20, 10), running);
    EXPECT_EQ(pixel(image, 49, 10), running);
    EXPECT_EQ(pixel(image, 19, 10), white());
    EXPECT_EQ(pixel(image, 50, 10), white());
    EXPECT_EQ(pixel(image, 30, 10), red()) << "the series is drawn over the bar";
    // Row 1 lives throughout.
    EXPECT_EQ(pixel(image, 0, 30), running);
    EXPECT_EQ(pixel(image, WIDTH - 1, 30), running);

    m_owner.m_showRunning = false;
    EXPECT_EQ(pixel(paint(m_owner), 25, 10), white());
}

TEST_F(OverTimeBackground, OtherLayersLeaveTheBackgroundAlone)
{
    deliver(m_other, {{0, samples({{30, 10.0}})}}, 10.0);
    const wxImage image = paint(m_other);
    EXPECT_EQ(pixel(image, 25, 10), white());
    EXPECT_EQ(pixel(image, 30, 10), red());
}

} // namespace
} // namespace overtime_test
