#pragma once
// Converts between the engine's ticks and the control's nanoseconds from the result's time
// origin. Products that fit below the largest double under 2^64 take the exact integer path;
// larger ones go through extended-precision floating point, so neither path overflows.
// A plain value made from the result's time base wherever a conversion is needed.
#include <cstdint>

namespace velmora_1_0 {

class TickClock {
public:
    // The largest double below 2^64: the bound of the integer paths.
    static constexpr long double LIMIT = 18446744073709549568.0L;

    TickClock(std::uint64_t origin, std::uint64_t frequency) : m_origin(origin), m_frequency(frequency) {}

    std::uint64_t nanoseconds(std::uint64_t ticks) const;
    std::uint64_t ticks(std::uint64_t nanoseconds) const;

private:
    std::uint64_t m_origin;
    std::uint64_t m_frequency; // ticks per second
};

} // namespace velmora_1_0
