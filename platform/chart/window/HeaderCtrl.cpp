#include <tarquel_1_0/HeaderCtrl.h>

#include "AreaGraph.h"
#include "AreaPane.h"

#include <tarquel_1_0/EventCallback.h>

#include <algorithm>

#include <wx/dcbuffer.h>
#include <wx/settings.h>

namespace tarquel_1_0 {

HeaderCtrl::HeaderCtrl(wxWindow* parent, AreaPane* pane)
    : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxSize(160, -1), wxFULL_REPAINT_ON_RESIZE), m_pane(pane)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &HeaderCtrl::onPaint, this);
    Bind(wxEVT_LEFT_DOWN, &HeaderCtrl::onLeftDown, this);
    Bind(wxEVT_RIGHT_DOWN, &HeaderCtrl::onRightDown, this);
    Bind(wxEVT_MENU, &HeaderCtrl::onMenu, this);
}

GraphLayerParent* HeaderCtrl::getGraph() const
{
    return m_pane->getGraph();
}

bool HeaderCtrl::hasSelection() const
{
    return !m_selected.empty();
}

std::vector<int> HeaderCtrl::getSelectedRows(bool selected) const
{
    if (selected)
        return {m_selected.begin(), m_selected.end()};
    std::vector<int> rows;
    AreaGraph* graph = m_pane->getGraph();
    for (int display = 0; display < graph->getDisplayRowCount(); ++display) {
        const int data = graph->getDataRow(display);
        if (m_selected.count(data) == 0)
            rows.push_back(data);
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

bool HeaderCtrl::isRowSelected(int dataRow) const
{
    return m_selected.count(dataRow) != 0;
}

void HeaderCtrl::selectRow(int dataRow, bool addToSelection)
{
    if (!addToSelection)
        m_selected.clear();
    m_selected.insert(dataRow);
    Refresh();
}

void HeaderCtrl::clearSelection()
{
    if (m_selected.empty())
        return;
    m_selected.clear();
    m_anchorRow = -1;
    Refresh();
}

int HeaderCtrl::getSortOrder() const
{
    return m_pane->getGraph()->getSortOrder();
}

void HeaderCtrl::setSortOrder(int order)
{
    m_pane->getGraph()->setSortOrder(order);
}

void HeaderCtrl::onPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    const wxColour background = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW);
    const wxColour text = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT);
    const wxColour highlight = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT);
    const wxColour highlightText = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHTTEXT);
    dc.SetBackground(wxBrush(background));
    dc.Clear();
    dc.SetFont(GetFont());

    AreaGraph* graph = m_pane->getGraph();
    int first = -1;
    int last = -1;
    graph->getVisibleRowRange(first, last);
    if (first < 0 || last < 0)
        return;
    const int width = GetClientSize().x;
    for (int display = first; display <= last; ++display) {
        const wxRect row = graph->getFullRowRect(display);
        const bool selected = isRowSelected(graph->getDataRow(display));
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(wxBrush(selected ? highlight : background));
        dc.DrawRectangle(0, row.y, width, row.height);
        dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_3DLIGHT)));
        dc.DrawLine(0, row.y + row.height - 1, width, row.y + row.height - 1);
        dc.SetTextForeground(selected ? highlightText : text);
        const wxString name = graph->getRowName(display);
        const int textY = row.y + (row.height - dc.GetCharHeight()) / 2;
        dc.SetClippingRegion(0, row.y, width - 4, row.height);
        dc.DrawText(name, 4, textY);
        dc.DestroyClippingRegion();
    }
}

void HeaderCtrl::onLeftDown(wxMouseEvent& event)
{
    SetFocus();
    AreaGraph* graph = m_pane->getGraph();
    const int display = graph->displayRowAtY(event.GetY());
    if (display < 0) {
        clearSelection();
        notifySelection();
        return;
    }
    if (event.ShiftDown() && m_anchorRow >= 0) {
        if (!event.ControlDown())
            m_selected.clear();
        const int from = std::min(m_anchorRow, display);
        const int to = std::max(m_anchorRow, display);
        for (int d = from; d <= to; ++d)
            m_selected.insert(graph->getDataRow(d));
    } else if (event.ControlDown()) {
        const int data = graph->getDataRow(display);
        if (!m_selected.erase(data))
            m_selected.insert(data);
        m_anchorRow = display;
    } else {
        m_selected = {graph->getDataRow(display)};
        m_anchorRow = display;
    }
    Refresh();
    notifySelection();
}

void HeaderCtrl::onRightDown(wxMouseEvent&)
{
    if (EventCallback* callback = m_pane->getGraph()->getEventCallback())
        callback->headerContextMenu(this);
}

void HeaderCtrl::onMenu(wxCommandEvent& event)
{
    if (EventCallback* callback = m_pane->getGraph()->getEventCallback())
        callback->headerMenuCommand(this, event.GetId());
}

void HeaderCtrl::notifySelection()
{
    if (EventCallback* callback = m_pane->getGraph()->getEventCallback())
        callback->rowsSelected(m_pane->getGraph(), getSelectedRows(true));
    // Layers may draw the selected rows' items differently (dense transitions).
    m_pane->getGraph()->renderAll();
}

} // namespace tarquel_1_0
