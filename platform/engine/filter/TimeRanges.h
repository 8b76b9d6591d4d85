#pragma once
// TimeRanges: the ticks a set of filters lets through, as sorted, disjoint, non-adjacent
// intervals with included ends. Each filter contributes the union of its time items; several
// filters intersect. A set built from filters without time items is unrestricted. Used by the
// evaluation to test and clip data intervals; immutable after construction, so worker threads
// share it freely.

#include <dd_sarvik_2_2/filter/dd_time_filter.h>

#include <cstdint>
#include <utility>
#include <vector>

namespace dd_sarvik_2_2 {

class TimeRanges {
public:
    /// Pieces of data time, [first, second); first == second is an instant.
    using Spans = std::vector<std::pair<std::uint64_t, std::uint64_t>>;

    /// Unrestricted: every tick passes.
    TimeRanges() = default;

    /// Restricts the current set to the union of `items`; an empty list leaves it unchanged
    /// (a filter without time items does not restrict time).
    void intersectWith(const std::vector<dd_time_filter>& items);

    bool isRestricted() const { return m_restricted; }
    const std::vector<dd_time_filter>& ranges() const { return m_ranges; }

    /// Whether data spanning [start, end) touches a range; an instant (start == end) passes
    /// when it lies inside one.
    bool overlaps(std::uint64_t start, std::uint64_t end) const;

    /// Appends the parts of [start, end) inside the ranges, in order; an instant that passes is
    /// appended as itself.
    void clip(std::uint64_t start, std::uint64_t end, Spans& out) const;
    /// The ranges as half-open pieces; a range ending at the last tick loses that tick.
    Spans halfOpen() const;

private:
    static std::vector<dd_time_filter> normalized(std::vector<dd_time_filter> items);

    bool m_restricted = false;
    std::vector<dd_time_filter> m_ranges;   // sorted, disjoint, gaps of at least one tick
};

}  // namespace dd_sarvik_2_2
