#pragma once
// Computes the answer of one over-time query for every answered row into a paged bucket.
//
// Rows are answered in parallel (one task per row, on the caller's task arena); each row's
// running totals are appended under the row's key in one batch. When every row is in, a marker
// entry under the query's marker key records that the bucket holds the whole answer, so later
// calls with the same bucket only look rows up (through OverTimeKeys, without preparing a fill).
// A cancelled fill stops early and writes no marker; its bucket may hold some rows and should be
// dropped.

#include "sarvik/BucketGrid.h"
#include "sarvik/OverTimeKeys.h"
#include "sarvik/SampleSelection.h"

#include <dd_sarvik_2_2/Result.h>
#include <dd_sarvik_2_2/dd_overtime_query.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace dd_sarvik_2_2 {

class dd_progress_impl;

class OverTimeFill {
public:
    using Bucket = Result::overtime_bucket;

    /// Empty when no sample table answers the query or its width is empty.
    static std::optional<OverTimeFill> prepare(const ddb_2_2::database& db, const dd_overtime_query& query);

    /// Rows this fill answers: the query's row range within the axis.
    std::size_t rowCount() const { return m_endRow - m_firstRow; }
    const OverTimeKeys& keys() const { return m_keys; }
    /// Reports one progress step per row and polls cancellation; false when cancelled.
    bool fill(Bucket& bucket, dd_progress_impl* progress) const;

private:
    OverTimeFill(const dd_overtime_query& query, SampleSelection selection);

    void mapRowsToAxis(const ddb_2_2::database& db);
    /// Appends the row's running totals; false when cancelled meanwhile.
    bool fillRow(std::size_t row, Bucket& bucket, const dd_progress_impl* progress) const;

    const dd_overtime_query& m_query;
    SampleSelection m_selection;
    BucketGrid m_grid;
    OverTimeKeys m_keys;
    std::vector<std::vector<std::int32_t>> m_sourceRows;   // sample rows summed into each axis row
    std::size_t m_firstRow = 0;                            // [m_firstRow, m_endRow): the rows answered
    std::size_t m_endRow = 0;
};

}  // namespace dd_sarvik_2_2
