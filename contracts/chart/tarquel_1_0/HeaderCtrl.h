#pragma once
// The row header of one area: the names of the displayed rows, aligned with the graph beside it,
// and a multi-row selection (click selects one row, Ctrl+click toggles, Shift+click extends).
// A selection change is reported through the area's EventCallback::rowsSelected; a right click
// calls EventCallback::headerContextMenu, and commands of a menu popped up on this window go to
// EventCallback::headerMenuCommand.
#include <chart_export.h>

#include <set>
#include <vector>

#include <wx/window.h>

namespace tarquel_1_0 {

class AreaPane;
class GraphLayerParent;

class TARQUEL_API HeaderCtrl : public wxWindow {
public:
    HeaderCtrl(wxWindow* parent, AreaPane* pane);
    HeaderCtrl(const HeaderCtrl&) = delete;
    HeaderCtrl& operator=(const HeaderCtrl&) = delete;

    // The graph this header labels.
    GraphLayerParent* getGraph() const;

    bool hasSelection() const;
    // Data rows, ascending: with `selected` the selected rows, otherwise the displayed rows that
    // are not selected.
    std::vector<int> getSelectedRows(bool selected) const;
    bool isRowSelected(int dataRow) const;
    // Selection changes made here do not call rowsSelected: only the user's clicks do.
    void selectRow(int dataRow, bool addToSelection);
    void clearSelection();

    // Sort order of the area's rows (DataProvider::SortOrder values; 0 = data order).
    int getSortOrder() const;
    void setSortOrder(int order);

private:
    void onPaint(wxPaintEvent& event);
    void onLeftDown(wxMouseEvent& event);
    void onRightDown(wxMouseEvent& event);
    void onMenu(wxCommandEvent& event);
    void notifySelection();

    AreaPane* m_pane;
    std::set<int> m_selected; // data rows
    int m_anchorRow = -1;     // display row that Shift+click extends from
};

} // namespace tarquel_1_0
