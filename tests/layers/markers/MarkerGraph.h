#pragma once
// A graph without a window for marker layer tests and benchmarks: rows of a fixed height, data
// row i shown as display row i unless hidden, every shown row in view, and a recorded list of
// colour changes.
#include <tarquel_1_0/GraphLayerParent.h>

#include <set>
#include <vector>

namespace marker_test {

class MarkerGraph : public tarquel_1_0::GraphLayerParent {
public:
    static const int ROW_HEIGHT = 20;

    MarkerGraph(tarquel_1_0::DataProvider* provider, tarquel_1_0::Ruler* ruler, int rows, int width);

    bool claimRowBackgroundPainting(tarquel_1_0::GraphLayer*) override { return false; }
    void layerColorChanged(tarquel_1_0::GraphLayer* layer, const wxColour& colour, const wxString& what) override;
    void requestUpdateTimer(tarquel_1_0::GraphLayer*, bool) override {}
    wxRect getRowRect(int displayRow, bool windowCoordinates) override;
    void getVisibleRowRange(int& first, int& last) override;
    int getDataRow(int displayRow) override;
    int getDisplayRow(int dataRow) override;
    int getRowCount() override { return m_rows; }
    wxString getRowName(int) override { return wxString(); }
    bool getRowLifetime(int, wxULongLong& start, wxULongLong& end) override;
    bool getRowDrawSpan(int displayRow, wxULongLong& start, wxULongLong& end) override;
    int getDataRowAt(int x, int y, bool windowCoordinates) override;
    wxRect getRowGraphRect(int displayRow) override { return getRowRect(displayRow, false); }
    wxWindow* getWindow() override { return nullptr; }

    int m_rows;
    int m_width;
    std::set<int> m_hidden; // data rows filtered out
    std::vector<wxString> m_colorChanges;
};

} // namespace marker_test
