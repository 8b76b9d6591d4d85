#pragma once
// The first time of each pixel column near the view, as Ruler::xFromTime(time, true) divides the
// time axis, for drawing code that maps many times to columns: with the edges in a table, a time's
// column is a comparison or two (ColumnCursor) instead of a multiplication per time. The table
// reaches REACH columns beyond either end of the view; a time farther out is left to the ruler.
//
// Made once per pass over the data, on the UI thread, from a ruler that stays as it is while the
// table is in use; read-only afterwards, so cursors on several threads may share one.
#include <chart_export.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tarquel_1_0 {

class Ruler;

class TARQUEL_API ColumnEdges {
public:
    // Columns held beyond either end of the view: markers and states reach a little past it.
    static constexpr int REACH = 256;

    explicit ColumnEdges(const Ruler& ruler);

    // Column `firstColumn() + k` holds the times [edge(k), edge(k + 1)) for k < columns(); an edge
    // beyond the 64-bit times is kept as the largest time, one before 0 as 0 (its column is then
    // empty).
    int firstColumn() const { return m_firstColumn; }
    int columns() const { return static_cast<int>(m_edges.size()) - 1; }
    std::uint64_t edge(int k) const { return m_edges[static_cast<std::size_t>(k)]; }
    // True when `time` lies in a column of the table.
    bool holds(std::uint64_t time) const { return !m_edges.empty() && time >= m_edges.front() && time < m_edges.back(); }
    // The k of the column holding `time`, which holds() must hold.
    int indexOf(std::uint64_t time) const;
    // The ruler's column of a time the table does not hold.
    int outside(std::uint64_t time) const;

private:
    const Ruler& m_ruler;
    int m_firstColumn = 0;
    std::vector<std::uint64_t> m_edges; // columns() + 1 rising times; empty for a view of no width
};

} // namespace tarquel_1_0
