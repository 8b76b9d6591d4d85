#include <tarquel_1_0/GraphArea.h>

#include "AreaGraph.h"
#include "AreaPane.h"
#include "RulerWindow.h"

#include <wx/sizer.h>

namespace tarquel_1_0 {

GraphArea::GraphArea(wxWindow* parent, RulerWindow* ruler) : wxPanel(parent, wxID_ANY), m_ruler(ruler)
{
    SetSizer(new wxBoxSizer(wxVERTICAL));
    Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        fitToContent();
        event.Skip();
    });
}

void GraphArea::fitToContent()
{
    if (m_panes.empty())
        return;
    const int share = GetClientSize().y / static_cast<int>(m_panes.size());
    bool changed = false;
    for (AreaPane* pane : m_panes) {
        const int content = pane->getGraph()->getContentHeight();
        const bool small = content > 0 && content <= share;
        wxSizerItem* item = GetSizer()->GetItem(pane);
        const int proportion = small ? 0 : 1;
        const wxSize minimum(-1, small ? content : -1);
        if (item && (item->GetProportion() != proportion || pane->GetMinSize() != minimum)) {
            item->SetProportion(proportion);
            pane->SetMinSize(minimum);
            changed = true;
        }
    }
    if (changed)
        Layout();
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
