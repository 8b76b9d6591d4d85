#pragma once
// Pixel columns of a run of times that mostly rise, as Ruler::xFromTime(time, true) gives them,
// for drawing code that maps a row's sorted starts: the column found last is kept with its bounds,
// so a time in it costs a multiplication and two comparisons, and one a few columns on an addition
// per column more. Any time may come, in any order; a far one costs a floating estimate. A copy
// goes on from where the original stood (an end from its start's column).
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
        // Below 2^63 the offset is a 64-bit difference and the product one multiplication.
        const __int128 scaled =
            time < kHalf && m_startBelowHalf
                ? static_cast<__int128>(static_cast<std::int64_t>(time) - m_start64) * m_width64
                : (static_cast<__int128>(time) - m_start) * m_width;
        if (scaled >= m_low && scaled < m_high)
            return m_column;
        return seek(time, scaled);
    }

private:
    static constexpr std::uint64_t kHalf = std::uint64_t(1) << 63;

    int seek(std::uint64_t time, __int128 scaled);
    void settle(int column);

    __int128 m_start;
    __int128 m_width;
    std::int64_t m_start64;
    std::int64_t m_width64;
    bool m_startBelowHalf;
    __int128 m_span;
    double m_columnsPerNs;
    int m_first; // the columns xFromTime gives with limited
    int m_last;
    int m_column;
    __int128 m_low; // the scaled offsets of m_column: [m_low, m_high)
    __int128 m_high;
};

} // namespace tarquel_1_0
