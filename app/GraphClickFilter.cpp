#include "GraphClickFilter.h"

#include <tarquel_1_0/GraphLayerParent.h>

#include <wx/event.h>
#include <wx/window.h>

namespace velmora_viewer {

GraphClickFilter::GraphClickFilter(Pressed pressed) : m_pressed(std::move(pressed))
{
    wxEvtHandler::AddFilter(this);
}

GraphClickFilter::~GraphClickFilter()
{
    wxEvtHandler::RemoveFilter(this);
}

void GraphClickFilter::watch(tarquel_1_0::GraphLayerParent& graph)
{
    m_graphs[graph.getWindow()] = &graph;
}

int GraphClickFilter::FilterEvent(wxEvent& event)
{
    if (event.GetEventType() == wxEVT_LEFT_DOWN) {
        const auto found = m_graphs.find(dynamic_cast<const wxWindow*>(event.GetEventObject()));
        if (found != m_graphs.end()) {
            const auto& mouse = static_cast<const wxMouseEvent&>(event);
            m_pressed(*found->second, mouse.GetX(), mouse.GetY());
        }
    }
    return Event_Skip;
}

} // namespace velmora_viewer
