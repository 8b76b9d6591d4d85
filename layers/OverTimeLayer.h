#pragma once
// A graph layer that draws one numeric series per row: one sample per pixel column of the visible
// time range, as a line or as vertical bars, scaled to the data source's upper limit, the row's
// maximum, or the maximum of an associated layer.
//
// How it is called (UI thread only): the pane configures it (setType, setAssociatedLayer, name,
// colour, format, data source) and adds it to the timeline; the timeline then calls requestData,
// and on a data-ready notice checkData (takes the provider's records, drops answers to requests
// this layer no longer holds) and updateData (stores one record per data row and draws it).
// A stored row whose sample count no longer matches the pixel width (after a zoom or a resize)
// is dropped the next time it is drawn. Subclasses fetch other kinds of series by naming other
// provider entry points for the three data hooks at the end.
#include "layers/OverTimeSlopeStencils.h"
#include "provider/SarvikProvider.h"
#include <VelmoraExport.h>

#include <dd_sarvik_2_2/dd_overtime_query.h>
#include <tarquel_1_0/GraphLayer.h>

#include <map>
#include <vector>

#include <wx/image.h>
#include <wx/longlong.h>

namespace velmora_1_0 {

class OverTimeRowPainter;
class OverTimeRowShape;

class VELMORA_API OverTimeLayer : public tarquel_1_0::GraphLayer {
public:
    OverTimeLayer();
    OverTimeLayer(const OverTimeLayer& other) = default;
    OverTimeLayer& operator=(const OverTimeLayer& other) = default;

    // Virtual operations in slot order.
    ~OverTimeLayer() override;
    void requestData(bool onlyIfMissing) override;
    void updateData(wxMemoryDC& dc, bool render) override;
    bool checkData() override;
    void renderAll(wxMemoryDC& dc) override;
    void renderFilterOutline(wxMemoryDC& dc) override;
    bool hittest(int x, int y) override;
    void clear() override;
    int getTooltipCount() override;
    void getTooltip(int maxCount, std::vector<wxString>& lines) override;
    void customizeLegend(std::vector<int>& ids) override;
    void filterChanged() override;
    void layerAdded() override;
    void removeRowData(int row) override;
    void populateLegendPopup(wxMenu& menu, int id) override;
    void handleLegendPopupMenu(int index) override;
    void handleCustomLegendCommand(tarquel_1_0::LegendItem* item) override;

    // Configuration by the pane.
    void setType(const dd_sarvik_2_2::dd_overtime_query::data_src& type) { m_type = type; }
    // Not owned; this layer then scales every row to that layer's maximum for the row.
    void setAssociatedLayer(OverTimeLayer* layer) { m_associatedLayer = layer; }
    // The stored record of a data row (an empty one is created when the row has none).
    const SarvikProvider::OverTimeData& getRowData(int dataRow);
    // The data row (-1: none) and sample column of the last hit test, for selecting what it found.
    int getHitRow() const { return m_hitRow; }
    int getHitIndex() const { return m_hitIndex; }

protected:
    // The provider's entry points for one kind of over-time series.
    struct EntryPoints {
        unsigned int (SarvikProvider::*request)(tarquel_1_0::GraphLayer*, int, const wxULongLongNative&,
                                                const wxULongLongNative&, int);
        int (SarvikProvider::*consume)(tarquel_1_0::GraphLayer*, std::vector<SarvikProvider::OverTimeData>&);
        void (SarvikProvider::*clear)(tarquel_1_0::GraphLayer*);
    };
    OverTimeLayer(const wxString& layerName, const EntryPoints& entryPoints);

    // Data hooks: where requests, cancellations and answers go (the entry points given at construction).
    virtual void clearLayerData(SarvikProvider* provider);
    virtual void requestLayerData(SarvikProvider* provider, int row, const wxULongLong& start,
                                  const wxULongLong& end, int pixelCount);
    virtual void consumeLayerData(SarvikProvider* provider);

    // Draws the row background, the running bar and the series of one display row.
    void renderRow(wxMemoryDC& dc, int row);
    // A sample as a tooltip or a lane label reads it: a share, or a value in the row's unit.
    static wxString valueText(const SarvikProvider::OverTimeData& data, double value);

    std::map<int, SarvikProvider::OverTimeData> m_rowData; // by data row
    bool m_dataLoaded = false;
    int m_hitRow = -1;
    int m_hitIndex = 0;
    std::vector<SarvikProvider::OverTimeData> m_pendingData; // taken by checkData, applied by updateData
    dd_sarvik_2_2::dd_overtime_query::data_src m_type = dd_sarvik_2_2::dd_overtime_query::data_src_time;
    OverTimeLayer* m_associatedLayer = nullptr;
    bool m_ownsRowBackground = false;
    // The rows are things that run (threads): their running time is drawn under the series.
    bool m_rowsRun = true;

private:
    SarvikProvider* provider() const;
    void renderRow(wxMemoryDC& dc, int row, OverTimeRowShape& shape, OverTimeRowPainter& painter);
    void renderRunningBar(wxMemoryDC& dc, int row, int dataRow);
    void renderSeries(wxMemoryDC& dc, int row, const SarvikProvider::OverTimeData& data, int firstColumn,
                      int lastColumn, int startColumn, OverTimeRowShape& shape, OverTimeRowPainter& painter);
    wxImage legendIcon() const;

    EntryPoints m_entryPoints;
    OverTimeSlopeStencils m_slopeStencils; // what the DC paints for each slope this layer drew
};

} // namespace velmora_1_0
