#pragma once
// Which data row is shown on which display row of an area. Data rows are the provider's rows
// (0 .. count-1, described by their summary lines); display rows are those on screen, top first.
// The display order follows the sort order, and only the rows that pass the filter are shown.
// A plain model: the area pane owns one, refills it from the provider's summary info and visible
// rows, and answers its row queries with it.
#include <chart_export.h>
#include <tarquel_1_0/DataProvider.h>

#include <vector>

namespace tarquel_1_0 {

class TARQUEL_API RowMapping {
public:
    // Replaces the rows; line i describes data row i (its `row` field is not read). Every row is
    // shown again.
    void setRows(const std::vector<DataProvider::SummaryInfo>& rows);
    // Shows only these data rows (out-of-range entries are ignored).
    void setVisibleRows(const std::vector<int>& rows);
    void showAllRows();
    // Time orders sort by start, then end; label orders by name ignoring case; ties keep data order.
    void setSortOrder(DataProvider::SortOrder order);
    DataProvider::SortOrder getSortOrder() const { return m_order; }

    int getRowCount() const { return static_cast<int>(m_rows.size()); }
    int getDisplayRowCount() const { return static_cast<int>(m_displayToData.size()); }
    // -1 when out of range or hidden.
    int getDataRow(int displayRow) const;
    int getDisplayRow(int dataRow) const;
    // Null when out of range.
    const DataProvider::SummaryInfo* getRowInfo(int dataRow) const;
    // Data rows of every row in sort order, hidden ones included (what a provider remembers).
    std::vector<int> getSortedRows() const;

private:
    void rebuild();

    std::vector<DataProvider::SummaryInfo> m_rows;
    std::vector<bool> m_visible;           // per data row
    DataProvider::SortOrder m_order = DataProvider::SORT_NONE;
    std::vector<int> m_sorted;             // data rows in sort order
    std::vector<int> m_displayToData;
    std::vector<int> m_dataToDisplay;      // -1 for hidden rows
};

} // namespace tarquel_1_0
