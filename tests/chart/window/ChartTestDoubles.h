#pragma once
// Small stand-ins for what a real pane puts into a timeline: a provider with named rows whose
// worker answers "line" requests (optionally held at a gate so a test can look at the loading
// state), a layer that draws one line per row, and an event callback that records every call.
#include <tarquel_1_0/DataProvider.h>
#include <tarquel_1_0/EventCallback.h>
#include <tarquel_1_0/GraphLayer.h>

#include <atomic>
#include <string>
#include <vector>

#include <wx/thread.h>

namespace chart_test {

class TestProvider : public tarquel_1_0::DataProvider {
public:
    static const int LINE_REQUEST = FIRST_CUSTOM_REQUEST;

    // Rows "<prefix> 0" .. "<prefix> n-1" living over [0, duration]. The worker starts at once.
    TestProvider(int rows, std::uint64_t duration, const wxString& prefix);

    // While closed, line requests wait on the worker after reporting 50% progress.
    void closeGate() { m_gateClosed = true; }
    void openGate();
    // Rows that pass the filter from the next filter-band update on; empty: all rows.
    void setFilteredRows(std::vector<int> rows);

    // Answers of `layer`, moved out.
    int consumeLines(tarquel_1_0::GraphLayer* layer, std::vector<unsigned int>& requestIds);
    int getSummaryInfo(std::vector<SummaryInfo>& out) override;
    bool hasRowBy() override { return true; }
    std::atomic<int> m_lineRequests{0};

protected:
    bool handleCustomRequest() override;
    bool getVisibleRows(std::vector<int>& rows) override;

private:
    wxString m_prefix;
    std::atomic<bool> m_gateClosed{false};
    wxSemaphore m_gate;
    std::vector<int> m_filteredRows;                              // m_resultsLock
    std::vector<std::pair<tarquel_1_0::GraphLayer*, unsigned int>> m_answers; // m_resultsLock
};

// Draws, in every row in view, a 3-pixel line in m_color over the middle half of the data.
// Hovering the line hits the row; the hit row can be selected.
class LineLayer : public tarquel_1_0::GraphLayer {
public:
    explicit LineLayer(const wxString& name, const wxColour& colour);

    void requestData(bool onlyIfMissing) override;
    bool checkData() override;
    void updateData(wxMemoryDC& dc, bool render) override;
    void renderAll(wxMemoryDC& dc) override;
    bool hittest(int x, int y) override;
    void clearHittest() override { m_hitRow = -1; }
    bool canSelect() override { return m_hitRow >= 0; }
    bool setSelection() override;
    void clearSelection() override { m_selectedRow = -1; }
    bool hasSelection() override { return m_selectedRow >= 0; }
    void clear() override;
    int getTooltipCount() override { return m_hitRow >= 0 ? 1 : 0; }
    void getTooltip(int maxCount, std::vector<wxString>& lines) override;
    void customizeLegend(std::vector<int>& ids) override;
    void populateLegendPopup(wxMenu& menu, int id) override;
    void handleLegendPopupMenu(int index) override { m_popupChoices.push_back(index); }

    // Where the line of a display row lies (x range from the ruler).
    wxRect lineRect(int displayRow) const;

    bool m_dataLoaded = false;
    int m_requestsMade = 0;
    int m_checks = 0;      // checkData calls
    int m_ticksWanted = 0; // update-timer ticks still asked for; the last one stops the timer
    int m_ticks = 0;
    int m_hitRow = -1; // display row
    int m_selectedRow = -1;
    std::vector<int> m_popupChoices;

private:
    std::vector<unsigned int> m_pending;
};

// Records every call as one line, e.g. "rowsSelected 1,3".
class RecordingCallback : public tarquel_1_0::EventCallback {
public:
    void itemSelected(tarquel_1_0::GraphLayer* layer) override;
    void itemActivated(tarquel_1_0::GraphLayer* layer) override;
    void rulerContextMenu(tarquel_1_0::Timeline*) override { m_calls.push_back("rulerContextMenu"); }
    void rulerRangeSelected(tarquel_1_0::Timeline*) override { m_calls.push_back("rulerRangeSelected"); }
    void rulerMenuCommand(tarquel_1_0::Timeline*, int id) override;
    void rowVisibilityChanged(tarquel_1_0::Timeline* timeline, tarquel_1_0::GraphLayerParent* graph) override;
    void layerColorChanged(tarquel_1_0::GraphLayer*, const wxString& what, const wxColour&) override;
    void rowsSelected(tarquel_1_0::GraphLayerParent*, const std::vector<int>& rows) override;
    void headerContextMenu(tarquel_1_0::HeaderCtrl*) override { m_calls.push_back("headerContextMenu"); }
    void headerMenuCommand(tarquel_1_0::HeaderCtrl*, int id) override;

    std::vector<std::string> m_calls;
};

} // namespace chart_test
