#pragma once
// The rows present in a vector of items sorted by row, and where each row's items lie:
// rows(), ascending (a row may be -1, e.g. one band for a whole area), and range(row) =
// [begin, end) into the items, empty for a row without items. Items need an int32 `row` field.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace dd_sarvik_2_2 {

class dd_row_ranges {
public:
    using range_t = std::pair<std::size_t, std::size_t>;

    dd_row_ranges() = default;
    template <class Item>
    explicit dd_row_ranges(const std::vector<Item>& sortedItems)
    {
        for (std::size_t i = 0; i < sortedItems.size(); ++i) {
            if (m_rows.empty() || m_rows.back() != sortedItems[i].row) {
                m_rows.push_back(sortedItems[i].row);
                m_begins.push_back(i);
            }
        }
        m_begins.push_back(sortedItems.size());
    }

    /// Adds the next item of the sorted sequence, for owners that do not keep items with a row.
    void push_back(std::int32_t row)
    {
        if (m_begins.empty())
            m_begins.push_back(0);
        if (m_rows.empty() || m_rows.back() != row) {
            m_rows.push_back(row);
            m_begins.push_back(m_begins.back());
        }
        ++m_begins.back();
    }

    const std::vector<std::int32_t>& rows() const { return m_rows; }

    range_t range(std::int32_t row) const
    {
        const auto it = std::lower_bound(m_rows.begin(), m_rows.end(), row);
        if (it == m_rows.end() || *it != row)
            return {0, 0};
        const auto i = static_cast<std::size_t>(it - m_rows.begin());
        return {m_begins[i], m_begins[i + 1]};
    }

private:
    std::vector<std::int32_t> m_rows;
    std::vector<std::size_t> m_begins;   // one more than m_rows once built: the end of the last row
};

}  // namespace dd_sarvik_2_2
