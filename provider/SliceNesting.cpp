#include "provider/SliceNesting.h"

#include <algorithm>

namespace velmora_1_0 {

int SliceNesting::assign(std::vector<SarvikProvider::Slice>& slices)
{
    using Slice = SarvikProvider::Slice;
    std::stable_sort(slices.begin(), slices.end(), [](const Slice& a, const Slice& b) {
        return a.startTime != b.startTime ? a.startTime < b.startTime : a.endTime > b.endTime;
    });
    std::vector<int> open; // indices of the enclosing chain, outermost first
    int lanes = 0;
    for (int index = 0; index < static_cast<int>(slices.size()); ++index) {
        Slice& slice = slices[index];
        // Slices ended by now leave the chain.
        while (!open.empty() && slices[open.back()].endTime <= slice.startTime)
            open.pop_back();
        slice.depth = static_cast<int>(open.size());
        slice.parent = open.empty() ? -1 : open.back();
        slice.selfTime = slice.endTime - slice.startTime;
        if (slice.parent != -1) {
            // A child that outlives its parent takes only the part inside it.
            Slice& parent = slices[slice.parent];
            const std::uint64_t inside = std::min(slice.endTime, parent.endTime) - slice.startTime;
            parent.selfTime -= std::min(inside, parent.selfTime);
        }
        open.push_back(index);
        lanes = std::max(lanes, slice.depth + 1);
    }
    return lanes;
}

} // namespace velmora_1_0
