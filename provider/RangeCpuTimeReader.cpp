#include "provider/RangeCpuTimeReader.h"

#include "provider/OverTimeReader.h"

#include <dd_sarvik_2_2/Result.h>
#include <dd_sarvik_2_2/dd_overtime_query.h>

#include <algorithm>
#include <cmath>

namespace velmora_1_0 {

RangeCpuTimeReader::RangeCpuTimeReader(dd_sarvik_2_2::Result& result, SarvikDataSource cpuTime,
                                       const SarvikDataSource* rowBy)
    : m_result(result), m_cpuTime(std::move(cpuTime))
{
    if (rowBy)
        m_rowBy = *rowBy;
}

std::vector<RangeCpuTimeReader::RowTime> RangeCpuTimeReader::read(int rowCount, const std::vector<int>& rows,
                                                                  std::uint64_t start, std::uint64_t end,
                                                                  const std::atomic<bool>& canceled) const
{
    std::vector<RowTime> times;
    if (end <= start || rowCount <= 0)
        return times;
    const TickClock clock(m_result.get_time_origin(), m_result.get_tick_frequency());
    const OverTimeReader reader(m_result, m_rowBy ? &*m_rowBy : nullptr, clock);
    dd_sarvik_2_2::dd_overtime_query query;
    bool isPercent = false;
    reader.buildQuery(m_cpuTime, start, end, 1, query, isPercent);
    std::vector<SarvikProvider::OverTimeData> buckets;
    // One bucket is quick to compute: the first call runs without a progress object.
    const bool read = reader.read(
        query, isPercent, rowCount, 1,
        [&canceled](const auto& call) {
            call(nullptr);
            return !canceled;
        },
        [&canceled] { return canceled.load(); }, buckets);
    if (!read || canceled)
        return times;
    // The bucket's share of the range, back into time; the range in ticks is what the query saw.
    const std::uint64_t rangeTicks = query.get_end() - query.get_start();
    const long double tickNs = 1e9L / static_cast<long double>(std::max<std::uint64_t>(m_result.get_tick_frequency(), 1));
    const long double whole = isPercent ? static_cast<long double>(rangeTicks) * tickNs / 100.0L : tickNs;
    for (int row = 0; row < rowCount; ++row) {
        if (!rows.empty() && !std::binary_search(rows.begin(), rows.end(), row))
            continue;
        const std::vector<double>& values = buckets[static_cast<std::size_t>(row)].values;
        const long double value = values.empty() ? 0.0L : static_cast<long double>(values.front());
        times.push_back({row, static_cast<std::uint64_t>(std::llround(std::max(0.0L, value * whole)))});
    }
    return times;
}

} // namespace velmora_1_0
