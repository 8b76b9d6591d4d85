#include <tarquel_1_0/GraphArea.h>

#include "AreaGraph.h"
#include "AreaPane.h"
#include "RulerWindow.h"

#include <wx/cursor.h>

namespace tarquel_1_0 {

GraphArea::GraphArea(wxWindow* parent, RulerWindow* ruler) : wxPanel(parent, wxID_ANY), m_ruler(ruler)
{
    Bind(wxEVT_SIZE, [this](wxSizeEvent&) { fitPanes(); });
    // Only the dividers are this panel's own surface: the panes cover the rest.
    for (const auto& type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, wxEVT_MOTION, wxEVT_LEAVE_WINDOW})
        Bind(type, &GraphArea::onMouse, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) { m_dragDivider = -1; });
}

void GraphArea::renderAllGraphs()
{
    m_ruler->renderAll();
    for (AreaPane* pane : m_panes)
        pane->getGraph()->renderAll();
}

AreaPane* GraphArea::addPane(const wxString& name)
{
    auto* pane = new AreaPane(this, m_ruler->getTimeline(), name);
    m_panes.push_back(pane);
    m_heights.reset();
    fitPanes();
    return pane;
}

int GraphArea::getPaneCount() const
{
    return static_cast<int>(m_panes.size());
}

AreaPane* GraphArea::getPane(int index) const
{
    return index >= 0 && index < getPaneCount() ? m_panes[index] : nullptr;
}

void GraphArea::fitPanes()
{
    if (m_panes.empty())
        return;
    const wxSize size = GetClientSize();
    std::vector<int> content;
    for (const AreaPane* pane : m_panes)
        content.push_back(pane->getGraph()->getContentHeight());
    const int dividers = kDividerHeight * (getPaneCount() - 1);
    const std::vector<int> heights = m_heights.fit(content, size.y - dividers);
    int y = 0;
    for (std::size_t i = 0; i < m_panes.size(); ++i) {
        m_panes[i]->SetSize(0, y, size.x, heights[i]);
        y += heights[i] + kDividerHeight;
    }
}

int GraphArea::dividerAt(int y) const
{
    for (int i = 0; i + 1 < getPaneCount(); ++i) {
        const int top = m_panes[i]->GetRect().GetBottom() + 1;
        if (y >= top && y < top + kDividerHeight)
            return i;
    }
    return -1;
}

wxSize GraphArea::DoGetBestSize() const
{
    // Small on purpose: the timeline's sizer gives this panel whatever height is left.
    return wxSize(AreaPane::kHeaderWidth, AreaHeights::kMinimum);
}

std::vector<int> GraphArea::paneHeights() const
{
    std::vector<int> heights;
    for (const AreaPane* pane : m_panes)
        heights.push_back(pane->GetSize().y);
    return heights;
}

void GraphArea::onMouse(wxMouseEvent& event)
{
    const int y = event.GetPosition().y;
    if (event.LeftDown() && dividerAt(y) >= 0) {
        m_dragDivider = dividerAt(y);
        m_dragStartY = y;
        m_dragStartHeights = paneHeights();
        if (!HasCapture())
            CaptureMouse();
    } else if (event.Dragging() && m_dragDivider >= 0) {
        m_heights.drag(m_dragStartHeights, m_dragDivider, y - m_dragStartY);
        fitPanes();
    } else if (event.LeftUp() && m_dragDivider >= 0) {
        m_dragDivider = -1;
        if (HasCapture())
            ReleaseMouse();
    }
    // The cursor tells that the divider can be moved; over the panes they set their own.
    const bool overDivider = m_dragDivider >= 0 || (!event.Leaving() && dividerAt(y) >= 0);
    SetCursor(overDivider ? wxCursor(wxCURSOR_SIZENS) : wxNullCursor);
    event.Skip();
}

} // namespace tarquel_1_0
