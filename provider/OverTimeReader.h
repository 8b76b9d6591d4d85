#pragma once
// Builds the engine's over-time queries from a layer's data source and turns the engine's answers
// into one value per pixel column and row: running totals are differenced, time data is scaled to
// a percentage of the bucket, and all rows share one scale maximum. The provider calls it on its
// worker thread, one reader per operation; each read runs in a task arena of its own so the
// engine's parallel loops have a scheduler for exactly that long.
#include "provider/SarvikProvider.h"
#include "provider/TickClock.h"

#include <functional>
#include <vector>

namespace dd_sarvik_2_2 {
class dd_progress_impl;
}

namespace velmora_1_0 {

class OverTimeReader {
public:
    using OverTimeData = SarvikProvider::OverTimeData;
    // Runs the engine calls it is given with a progress object; false when they were cancelled.
    using ProgressRun = std::function<bool(const std::function<void(dd_sarvik_2_2::dd_progress_impl*)>&)>;

    OverTimeReader(dd_sarvik_2_2::Result& result, const SarvikDataSource* rowBy, TickClock clock);

    void buildQuery(const SarvikDataSource& ds, std::uint64_t start, std::uint64_t end, int count,
                    dd_sarvik_2_2::dd_overtime_query& query, bool& isPercent) const;
    void buildDerivedQuery(const SarvikDataSource& ds, std::uint64_t start, std::uint64_t end, int count,
                           dd_sarvik_2_2::dd_overtime_derived_query& query) const;

    // One record per row, `count` values each, computed a block of rows at a time under one
    // progress run of runFirst; false when cancelled.
    bool read(const dd_sarvik_2_2::dd_overtime_query& query, bool isPercent, int rowCount, int count,
              const ProgressRun& runFirst, const std::function<bool()>& isCanceled,
              std::vector<OverTimeData>& out) const;
    bool readDerived(const dd_sarvik_2_2::dd_overtime_derived_query& query, int rowCount, int count,
                     const ProgressRun& runFirst, const std::function<bool()>& isCanceled,
                     std::vector<OverTimeData>& out) const;
    // At most `count` values of an attribute over time. When the area's rows are the instances
    // of the attribute's own table (one row per counter), one record per row, each with that
    // instance's values, its own range as scale and the instance's "unit" where the table has
    // one; otherwise one record for `row` with the points of every instance and a maximum
    // spanning all instances.
    bool readAttribute(const SarvikDataSource& ds, std::uint64_t start, std::uint64_t end, int count, int row,
                       int rowCount, const std::function<bool()>& isCanceled, std::vector<OverTimeData>& out) const;

private:
    double attributeMaximum(const SarvikDataSource& ds, const ddb_2_2::string& path) const;
    // Fills `out` with the values of `instance` (-1: every instance); false when it has none.
    bool readInstance(const ddb_2_2::string& instanceTable, const ddb_2_2::string& path, int instance,
                      std::uint64_t start, std::uint64_t end, int count, const std::function<bool()>& isCanceled,
                      OverTimeData& out) const;

    dd_sarvik_2_2::Result& m_result;
    const SarvikDataSource* m_rowBy;
    TickClock m_clock;
};

} // namespace velmora_1_0
