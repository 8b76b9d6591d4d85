#include "AreaPane.h"

#include "AreaGraph.h"

#include <tarquel_1_0/HeaderCtrl.h>

#include <algorithm>

#include <wx/scrolbar.h>
#include <wx/settings.h>
#include <wx/sizer.h>

namespace tarquel_1_0 {

AreaPane::AreaPane(wxWindow* parent, Timeline* timeline, const wxString& name)
    : wxPanel(parent, wxID_ANY), m_name(name)
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
    return std::max(m_graph->GetClientSize().y / AreaGraph::kRowHeight, 1);
}

int AreaPane::getFirstRow() const
{
    return m_graph->getScrollOffset() / AreaGraph::kRowHeight;
}

void AreaPane::updateScrollBar()
{
    // The scroll bar counts whole rows, so a line step is one row.
    const int page = rowsPerPage();
    m_scrollBar->SetScrollbar(getFirstRow(), page, m_graph->getDisplayRowCount(), page);
    scrollTo(getFirstRow());
}

void AreaPane::scrollTo(int firstRow)
{
    firstRow = std::clamp(firstRow, 0, std::max(m_graph->getDisplayRowCount() - rowsPerPage(), 0));
    if (m_scrollBar->GetThumbPosition() != firstRow)
        m_scrollBar->SetThumbPosition(firstRow);
    if (firstRow == getFirstRow())
        return;
    m_graph->setScrollOffset(firstRow * AreaGraph::kRowHeight);
    m_header->Refresh();
}

void AreaPane::onScroll(wxScrollEvent& event)
{
    scrollTo(event.GetPosition());
}

} // namespace tarquel_1_0
