#include <tarquel_1_0/ColumnCursor.h>

#include <tarquel_1_0/Ruler.h>

namespace tarquel_1_0 {

namespace {

// Beyond every scaled offset of a 64-bit time at any width.
constexpr __int128 kFarScaled = static_cast<__int128>(1) << 100;
// A run of sorted times skips a few columns at a time; farther steps cost one conversion.
constexpr int kSteps = 4;

} // namespace

ColumnCursor::ColumnCursor(const Ruler& ruler)
    : m_ruler(ruler),
      m_start(ruler.getStart().GetValue()),
      m_width(ruler.getPixelWidth()),
      m_span(static_cast<__int128>(ruler.getEnd().GetValue() - ruler.getStart().GetValue()) + 1),
      m_first(-Ruler::LIMIT_PIXELS),
      m_last(ruler.getPixelWidth() + Ruler::LIMIT_PIXELS)
{
    settle(0);
}

int ColumnCursor::seek(std::uint64_t time, __int128 scaled)
{
    for (int step = 0; step < kSteps && scaled >= m_high; ++step)
        settle(m_column + 1);
    if (scaled < m_low || scaled >= m_high)
        settle(m_ruler.xFromTime(time, true));
    return m_column;
}

void ColumnCursor::settle(int column)
{
    m_column = column;
    // The clamped end columns take every offset beyond them.
    m_low = column <= m_first ? -kFarScaled : static_cast<__int128>(column) * m_span;
    m_high = column >= m_last ? kFarScaled : static_cast<__int128>(column + 1) * m_span;
}

} // namespace tarquel_1_0
