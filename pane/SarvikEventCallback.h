#pragma once
// The pane's answers to the user's actions on its timeline: the item a click or double click
// selected on a layer, the ruler and row-header context menus and their commands, a selected
// time range, row selection and layer colour changes. An item is an instance of the layer's table
// (a marker, a wait) or, on an over-time graph, one sample: its row during the time its pixel
// column covers. The current selection is written into the
// result's filter store as the selection filter and announced through the pane's signals;
// applying or removing filters is the host's work, which comes back as pane notifications.
//
// Created and owned by TimelinePane (one per pane) and installed as the event callback of every
// area and of the ruler. The timeline calls it on the user-interface thread only.
#include <VelmoraExport.h>

#include <tarquel_1_0/EventCallback.h>

#include <cstdint>
#include <functional>
#include <optional>

class wxMenu;
class wxWindow;

namespace tarquel_1_0 {
class DataProvider;
}

namespace velmora_1_0 {

class SarvikProvider;
class TimelinePane;

class VELMORA_API SarvikEventCallback : public tarquel_1_0::EventCallback {
public:
    explicit SarvikEventCallback(TimelinePane* pane);

    // Virtual operations in slot order.
    ~SarvikEventCallback() override;
    void itemSelected(tarquel_1_0::GraphLayer* layer) override;
    void itemActivated(tarquel_1_0::GraphLayer* layer) override;
    void rulerContextMenu(tarquel_1_0::Timeline* timeline) override;
    void rulerRangeSelected(tarquel_1_0::Timeline* timeline) override;
    void rulerMenuCommand(tarquel_1_0::Timeline* timeline, int id) override;
    void layerColorChanged(tarquel_1_0::GraphLayer* layer, const wxString& what, const wxColour& colour) override;
    void rowsSelected(tarquel_1_0::GraphLayerParent* graph, const std::vector<int>& rows) override;
    void headerContextMenu(tarquel_1_0::HeaderCtrl* header) override;
    void headerMenuCommand(tarquel_1_0::HeaderCtrl* header, int id) override;

    // Shows a context menu on a window; by default a modal pop-up at the mouse position. Tests
    // replace it to look at the menu instead of waiting for a user to close it.
    using MenuPresenter = std::function<void(wxWindow& window, wxMenu& menu)>;
    void setMenuPresenter(MenuPresenter presenter);

    // The item a layer selection holds (-1 and null when none): an instance of the layer's table,
    // or the data row of an over-time sample.
    int getSelectedItem() const { return m_selectedItem; }
    tarquel_1_0::GraphLayer* getSelectedLayer() const { return m_selectedLayer; }

private:
    // Nanoseconds from the start of the data, both ends included.
    struct TimeSpan {
        std::uint64_t start;
        std::uint64_t end;
    };

    // Reads the selected item of `layer` into the held item; false when the layer has none.
    bool holdItemOf(tarquel_1_0::GraphLayer* layer);
    void holdItem(tarquel_1_0::GraphLayer* layer, int item, std::optional<TimeSpan> sampleTime);
    // Writes the held item as the selection, through the provider of its layer's area.
    void selectItem();
    // The held item's selection when there is one, else the time range [start, end] (or, with
    // outside, the time outside it).
    void selectItemOrTime(SarvikProvider& provider, std::uint64_t start, std::uint64_t end, bool outside);
    // False (nothing written) when the graph's provider has no row-by data source.
    bool selectRows(tarquel_1_0::GraphLayerParent* graph, const std::vector<int>& rows);
    bool hasGlobalFilters(tarquel_1_0::DataProvider* provider) const;
    // The layer's area provider, else the ruler's.
    SarvikProvider* providerOf(tarquel_1_0::GraphLayer* layer) const;
    tarquel_1_0::HeaderCtrl* headerOf(tarquel_1_0::GraphLayerParent* graph) const;

    TimelinePane* m_pane;                              // owns this callback
    int m_selectedItem = -1;
    tarquel_1_0::GraphLayer* m_selectedLayer = nullptr; // owned by the timeline
    // Set only when the held item is an over-time sample. Kept as time, so that a zoom before a
    // ruler filter command does not move the sample.
    std::optional<TimeSpan> m_sampleTime;
    tarquel_1_0::GraphLayerParent* m_headerGraph = nullptr; // graph of the last header menu
    MenuPresenter m_menuPresenter;
};

} // namespace velmora_1_0
