#pragma once
// The legend under the graphs: one item per layer entry, added by the layers' customizeLegend
// through addCheckbox. Items wrap into as many lines as the width needs, and the legend asks for
// the height of those lines. Item ids come from nextItemId; the timeline tells the legend which layer
// added which ids. A right click on an item pops up the layer's menu (populateLegendPopup) and
// hands the chosen entry to handleLegendPopupMenu.
#include <chart_export.h>

#include <memory>
#include <vector>

#include <wx/image.h>
#include <wx/panel.h>

class wxMenu;

namespace tarquel_1_0 {

class GraphLayer;
class LegendFlow;
class LegendItem;
class Timeline;

class TARQUEL_API Legend : public wxPanel {
public:
    Legend(wxWindow* parent, Timeline* timeline);
    ~Legend() override;
    Legend(const Legend&) = delete;
    Legend& operator=(const Legend&) = delete;

    // Post-increments the item-id counter.
    int nextItemId() { return m_nextItemId++; }

    // `newLine` starts a new line of items; `spacing` is the gap in pixels between box, icon and
    // label. The item belongs to the legend.
    LegendItem* addCheckbox(int id, const wxString& label, const wxImage& icon, const wxString& tooltip,
                            bool checked, bool newLine, int spacing);
    // Links the items with the given ids to `layer` (the ids its customizeLegend returned).
    void assignLayer(const std::vector<int>& ids, GraphLayer* layer);
    LegendItem* findItem(int id) const;
    const std::vector<LegendItem*>& getItems() const { return m_items; }
    // Removes every item and restarts the id counter.
    void clear();

    // Paint the items again (icons or labels changed).
    void repaint();
    // Align check marks and enabled states with the layers after a zoom or reload.
    void updateState();

    // Called by an item: the layer's popup menu at `item`, and the graphs after a toggle.
    void showPopupFor(LegendItem* item);
    void itemToggled(LegendItem* item);

    // The two halves of showPopupFor, apart so that they can be driven without a modal menu:
    // fill `menu` with the layer's entries (false when it has none), and run the chosen entry.
    bool buildPopup(LegendItem* item, wxMenu& menu) const;
    void handlePopupSelection(LegendItem* item, int commandId);

    // The sizer tells the width before it asks for the height, which depends on it.
    bool InformFirstDirection(int direction, int size, int availableOtherDir) override;

protected:
    wxSize DoGetBestClientSize() const override;

private:
    void onSize(wxSizeEvent& event);
    // Moves the items to their places in lines as wide as the legend.
    void placeItems();

    Timeline* m_timeline;
    std::unique_ptr<LegendFlow> m_flow;
    int m_width = -1; // the width the best height is for; -1 until the legend has one
    std::vector<LegendItem*> m_items; // child windows
    int m_nextItemId = 0;
};

} // namespace tarquel_1_0
