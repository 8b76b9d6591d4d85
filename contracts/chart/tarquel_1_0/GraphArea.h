#pragma once
// The part of the timeline below the ruler that holds the area panes, one above the other.
// Layers and the pane call renderAllGraphs after a colour, selection or visibility change:
// every area and the ruler's global layers are drawn again into their memory bitmaps.
// The areas share the height as AreaHeights decides, by their rows' height until the user drags
// one of the dividers between them; the panes are placed by hand (no sizer), so the height this
// panel gets is always the window's and never the sum of what the areas would like.
#include <chart_export.h>
#include <tarquel_1_0/AreaHeights.h>

#include <vector>

#include <wx/panel.h>

class wxMouseEvent;

namespace tarquel_1_0 {

class AreaPane;
class RulerWindow;

class TARQUEL_API GraphArea : public wxPanel {
public:
    // The gap between two areas, which the mouse drags.
    static constexpr int kDividerHeight = 5;

    GraphArea(wxWindow* parent, RulerWindow* ruler);
    GraphArea(const GraphArea&) = delete;
    GraphArea& operator=(const GraphArea&) = delete;

    void renderAllGraphs();

    // Creation and lookup of panes, for the timeline.
    AreaPane* addPane(const wxString& name);
    int getPaneCount() const;
    AreaPane* getPane(int index) const;
    // An area's rows changed in number or height: the areas share the height again.
    void fitPanes();
    // The area above the divider at y (client coordinates), -1 when y is on no divider.
    int dividerAt(int y) const;

protected:
    wxSize DoGetBestSize() const override;

private:
    std::vector<int> paneHeights() const;
    void onMouse(wxMouseEvent& event);

    RulerWindow* m_ruler;
    std::vector<AreaPane*> m_panes; // child windows, destroyed with this panel
    AreaHeights m_heights;
    int m_dragDivider = -1;          // the divider being dragged, -1 when none
    int m_dragStartY = 0;
    std::vector<int> m_dragStartHeights;
};

} // namespace tarquel_1_0
