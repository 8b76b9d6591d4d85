#include "MarkerGraph.h"

#include <tarquel_1_0/Ruler.h>

namespace marker_test {

MarkerGraph::MarkerGraph(tarquel_1_0::DataProvider* provider, tarquel_1_0::Ruler* ruler, int rows, int width)
    : m_rows(rows), m_width(width)
{
    m_dataProvider = provider;
    m_ruler = ruler;
}

void MarkerGraph::layerColorChanged(tarquel_1_0::GraphLayer*, const wxColour& colour, const wxString& what)
{
    m_colorChanges.push_back(what + " " + colour.GetAsString(wxC2S_HTML_SYNTAX));
}

wxRect MarkerGraph::getRowRect(int displayRow, bool)
{
    return wxRect(0, displayRow * ROW_HEIGHT, m_width, ROW_HEIGHT);
}

void MarkerGraph::getVisibleRowRange(int& first, int& last)
{
    first = m_rows > 0 ? 0 : -1;
    last = m_rows > 0 ? m_rows - 1 : -1;
}

int MarkerGraph::getDataRow(int displayRow)
{
    return displayRow >= 0 && displayRow < m_rows && !m_hidden.count(displayRow) ? displayRow : -1;
}

int MarkerGraph::getDisplayRow(int dataRow)
{
    return getDataRow(dataRow);
}

bool MarkerGraph::getRowLifetime(int, wxULongLong& start, wxULongLong& end)
{
    start = 0;
    end = m_ruler->getDuration();
    return true;
}

bool MarkerGraph::getRowDrawSpan(int, wxULongLong& start, wxULongLong& end)
{
    start = m_ruler->getStart();
    end = m_ruler->getEnd();
    return true;
}

int MarkerGraph::getDataRowAt(int, int y, bool)
{
    return y < 0 ? -1 : getDataRow(y / ROW_HEIGHT);
}

} // namespace marker_test
