#include "layers/OverTimeSampleScale.h"

#include <gtest/gtest.h>

#include <limits>

TEST(OverTimeSampleScale, ShareOfTheScaleTruncatedBetweenOnePixelAndTheRow)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double scale;
        int available;
        double value;
        int height;
    } cases[] = {
        {10.0, 17, 0.0, 0},   {10.0, 17, 10.0, 17}, {10.0, 17, 5.0, 8}, // 8.5 truncated
        {10.0, 17, 1e-4, 1},  {10.0, 17, -3.0, 1},  {10.0, 17, -1e9, 1}, {10.0, 17, nan, 1},
        {10.0, 17, 30.0, 17}, // above the scale: stops at the row top
        {0.0, 17, 2.0, 17},   {0.0, 17, -2.0, 1},   // no scale: full height, never infinite
        {10.0, 0, 10.0, 1},   // a row too small for a bar still shows non-zero samples
    };
    for (const auto& c : cases)
        EXPECT_EQ(velmora_1_0::OverTimeSampleScale(c.scale, c.available).height(c.value), c.height)
            << c.value << " of " << c.scale << " in " << c.available;
}
