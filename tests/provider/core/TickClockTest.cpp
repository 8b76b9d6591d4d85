#include "provider/TickClock.h"

#include <gtest/gtest.h>

#include <limits>

namespace velmora_1_0 {
namespace {

constexpr std::uint64_t MAX = std::numeric_limits<std::uint64_t>::max();

TEST(TickClockTest, OriginIsTimeZeroBothWays)
{
    const TickClock clock(123456789, 2400000000ull);
    EXPECT_EQ(clock.ticks(0), 123456789u);
    EXPECT_EQ(clock.nanoseconds(123456789), 0u);
}

TEST(TickClockTest, RoundTripLosesAtMostTheTwoTruncations)
{
    const TickClock clock(5000, 2400000000ull);
    for (const std::uint64_t t : {1ull, 7ull, 999999999ull, 123456789012ull, 3600000000000ull}) {
        const std::uint64_t back = clock.nanoseconds(clock.ticks(t));
        EXPECT_LE(back, t);
        EXPECT_GE(back + 1, t);
    }
}

TEST(TickClockTest, ProductsPastTheLimitTakeTheFloatingPathWithoutOverflow)
{
    const TickClock clock(0, 1000000000ull);
    // 18446744073 * 1e9 is just below the limit, one tick more is past it: both exact.
    EXPECT_EQ(clock.nanoseconds(18446744073ull), 18446744073ull);
    EXPECT_EQ(clock.nanoseconds(18446744074ull), 18446744074ull);
    EXPECT_EQ(clock.nanoseconds(20000000000ull), 20000000000ull);
    EXPECT_EQ(clock.ticks(20000000000ull), 20000000000ull);
}

TEST(TickClockTest, ValuesPastTheRangeSaturate)
{
    // A tick before the origin wraps to a huge difference: converted, not trapped.
    const TickClock clock(1000, 1000000000ull);
    EXPECT_GE(clock.nanoseconds(999), 1ull << 63);
    // An origin so late that origin + ticks would wrap.
    const TickClock late(MAX - 10, 1000000000ull);
    EXPECT_EQ(late.ticks(5), MAX - 5);
    EXPECT_EQ(late.ticks(100), MAX);
}

TEST(TickClockTest, ZeroFrequencyGivesZeroInsteadOfDividing)
{
    EXPECT_EQ(TickClock(0, 0).nanoseconds(12345), 0u);
}

} // namespace
} // namespace velmora_1_0
