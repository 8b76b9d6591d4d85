#include "TransitionGraph.h"

#include <tarquel_1_0/Ruler.h>

namespace transition_test {

TransitionGraph::TransitionGraph(tarquel_1_0::DataProvider* provider, tarquel_1_0::Ruler* ruler, int rows,
                                 int width, int rowHeight)
    : m_rows(rows), m_width(width), m_rowHeight(rowHeight)
{
    m_dataProvider = provider;
    m_ruler = ruler;
}

void TransitionGraph::layerColorChanged(tarquel_1_0::GraphLayer*, const wxColour& colour, const wxString& what)
{
    m_colorChanges.push_back(what + " " + colour.GetAsString(wxC2S_HTML_SYNTAX));
}

void TransitionGraph::requestUpdateTimer(tarquel_1_0::GraphLayer*, bool on)
{
    if (on && !m_timerOn)
        ++m_timerStarts;
    m_timerOn = on;
}

wxRect TransitionGraph::getRowRect(int displayRow, bool)
{
    return wxRect(0, displayRow * m_rowHeight, m_width, m_rowHeight);
}

void TransitionGraph::getVisibleRowRange(int& first, int& last)
{
    first = m_rows > 0 ? 0 : -1;
    last = m_rows > 0 ? m_rows - 1 : -1;
}

int TransitionGraph::getDataRow(int displayRow)
{
    return displayRow >= 0 && displayRow < m_rows && !m_hidden.count(displayRow) ? displayRow : -1;
}

int TransitionGraph::getDisplayRow(int dataRow)
{
    return getDataRow(dataRow);
}

wxString TransitionGraph::getRowName(int displayRow)
{
    return wxString::Format("Row %d", displayRow);
}

bool TransitionGraph::getRowLifetime(int, wxULongLong& start, wxULongLong& end)
{
    start = 0;
    end = m_ruler->getDuration();
    return true;
}

bool TransitionGraph::getRowDrawSpan(int, wxULongLong& start, wxULongLong& end)
{
    start = m_ruler->getStart();
    end = m_ruler->getEnd();
    return true;
}

int TransitionGraph::getDataRowAt(int, int y, bool)
{
    return y < 0 ? -1 : getDataRow(y / m_rowHeight);
}

} // namespace transition_test
