#include "layers/TransitionKey.h"

#include <gtest/gtest.h>

using velmora_1_0::TransitionKey;

TEST(TransitionKey, PacksFourSixteenBitFieldsWithNegativesAsTwosComplement)
{
    EXPECT_EQ(TransitionKey::make(1, 2, 3, 4), 0x0004000300020001ULL);
    EXPECT_EQ(TransitionKey::make(-1, 0, 0, 0), 0x000000000000FFFFULL);
    EXPECT_EQ(TransitionKey::make(0, -2, 0, 0), 0x00000000FFFE0000ULL);
    // Every field keeps its place: swapping ends or rows gives another key.
    EXPECT_NE(TransitionKey::make(1, 2, 3, 4), TransitionKey::make(2, 1, 3, 4));
    EXPECT_NE(TransitionKey::make(1, 2, 3, 4), TransitionKey::make(1, 2, 4, 3));
}

TEST(TransitionKey, ClampsColumnsBeyondThirtyTwoThousandPixels)
{
    EXPECT_EQ(TransitionKey::make(40000, -40000, 1, 2), TransitionKey::make(32000, -32000, 1, 2));
    EXPECT_EQ(TransitionKey::make(2000000000, 5, 0, 0), TransitionKey::make(32000, 5, 0, 0));
    EXPECT_NE(TransitionKey::make(31999, 0, 0, 0), TransitionKey::make(32000, 0, 0, 0));
    // Without the clamp 65536 would wrap onto column 0.
    EXPECT_NE(TransitionKey::make(65536, 0, 0, 0), TransitionKey::make(0, 0, 0, 0));
}
