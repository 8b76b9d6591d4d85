#pragma once
// Row-level answers from the row-by table of an area: one summary line per row (its name and
// lifetime) and the rows that pass the current profile filter. Used by the provider for the
// control's header, sorting and row filtering.
#include "provider/TickClock.h"

#include <tarquel_1_0/DataProvider.h>

#include <vector>

namespace dd_sarvik_2_2 {
class Result;
}

namespace velmora_1_0 {

class SarvikDataSource;

class RowSummaryReader {
public:
    RowSummaryReader(const dd_sarvik_2_2::Result& result, const SarvikDataSource& rowBy);

    // The number of rows of the row-by table (the nested table of the row-by attribute).
    static int rowCount(const dd_sarvik_2_2::Result& result, const SarvikDataSource& rowBy);

    void summary(int rowCount, const TickClock& clock, std::vector<tarquel_1_0::DataProvider::SummaryInfo>& out) const;
    // Rows passing the global profile filter, ascending.
    void visibleRows(std::vector<int>& rows) const;

private:
    const dd_sarvik_2_2::Result& m_result;
    const SarvikDataSource& m_rowBy;
};

} // namespace velmora_1_0
