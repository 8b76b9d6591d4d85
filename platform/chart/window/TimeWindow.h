#pragma once
// A visible time range [start, end] in nanoseconds inside [0, limit], and the arithmetic of wheel
// zoom around the pointer and of keyboard panning. Plain values: the windows compute the new
// range here and hand it to the ruler, which keeps the zoom history and its minimum span.
#include <cstdint>

namespace tarquel_1_0 {

struct TimeWindow {
    std::uint64_t start = 0;
    std::uint64_t end = 0;

    // factor < 1 zooms in, > 1 zooms out; `anchor` keeps its relative place in the window.
    TimeWindow zoomedAround(std::uint64_t anchor, double factor, std::uint64_t limit) const;
    // Moves by `fraction` of the span (negative: towards 0), stopping at the limits.
    TimeWindow panned(double fraction, std::uint64_t limit) const;

    bool operator==(const TimeWindow& other) const { return start == other.start && end == other.end; }
};

} // namespace tarquel_1_0
