#include "filter/TimeRanges.h"

#include <algorithm>
#include <limits>

namespace dd_sarvik_2_2 {

namespace {

constexpr std::uint64_t lastTick = std::numeric_limits<std::uint64_t>::max();

// The first range whose end is at or after `tick`.
std::vector<dd_time_filter>::const_iterator firstEndingAtOrAfter(
    const std::vector<dd_time_filter>& ranges, std::uint64_t tick)
{
    return std::lower_bound(ranges.begin(), ranges.end(), tick,
                            [](const dd_time_filter& r, std::uint64_t t) { return r.end < t; });
}

}  // namespace

std::vector<dd_time_filter> TimeRanges::normalized(std::vector<dd_time_filter> items)
{
    for (auto& item : items) {
        if (item.end < item.start)
            std::swap(item.start, item.end);
    }
    std::sort(items.begin(), items.end(),
              [](const dd_time_filter& a, const dd_time_filter& b) { return a.start < b.start; });
    std::vector<dd_time_filter> merged;
    for (const auto& item : items) {
        // Adjacent ranges ([0, 4] and [5, 9]) merge too: together they cover every tick.
        if (!merged.empty() && (merged.back().end == lastTick || item.start <= merged.back().end + 1))
            merged.back().end = std::max(merged.back().end, item.end);
        else
            merged.push_back(item);
    }
    return merged;
}

void TimeRanges::intersectWith(const std::vector<dd_time_filter>& items)
{
    if (items.empty())
        return;
    auto incoming = normalized(items);
    if (!m_restricted) {
        m_restricted = true;
        m_ranges = std::move(incoming);
        return;
    }
    std::vector<dd_time_filter> result;
    auto a = m_ranges.begin();
    auto b = incoming.begin();
    while (a != m_ranges.end() && b != incoming.end()) {
        const std::uint64_t start = std::max(a->start, b->start);
        const std::uint64_t end = std::min(a->end, b->end);
        if (start <= end)
            result.emplace_back(start, end);
        if (a->end < b->end)
            ++a;
        else
            ++b;
    }
    m_ranges = std::move(result);
}

bool TimeRanges::overlaps(std::uint64_t start, std::uint64_t end) const
{
    if (!m_restricted)
        return true;
    const auto it = firstEndingAtOrAfter(m_ranges, start);
    if (it == m_ranges.end())
        return false;
    // [start, end) reaches the range when the range starts before `end`; an instant must lie in it.
    return end > start ? it->start < end : it->start <= start;
}

void TimeRanges::clip(std::uint64_t start, std::uint64_t end, Spans& out) const
{
    if (!m_restricted || end <= start) {
        if (overlaps(start, end))
            out.emplace_back(start, end);
        return;
    }
    for (auto it = firstEndingAtOrAfter(m_ranges, start); it != m_ranges.end() && it->start < end; ++it) {
        const std::uint64_t pieceEnd = it->end == lastTick ? end : std::min(end, it->end + 1);
        out.emplace_back(std::max(start, it->start), pieceEnd);
    }
}

TimeRanges::Spans TimeRanges::halfOpen() const
{
    Spans spans;
    spans.reserve(m_ranges.size());
    for (const auto& range : m_ranges)
        spans.emplace_back(range.start, range.end == lastTick ? lastTick : range.end + 1);
    return spans;
}

}  // namespace dd_sarvik_2_2
