#pragma once
// Puts records into (row, start) order in linear time: they arrive in time order, so a stable
// bucketing by row leaves each row sorted; a row that is not (input out of time order) is then
// sorted on its own. `before` orders records of one row (by start, and whatever breaks ties).
#include "HugePages.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace velmora_import {

class RowOrder {
public:
    // `from` (any container read in order, with size()) made into records by `make` (`rowOf`
    // gives each one's row, in [0, rowCount)), in order; the records have `start`. One pass and
    // one allocation, whatever form `from` has.
    template <class Record, class From, class RowOf, class Make, class Before>
    static std::vector<Record> sorted(const From& from, std::size_t rowCount, RowOf rowOf, Make make, Before before)
    {
        std::vector<std::size_t> begin(rowCount + 1, 0);
        for (const auto& item : from)
            ++begin[static_cast<std::size_t>(rowOf(item)) + 1];
        for (std::size_t row = 0; row < rowCount; ++row)
            begin[row + 1] += begin[row];
        std::vector<Record> records;
        HugePages::reserve(records, from.size());
        records.resize(from.size());
        std::vector<std::size_t> next(begin.begin(), begin.end() - 1);
        for (const auto& item : from)
            records[next[static_cast<std::size_t>(rowOf(item))]++] = make(item);
        for (std::size_t row = 0; row < rowCount; ++row) {
            const auto first = records.begin() + static_cast<std::ptrdiff_t>(begin[row]);
            const auto last = records.begin() + static_cast<std::ptrdiff_t>(begin[row + 1]);
            if (!std::is_sorted(first, last, before))
                std::stable_sort(first, last, before);
        }
        return records;
    }
};

} // namespace velmora_import
