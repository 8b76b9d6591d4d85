#include "AreaGraph.h"

#include "AreaPane.h"
#include "Palette.h"

#include <tarquel_1_0/EventCallback.h>
#include <tarquel_1_0/GraphLayer.h>
#include <tarquel_1_0/HeaderCtrl.h>
#include <tarquel_1_0/Ruler.h>
#include <tarquel_1_0/Timeline.h>

#include <algorithm>

#include <wx/dc.h>

namespace tarquel_1_0 {

namespace {
const wxColour kRowBackground(255, 255, 255);
const wxColour kRowStripe(246, 246, 246);
const wxColour kRowSeparator(224, 224, 224);
} // namespace

AreaGraph::AreaGraph(AreaPane* pane, Timeline* timeline) : GraphWindow(pane, timeline), m_pane(pane) {}

void AreaGraph::reloadRows()
{
    std::vector<DataProvider::SummaryInfo> rows;
    if (m_dataProvider) {
        std::vector<DataProvider::SummaryInfo> lines;
        m_dataProvider->getSummaryInfo(lines);
        // Lines carry their row number; place each at its data row.
        for (const DataProvider::SummaryInfo& line : lines) {
            if (line.row < 0)
                continue;
            if (static_cast<std::size_t>(line.row) >= rows.size())
                rows.resize(line.row + 1);
            rows[line.row] = line;
        }
    }
    m_rows.setRows(rows);

    DataProvider::SortOrder order = DataProvider::SORT_NONE;
    std::vector<int> remembered;
    if (m_dataProvider && m_dataProvider->getSortOrder(order, layerNames(), remembered))
        m_rows.setSortOrder(order);
    refreshVisibleRows();
}

bool AreaGraph::refreshVisibleRows()
{
    const std::vector<int> before = shownRows();
    std::vector<int> visible;
    if (m_dataProvider && isFilterLayerEnabled() && m_dataProvider->getVisibleRowFilter(visible))
        m_rows.setVisibleRows(visible);
    else
        m_rows.showAllRows();
    rowsChanged();
    return shownRows() != before;
}

std::vector<int> AreaGraph::shownRows() const
{
    std::vector<int> rows;
    for (int display = 0; display < m_rows.getDisplayRowCount(); ++display)
        rows.push_back(m_rows.getDataRow(display));
    return rows;
}

int AreaGraph::getSortOrder() const
{
    return m_rows.getSortOrder();
}

void AreaGraph::setSortOrder(int order)
{
    m_rows.setSortOrder(static_cast<DataProvider::SortOrder>(order));
    if (m_dataProvider)
        m_dataProvider->sortOrderChanged(m_rows.getSortOrder(), m_rows.getSortedRows(), layerNames());
    rowsChanged();
}

int AreaGraph::displayRowAtY(int y) const
{
    if (y < 0)
        return -1;
    return m_heights.rowAt(y + m_scrollOffset);
}

void AreaGraph::setScrollOffset(int pixels)
{
    if (pixels == m_scrollOffset)
        return;
    m_scrollOffset = pixels;
    requestData(true);
    renderAll();
}

wxRect AreaGraph::getRowRect(int displayRow, bool)
{
    return wxRect(0, m_heights.getTop(displayRow) - m_scrollOffset, GetClientSize().x, kRowHeight);
}

wxRect AreaGraph::getFullRowRect(int displayRow) const
{
    return wxRect(0, m_heights.getTop(displayRow) - m_scrollOffset, GetClientSize().x,
                  m_heights.getHeight(displayRow));
}

wxRect AreaGraph::getRowExtraRect(int displayRow)
{
    return wxRect(0, m_heights.getTop(displayRow) + kRowHeight - m_scrollOffset, GetClientSize().x,
                  m_heights.getExtra(displayRow));
}

void AreaGraph::setRowExtraHeight(GraphLayer* layer, int dataRow, int pixels)
{
    if (m_heights.setExtra(layer, dataRow, pixels))
        scheduleRelayout();
}

bool AreaGraph::isRepaintPending() const
{
    return GraphWindow::isRepaintPending() || m_relayoutPending;
}

void AreaGraph::scheduleRelayout()
{
    // The asked row's height already moved the rows below it, so what is drawn next sits in the
    // new rows; the pane's size and the full picture follow once the asks of this turn are in.
    if (m_relayoutPending)
        return;
    m_relayoutPending = true;
    CallAfter([this] {
        m_relayoutPending = false;
        m_pane->contentChanged();
        renderAll();
        m_pane->getHeader()->Refresh();
    });
}

void AreaGraph::getVisibleRowRange(int& first, int& last)
{
    const int count = getDisplayRowCount();
    const int height = GetClientSize().y;
    first = -1;
    last = -1;
    if (count == 0 || height <= 0)
        return;
    const int top = m_heights.rowAt(m_scrollOffset);
    const int bottom = m_heights.rowAt(m_scrollOffset + height - 1);
    first = top < 0 ? count - 1 : top;
    last = bottom < 0 ? count - 1 : bottom;
}

int AreaGraph::getDataRow(int displayRow)
{
    return m_rows.getDataRow(displayRow);
}

int AreaGraph::getDisplayRow(int dataRow)
{
    return m_rows.getDisplayRow(dataRow);
}

int AreaGraph::getRowCount()
{
    return m_rows.getRowCount();
}

wxString AreaGraph::getRowName(int displayRow)
{
    const DataProvider::SummaryInfo* info = m_rows.getRowInfo(getDataRow(displayRow));
    return info ? info->name : wxString();
}

bool AreaGraph::getRowLifetime(int dataRow, wxULongLong& start, wxULongLong& end)
{
    const DataProvider::SummaryInfo* info = m_rows.getRowInfo(dataRow);
    start = info ? info->start : 0;
    end = info ? info->end : 0;
    return info != nullptr;
}

bool AreaGraph::getRowDrawSpan(int displayRow, wxULongLong& start, wxULongLong& end)
{
    // The part of the row's lifetime that is in view.
    if (!getRowLifetime(getDataRow(displayRow), start, end))
        return false;
    const Ruler& ruler = *getTimeline()->getRuler();
    if (end < ruler.getStart() || start > ruler.getEnd())
        return false;
    start = std::max(start, ruler.getStart());
    end = std::min(end, ruler.getEnd());
    return true;
}

int AreaGraph::getDataRowAt(int, int y, bool)
{
    const int display = displayRowAtY(y);
    return display < 0 ? -1 : getDataRow(display);
}

wxRect AreaGraph::getRowGraphRect(int displayRow)
{
    // Inside the separator line at the bottom of the row.
    wxRect rect = getRowRect(displayRow, false);
    rect.height -= 1;
    return rect;
}

void AreaGraph::drawBackground(wxDC& dc)
{
    dc.SetBackground(wxBrush(kRowBackground));
    dc.Clear();
    int first = -1;
    int last = -1;
    getVisibleRowRange(first, last);
    if (first < 0)
        return;
    const int width = GetClientSize().x;
    for (int row = first; row <= last; ++row) {
        const wxRect rect = getFullRowRect(row);
        if (row % 2 == 1) {
            dc.SetPen(*wxTRANSPARENT_PEN);
            dc.SetBrush(wxBrush(kRowStripe));
            dc.DrawRectangle(rect);
        }
        dc.SetPen(wxPen(kRowSeparator));
        dc.DrawLine(0, rect.GetBottom(), width, rect.GetBottom());
    }
}

void AreaGraph::drawOverlay(wxDC& dc) const
{
    // The ruler's selection and the frame a hovered global marker asks for, drawn down through
    // every area so that they can be read against the rows.
    const Ruler& ruler = *getTimeline()->getRuler();
    const int height = GetClientSize().y;
    const auto verticals = [&](int x1, int x2, const wxPen& pen) {
        dc.SetPen(pen);
        dc.DrawLine(x1, 0, x1, height);
        dc.DrawLine(x2, 0, x2, height);
    };
    if (ruler.hasRulerSelection())
        verticals(ruler.xFromTime(ruler.getSelectionStart(), true), ruler.xFromTime(ruler.getSelectionEnd(), true),
                  wxPen(palette::selectionEdge));
    if (ruler.hasFrameAnchor())
        verticals(ruler.getFrameAnchorX1(), ruler.getFrameAnchorX2(), wxPen(palette::frame, 1, wxPENSTYLE_SHORT_DASH));
}

void AreaGraph::handleRightDown(wxMouseEvent&)
{
    if (EventCallback* callback = getEventCallback())
        callback->headerContextMenu(m_pane->getHeader());
}

bool AreaGraph::handleLeftDown(wxMouseEvent& event)
{
    m_dragStartX = event.GetX();
    m_dragging = false;
    return false;
}

bool AreaGraph::handleMotion(wxMouseEvent& event)
{
    // A few pixels of jitter in a click are no drag.
    constexpr int kDragThreshold = 4;
    if (m_dragStartX < 0 || !event.LeftIsDown()) {
        m_dragStartX = -1;
        return false;
    }
    if (!m_dragging && std::abs(event.GetX() - m_dragStartX) < kDragThreshold)
        return false;
    if (!m_dragging && !HasCapture())
        CaptureMouse();
    m_dragging = true;
    const int width = GetClientSize().x;
    const int x1 = std::clamp(std::min(m_dragStartX, event.GetX()), 0, width);
    const int x2 = std::clamp(std::max(m_dragStartX, event.GetX()), 0, width);
    Ruler& ruler = *getTimeline()->getRuler();
    ruler.setSelection(ruler.timeFromX(x1), ruler.timeFromX(x2), true);
    return true;
}

bool AreaGraph::handleLeftUp(wxMouseEvent&)
{
    const bool dragged = m_dragging; // the last motion set the range
    if (HasCapture())
        ReleaseMouse();
    m_dragStartX = -1;
    m_dragging = false;
    // Unlike a drag on the ruler, no zoom menu follows: the range is for reading (statistics).
    return dragged;
}

void AreaGraph::scrollRows(int rows)
{
    m_pane->scrollTo(m_pane->getFirstRow() + rows);
}

std::vector<wxString> AreaGraph::layerNames() const
{
    std::vector<wxString> names;
    for (GraphLayer* layer : getLayers())
        names.push_back(layer->getLayerName());
    return names;
}

void AreaGraph::rowsChanged()
{
    m_heights.layout(shownRows());
    m_pane->contentChanged();
    requestData(true);
    renderAll();
    m_pane->getHeader()->Refresh();
}

} // namespace tarquel_1_0
