#include "layers/SliceNameFitter.h"

#include <wx/dc.h>

namespace velmora_1_0 {

namespace {
const wchar_t kEllipsis[] = L"\u2026";
}

int SliceNameFitter::cutWidth(wxDC& dc, const std::wstring& name, Widths& widths, std::size_t length) const
{
    int& width = widths.cut[length];
    if (width < 0)
        width = dc.GetTextExtent(wxString(name.substr(0, length)) + kEllipsis).x;
    return width;
}

wxString SliceNameFitter::fit(wxDC& dc, const std::wstring& name, int room)
{
    if (name.empty())
        return wxString();
    auto found = m_widths.find(name);
    if (found == m_widths.end()) {
        if (m_widths.size() >= kMaxNames)
            m_widths.clear();
        found = m_widths.emplace(name, Widths()).first;
    }
    Widths& widths = found->second;
    if (widths.whole < 0) {
        widths.whole = dc.GetTextExtent(wxString(name)).x;
        widths.cut.assign(name.size(), -1);
    }
    if (widths.whole <= room)
        return wxString(name);
    // The longest cut that fits; longer beginnings are wider.
    std::size_t low = 0; // fits (nothing always does)
    std::size_t high = name.size(); // does not (the whole name)
    while (high - low > 1) {
        const std::size_t mid = low + (high - low) / 2;
        if (cutWidth(dc, name, widths, mid) <= room)
            low = mid;
        else
            high = mid;
    }
    return low == 0 ? wxString() : wxString(name.substr(0, low)) + kEllipsis;
}

} // namespace velmora_1_0
