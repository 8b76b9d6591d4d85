#include "layers/SpanKeySet.h"

#include <gtest/gtest.h>

namespace {

using velmora_1_0::SpanKeySet;

// Spans of one row collide often in their low bits; the set must still tell every key apart,
// keep them across its growth, and forget them all when the next row starts.
TEST(SpanKeySet, KeepsEveryKeyThroughGrowthAndForgetsThemOnClear)
{
    SpanKeySet set;
    for (int round = 0; round < 3; ++round) {
        for (unsigned int x = 0; x < 5000; ++x)
            ASSERT_TRUE(set.insert((x << 16) | (x & 0xFFFFu))) << x;
        ASSERT_TRUE(set.insert(0xFFFFFFFFu));
        for (unsigned int x = 0; x < 5000; ++x)
            ASSERT_FALSE(set.insert((x << 16) | (x & 0xFFFFu))) << x;
        EXPECT_FALSE(set.insert(0xFFFFFFFFu));
        set.clear();
    }
}

} // namespace
