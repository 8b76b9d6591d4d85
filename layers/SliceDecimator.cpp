#include "layers/SliceDecimator.h"

#include <algorithm>
#include <cmath>

namespace velmora_1_0 {

SliceDecimator::SliceDecimator(const Mapping& mapping) : m_map(mapping)
{
    if (!(m_map.nsPerPixel > 0.0))
        m_map.nsPerPixel = 1.0;
}

int SliceDecimator::column(std::uint64_t time) const
{
    const double x = std::floor((static_cast<double>(time) - m_map.start) / m_map.nsPerPixel);
    return static_cast<int>(std::clamp(x, -1.0, static_cast<double>(m_map.width)));
}

double SliceDecimator::columnStart(int x) const
{
    return m_map.start + x * m_map.nsPerPixel;
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
        const int x1 = column(slice.startTime);
        if (x1 >= m_map.width)
            break;
        const int x2 = column(slice.endTime);
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
            int next = firstFrom(i, columnStart(c + 1));
            // The last slice starting in column c may reach past it: it is a box of its own.
            if (next - 1 > i && column(slices[lane[next - 1]].endTime) > c)
                --next;
            run.count += next - i;
            i = next;
            if (i >= count)
                break;
            const SarvikProvider::Slice& following = slices[lane[i]];
            const int fx1 = column(following.startTime);
            if (fx1 != c + 1 || column(following.endTime) != fx1 || fx1 >= m_map.width)
                break;
            c = fx1;
        }
        run.x2 = c;
        out.push_back(run);
    }
}

} // namespace velmora_1_0
