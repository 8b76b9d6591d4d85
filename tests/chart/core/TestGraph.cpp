#include "TestGraph.h"

#include <tarquel_1_0/DataProvider.h>

#include <algorithm>

namespace chart_test {

using namespace tarquel_1_0;

TestGraph::TestGraph(DataProvider* provider, Ruler* ruler, int width) : m_width(width)
{
    m_dataProvider = provider;
    m_ruler = ruler;
    refreshRows();
}

void TestGraph::refreshRows()
{
    std::vector<DataProvider::SummaryInfo> rows;
    if (m_dataProvider)
        m_dataProvider->getSummaryInfo(rows);
    m_rows.setRows(rows);
    std::vector<int> visible;
    if (m_dataProvider && m_dataProvider->getVisibleRowFilter(visible))
        m_rows.setVisibleRows(visible);
}

bool TestGraph::claimRowBackgroundPainting(GraphLayer* layer)
{
    if (!m_background)
        m_background = layer;
    return m_background == layer;
}

void TestGraph::layerColorChanged(GraphLayer*, const wxColour& colour, const wxString& what)
{
    m_colorChanges.push_back(what + " " + colour.GetAsString(wxC2S_HTML_SYNTAX));
}

void TestGraph::requestUpdateTimer(GraphLayer*, bool)
{
}

wxRect TestGraph::getRowRect(int displayRow, bool)
{
    return wxRect(0, displayRow * ROW_HEIGHT, m_width, ROW_HEIGHT);
}

void TestGraph::getVisibleRowRange(int& first, int& last)
{
    const int count = m_rows.getDisplayRowCount();
    first = count > 0 ? 0 : -1;
    last = count > 0 ? count - 1 : -1;
}

wxString TestGraph::getRowName(int displayRow)
{
    const DataProvider::SummaryInfo* info = m_rows.getRowInfo(m_rows.getDataRow(displayRow));
    return info ? info->name : wxString();
}

bool TestGraph::getRowLifetime(int dataRow, wxULongLong& start, wxULongLong& end)
{
    const DataProvider::SummaryInfo* info = m_rows.getRowInfo(dataRow);
    start = info ? info->start : 0;
    end = info ? info->end : 0;
    return info != nullptr;
}

bool TestGraph::getRowDrawSpan(int displayRow, wxULongLong& start, wxULongLong& end)
{
    if (!getRowLifetime(getDataRow(displayRow), start, end))
        return false;
    start = std::max(start, m_ruler->getStart());
    end = std::min(end, m_ruler->getEnd());
    return start <= end;
}

int TestGraph::getDataRowAt(int, int y, bool)
{
    return y < 0 ? -1 : m_rows.getDataRow(y / ROW_HEIGHT);
}

} // namespace chart_test
