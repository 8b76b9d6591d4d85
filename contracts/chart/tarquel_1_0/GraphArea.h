#pragma once
// The part of the timeline below the ruler that holds the area panes, one above the other.
// Layers and the pane call renderAllGraphs after a colour, selection or visibility change:
// every area and the ruler's global layers are drawn again into their memory bitmaps.
// An area needs no more height than its rows; the rest goes to the areas that need more.
#include <chart_export.h>

#include <vector>

#include <wx/panel.h>

namespace tarquel_1_0 {

class AreaPane;
class RulerWindow;

class TARQUEL_API GraphArea : public wxPanel {
public:
    GraphArea(wxWindow* parent, RulerWindow* ruler);
    GraphArea(const GraphArea&) = delete;
    GraphArea& operator=(const GraphArea&) = delete;

    void renderAllGraphs();

    // Creation and lookup of panes, for the timeline.
    AreaPane* addPane(const wxString& name);
    int getPaneCount() const;
    AreaPane* getPane(int index) const;

private:
    RulerWindow* m_ruler;
    std::vector<AreaPane*> m_panes; // child windows, destroyed with this panel
};

} // namespace tarquel_1_0
