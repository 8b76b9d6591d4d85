#pragma once
// One area of the timeline: its row header on the left, its graph on the right and a vertical
// scroll bar, with the row header and the graph scrolled together.
#include <wx/panel.h>

class wxScrollBar;
class wxScrollEvent;

namespace tarquel_1_0 {

class AreaGraph;
class GraphArea;
class HeaderCtrl;
class Timeline;

class AreaPane : public wxPanel {
public:
    static constexpr int kHeaderWidth = 160;
    // Width of the scroll bar; the ruler leaves the same room so that its axis lines up.
    static int scrollBarWidth(const wxWindow* window);

    AreaPane(GraphArea* area, Timeline* timeline, const wxString& name);

    const wxString& getName() const { return m_name; }
    AreaGraph* getGraph() const { return m_graph; }
    HeaderCtrl* getHeader() const { return m_header; }

    // Rows were added, removed or re-sorted, or the window was resized: fit the scroll bar.
    void updateScrollBar();
    // Rows changed in number or height: the areas share the height again, then the scroll bar
    // fits.
    void contentChanged();
    // Shows the rows from `firstRow` on at the top of the pane (limited so the last page is full).
    void scrollTo(int firstRow);
    int getFirstRow() const;

private:
    void onScroll(wxScrollEvent& event);
    int rowsPerPage() const;
    int lastFirstRow() const;

    GraphArea* m_area;
    wxString m_name;
    HeaderCtrl* m_header;
    AreaGraph* m_graph;
    wxScrollBar* m_scrollBar;
};

} // namespace tarquel_1_0
