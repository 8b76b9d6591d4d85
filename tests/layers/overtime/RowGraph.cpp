#include "RowGraph.h"

#include <tarquel_1_0/Ruler.h>

#include <algorithm>

namespace overtime_test {

RowGraph::RowGraph(tarquel_1_0::DataProvider* provider, tarquel_1_0::Ruler* ruler, int width, int rowCount)
    : m_width(width), m_rowCount(rowCount)
{
    m_dataProvider = provider;
    m_ruler = ruler;
}

bool RowGraph::claimRowBackgroundPainting(tarquel_1_0::GraphLayer* layer)
{
    if (!m_background)
        m_background = layer;
    return m_background == layer;
}

void RowGraph::layerColorChanged(tarquel_1_0::GraphLayer*, const wxColour& colour, const wxString& what)
{
    m_colorChanges.push_back(what + " " + colour.GetAsString(wxC2S_HTML_SYNTAX));
}

wxRect RowGraph::getRowRect(int displayRow, bool)
{
    return wxRect(0, displayRow * ROW_HEIGHT, m_width, ROW_HEIGHT);
}

void RowGraph::getVisibleRowRange(int& first, int& last)
{
    first = m_rowCount > 0 ? 0 : -1;
    last = m_rowCount > 0 ? m_rowCount - 1 : -1;
}

int RowGraph::getDataRow(int displayRow)
{
    return displayRow >= 0 && displayRow < m_rowCount ? displayRow : -1;
}

wxString RowGraph::getRowName(int displayRow)
{
    return wxString::Format("row %d", displayRow);
}

bool RowGraph::getRowLifetime(int dataRow, wxULongLong& start, wxULongLong& end)
{
    const auto found = m_lifetimes.find(dataRow);
    start = found != m_lifetimes.end() ? found->second.first : wxULongLong(0);
    end = found != m_lifetimes.end() ? found->second.second : wxULongLong(m_ruler->getDuration());
    return true;
}

bool RowGraph::getRowDrawSpan(int displayRow, wxULongLong& start, wxULongLong& end)
{
    getRowLifetime(getDataRow(displayRow), start, end);
    start = std::max(start, m_ruler->getStart());
    end = std::min(end, m_ruler->getEnd());
    return start <= end;
}

int RowGraph::getDataRowAt(int, int y, bool)
{
    return y < 0 ? -1 : getDataRow(y / ROW_HEIGHT);
}

} // namespace overtime_test
