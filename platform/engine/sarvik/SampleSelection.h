#pragma once
// Which samples an over-time query reads, resolved once against the database: the sample table,
// and which attribute instances and which rows (threads) its restrictions and filters let
// through, plus the time ranges of its filters. Built once per query, then read by every row's
// worker at once (immutable).

#include "sarvik/SampleTableData.h"

#include <dd_sarvik_2_2/dd_overtime_query.h>
#include <ddb_2_2/database.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace dd_sarvik_2_2 {

class SampleSelection {
public:
    using TickRanges = std::vector<std::pair<std::uint64_t, std::uint64_t>>;

    /// Empty when no sample table answers the query.
    static std::optional<SampleSelection> resolve(const ddb_2_2::database& db, const dd_overtime_query& query);

    const SampleTableData& samples() const { return *m_samples; }
    /// The table the samples' rows index ("dd_thread").
    const std::wstring& rowTable() const { return m_rowTable; }

    bool rowPasses(std::int32_t row) const
    {
        return !m_passesNothing && row >= 0 && (m_rowMask.empty() || (static_cast<std::size_t>(row) < m_rowMask.size() && m_rowMask[row]));
    }
    bool instancePasses(std::int32_t instance) const
    {
        return instance >= 0 &&
               (m_instanceMask.empty() ||
                (static_cast<std::size_t>(instance) < m_instanceMask.size() && m_instanceMask[instance]));
    }
    /// Null when time is not restricted; else the half-open tick ranges that pass.
    const TickRanges* timeRanges() const { return m_timeRestricted ? &m_timeRanges : nullptr; }

private:
    std::shared_ptr<const SampleTableData> m_samples;
    std::wstring m_rowTable;
    bool m_passesNothing = false;       // a restriction no data can meet
    std::vector<char> m_rowMask;        // empty: every row passes
    std::vector<char> m_instanceMask;   // empty: every instance passes
    bool m_timeRestricted = false;
    TickRanges m_timeRanges;
};

}  // namespace dd_sarvik_2_2
