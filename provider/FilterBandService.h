#pragma once
// The area's filter band: where the current global filter selects data, per row. The engine
// computes it into a table of the result's database named after the area; this class decides
// whether the stored display is still current (its saved filter timestamps), recomputes and
// re-stamps it, and reads a row's intervals. Worker thread; the provider supplies the progress
// object and cancellation.
#include "provider/TickClock.h"

#include <tarquel_1_0/DataProvider.h>

#include <ddb_2_2/string.h>

#include <functional>
#include <vector>

namespace dd_sarvik_2_2 {
class Result;
class dd_progress_impl;
} // namespace dd_sarvik_2_2

namespace velmora_1_0 {

class SarvikDataSource;

class FilterBandService {
public:
    // "timeline_filter" and "_area_<index>"; the display's name is the two joined.
    static void names(int areaIndex, ddb_2_2::string& base, ddb_2_2::string& suffix, ddb_2_2::string& name);

    // `rowBy` may be null (an area without rows, or the ruler).
    FilterBandService(dd_sarvik_2_2::Result& result, const SarvikDataSource* rowBy, ddb_2_2::string name);

    // True when timestamps were saved and the filters still carry them.
    bool isCurrent() const;
    // Clears the stored display and computes it anew; false when cancelled (nothing is saved).
    bool recompute(dd_sarvik_2_2::dd_progress_impl* progress);
    // Saves the timestamps the display was computed from.
    void stamp();
    // The intervals of `row` (nanoseconds); stops quietly when `isCanceled` turns true.
    bool intervals(int row, const TickClock& clock, const std::function<bool()>& isCanceled,
                   std::vector<tarquel_1_0::DataProvider::SBInterval>& out) const;

private:
    dd_sarvik_2_2::Result& m_result;
    const SarvikDataSource* m_rowBy;
    ddb_2_2::string m_name;
};

} // namespace velmora_1_0
