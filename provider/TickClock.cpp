#include "provider/TickClock.h"

#include <limits>

namespace velmora_1_0 {

namespace {

constexpr std::uint64_t NANOS_PER_SECOND = 1000000000ull;
constexpr long double TWO_POW_63 = 9223372036854775808.0L;
constexpr long double TWO_POW_64 = 18446744073709551616.0L;

// Truncates toward zero; values of 2^63 and above keep their top bit, values past the range
// saturate instead of being undefined.
std::uint64_t toUnsigned(long double x)
{
    if (!(x > 0.0L))
        return 0;
    if (x >= TWO_POW_64)
        return std::numeric_limits<std::uint64_t>::max();
    if (x >= TWO_POW_63)
        return static_cast<std::uint64_t>(x - TWO_POW_63) | (1ull << 63);
    return static_cast<std::uint64_t>(x);
}

} // namespace

std::uint64_t TickClock::nanoseconds(std::uint64_t ticks) const
{
    if (m_frequency == 0)
        return 0;
    const std::uint64_t difference = ticks - m_origin;
    if (static_cast<long double>(difference) * NANOS_PER_SECOND <= LIMIT)
        return difference * NANOS_PER_SECOND / m_frequency;
    return toUnsigned(static_cast<long double>(difference) * NANOS_PER_SECOND / m_frequency);
}

std::uint64_t TickClock::ticks(std::uint64_t nanoseconds) const
{
    if (nanoseconds == 0)
        return m_origin;
    // Nanoseconds enter the product as a signed value, as the control's callers expect.
    const long double product =
        static_cast<long double>(m_frequency) * static_cast<long double>(static_cast<std::int64_t>(nanoseconds));
    if (product <= LIMIT) {
        const std::uint64_t quotient = m_frequency * nanoseconds / NANOS_PER_SECOND;
        if (quotient <= std::numeric_limits<std::uint64_t>::max() - m_origin)
            return m_origin + quotient;
    }
    return toUnsigned(static_cast<long double>(m_origin) + product / NANOS_PER_SECOND);
}

} // namespace velmora_1_0
