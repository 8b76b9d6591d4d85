#include <tarquel_1_0/LegendItem.h>

#include <tarquel_1_0/Legend.h>

namespace tarquel_1_0 {

LegendItem::LegendItem(Legend* legend, int itemId, const wxString& label, const wxString& tooltip)
    : wxWindow(legend, wxID_ANY), m_legend(legend), m_itemId(itemId), m_label(label)
{
    if (!tooltip.empty())
        SetToolTip(tooltip);
    Bind(wxEVT_RIGHT_DOWN, &LegendItem::onRightDown, this);
}

void LegendItem::onRightDown(wxMouseEvent&)
{
    m_legend->showPopupFor(this);
}

} // namespace tarquel_1_0
