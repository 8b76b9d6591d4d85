#pragma once
// One entry of the legend: an id handed out by Legend::nextItemId, a label and a tooltip, and the
// layer it belongs to. The legend lays items out in a row and asks the layer for a popup menu on
// a right click. LegendCheckBox is the entry that can be ticked.
#include <chart_export.h>

#include <wx/window.h>

namespace tarquel_1_0 {

class GraphLayer;
class Legend;

class TARQUEL_API LegendItem : public wxWindow {
public:
    LegendItem(Legend* legend, int itemId, const wxString& label, const wxString& tooltip);
    LegendItem(const LegendItem&) = delete;
    LegendItem& operator=(const LegendItem&) = delete;

    int getItemId() const { return m_itemId; }
    const wxString& getLabel() const { return m_label; }
    GraphLayer* getLayer() const { return m_layer; }
    void setLayer(GraphLayer* layer) { m_layer = layer; }

protected:
    Legend* legend() const { return m_legend; }

private:
    void onRightDown(wxMouseEvent& event);

    Legend* m_legend;
    int m_itemId;
    wxString m_label;
    GraphLayer* m_layer = nullptr; // owned by the timeline
};

} // namespace tarquel_1_0
