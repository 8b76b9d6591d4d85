#pragma once
// The base of every layer drawn on a timeline: rows of an area, or the ruler for global layers.
// A layer asks its area's provider for data, keeps what arrives, draws it into the graph's memory
// DC, answers hit tests, selection and tooltips, and puts its entries into the legend.
//
// How the timeline calls it (UI thread only): attach (when added), layerAdded, customizeLegend;
// requestData(onlyIfMissing) after finalize, zoom, scroll and filter changes; on a data-ready
// notice for the layer checkData, and when it returns true updateData(dc, render) and a blit;
// renderAll on every repaint (then renderHittest for the hovered items); hittest, getTooltipCount
// and getTooltip on hover; canSelect/setSelection on click, doubleClicked on double click;
// populateLegendPopup/handleLegendPopupMenu/handleCustomLegendCommand from the legend.
//
// The data members are public: the timeline, the legend and derived layers in other libraries
// read and set them directly. The layer owns m_dataSource and m_tooltipSource.
#include <chart_export.h>

#include <functional>
#include <map>
#include <vector>

#include <wx/colour.h>
#include <wx/gdicmn.h>
#include <wx/string.h>

class wxBitmap;
class wxMemoryDC;
class wxMenu;

namespace tarquel_1_0 {

class DataSource;
class GraphLayerParent;
class LegendItem;
class Ruler;
class Timeline;

class TARQUEL_API GraphLayer {
public:
    GraphLayer();
    // Copies every value and clones both data sources; the copy has no legend items yet.
    GraphLayer(const GraphLayer& other);
    GraphLayer& operator=(const GraphLayer& other);

    // Virtual operations in slot order.
    virtual ~GraphLayer();
    virtual void setLayerName(const wxString& name);
    // Base: nothing to fetch.
    virtual void requestData(bool onlyIfMissing);
    virtual void updateData(wxMemoryDC& dc, bool render);
    // Base: nothing arrives (false).
    virtual bool checkData();
    virtual void renderAll(wxMemoryDC& dc) = 0;
    // Base: renderAll.
    virtual void renderPartially(wxMemoryDC& dc);
    virtual void renderHittest(wxMemoryDC& dc);
    virtual void renderFilterOutline(wxMemoryDC& dc);
    virtual bool canRenderPartially();
    // Stores the drawing size (m_width, m_height).
    virtual void setParentSize(const wxSize& size);
    // True when what is under (x, y) changed.
    virtual bool hittest(int x, int y);
    virtual void clearHittest();
    virtual bool canSelect();
    virtual bool setSelection();
    virtual void clearSelection();
    virtual bool hasSelection();
    virtual void doubleClicked();
    // Forgets outstanding requests and zeroes the loading counters.
    virtual void clear();
    virtual int getTooltipCount();
    virtual void getTooltip(int maxCount, std::vector<wxString>& lines);
    // Every tooltip line, separated by blank lines.
    virtual wxString getTooltip();
    // Base: one check box with the layer name.
    virtual void customizeLegend(std::vector<int>& ids);
    // Status-line text while the layer loads.
    virtual wxString getProgressText();
    // Takes ownership of `source` (the previous one is deleted).
    virtual void setDataSource(DataSource* source);
    // Base: requestData(false).
    virtual void filterChanged();
    virtual void layerAdded();
    virtual void removeRowData(int row);
    virtual void setColor(const wxColour& colour);
    // Base: no entries.
    virtual void populateLegendPopup(wxMenu& menu, int id);
    virtual void handleLegendPopupMenu(int index);
    // Toggles m_visible for m_legendItem and m_showRunning for m_runningLegendItem.
    virtual void handleCustomLegendCommand(LegendItem* item);

    // Non-virtual services.

    // Called by the timeline when the layer is added.
    void attach(Timeline* timeline, GraphLayerParent* parent);
    // Takes ownership of `source`.
    void setTooltipSource(DataSource* source);
    void setDisplayFormat(int format) { m_displayFormat = format; }
    void setEnabled(bool enabled) { m_enabled = enabled; }
    const wxString& getLayerName() const { return m_layerName; }
    // The ruler the layer draws against: its graph's, else its timeline's; null before attach.
    Ruler* getRuler() const;
    const wxColour& getColor() const { return m_color; }
    // Tells the timeline's status line about m_loading/m_loadProgress; with immediate it is
    // repainted at once rather than at the next idle time.
    void reportProgress(bool immediate);
    // Calls `renderRow` with each display row the parent shows; nothing before attach.
    void forEachVisibleRow(const std::function<void(int displayRow)>& renderRow) const;
    // Paints the filter band of a display row: where the current filter selects data, as boxes in
    // getFilteredOvertimeColor() across the row.
    void renderSegment(wxMemoryDC& dc, int displayRow);
    // Adds the running-state check box (m_runningLegendItem) and its id.
    void addRunningLegendItem(std::vector<int>& ids);
    // A 16 x 16 swatch of `colour` with a dark border, for colour menu items.
    static wxBitmap getMenuColorBitmap(const wxColour& colour);

    Timeline* m_timeline = nullptr;
    GraphLayerParent* m_parent = nullptr;
    int m_width = 0;
    int m_height = 0;
    bool m_visible = true;
    int m_loading = 0;      // work outstanding (requests, rows, items); 0 when idle
    int m_loadProgress = 0; // counted against m_loading
    wxString m_layerName;
    int m_displayFormat = 0; // 1 = line, anything else = area
    wxColour m_color;
    std::map<unsigned int, bool> m_requests; // identifiers this layer waits for
    DataSource* m_dataSource = nullptr;      // owned
    bool m_enabled = true;
    DataSource* m_tooltipSource = nullptr;   // owned
    bool m_useTooltipSource = false;         // set with a tooltip source
    LegendItem* m_legendItem = nullptr;      // windows of the legend
    LegendItem* m_runningLegendItem = nullptr;
    bool m_showRunning = true;
};

} // namespace tarquel_1_0
