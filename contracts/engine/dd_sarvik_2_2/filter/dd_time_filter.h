#pragma once
// dd_time_filter: one time item of a filter, a tick interval with both ends included, so that the
// complement of a selected range [a, b] is written as [0, a - 1] and [b + 1, end] without gaps.
// Plain value; filters keep lists of them (see dd_filter).

#include <cstdint>

namespace dd_sarvik_2_2 {

struct dd_time_filter {
    std::uint64_t start = 0;
    std::uint64_t end = 0;   // included

    dd_time_filter() = default;
    dd_time_filter(std::uint64_t startTick, std::uint64_t endTick) : start(startTick), end(endTick) {}

    bool operator==(const dd_time_filter& other) const
    {
        return start == other.start && end == other.end;
    }
    bool operator!=(const dd_time_filter& other) const { return !(*this == other); }
};

}  // namespace dd_sarvik_2_2
