#pragma once
// What the slices of some rows did within a time range: per name, how many slices overlap the
// range, their time inside it (total) and the part of that not spent in their children (self),
// sorted by total, largest first. Plain and thread-agnostic, like SliceSearch: a worker may run
// it over a snapshot of the slice layer's rows.
#include "layers/SliceRow.h"
#include <VelmoraExport.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace velmora_1_0 {

class VELMORA_API SliceRangeStats {
public:
    struct Entry {
        std::wstring name;
        int count = 0;
        std::uint64_t total = 0;
        std::uint64_t self = 0;
    };

    // Over [start, end) of the rows listed in `rows` (data rows; all when empty). Empty when
    // `canceled` turned true meanwhile.
    static std::vector<Entry> compute(const std::vector<std::shared_ptr<const SliceRow>>& slices,
                                      const std::vector<int>& rows, std::uint64_t start, std::uint64_t end,
                                      const std::atomic<bool>& canceled);
};

} // namespace velmora_1_0
