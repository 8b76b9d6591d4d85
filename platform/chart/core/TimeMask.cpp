#include <tarquel_1_0/TimeMask.h>

#include <tarquel_1_0/Ruler.h>

#include <algorithm>

namespace tarquel_1_0 {

TimeMask::TimeMask(std::vector<Span> kept) : m_active(true)
{
    std::sort(kept.begin(), kept.end(), [](const Span& a, const Span& b) { return a.start < b.start; });
    for (const Span& span : kept) {
        if (span.end <= span.start)
            continue;
        if (!m_kept.empty() && span.start <= m_kept.back().end)
            m_kept.back().end = std::max(m_kept.back().end, span.end);
        else
            m_kept.push_back(span);
    }
}

bool TimeMask::keeps(std::uint64_t start, std::uint64_t end) const
{
    if (!m_active)
        return true;
    // The first kept span that ends after `start`.
    const auto it = std::upper_bound(m_kept.begin(), m_kept.end(), start,
                                     [](std::uint64_t time, const Span& span) { return time < span.end; });
    return it != m_kept.end() && (it->start <= start || it->start < end);
}

bool TimeMask::keepsColumn(const Ruler& ruler, int x) const
{
    if (!m_active)
        return true;
    // A column covers [its first time, the next column's); the last one reaches one past it.
    const std::uint64_t start = ruler.timeFromX(x).GetValue();
    const std::uint64_t next = ruler.timeFromX(x + 1).GetValue();
    return keeps(start, std::max(next, start + 1));
}

std::vector<std::pair<int, int>> TimeMask::excludedColumns(const Ruler& ruler, int width) const
{
    std::vector<std::pair<int, int>> runs;
    if (!m_active)
        return runs;
    for (int x = 0; x < width; ++x) {
        if (keepsColumn(ruler, x))
            continue;
        if (!runs.empty() && runs.back().second == x - 1)
            runs.back().second = x;
        else
            runs.emplace_back(x, x);
    }
    return runs;
}

bool TimeMask::operator==(const TimeMask& other) const
{
    return m_active == other.m_active && m_kept.size() == other.m_kept.size() &&
           std::equal(m_kept.begin(), m_kept.end(), other.m_kept.begin(),
                      [](const Span& a, const Span& b) { return a.start == b.start && a.end == b.end; });
}

} // namespace tarquel_1_0
