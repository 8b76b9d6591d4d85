#pragma once
// The ruler above the areas: the time axis of the visible range with its tick labels, the
// selected range, and one strip at the bottom that the global layers draw on (their single row).
// Dragging selects a time range (EventCallback::rulerRangeSelected on release), a right click
// asks the global callback for the ruler menu.
#include "GraphWindow.h"

namespace tarquel_1_0 {

class RulerWindow : public GraphWindow {
public:
    static constexpr int kLabelHeight = 20;
    static constexpr int kStripHeight = 24;

    explicit RulerWindow(wxWindow* parent, Timeline* timeline);

    // GraphLayerParent: one row, the strip at the bottom, living as long as the data.
    wxRect getRowRect(int displayRow, bool windowCoordinates) override;
    void getVisibleRowRange(int& first, int& last) override;
    int getDataRow(int displayRow) override;
    int getDisplayRow(int dataRow) override;
    int getRowCount() override;
    wxString getRowName(int displayRow) override;
    bool getRowLifetime(int dataRow, wxULongLong& start, wxULongLong& end) override;
    bool getRowDrawSpan(int displayRow, wxULongLong& start, wxULongLong& end) override;
    int getDataRowAt(int x, int y, bool windowCoordinates) override;
    wxRect getRowGraphRect(int displayRow) override;

protected:
    void drawBackground(wxDC& dc) override;
    void drawOverlay(wxDC& dc) const override;
    bool handleLeftDown(wxMouseEvent& event) override;
    bool handleMotion(wxMouseEvent& event) override;
    bool handleLeftUp(wxMouseEvent& event) override;
    void handleRightDown(wxMouseEvent& event) override;
    void sizeChanged(const wxSize& size) override;
    // Only the global layers' strip: the time axis stays readable.
    wxRect maskedArea() const override;

private:
    static constexpr int kDragThreshold = 3;
    static constexpr int kLabelGap = 6; // least room between two tick labels

    void drawTicks(wxDC& dc);
    // The length of the selected range [x1, x2] as a label on the ruler.
    void drawSelectionLength(wxDC& dc, int x1, int x2) const;
    wxRect stripRect() const;
    void selectBetween(int x1, int x2);

    int m_dragStartX = -1; // -1: no button pressed on the ruler
    bool m_dragging = false;
};

} // namespace tarquel_1_0
