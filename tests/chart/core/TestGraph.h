#pragma once
// A graph without a window for layer tests: rows of a fixed height, mapped through a RowMapping,
// every display row in view, the provider and ruler the test hands in.
#include <tarquel_1_0/GraphLayerParent.h>
#include <tarquel_1_0/RowMapping.h>
#include <tarquel_1_0/Ruler.h>

#include <vector>

namespace chart_test {

class TestGraph : public tarquel_1_0::GraphLayerParent {
public:
    static const int ROW_HEIGHT = 20;

    TestGraph(tarquel_1_0::DataProvider* provider, tarquel_1_0::Ruler* ruler, int width);

    // Reads the provider's rows and filter, as an area does after finalize and filter changes.
    void refreshRows();

    bool claimRowBackgroundPainting(tarquel_1_0::GraphLayer* layer) override;
    void layerColorChanged(tarquel_1_0::GraphLayer* layer, const wxColour& colour, const wxString& what) override;
    void requestUpdateTimer(tarquel_1_0::GraphLayer* layer, bool on) override;
    wxRect getRowRect(int displayRow, bool windowCoordinates) override;
    void getVisibleRowRange(int& first, int& last) override;
    int getDataRow(int displayRow) override { return m_rows.getDataRow(displayRow); }
    int getDisplayRow(int dataRow) override { return m_rows.getDisplayRow(dataRow); }
    int getRowCount() override { return m_rows.getRowCount(); }
    wxString getRowName(int displayRow) override;
    bool getRowLifetime(int dataRow, wxULongLong& start, wxULongLong& end) override;
    bool getRowDrawSpan(int displayRow, wxULongLong& start, wxULongLong& end) override;
    int getDataRowAt(int x, int y, bool windowCoordinates) override;
    wxRect getRowGraphRect(int displayRow) override { return getRowRect(displayRow, false); }
    wxWindow* getWindow() override { return nullptr; }

    tarquel_1_0::RowMapping m_rows;
    int m_width;
    tarquel_1_0::GraphLayer* m_background = nullptr;
    std::vector<wxString> m_colorChanges;
};

} // namespace chart_test
