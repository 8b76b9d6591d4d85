#include "TimeWindow.h"

#include <algorithm>
#include <cmath>

namespace tarquel_1_0 {

namespace {
// Places a window of `span` so that it starts near `start` and lies inside [0, limit].
TimeWindow fitted(long double start, long double span, std::uint64_t limit)
{
    const long double top = static_cast<long double>(limit);
    span = std::clamp(span, 1.0L, std::max(top, 1.0L));
    start = std::clamp(start, 0.0L, std::max(top - span, 0.0L));
    const auto first = static_cast<std::uint64_t>(std::llround(start));
    const auto last = std::min(limit, first + static_cast<std::uint64_t>(std::llround(span)));
    return {first, last};
}
} // namespace

TimeWindow TimeWindow::zoomedAround(std::uint64_t anchor, double factor, std::uint64_t limit) const
{
    if (end <= start || factor <= 0.0)
        return *this;
    const long double span = static_cast<long double>(end - start);
    const long double a = static_cast<long double>(std::clamp(anchor, start, end));
    const long double newSpan = span * factor;
    // The anchor's share of the old window is kept in the new one.
    const long double newStart = a - (a - static_cast<long double>(start)) * factor;
    return fitted(newStart, newSpan, limit);
}

TimeWindow TimeWindow::panned(double fraction, std::uint64_t limit) const
{
    if (end <= start)
        return *this;
    const long double span = static_cast<long double>(end - start);
    return fitted(static_cast<long double>(start) + span * fraction, span, limit);
}

} // namespace tarquel_1_0
