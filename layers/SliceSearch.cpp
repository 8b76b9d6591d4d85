#include "layers/SliceSearch.h"

#include "provider/NameFilter.h"

#include <algorithm>

namespace velmora_1_0 {

std::vector<SliceSearch::Match> SliceSearch::find(const std::vector<std::shared_ptr<const SliceRow>>& rows,
                                                  const std::wstring& text, const std::atomic<bool>& canceled)
{
    std::vector<Match> matches;
    if (text.empty())
        return matches;
    const NameFilter filter(text);
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        if (canceled)
            return {};
        const SliceRow* slices = rows[row].get();
        if (!slices)
            continue;
        // Names repeat: each distinct name is tested once.
        std::vector<signed char> nameMatches;
        for (int index = 0; index < static_cast<int>(slices->slices().size()); ++index) {
            const SliceRow::Slice& slice = slices->slices()[index];
            if (slice.name < 0)
                continue;
            if (static_cast<std::size_t>(slice.name) >= nameMatches.size())
                nameMatches.resize(static_cast<std::size_t>(slice.name) + 1, -1);
            signed char& known = nameMatches[static_cast<std::size_t>(slice.name)];
            if (known < 0)
                known = filter.matches(slices->name(slice)) ? 1 : 0;
            if (known == 1)
                matches.push_back({row, index, slice.startTime, slice.endTime});
        }
    }
    std::stable_sort(matches.begin(), matches.end(),
                     [](const Match& a, const Match& b) { return a.startTime < b.startTime; });
    return matches;
}

} // namespace velmora_1_0
