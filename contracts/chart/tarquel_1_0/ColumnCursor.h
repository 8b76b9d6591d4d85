#pragma once
// Pixel columns of a run of times that mostly rise, as Ruler::xFromTime(time, true) gives them,
// for drawing code that maps a row's sorted starts: the column found last is kept with its bounds,
// so a time in it or in the next one costs a multiplication and two comparisons instead of a
// conversion. Any time may come, in any order; only the cost differs.
//
// Holds the ruler's view as it was when made: make one per pass over the data, on one thread.
#include <chart_export.h>

#include <cstdint>

namespace tarquel_1_0 {

class Ruler;

class TARQUEL_API ColumnCursor {
public:
    explicit ColumnCursor(const Ruler& ruler);

    int column(std::uint64_t time)
    {
        // The column x of a time is floor(offset * width / span): x * span <= offset * width <
        // (x + 1) * span, which the bounds below hold for the column found last.
        const __int128 scaled = (static_cast<__int128>(time) - m_start) * m_width;
        if (scaled >= m_low && scaled < m_high)
            return m_column;
        return seek(time, scaled);
    }

private:
    int seek(std::uint64_t time, __int128 scaled);
    void settle(int column);

    const Ruler& m_ruler;
    __int128 m_start;
    __int128 m_width;
    __int128 m_span;
    int m_first; // the columns xFromTime gives with limited
    int m_last;
    int m_column;
    __int128 m_low; // the scaled offsets of m_column: [m_low, m_high)
    __int128 m_high;
};

} // namespace tarquel_1_0
