#include "layers/LinePlotter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <utility>
#include <vector>

using velmora_1_0::LinePlotter;

namespace {

constexpr int kPlotWidth = 100;
constexpr int kPlotHeight = 60;

using Pixels = std::set<std::pair<int, int>>; // (x, y)

Pixels plotted(int x1, int y1, int x2, int y2, int lineWidth = 2)
{
    std::vector<LinePlotter::Span> spans;
    LinePlotter(kPlotWidth, kPlotHeight, lineWidth).plot(x1, y1, x2, y2, spans);
    Pixels pixels;
    int lastRow = -1;
    for (const LinePlotter::Span& span : spans) {
        EXPECT_GT(span.y, lastRow) << "one run per row, top row first";
        EXPECT_LE(span.xFirst, span.xLast);
        lastRow = span.y;
        for (int x = span.xFirst; x <= span.xLast; ++x)
            pixels.emplace(x, span.y);
    }
    return pixels;
}

// Every pixel of the area whose centre lies in the butt-capped stroke, tested one by one with the
// projection onto the line and the distance from it.
Pixels reference(int x1, int y1, int x2, int y2, int lineWidth = 2)
{
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    const double length = std::hypot(dx, dy);
    Pixels pixels;
    for (int y = 0; y < kPlotHeight; ++y)
        for (int x = 0; x < kPlotWidth; ++x) {
            const double cx = x + 0.5 - x1;
            const double cy = y + 0.5 - y1;
            const double along = (cx * dx + cy * dy) / (length * length);
            const double across = std::abs(cx * dy - cy * dx) / length;
            if (along >= 0 && along <= 1 && across <= lineWidth / 2.0)
                pixels.emplace(x, y);
        }
    return pixels;
}

Pixels box(int xFirst, int yFirst, int xLast, int yLast)
{
    Pixels pixels;
    for (int y = yFirst; y <= yLast; ++y)
        for (int x = xFirst; x <= xLast; ++x)
            pixels.emplace(x, y);
    return pixels;
}

} // namespace

TEST(LinePlotter, StraightLinesCoverTheirWidthAndLengthExactly)
{
    // Butt ends: the pixels between the end points, half the width on either side of the line.
    EXPECT_EQ(plotted(2, 5, 12, 5), box(2, 4, 11, 5));
    EXPECT_EQ(plotted(12, 5, 2, 5), box(2, 4, 11, 5));
    EXPECT_EQ(plotted(5, 2, 5, 12), box(4, 2, 5, 11));
    EXPECT_EQ(plotted(5, 2, 5, 12, 3), box(3, 2, 5, 11)); // sides on pixel centres: still 3 wide
    EXPECT_EQ(plotted(12, 5, 2, 5, 3), box(2, 4, 11, 6));
    EXPECT_EQ(plotted(5, 2, 5, 12, 4), box(3, 2, 6, 11));
    EXPECT_TRUE(plotted(7, 7, 7, 7).empty()); // no length, no line
}

TEST(LinePlotter, SlopedLinesInEveryOctantFollowThePixelCentreRule)
{
    // Steep, diagonal and shallow lines leaving one point in all eight octants.
    const int steps[][2] = {{40, 3},  {40, 17}, {25, 25}, {17, 40}, {3, 40},  {-3, 40},  {-17, 40}, {-25, 25},
                            {-40, 17}, {-40, 3}, {-40, -3}, {-40, -17}, {-25, -25}, {-17, -40}, {-3, -40},
                            {3, -40}, {17, -40}, {25, -25}, {40, -17}, {40, -3}};
    for (const auto& step : steps) {
        const int x2 = 50 + step[0];
        const int y2 = 30 + step[1] * 3 / 4;
        SCOPED_TRACE(testing::Message() << "to " << x2 << "," << y2);
        const Pixels line = plotted(50, 30, x2, y2);
        EXPECT_EQ(line, reference(50, 30, x2, y2));
        EXPECT_EQ(line, plotted(x2, y2, 50, 30)); // direction does not matter
        EXPECT_TRUE(line.count({50, 30}) || line.count({49, 29}) || line.count({49, 30}) || line.count({50, 29}));
    }
}

TEST(LinePlotter, ClipsToTheAreaAndSkipsLinesOutsideIt)
{
    EXPECT_EQ(plotted(-50, -40, 150, 90), reference(-50, -40, 150, 90));
    EXPECT_EQ(plotted(-30, 70, 130, -20), reference(-30, 70, 130, -20));
    EXPECT_TRUE(plotted(-20, 10, -2, 50).empty());
    EXPECT_TRUE(plotted(10, kPlotHeight + 1, 90, kPlotHeight + 40).empty());
    // A line on the border keeps the half of its stroke inside the area.
    EXPECT_EQ(plotted(0, 10, 0, 20), box(0, 10, 0, 19));
    // Ends far outside the area, as unclamped pixel positions of long transitions are.
    EXPECT_EQ(plotted(-2000000000, 10, 2000000000, 10), box(0, 9, kPlotWidth - 1, 10));
    EXPECT_EQ(plotted(-1000000, 0, 1000000, kPlotHeight), reference(-1000000, 0, 1000000, kPlotHeight));
}
