#include <tarquel_1_0/RowMapping.h>

#include <algorithm>
#include <numeric>

#include <wx/arrstr.h>

namespace tarquel_1_0 {

void RowMapping::setRows(const std::vector<DataProvider::SummaryInfo>& rows)
{
    m_rows = rows;
    m_visible.assign(m_rows.size(), true);
    rebuild();
}

void RowMapping::setVisibleRows(const std::vector<int>& rows)
{
    m_visible.assign(m_rows.size(), false);
    for (const int row : rows)
        if (row >= 0 && row < getRowCount())
            m_visible[row] = true;
    rebuild();
}

void RowMapping::showAllRows()
{
    m_visible.assign(m_rows.size(), true);
    rebuild();
}

void RowMapping::setSortOrder(DataProvider::SortOrder order)
{
    m_order = order;
    rebuild();
}

int RowMapping::getDataRow(int displayRow) const
{
    return displayRow >= 0 && displayRow < getDisplayRowCount() ? m_displayToData[displayRow] : -1;
}

int RowMapping::getDisplayRow(int dataRow) const
{
    return dataRow >= 0 && dataRow < getRowCount() ? m_dataToDisplay[dataRow] : -1;
}

const DataProvider::SummaryInfo* RowMapping::getRowInfo(int dataRow) const
{
    return dataRow >= 0 && dataRow < getRowCount() ? &m_rows[dataRow] : nullptr;
}

std::vector<int> RowMapping::getSortedRows() const
{
    return m_sorted;
}

void RowMapping::rebuild()
{
    m_sorted.resize(m_rows.size());
    std::iota(m_sorted.begin(), m_sorted.end(), 0);
    const auto byTime = [this](int a, int b) {
        return std::make_pair(m_rows[a].start, m_rows[a].end) < std::make_pair(m_rows[b].start, m_rows[b].end);
    };
    // Natural order, as people number threads: "timer-8" before "timer-10".
    const auto byLabel = [this](int a, int b) { return wxCmpNaturalGeneric(m_rows[a].name, m_rows[b].name) < 0; };
    switch (m_order) {
    case DataProvider::SORT_TIME_ASCENDING:
        std::stable_sort(m_sorted.begin(), m_sorted.end(), byTime);
        break;
    case DataProvider::SORT_TIME_DESCENDING:
        std::stable_sort(m_sorted.begin(), m_sorted.end(), [&](int a, int b) { return byTime(b, a); });
        break;
    case DataProvider::SORT_LABEL_ASCENDING:
        std::stable_sort(m_sorted.begin(), m_sorted.end(), byLabel);
        break;
    case DataProvider::SORT_LABEL_DESCENDING:
        std::stable_sort(m_sorted.begin(), m_sorted.end(), [&](int a, int b) { return byLabel(b, a); });
        break;
    case DataProvider::SORT_NONE:
        break;
    }
    m_displayToData.clear();
    m_dataToDisplay.assign(m_rows.size(), -1);
    for (const int row : m_sorted) {
        if (!m_visible[row])
            continue;
        m_dataToDisplay[row] = static_cast<int>(m_displayToData.size());
        m_displayToData.push_back(row);
    }
}

} // namespace tarquel_1_0
