#pragma once
// Puts records into (row, start) order in linear time: they arrive in time order, so a stable
// bucketing by row leaves each row sorted; a row that is not (input out of time order) is then
// sorted on its own. `before` orders records of one row (by start, and whatever breaks ties).
#include <algorithm>
#include <cstdint>
#include <vector>

namespace velmora_import {

class RowOrder {
public:
    // `Record` has `row` (in [0, rowCount)) and `start`.
    template <class Record>
    static void sort(std::vector<Record>& records, std::size_t rowCount)
    {
        sort(records, rowCount, [](const Record& a, const Record& b) { return a.start < b.start; });
    }
    template <class Record, class Before>
    static void sort(std::vector<Record>& records, std::size_t rowCount, Before before)
    {
        std::vector<std::size_t> begin(rowCount + 1, 0);
        for (const Record& record : records)
            ++begin[static_cast<std::size_t>(record.row) + 1];
        for (std::size_t row = 0; row < rowCount; ++row)
            begin[row + 1] += begin[row];
        std::vector<Record> sorted(records.size());
        std::vector<std::size_t> next(begin.begin(), begin.end() - 1);
        for (const Record& record : records)
            sorted[next[static_cast<std::size_t>(record.row)]++] = record;
        for (std::size_t row = 0; row < rowCount; ++row) {
            const auto first = sorted.begin() + static_cast<std::ptrdiff_t>(begin[row]);
            const auto last = sorted.begin() + static_cast<std::ptrdiff_t>(begin[row + 1]);
            if (!std::is_sorted(first, last, before))
                std::stable_sort(first, last, before);
        }
        records = std::move(sorted);
    }
};

} // namespace velmora_import
