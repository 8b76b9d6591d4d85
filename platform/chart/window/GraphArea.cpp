#include <tarquel_1_0/GraphArea.h>

#include "AreaGraph.h"
#include "AreaPane.h"
#include "RulerWindow.h"

#include <wx/sizer.h>

namespace tarquel_1_0 {

GraphArea::GraphArea(wxWindow* parent, RulerWindow* ruler) : wxPanel(parent, wxID_ANY), m_ruler(ruler)
{
    SetSizer(new wxBoxSizer(wxVERTICAL));
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
    if (!m_panes.empty())
        GetSizer()->AddSpacer(3);
    GetSizer()->Add(pane, 1, wxEXPAND);
    m_panes.push_back(pane);
    Layout();
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

} // namespace tarquel_1_0
