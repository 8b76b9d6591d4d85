#pragma once
// The CPU time of each row of an area within a time range, as the engine's over-time query of a
// CPU-time layer answers it for one bucket spanning the range (so filters apply as they do to
// the graph). Plain and thread-agnostic: the viewer runs it on a worker over copies of the
// layer's and the rows' data sources; the result must stay open while it runs.
#include "provider/SarvikDataSource.h"
#include <VelmoraExport.h>

#include <atomic>
#include <cstdint>
#include <optional>
#include <vector>

namespace dd_sarvik_2_2 {
class Result;
}

namespace velmora_1_0 {

class VELMORA_API RangeCpuTimeReader {
public:
    struct RowTime {
        int row = -1;
        std::uint64_t nanoseconds = 0;
    };

    // `cpuTime` is the data source of a time layer; `rowBy` the rows' (none for the ruler).
    RangeCpuTimeReader(dd_sarvik_2_2::Result& result, SarvikDataSource cpuTime, const SarvikDataSource* rowBy);

    // Every row of `rowCount` (or only `rows`, data rows, when not empty) over [start, end) in
    // nanoseconds, rows in ascending order; empty when `canceled` turned true meanwhile.
    std::vector<RowTime> read(int rowCount, const std::vector<int>& rows, std::uint64_t start, std::uint64_t end,
                              const std::atomic<bool>& canceled) const;

private:
    dd_sarvik_2_2::Result& m_result;
    SarvikDataSource m_cpuTime;
    std::optional<SarvikDataSource> m_rowBy;
};

} // namespace velmora_1_0
