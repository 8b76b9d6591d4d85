#include <tarquel_1_0/ColumnEdges.h>

#include <tarquel_1_0/Ruler.h>

#include <algorithm>
#include <limits>

namespace tarquel_1_0 {

ColumnEdges::ColumnEdges(const Ruler& ruler) : m_ruler(ruler)
{
    const int width = ruler.getPixelWidth();
    if (width <= 0)
        return;
    // Column c begins at start + ceil(c * span / width): the first time whose
    // floor(offset * width / span) reaches c. The numerators step by span from column to column,
    // so each ceiling follows from the last by additions: quotient q and remainder r with
    // c * span = q * width - r, 0 <= r < width.
    const std::uint64_t start = ruler.getStart().GetValue();
    const __int128 span = static_cast<__int128>(ruler.getEnd().GetValue() - start) + 1;
    m_firstColumn = std::max(-REACH, -Ruler::LIMIT_PIXELS);
    const int lastColumn = std::min(width + REACH, width + Ruler::LIMIT_PIXELS);
    const __int128 step = span / width;
    const __int128 stepRest = span % width;
    const __int128 numerator = static_cast<__int128>(m_firstColumn) * span; // below 0: rounds to 0
    __int128 quotient = numerator / width;
    __int128 rest = quotient * width - numerator; // 0 or above for a numerator of 0 or below
    if (numerator > 0 && rest < 0) {
        ++quotient;
        rest += width;
    }
    constexpr __int128 kLast = std::numeric_limits<std::uint64_t>::max();
    m_edges.reserve(static_cast<size_t>(lastColumn - m_firstColumn + 2));
    for (int column = m_firstColumn; column <= lastColumn + 1; ++column) {
        const __int128 time = static_cast<__int128>(start) + quotient;
        m_edges.push_back(static_cast<std::uint64_t>(std::clamp<__int128>(time, 0, kLast)));
        quotient += step;
        rest -= stepRest;
        if (rest < 0) {
            ++quotient;
            rest += width;
        }
    }
}

int ColumnEdges::indexOf(std::uint64_t time) const
{
    return static_cast<int>(std::upper_bound(m_edges.begin(), m_edges.end(), time) - m_edges.begin()) - 1;
}

int ColumnEdges::outside(std::uint64_t time) const
{
    return m_ruler.xFromTime(time, true);
}

} // namespace tarquel_1_0
