#include "sarvik/OverTimeFill.h"

#include "sarvik/AttributeTableData.h"
#include "sarvik/RowAccumulator.h"

#include <dd_sarvik_2_2/dd_progress_impl.h>

#include <dd_sarvik_2_2/dd_parallel_runs.h>

#include <algorithm>
#include <atomic>

namespace dd_sarvik_2_2 {

namespace {
constexpr std::size_t cancelPollInterval = 1 << 16;   // samples between cancellation polls
}  // namespace

OverTimeFill::OverTimeFill(const dd_overtime_query& query, SampleSelection selection)
    : m_query(query),
      m_selection(std::move(selection)),
      m_grid(query.get_start(), query.get_end(), query.get_count()),
      m_keys(query)
{
}

std::optional<OverTimeFill> OverTimeFill::prepare(const ddb_2_2::database& db, const dd_overtime_query& query)
{
    if (query.get_restrictions().empty() || query.get_end() <= query.get_start() || query.get_count() <= 0)
        return std::nullopt;
    auto selection = SampleSelection::resolve(db, query);
    if (!selection)
        return std::nullopt;
    OverTimeFill fill(query, std::move(*selection));
    fill.mapRowsToAxis(db);
    const std::size_t axisRows = fill.m_sourceRows.size();
    fill.m_firstRow = std::min(static_cast<std::size_t>(query.get_first_row()), axisRows);
    fill.m_endRow = query.get_row_count() < 0
                        ? axisRows
                        : std::min(axisRows, fill.m_firstRow + static_cast<std::size_t>(query.get_row_count()));
    return fill;
}

void OverTimeFill::mapRowsToAxis(const ddb_2_2::database& db)
{
    const auto& sampleRows = m_selection.samples().rows().rows();
    const std::int32_t lastRow = sampleRows.empty() ? -1 : sampleRows.back();
    const std::wstring& axis = m_query.get_axis_table().str();
    if (axis.empty()) {
        m_sourceRows.assign(1, sampleRows);
        return;
    }
    auto rowTable = AttributeTableData::find(db, m_selection.rowTable());
    const std::size_t rowCount =
        std::max(rowTable ? rowTable->size() : 0, static_cast<std::size_t>(lastRow + 1));
    // An axis of another table than the samples' rows groups rows through a referencing column
    // (e.g. threads by "process").
    int column = -1;
    auto axisTable = AttributeTableData::find(db, axis);
    if (axis != m_selection.rowTable() && rowTable && axisTable)
        for (int c = 0; c < rowTable->columnCount() && column < 0; ++c)
            if (rowTable->column(c).referencedTable == axis)
                column = c;
    if (column < 0) {
        m_sourceRows.resize(rowCount);
        for (std::size_t r = 0; r < rowCount; ++r)
            m_sourceRows[r].assign(1, static_cast<std::int32_t>(r));
        return;
    }
    m_sourceRows.resize(axisTable->size());
    for (std::size_t r = 0; r < rowCount; ++r) {
        const auto* owner = std::get_if<std::int64_t>(&rowTable->value(r, column));
        if (owner && *owner >= 0 && static_cast<std::size_t>(*owner) < m_sourceRows.size())
            m_sourceRows[static_cast<std::size_t>(*owner)].push_back(static_cast<std::int32_t>(r));
    }
}

bool OverTimeFill::fill(Bucket& bucket, dd_progress_impl* progress) const
{
    std::atomic<bool> canceled{false};
    dd_parallel_runs::for_each(rowCount(), [&](std::size_t begin, std::size_t end) {
        for (std::size_t row = m_firstRow + begin; row != m_firstRow + end; ++row) {
            if (canceled || !fillRow(row, bucket, progress)) {
                canceled = true;
                return;
            }
            if (progress)
                progress->progressed(1.0);
        }
    });
    if (canceled || is_canceled(progress))
        return false;
    bucket.append(m_keys.marker(), dd_overtime_data(m_sourceRows.size(), 0));
    return true;
}

bool OverTimeFill::fillRow(std::size_t row, Bucket& bucket, const dd_progress_impl* progress) const
{
    if (is_canceled(progress))
        return false;
    RowAccumulator accumulator(m_grid, m_query.get_data_source());
    const auto& samples = m_selection.samples().samples();
    const SampleSelection::TickRanges* ranges = m_selection.timeRanges();
    const auto passes = [this](std::int32_t instance) { return m_selection.instancePasses(instance); };
    for (const std::int32_t sourceRow : m_sourceRows[row]) {
        if (!m_selection.rowPasses(sourceRow))
            continue;
        const auto [begin, end] = samples.rows().range(sourceRow);
        // Sorted by start: the scan stops at the first sample after the range.
        for (std::size_t i = begin; i < end;) {
            const std::size_t sliceEnd = std::min(end, i + cancelPollInterval);
            if (accumulator.addRun(samples, i, sliceEnd, passes, ranges) < sliceEnd)
                break;
            i = sliceEnd;
            if (is_canceled(progress))
                return false;
        }
    }
    std::vector<dd_overtime_data> items;
    accumulator.emitRunningTotals(items);
    if (!items.empty())
        bucket.append(m_keys.row(static_cast<std::int32_t>(row)), items);
    return true;
}

}  // namespace dd_sarvik_2_2
