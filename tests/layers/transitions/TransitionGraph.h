#pragma once
// A graph without a window for transition layer tests and benchmarks: rows of a fixed height,
// data row i shown as display row i unless hidden, every shown row in view, rows named "Row <i>",
// and a record of update-timer requests and colour changes.
#include <tarquel_1_0/GraphLayerParent.h>

#include <set>
#include <vector>

namespace transition_test {

class TransitionGraph : public tarquel_1_0::GraphLayerParent {
public:
    TransitionGraph(tarquel_1_0::DataProvider* provider, tarquel_1_0::Ruler* ruler, int rows, int width,
                    int rowHeight);

    bool claimRowBackgroundPainting(tarquel_1_0::GraphLayer*) override { return false; }
    void layerColorChanged(tarquel_1_0::GraphLayer* layer, const wxColour& colour, const wxString& what) override;
    void requestUpdateTimer(tarquel_1_0::GraphLayer* layer, bool on) override;
    wxRect getRowRect(int displayRow, bool windowCoordinates) override;
    void getVisibleRowRange(int& first, int& last) override;
    int getDataRow(int displayRow) override;
    int getDisplayRow(int dataRow) override;
    int getRowCount() override { return m_rows; }
    wxString getRowName(int displayRow) override;
    bool getRowLifetime(int, wxULongLong& start, wxULongLong& end) override;
    bool getRowDrawSpan(int displayRow, wxULongLong& start, wxULongLong& end) override;
    int getDataRowAt(int x, int y, bool windowCoordinates) override;
    wxRect getRowGraphRect(int displayRow) override { return getRowRect(displayRow, false); }
    wxWindow* getWindow() override { return nullptr; }

    int m_rows;
    int m_width;
    int m_rowHeight;
    std::set<int> m_hidden; // data rows filtered out
    bool m_timerOn = false;
    int m_timerStarts = 0;
    std::vector<wxString> m_colorChanges;
};

} // namespace transition_test
