#include <tarquel_1_0/Colors.h>

#include <mutex>

#include <wx/colordlg.h>

namespace tarquel_1_0 {

namespace {

bool showColourDialog(wxWindow* parent, const wxString& title, const wxColour& initial, wxColour& chosen)
{
    wxColourData data;
    data.SetColour(initial);
    wxColourDialog dialog(parent, &data);
    dialog.SetTitle(title);
    if (dialog.ShowModal() != wxID_OK)
        return false;
    chosen = dialog.GetColourData().GetColour();
    return true;
}

// The installed picker; tests replace the dialog through setColorPicker.
struct PickerSlot {
    std::mutex mutex;
    ColorPicker picker;
};

PickerSlot& pickerSlot()
{
    static PickerSlot slot;
    return slot;
}

} // namespace

bool getColorFromUser(wxWindow* parent, const wxString& title, const wxColour& initial, wxColour& chosen)
{
    ColorPicker picker;
    {
        std::lock_guard<std::mutex> lock(pickerSlot().mutex);
        picker = pickerSlot().picker;
    }
    return picker ? picker(parent, title, initial, chosen) : showColourDialog(parent, title, initial, chosen);
}

ColorPicker setColorPicker(ColorPicker picker)
{
    std::lock_guard<std::mutex> lock(pickerSlot().mutex);
    std::swap(pickerSlot().picker, picker);
    return picker;
}

wxColour getOvertimeColor()
{
    return wxColour(0, 114, 189);
}

wxColour getFilteredOvertimeColor()
{
    return wxColour(255, 236, 179);
}

wxColour getHittestColor()
{
    return wxColour(255, 0, 0);
}

} // namespace tarquel_1_0
