#pragma once
// A graph without a window for over-time layer tests: `rowCount` rows of ROW_HEIGHT pixels, data
// row = display row, all in view, each living over the whole ruler unless a test sets a lifetime.
// Records colour changes and hands the row backgrounds to the first layer that asks.
#include <tarquel_1_0/GraphLayerParent.h>

#include <map>
#include <utility>
#include <vector>

namespace overtime_test {

class RowGraph : public tarquel_1_0::GraphLayerParent {
public:
    static const int ROW_HEIGHT = 20;

    RowGraph(tarquel_1_0::DataProvider* provider, tarquel_1_0::Ruler* ruler, int width, int rowCount);

    bool claimRowBackgroundPainting(tarquel_1_0::GraphLayer* layer) override;
    void layerColorChanged(tarquel_1_0::GraphLayer* layer, const wxColour& colour, const wxString& what) override;
    void requestUpdateTimer(tarquel_1_0::GraphLayer*, bool) override {}
    wxRect getRowRect(int displayRow, bool windowCoordinates) override;
    void getVisibleRowRange(int& first, int& last) override;
    int getDataRow(int displayRow) override;
    int getDisplayRow(int dataRow) override { return getDataRow(dataRow); }
    int getRowCount() override { return m_rowCount; }
    wxString getRowName(int displayRow) override;
    bool getRowLifetime(int dataRow, wxULongLong& start, wxULongLong& end) override;
    bool getRowDrawSpan(int displayRow, wxULongLong& start, wxULongLong& end) override;
    int getDataRowAt(int x, int y, bool windowCoordinates) override;
    wxRect getRowGraphRect(int displayRow) override { return getRowRect(displayRow, false); }
    wxWindow* getWindow() override { return m_window; }

    int m_width;
    int m_rowCount;
    std::map<int, std::pair<wxULongLong, wxULongLong>> m_lifetimes; // rows not listed live throughout
    tarquel_1_0::GraphLayer* m_background = nullptr;
    std::vector<wxString> m_colorChanges; // "<what> #rrggbb"
    wxWindow* m_window = nullptr;
};

} // namespace overtime_test
