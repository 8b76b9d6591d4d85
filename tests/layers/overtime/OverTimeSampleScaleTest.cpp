#include "layers/OverTimeSampleScale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using velmora_1_0::OverTimeSampleScale;

TEST(OverTimeSampleScale, ShareOfScaleTruncatedWithOnePixelMinimum)
{
    const OverTimeSampleScale scale(10.0, 17);
    EXPECT_EQ(scale.height(0.0), 0);
    EXPECT_EQ(scale.height(10.0), 17);
    EXPECT_EQ(scale.height(5.0), 8); // 8.5 truncated
    EXPECT_EQ(scale.height(0.0001), 1);
    EXPECT_EQ(scale.height(-3.0), 1);
    EXPECT_EQ(scale.height(-1e9), 1);
}

TEST(OverTimeSampleScale, NeverRisesAboveTheRow)
{
    EXPECT_EQ(OverTimeSampleScale(10.0, 17).height(30.0), 17);
    // No scale (a row without a maximum): any positive sample is full height, never infinite.
    EXPECT_EQ(OverTimeSampleScale(0.0, 17).height(2.0), 17);
    EXPECT_EQ(OverTimeSampleScale(0.0, 17).height(-2.0), 1);
    EXPECT_EQ(OverTimeSampleScale(10.0, 17).height(std::numeric_limits<double>::quiet_NaN()), 1);
    // A row too small to hold a bar still shows non-zero samples.
    EXPECT_EQ(OverTimeSampleScale(10.0, 0).height(10.0), 1);
}
