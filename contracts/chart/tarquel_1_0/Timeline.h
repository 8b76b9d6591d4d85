#pragma once
// The timeline control: a ruler on top that carries the global layers, one area pane per addPane
// (row header on the left, graph on the right, scrolling vertically), the legend and a status line.
// The host builds it once (addPane, addLayer, providers, callbacks) and calls finalize; from then
// on the control requests data, receives the providers' notifications and repaints by itself.
// Everything here runs on the user-interface thread.
#include <chart_export.h>
#include <tarquel_1_0/TimeMask.h>

#include <memory>

#include <wx/panel.h>

namespace brannow2 { class IMessenger; }

namespace tarquel_1_0 {

class DataProvider;
class Directory;
class EventCallback;
class GraphArea;
class GraphLayer;
class GraphLayerParent;
class HeaderCtrl;
class Legend;
class Ruler;

class TARQUEL_API Timeline : public wxPanel {
public:
    Timeline(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
             const wxSize& size = wxDefaultSize);
    ~Timeline() override;
    Timeline(const Timeline&) = delete;
    Timeline& operator=(const Timeline&) = delete;

    // Adds an area titled `name` and returns its pane index (0, 1, ... in the order of the calls).
    int addPane(const wxString& name);
    int getPaneCount() const;

    // The timeline owns `layer` from here on. paneIndex -1 puts it on the ruler. `position` counts
    // from the top of the drawing order: 0 draws the layer above every layer added before it.
    // Returns false (and deletes the layer) for an unknown pane index.
    bool addLayer(int paneIndex, GraphLayer* layer, int position);
    void addGlobalLayer(GraphLayer* layer);

    // With takeOwnership the timeline ends the provider through deleteSelf when it is replaced or
    // when the timeline is destroyed.
    void setDataProvider(int paneIndex, DataProvider* provider, bool takeOwnership);
    void setGlobalDataProvider(DataProvider* provider);
    DataProvider* getDataProvider(int paneIndex) const;
    DataProvider* getGlobalDataProvider() const;

    // Callbacks are borrowed; the ruler's events go to the global one.
    void setEventCallback(int paneIndex, EventCallback* callback);
    void setGlobalEventCallback(EventCallback* callback);

    Ruler* getRuler() const;
    GraphArea* getGraphArea() const;
    Legend* getLegend() const;
    HeaderCtrl* getHeader(int paneIndex) const;
    GraphLayerParent* getGraph(int paneIndex) const;

    // The layer that holds the current item selection, or null.
    GraphLayer* getSelectionLayer() const;
    // Deselect every header's rows, or every header but `except`.
    void clearHeaderSelection(HeaderCtrl* except);
    // Clear the selection of every layer, or of every layer but `except`.
    void clearLayerSelection(GraphLayer* except);

    // Rebuilds the legend from the layers' customizeLegend, in the order the layers were added.
    void customizeLegend();
    // Shows the area's filter band: the area's provider computes it after every filter change.
    void enableFilterLayer(int paneIndex);
    // The global filter changed: recompute filter bands and visible rows, let the layers refetch.
    void filterChanged();
    // The time the global filter keeps; every graph masks the rest and ignores the mouse there.
    void setTimeMask(const TimeMask& mask);
    const TimeMask& getTimeMask() const;
    // Ends the set-up: reads the rows of every area, builds the legend and, with requestData,
    // asks every layer for its data.
    void finalize(bool requestData);
    // The data changed under the providers: forget what the layers hold and fetch again.
    // With resetZoom the view returns to the whole time range.
    void reload(bool resetZoom);
    void showStatus(bool show);

    void setMessenger(brannow2::IMessenger* messenger);
    brannow2::IMessenger* getMessenger() const;

    // Layers report their loading counters or a provider's query percentage here; the status
    // line shows every layer that is still loading. A percent of -1 means "use the counters".
    void reportLayerProgress(GraphLayer* layer, int percent);
    // What the status line says now (empty when nothing loads).
    wxString getStatusText() const;
    // True while a layer waits for data or works through it (m_loading), or an area's filter band
    // is being computed, or a graph has still to repaint its layers: a screenshot taken now would
    // not show everything.
    bool isLoading() const;

    const Directory& getDirectory() const;

private:
    class Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace tarquel_1_0
