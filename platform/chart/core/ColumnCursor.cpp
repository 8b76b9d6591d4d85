#include <tarquel_1_0/ColumnCursor.h>

#include <tarquel_1_0/Ruler.h>

#include <cmath>

namespace tarquel_1_0 {

namespace {

// Beyond every scaled offset of a 64-bit time at any width.
constexpr __int128 kFarScaled = static_cast<__int128>(1) << 100;
// Columns a cursor steps through before it estimates: a row's sorted times mostly move this
// little.
constexpr int kSteps = 8;

} // namespace

ColumnCursor::ColumnCursor(const Ruler& ruler)
    : m_start(ruler.getStart().GetValue()),
      m_width(ruler.getPixelWidth()),
      m_start64(static_cast<std::int64_t>(ruler.getStart().GetValue())),
      m_width64(ruler.getPixelWidth()),
      m_startBelowHalf(ruler.getStart().GetValue() < kHalf),
      m_span(static_cast<__int128>(ruler.getEnd().GetValue() - ruler.getStart().GetValue()) + 1),
      m_columnsPerNs(static_cast<double>(ruler.getPixelWidth()) /
                     (static_cast<double>(ruler.getEnd().GetValue() - ruler.getStart().GetValue()) + 1.0)),
      m_first(-Ruler::LIMIT_PIXELS),
      m_last(ruler.getPixelWidth() + Ruler::LIMIT_PIXELS)
{
    settle(0);
}

int ColumnCursor::seek(std::uint64_t time, __int128 scaled)
{
    // A few columns on: each one's bounds follow from the last by an addition.
    for (int step = 0; step < kSteps && scaled >= m_high; ++step) {
        ++m_column;
        m_low = m_high;
        m_high = m_column >= m_last ? kFarScaled : m_high + m_span;
    }
    if (scaled >= m_low && scaled < m_high)
        return m_column;
    // Else a floating estimate lands within a column of the answer, and the bounds settle it.
    const double distance = time < kHalf && m_startBelowHalf
                                ? static_cast<double>(static_cast<std::int64_t>(time) - m_start64)
                                : static_cast<double>(static_cast<__int128>(time) - m_start);
    const double estimate = std::floor(distance * m_columnsPerNs);
    settle(estimate <= m_first ? m_first : estimate >= m_last ? m_last : static_cast<int>(estimate));
    while (scaled < m_low)
        settle(m_column - 1);
    while (scaled >= m_high)
        settle(m_column + 1);
    return m_column;
}

void ColumnCursor::settle(int column)
{
    m_column = column;
    // The clamped end columns take every offset beyond them.
    m_low = column <= m_first ? -kFarScaled : static_cast<__int128>(column) * m_span;
    m_high = column >= m_last ? kFarScaled : column <= m_first ? m_span * (column + 1) : m_low + m_span;
}

} // namespace tarquel_1_0
