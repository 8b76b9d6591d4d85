#include "AreaPane.h"

#include "AreaGraph.h"

#include <tarquel_1_0/GraphArea.h>
#include <tarquel_1_0/HeaderCtrl.h>

#include <algorithm>

#include <wx/scrolbar.h>
#include <wx/settings.h>
#include <wx/sizer.h>

namespace tarquel_1_0 {

AreaPane::AreaPane(GraphArea* area, Timeline* timeline, const wxString& name)
    : wxPanel(area, wxID_ANY), m_area(area), m_name(name)
{
    m_graph = new AreaGraph(this, timeline);
    m_header = new HeaderCtrl(this, this);
    m_header->SetMinSize(wxSize(kHeaderWidth, -1));
    m_header->SetToolTip(name);
    m_scrollBar = new wxScrollBar(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSB_VERTICAL);
    m_scrollBar->SetMinSize(wxSize(scrollBarWidth(this), -1));

    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    sizer->Add(m_header, 0, wxEXPAND);
    sizer->Add(m_graph, 1, wxEXPAND);
    sizer->Add(m_scrollBar, 0, wxEXPAND);
    SetSizer(sizer);

    m_scrollBar->Bind(wxEVT_SCROLL_CHANGED, &AreaPane::onScroll, this);
    m_scrollBar->Bind(wxEVT_SCROLL_THUMBTRACK, &AreaPane::onScroll, this);
    m_scrollBar->Bind(wxEVT_SCROLL_LINEUP, &AreaPane::onScroll, this);
    m_scrollBar->Bind(wxEVT_SCROLL_LINEDOWN, &AreaPane::onScroll, this);
    m_scrollBar->Bind(wxEVT_SCROLL_PAGEUP, &AreaPane::onScroll, this);
    m_scrollBar->Bind(wxEVT_SCROLL_PAGEDOWN, &AreaPane::onScroll, this);
    Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        event.Skip();
        CallAfter([this] { updateScrollBar(); });
    });
}

int AreaPane::scrollBarWidth(const wxWindow* window)
{
    return wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, window);
}

int AreaPane::rowsPerPage() const
{
    // Rows from the first shown that fit whole; rows may differ in height.
    const int height = m_graph->GetClientSize().y;
    const int first = getFirstRow();
    int rows = 0;
    while (first + rows < m_graph->getDisplayRowCount() &&
           m_graph->getRowTop(first + rows + 1) - m_graph->getRowTop(first) <= height)
        ++rows;
    return std::max(rows, 1);
}

int AreaPane::lastFirstRow() const
{
    // The first row from which the rest fits the window, so the last page is full.
    const int count = m_graph->getDisplayRowCount();
    const int content = m_graph->getContentHeight();
    const int height = m_graph->GetClientSize().y;
    int row = count - 1;
    while (row > 0 && content - m_graph->getRowTop(row - 1) <= height)
        --row;
    return std::max(row, 0);
}

int AreaPane::getFirstRow() const
{
    return std::max(m_graph->displayRowAtY(0), 0);
}

void AreaPane::updateScrollBar()
{
    // The scroll bar counts whole rows, so a line step is one row.
    const int page = rowsPerPage();
    m_scrollBar->SetScrollbar(getFirstRow(), page, m_graph->getDisplayRowCount(), page);
    scrollTo(getFirstRow());
}

void AreaPane::contentChanged()
{
    m_area->fitPanes();
    updateScrollBar();
}

void AreaPane::scrollTo(int firstRow)
{
    firstRow = std::clamp(firstRow, 0, lastFirstRow());
    if (m_scrollBar->GetThumbPosition() != firstRow)
        m_scrollBar->SetThumbPosition(firstRow);
    if (m_graph->getRowTop(firstRow) == m_graph->getScrollOffset())
        return;
    m_graph->setScrollOffset(m_graph->getRowTop(firstRow));
    m_header->Refresh();
}

void AreaPane::onScroll(wxScrollEvent& event)
{
    scrollTo(event.GetPosition());
}

} // namespace tarquel_1_0
