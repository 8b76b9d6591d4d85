#pragma once
// Pixel columns of a run of times that mostly rise, as Ruler::xFromTime(time, true) gives them,
// for drawing code that maps a row's sorted starts: the column found last is kept with its first
// and end times, so a time in it costs two comparisons, and one a few columns on a comparison per
// column more. Any time may come, in any order; a far one costs a search of the edges, and one
// outside them the ruler's own conversion. endColumn gives the column of a span's end from where
// its start left the cursor, without moving it.
//
// Walks a ColumnEdges that outlives it: make one per row or pass, on one thread. Inline: drawing
// code asks for millions of columns a frame.
#include <tarquel_1_0/ColumnEdges.h>

#include <cstdint>

namespace tarquel_1_0 {

class ColumnCursor {
public:
    explicit ColumnCursor(const ColumnEdges& edges) : m_edges(&edges) {}

    int column(std::uint64_t time)
    {
        if (time >= m_low && time < m_high)
            return m_column;
        int index = m_index;
        if (index < 0 || time < m_low || !stepTo(time, index)) {
            if (!m_edges->holds(time)) {
                m_index = -1;
                m_low = 1;
                m_high = 0;
                return m_edges->outside(time);
            }
            index = m_edges->indexOf(time);
        }
        m_index = index;
        m_low = m_edges->edge(index);
        m_high = m_edges->edge(index + 1);
        m_column = m_edges->firstColumn() + index;
        return m_column;
    }

    // The column of any time, found from where the last column() left the cursor, which stays:
    // for the end of a span whose start was asked last.
    int endColumn(std::uint64_t time) const
    {
        if (time >= m_low && time < m_high)
            return m_column;
        int index = m_index;
        if (index >= 0 && time >= m_low && stepTo(time, index))
            return m_edges->firstColumn() + index;
        return m_edges->holds(time) ? m_edges->firstColumn() + m_edges->indexOf(time) : m_edges->outside(time);
    }

private:
    // Columns stepped through before a search: a row's sorted times mostly move this little.
    static constexpr int kSteps = 8;

    // Moves `index` on to the column of a time at or after its start, within kSteps columns and
    // the edges; false when that does not reach it.
    bool stepTo(std::uint64_t time, int& index) const
    {
        const int last = m_edges->columns() - 1;
        for (int step = 0; step <= kSteps && index <= last; ++step, ++index)
            if (time < m_edges->edge(index + 1))
                return true;
        return false;
    }

    const ColumnEdges* m_edges;
    int m_index = -1; // of the column found last in the edges; -1: none
    int m_column = 0;
    // The times of m_column, [m_low, m_high); empty while the last time lay outside the edges.
    std::uint64_t m_low = 1;
    std::uint64_t m_high = 0;
};

} // namespace tarquel_1_0
