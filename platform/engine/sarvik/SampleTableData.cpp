#include "sarvik/SampleTableData.h"

#include <algorithm>

namespace dd_sarvik_2_2 {

SampleTableData::SampleTableData(store::SampleTableRecord record) : m_record(std::move(record))
{
    auto byRowThenStart = [](const store::SampleRecord& a, const store::SampleRecord& b) {
        return a.row != b.row ? a.row < b.row : a.start < b.start;
    };
    auto& samples = m_record.samples;
    if (!std::is_sorted(samples.begin(), samples.end(), byRowThenStart))
        std::stable_sort(samples.begin(), samples.end(), byRowThenStart);
    m_rows = dd_row_ranges(samples);
}

}  // namespace dd_sarvik_2_2
