#include "TooltipPopup.h"

#include "TooltipPlacement.h"

#include <wx/dcclient.h>
#include <wx/display.h>
#include <wx/settings.h>

namespace tarquel_1_0 {

TooltipPopup::TooltipPopup(wxWindow* owner) : wxPopupWindow(owner, wxBORDER_NONE)
{
    SetName(kName);
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
    Bind(wxEVT_PAINT, &TooltipPopup::onPaint, this);
}

void TooltipPopup::showAt(const wxString& text, const wxPoint& pointer)
{
    if (text.empty()) {
        hideTip();
        return;
    }
    if (text != GetLabel()) {
        SetLabel(text);
        wxClientDC dc(this);
        dc.SetFont(GetFont());
        SetClientSize(dc.GetMultiLineTextExtent(text) + wxSize(2 * kPadding, 2 * kPadding));
        Refresh();
    }
    const int display = wxDisplay::GetFromPoint(pointer);
    const wxRect screen = wxDisplay(display == wxNOT_FOUND ? 0u : static_cast<unsigned>(display)).GetGeometry();
    Move(TooltipPlacement(screen).place(GetSize(), pointer));
    if (!IsShown())
        Show();
}

void TooltipPopup::hideTip()
{
    if (IsShown())
        Hide();
    SetLabel(wxString());
}

void TooltipPopup::onPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    const wxSize size = GetClientSize();
    dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_INFOTEXT)));
    dc.SetBrush(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_INFOBK)));
    dc.DrawRectangle(0, 0, size.x, size.y);
    dc.SetFont(GetFont());
    dc.SetTextForeground(wxSystemSettings::GetColour(wxSYS_COLOUR_INFOTEXT));
    dc.DrawText(GetLabel(), kPadding, kPadding);
}

} // namespace tarquel_1_0
