#pragma once
// The tooltip of a graph: a small window of our own that shows the hovered items' lines beside
// the mouse pointer and moves with it (TooltipPlacement says where), unlike the system's tooltip,
// which stays where it first appeared. Its owner shows it on every move over an item and hides
// it when the pointer leaves or nothing is under it. UI thread only.
#include <wx/popupwin.h>

namespace tarquel_1_0 {

class TooltipPopup : public wxPopupWindow {
public:
    // The name it is found by among `owner`'s children; its label is the text it shows.
    static constexpr const char* kName = "tooltip";

    explicit TooltipPopup(wxWindow* owner);

    // Shows `text` beside `pointer` (screen coordinates); an empty text hides the tooltip.
    void showAt(const wxString& text, const wxPoint& pointer);
    void hideTip();

private:
    static constexpr int kPadding = 4;

    void onPaint(wxPaintEvent& event);
};

} // namespace tarquel_1_0
