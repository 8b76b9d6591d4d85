#include "layers/SliceRangeStats.h"

#include <algorithm>
#include <map>

namespace velmora_1_0 {

namespace {

std::uint64_t inside(const SliceRow::Slice& slice, std::uint64_t start, std::uint64_t end)
{
    const std::uint64_t from = std::max(slice.startTime, start);
    const std::uint64_t to = std::min(slice.endTime, end);
    return to > from ? to - from : 0;
}

} // namespace

std::vector<SliceRangeStats::Entry> SliceRangeStats::compute(const std::vector<std::shared_ptr<const SliceRow>>& slices,
                                                             const std::vector<int>& rows, std::uint64_t start,
                                                             std::uint64_t end, const std::atomic<bool>& canceled)
{
    std::vector<int> chosen = rows;
    if (chosen.empty())
        for (int row = 0; row < static_cast<int>(slices.size()); ++row)
            chosen.push_back(row);
    std::map<std::wstring, Entry> byName;
    for (const int row : chosen) {
        if (canceled)
            return {};
        if (row < 0 || row >= static_cast<int>(slices.size()) || !slices[row])
            continue;
        const SliceRow& data = *slices[row];
        const std::vector<SliceRow::Slice>& list = data.slices();
        // Time of each slice's children inside the range, charged to the parent.
        std::vector<std::uint64_t> childTime(list.size(), 0);
        for (const SliceRow::Slice& slice : list)
            if (slice.parent >= 0) {
                // The part of the child inside both the range and its parent.
                SliceRow::Slice clipped = slice;
                clipped.endTime = std::min(slice.endTime, list[slice.parent].endTime);
                childTime[slice.parent] += inside(clipped, start, end);
            }
        for (std::size_t index = 0; index < list.size(); ++index) {
            const std::uint64_t time = inside(list[index], start, end);
            if (time == 0)
                continue;
            Entry& entry = byName[data.name(list[index])];
            entry.count += 1;
            entry.total += time;
            entry.self += time - std::min(time, childTime[index]);
        }
    }
    std::vector<Entry> entries;
    entries.reserve(byName.size());
    for (auto& [name, entry] : byName) {
        entry.name = name;
        entries.push_back(std::move(entry));
    }
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.total > b.total; });
    return entries;
}

} // namespace velmora_1_0
