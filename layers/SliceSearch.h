#pragma once
// Finds the slices whose names contain a text, ignoring case, across every row of a snapshot of
// the slice layer. Plain and thread-agnostic: the host runs it on a worker with a cancel flag
// and hands the matches back to the window. Matches come in time order (then row order), which
// is the order Enter walks them in.
#include "layers/SliceLayer.h"

#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace velmora_1_0 {

class VELMORA_API SliceSearch {
public:
    struct Match {
        int row = -1;
        int slice = -1;
        std::uint64_t startTime = 0;
        std::uint64_t endTime = 0;
    };

    // Empty when `text` is empty or `canceled` turned true meanwhile.
    static std::vector<Match> find(const std::vector<std::shared_ptr<const SliceRow>>& rows, const std::wstring& text,
                                   const std::atomic<bool>& canceled);
};

} // namespace velmora_1_0
