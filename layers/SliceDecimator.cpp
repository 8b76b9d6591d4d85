#include "layers/SliceDecimator.h"

#include <algorithm>

namespace velmora_1_0 {
namespace {

// floor((t - start) / nsPerPixel) clamped to -1 .. width. Inline, and with the floor and clamp
// as two tests: a lane of narrow slices asks for three columns per column it walks.
inline int columnOf(const SliceDecimator::Mapping& map, std::uint64_t time)
{
    const double x = (static_cast<double>(time) - map.start) / map.nsPerPixel;
    if (x < 0.0)
        return -1;
    return x >= map.width ? map.width : static_cast<int>(x);
}

inline double startOfColumn(const SliceDecimator::Mapping& map, int x)
{
    return map.start + x * map.nsPerPixel;
}

} // namespace

SliceDecimator::SliceDecimator(const Mapping& mapping) : m_map(mapping)
{
    if (!(m_map.nsPerPixel > 0.0))
        m_map.nsPerPixel = 1.0;
}

int SliceDecimator::column(std::uint64_t time) const
{
    return columnOf(m_map, time);
}

double SliceDecimator::columnStart(int x) const
{
    return startOfColumn(m_map, x);
}

void SliceDecimator::choose(const std::vector<SarvikProvider::Slice>& slices, const std::vector<int>& lane,
                            std::vector<Box>& out) const
{
    if (m_map.width <= 0)
        return;
    const auto startOf = [&](int entry) { return static_cast<double>(slices[lane[entry]].startTime); };
    const int count = static_cast<int>(lane.size());
    // Slices of a lane do not overlap, so their ends rise with their starts.
    int i = static_cast<int>(std::partition_point(lane.begin(), lane.end(),
                                                  [&](int index) {
                                                      return static_cast<double>(slices[index].endTime) <=
                                                             m_map.start;
                                                  }) -
                             lane.begin());
    // First entry at or after `from` starting at or after time t. Galloping first: the next
    // column's first slice is mostly a few entries on, where a search of the whole lane would
    // take its full depth every time.
    const auto firstFrom = [&](int from, double t) {
        int low = from;
        int high = from;
        for (int step = 1; high < count && startOf(high) < t; step *= 2) {
            low = high + 1;
            high = from + step;
        }
        high = std::min(high, count);
        while (low < high) {
            const int mid = low + (high - low) / 2;
            if (startOf(mid) < t)
                low = mid + 1;
            else
                high = mid;
        }
        return low;
    };
    while (i < count) {
        const SarvikProvider::Slice& slice = slices[lane[i]];
        const int x1 = columnOf(m_map, slice.startTime);
        if (x1 >= m_map.width)
            break;
        const int x2 = columnOf(m_map, slice.endTime);
        if (x2 > x1) {
            out.push_back({x1, x2, i, 1});
            ++i;
            continue;
        }
        // A run of narrow slices, one column at a time; each step takes at least the slice that
        // opened the column.
        Box run{x1, x1, i, 0};
        int c = x1;
        for (;;) {
            int next = firstFrom(i, startOfColumn(m_map, c + 1));
            // The last slice starting in column c may reach past it: it is a box of its own.
            if (next - 1 > i && columnOf(m_map, slices[lane[next - 1]].endTime) > c)
                --next;
            run.count += next - i;
            i = next;
            if (i >= count)
                break;
            const SarvikProvider::Slice& following = slices[lane[i]];
            const int fx1 = columnOf(m_map, following.startTime);
            if (fx1 != c + 1 || columnOf(m_map, following.endTime) != fx1 || fx1 >= m_map.width)
                break;
            c = fx1;
        }
        run.x2 = c;
        out.push_back(run);
    }
}

} // namespace velmora_1_0
