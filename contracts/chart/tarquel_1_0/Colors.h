#pragma once
// The control's standard colours, and the colour dialog layers open from their legend menus.
// The dialog is reached through a replaceable picker so that tests can answer it.
#include <chart_export.h>

#include <functional>

#include <wx/colour.h>
#include <wx/string.h>

class wxWindow;

namespace tarquel_1_0 {

// Shows the colour dialog over `parent`; true with `chosen` set when the user confirmed.
TARQUEL_API bool getColorFromUser(wxWindow* parent, const wxString& title, const wxColour& initial,
                                  wxColour& chosen);

using ColorPicker = std::function<bool(wxWindow* parent, const wxString& title, const wxColour& initial,
                                       wxColour& chosen)>;
// Replaces the dialog (an empty picker restores it); returns the picker that was installed.
TARQUEL_API ColorPicker setColorPicker(ColorPicker picker);

// Default colour of over-time graphs.
TARQUEL_API wxColour getOvertimeColor();
// Colour of the filter band: where the filter selects data.
TARQUEL_API wxColour getFilteredOvertimeColor();
// Highlight of hovered and selected items.
TARQUEL_API wxColour getHittestColor();

} // namespace tarquel_1_0
