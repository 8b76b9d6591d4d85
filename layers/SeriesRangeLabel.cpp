#include "layers/SeriesRangeLabel.h"

#include <wx/dc.h>
#include <wx/font.h>

namespace velmora_1_0 {

namespace {
constexpr int kInset = 3;
}

SeriesRangeLabel::SeriesRangeLabel(const wxString& minimum, const wxString& maximum)
    : m_minimum(minimum), m_maximum(maximum)
{
}

void SeriesRangeLabel::paint(wxDC& dc, const wxRect& lane) const
{
    dc.SetFont(wxFont(wxFontInfo(7).Family(wxFONTFAMILY_SWISS)));
    dc.SetTextForeground(colour());
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    const int x = lane.x + kInset;
    const wxSize top = dc.GetTextExtent(m_maximum);
    const wxSize bottom = dc.GetTextExtent(m_minimum);
    if (top.y + bottom.y <= lane.height) {
        dc.DrawText(m_maximum, x, lane.y);
        dc.DrawText(m_minimum, x, lane.y + lane.height - bottom.y);
        return;
    }
    const wxString line = m_minimum + L" \u2013 " + m_maximum;
    dc.DrawText(line, x, lane.y + (lane.height - dc.GetTextExtent(line).y) / 2);
}

} // namespace velmora_1_0
