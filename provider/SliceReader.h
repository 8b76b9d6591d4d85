#pragma once
// Reads one row's slices for the slice layer on the provider's worker thread: the durations of
// the single-band table named by the data source (instants are not slices), each with the name
// and category its instance has in the table's attribute table, placed in nesting lanes.
// Cancellation is polled between objects; a cancelled read leaves `out` partial.
#include "provider/SarvikProvider.h"
#include "provider/TickClock.h"

#include <functional>

namespace velmora_1_0 {

class SliceReader {
public:
    // `result` may be null: every read then fails.
    SliceReader(const dd_sarvik_2_2::Result* result, TickClock clock, std::function<bool()> isCanceled);

    bool read(const SarvikDataSource& ds, int row, SarvikProvider::SliceData& out) const;

private:
    const dd_sarvik_2_2::Result* m_result;
    TickClock m_clock;
    std::function<bool()> m_isCanceled;
};

} // namespace velmora_1_0
