#pragma once
// A legend entry with a check box, the layer's icon and its label. A click toggles the box and
// hands the item to its layer (GraphLayer::handleCustomLegendCommand); the graphs are drawn again.
#include <chart_export.h>

#include <tarquel_1_0/LegendItem.h>

#include <wx/bitmap.h>
#include <wx/image.h>

namespace tarquel_1_0 {

class TARQUEL_API LegendCheckBox : public LegendItem {
public:
    LegendCheckBox(Legend* legend, int itemId, const wxString& label, const wxImage& icon,
                   const wxString& tooltip, bool checked, int spacing);

    bool isChecked() const { return m_checked; }
    void setChecked(bool checked);
    void setImage(const wxImage& icon);
    // What a click does: toggle, tell the layer, redraw.
    void toggle();

    wxSize DoGetBestClientSize() const override;

private:
    void onPaint(wxPaintEvent& event);
    void onLeftDown(wxMouseEvent& event);

    wxBitmap m_icon;
    bool m_checked;
    int m_spacing; // pixels between check box, icon and label
};

} // namespace tarquel_1_0
