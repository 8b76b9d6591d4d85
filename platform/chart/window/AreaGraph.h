#pragma once
// The graph of one area: the rows of the area's provider drawn one under the other, in the order
// the row mapping gives (sort order, rows that pass the filter), scrolled vertically by the pane.
// Implements the row queries of GraphLayerParent for the layers of the area.
#include "GraphWindow.h"

#include <tarquel_1_0/DataProvider.h>
#include <tarquel_1_0/RowHeights.h>
#include <tarquel_1_0/RowMapping.h>

#include <vector>

namespace tarquel_1_0 {

class AreaPane;

class AreaGraph : public GraphWindow {
public:
    static constexpr int kRowHeight = 22;

    AreaGraph(AreaPane* pane, Timeline* timeline);

    // Reads the rows from the provider: summary lines, a remembered sort order and the rows that
    // pass the filter.
    void reloadRows();
    // The provider computed new visible rows: apply them. True when the shown rows changed.
    bool refreshVisibleRows();

    int getSortOrder() const;
    void setSortOrder(int order);

    int getDisplayRowCount() const { return m_rows.getDisplayRowCount(); }
    // Display row under the window's y, -1 when none.
    int displayRowAtY(int y) const;
    void setScrollOffset(int pixels);
    int getScrollOffset() const { return m_scrollOffset; }
    int getContentHeight() const { return m_heights.getContentHeight(); }
    // The whole display row, strip and extra height, in window coordinates.
    wxRect getFullRowRect(int displayRow) const;
    // Content pixel at which a display row starts (before the scroll).
    int getRowTop(int displayRow) const { return m_heights.getTop(displayRow); }

    // GraphLayerParent row queries. Layers draw in window coordinates, so `windowCoordinates`
    // changes nothing here.
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
    void setRowExtraHeight(GraphLayer* layer, int dataRow, int pixels) override;
    wxRect getRowExtraRect(int displayRow) override;
    // Also while rows that changed height wait to be shown.
    bool isRepaintPending() const override;

protected:
    void drawBackground(wxDC& dc) override;
    void drawOverlay(wxDC& dc) const override;
    void handleRightDown(wxMouseEvent& event) override;
    // A drag across the rows selects a time range on the ruler, as one on the ruler does; a
    // click without a drag still selects the item under it.
    bool handleLeftDown(wxMouseEvent& event) override;
    bool handleMotion(wxMouseEvent& event) override;
    bool handleLeftUp(wxMouseEvent& event) override;
    void scrollRows(int rows) override;

private:
    void rowsChanged();
    // Asks for extra height change rows while layers take their data: the new layout is shown
    // once, after the current event.
    void scheduleRelayout();
    std::vector<wxString> layerNames() const;
    // Data rows in display order.
    std::vector<int> shownRows() const;

    AreaPane* m_pane;
    RowMapping m_rows;
    int m_scrollOffset = 0;
    RowHeights m_heights{kRowHeight};
    bool m_relayoutPending = false;
    int m_dragStartX = -1; // where the left button went down; -1 when it is up
    bool m_dragging = false;
};

} // namespace tarquel_1_0
