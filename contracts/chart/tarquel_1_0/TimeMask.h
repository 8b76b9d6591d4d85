#pragma once
// The time a time filter keeps. Without a time filter everything is kept; with one, only the
// kept spans show data, and every graph masks the rest, whatever kind of layer drew there (the
// data reads are not filtered by time, so a view that only trusted them would show a filter
// that seems to do nothing). A plain value, built by the host from its global filter.
#include <chart_export.h>

#include <cstdint>
#include <utility>
#include <vector>

namespace tarquel_1_0 {

class Ruler;

class TARQUEL_API TimeMask {
public:
    // Nanoseconds from the start of the data, end excluded.
    struct Span {
        std::uint64_t start = 0;
        std::uint64_t end = 0;
    };

    // Keeps everything.
    TimeMask() = default;
    // A time filter keeping `kept` (any order, may overlap; an empty list keeps nothing).
    explicit TimeMask(std::vector<Span> kept);

    bool isActive() const { return m_active; }
    const std::vector<Span>& getKept() const { return m_kept; }
    // Whether [start, end) overlaps what is kept (an instant when start == end).
    bool keeps(std::uint64_t start, std::uint64_t end) const;
    // Whether any kept time falls in column x of the ruler's view.
    bool keepsColumn(const Ruler& ruler, int x) const;
    // Runs of columns [first, last] of the ruler's view, within [0, width), in which no kept
    // time falls; ascending.
    std::vector<std::pair<int, int>> excludedColumns(const Ruler& ruler, int width) const;

    bool operator==(const TimeMask& other) const;
    bool operator!=(const TimeMask& other) const { return !(*this == other); }

private:
    bool m_active = false;
    std::vector<Span> m_kept; // sorted, disjoint, non-empty spans
};

} // namespace tarquel_1_0
