#pragma once
// A slice layer drawn without a window, for tests and benchmarks: a provider without a worker
// whose records the test files itself, and a graph whose rows grow by the extra height the
// layer asks for (strips of ROW_HEIGHT, rows one under the other, all in view).
#include "layers/SliceLayer.h"
#include "provider/SarvikProvider.h"

#include <tarquel_1_0/GraphLayerParent.h>
#include <tarquel_1_0/Ruler.h>

#include <memory>
#include <vector>

#include <wx/bitmap.h>
#include <wx/dcmemory.h>

namespace slice_test {

class SliceProvider : public velmora_1_0::SarvikProvider {
public:
    void file(velmora_1_0::SarvikProvider::SliceData data);
};

struct DeleteSelf {
    void operator()(tarquel_1_0::DataProvider* provider) const { provider->deleteSelf(); }
};

class LaneGraph : public tarquel_1_0::GraphLayerParent {
public:
    static const int ROW_HEIGHT = 20;

    LaneGraph(tarquel_1_0::DataProvider* provider, tarquel_1_0::Ruler* ruler, int rows, int width);

    bool claimRowBackgroundPainting(tarquel_1_0::GraphLayer*) override { return false; }
    void layerColorChanged(tarquel_1_0::GraphLayer*, const wxColour&, const wxString&) override {}
    void requestUpdateTimer(tarquel_1_0::GraphLayer*, bool) override {}
    wxRect getRowRect(int displayRow, bool windowCoordinates) override;
    void getVisibleRowRange(int& first, int& last) override;
    int getDataRow(int displayRow) override;
    int getDisplayRow(int dataRow) override { return getDataRow(dataRow); }
    int getRowCount() override { return m_rows; }
    wxString getRowName(int) override { return wxString(); }
    bool getRowLifetime(int, wxULongLong& start, wxULongLong& end) override;
    bool getRowDrawSpan(int, wxULongLong& start, wxULongLong& end) override;
    int getDataRowAt(int x, int y, bool windowCoordinates) override;
    wxRect getRowGraphRect(int displayRow) override { return getRowRect(displayRow, false); }
    wxWindow* getWindow() override { return nullptr; }
    void setRowExtraHeight(tarquel_1_0::GraphLayer* layer, int dataRow, int pixels) override;
    wxRect getRowExtraRect(int displayRow) override;

    int top(int displayRow) const;
    int contentHeight() const { return top(m_rows); }

private:
    int m_rows;
    int m_width;
    std::vector<int> m_extra;
};

// One row's record as the provider's worker would file it: slices by start with their lanes,
// names and categories; `depth` from the deepest slice.
velmora_1_0::SarvikProvider::SliceData rowData(short row, std::vector<velmora_1_0::SarvikProvider::Slice> slices,
                                               std::vector<std::wstring> names);

// The whole set-up: ruler over `duration` ns at `width` columns, the layer attached, requests
// issued; file() answers them and applies the answers; draw() renders into a fresh bitmap.
class SliceScene {
public:
    SliceScene(int rows, int width, std::uint64_t duration);
    ~SliceScene();

    // Answers the request of data row data.row.
    void file(velmora_1_0::SarvikProvider::SliceData data);
    // Applies what was filed (as the timeline does on a data-ready notice).
    void apply();
    // A canvas as tall as the rows now are, white, with the layer drawn on it.
    wxImage draw();
    // renderAll only, into the canvas draw() made last.
    void redraw();

    tarquel_1_0::Ruler ruler;
    std::unique_ptr<SliceProvider, DeleteSelf> provider;
    LaneGraph graph;
    velmora_1_0::SliceLayer layer;

private:
    std::vector<unsigned int> m_requestOfRow;
    int m_width;
    wxBitmap m_canvas;
    wxMemoryDC m_dc;
};

} // namespace slice_test
