#include <tarquel_1_0/LegendCheckBox.h>

#include <tarquel_1_0/Legend.h>

#include <wx/dcbuffer.h>
#include <wx/settings.h>

namespace tarquel_1_0 {

namespace {
// Drawn by hand rather than by the native theme so that the legend looks the same everywhere
// and screenshots can be checked pixel by pixel.
constexpr int kBoxSize = 13;
constexpr int kIconSize = 16;
} // namespace

LegendCheckBox::LegendCheckBox(Legend* legend, int itemId, const wxString& label, const wxImage& icon,
                               const wxString& tooltip, bool checked, int spacing)
    : LegendItem(legend, itemId, label, tooltip), m_checked(checked), m_spacing(spacing)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    setImage(icon);
    Bind(wxEVT_PAINT, &LegendCheckBox::onPaint, this);
    Bind(wxEVT_LEFT_DOWN, &LegendCheckBox::onLeftDown, this);
    SetMinSize(DoGetBestClientSize());
}

void LegendCheckBox::setChecked(bool checked)
{
    if (checked == m_checked)
        return;
    m_checked = checked;
    Refresh();
}

void LegendCheckBox::setImage(const wxImage& icon)
{
    m_icon = icon.IsOk() ? wxBitmap(icon.Scale(kIconSize, kIconSize, wxIMAGE_QUALITY_NORMAL)) : wxBitmap();
    Refresh();
}

void LegendCheckBox::toggle()
{
    m_checked = !m_checked;
    Refresh();
    legend()->itemToggled(this);
}

wxSize LegendCheckBox::DoGetBestClientSize() const
{
    const wxSize text = GetTextExtent(getLabel());
    return wxSize(kBoxSize + m_spacing + kIconSize + m_spacing + text.x + m_spacing,
                  std::max({kBoxSize, kIconSize, text.y}) + 4);
}

void LegendCheckBox::onPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    const wxSize size = GetClientSize();
    dc.SetBackground(wxBrush(GetParent()->GetBackgroundColour()));
    dc.Clear();

    const int boxY = (size.y - kBoxSize) / 2;
    dc.SetPen(wxPen(IsEnabled() ? *wxBLACK : wxColour(128, 128, 128)));
    dc.SetBrush(*wxWHITE_BRUSH);
    dc.DrawRectangle(0, boxY, kBoxSize, kBoxSize);
    if (m_checked) {
        dc.SetPen(wxPen(*wxBLACK, 2));
        dc.DrawLine(3, boxY + 6, 5, boxY + 9);
        dc.DrawLine(5, boxY + 9, 10, boxY + 3);
    }

    int x = kBoxSize + m_spacing;
    if (m_icon.IsOk())
        dc.DrawBitmap(m_icon, x, (size.y - kIconSize) / 2);
    x += kIconSize + m_spacing;

    dc.SetFont(GetFont());
    dc.SetTextForeground(IsEnabled() ? GetParent()->GetForegroundColour()
                                     : wxSystemSettings::GetColour(wxSYS_COLOUR_GRAYTEXT));
    const wxSize text = dc.GetTextExtent(getLabel());
    dc.DrawText(getLabel(), x, (size.y - text.y) / 2);
}

void LegendCheckBox::onLeftDown(wxMouseEvent&)
{
    if (IsEnabled())
        toggle();
}

} // namespace tarquel_1_0
