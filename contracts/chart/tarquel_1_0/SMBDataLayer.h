#pragma once
// A finished layer that draws each row's multi-band state strip: the provider's state intervals
// (DataProvider::getSMBData, fetched through REQUEST_SMB_DATA, one request per row) as a bar in
// the provider's running and waiting colours. Where one pixel column holds both states it is drawn
// in the mixed colour, so any amount of intervals costs at most one box per column. Hover shows the
// state and times of the interval under the pointer; the legend offers its two colours.
#include <chart_export.h>
#include <tarquel_1_0/DataProvider.h>
#include <tarquel_1_0/GraphLayer.h>

#include <map>
#include <vector>

namespace tarquel_1_0 {

class ColumnEdges;

class TARQUEL_API SMBDataLayer : public GraphLayer {
public:
    SMBDataLayer();

    void requestData(bool onlyIfMissing) override;
    void updateData(wxMemoryDC& dc, bool render) override;
    bool checkData() override;
    void renderAll(wxMemoryDC& dc) override;
    bool hittest(int x, int y) override;
    void clearHittest() override;
    void clear() override;
    int getTooltipCount() override;
    void getTooltip(int maxCount, std::vector<wxString>& lines) override;
    void customizeLegend(std::vector<int>& ids) override;
    void filterChanged() override;
    void populateLegendPopup(wxMenu& menu, int id) override;
    void handleLegendPopupMenu(int index) override;

    // The name of the rows (shown in tooltips).
    void setRowByName(const wxString& name) { m_rowByName = name; }

    // The interval under the last hit, or null.
    const DataProvider::SMBInterval* getHitInterval() const;

protected:
    // Draws one display row's strip, its columns found in `edges` (made from the layer's ruler).
    void renderRow(wxMemoryDC& dc, int displayRow, const ColumnEdges& edges);

private:
    std::map<int, std::vector<DataProvider::SMBInterval>> m_rowData; // per data row
    std::vector<DataProvider::SMBRowData> m_pendingData;
    bool m_dataLoaded = false;
    int m_hitRow = -1;      // data row
    int m_hitInterval = -1; // index into m_rowData[m_hitRow]
    wxString m_rowByName;
};

} // namespace tarquel_1_0
