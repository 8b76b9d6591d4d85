#include "ShownTooltip.h"

#include <wx/window.h>

namespace chart_test {

wxWindow* shownTooltip(wxWindow* graph)
{
    for (wxWindow* child : graph->GetChildren())
        if (child->GetName() == "tooltip" && child->IsShown())
            return child;
    return nullptr;
}

wxString shownTooltipText(wxWindow* graph)
{
    const wxWindow* tooltip = shownTooltip(graph);
    return tooltip ? tooltip->GetLabel() : wxString();
}

} // namespace chart_test
