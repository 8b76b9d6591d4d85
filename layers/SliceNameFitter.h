#pragma once
// Shortens slice names to the room of their boxes, ending them with an ellipsis where they do not
// fit, from widths measured once per name and length: a repaint writes thousands of names into
// boxes whose widths change with every zoom, and measuring a text costs far more than looking up
// its width. A cut is found by halving, so a name is measured at a few lengths only.
// Owned by SliceLayer, which always writes names in one font; UI thread only.
#include <VelmoraExport.h>

#include <string>
#include <unordered_map>
#include <cstddef>
#include <vector>

#include <wx/string.h>

class wxDC;

namespace velmora_1_0 {

class VELMORA_API SliceNameFitter {
public:
    // `name` as it fits in `room` pixels in the DC's font: whole, or its longest beginning that
    // fits with an ellipsis after it; empty when not even one character does.
    wxString fit(wxDC& dc, const std::wstring& name, int room);

private:
    // Past this many names the measurements start afresh.
    static constexpr std::size_t kMaxNames = 100000;

    // Widths of a name, measured as they are needed; -1 for not yet.
    struct Widths {
        int whole = -1;
        std::vector<int> cut; // [k]: its first k characters and the ellipsis
    };

    int cutWidth(wxDC& dc, const std::wstring& name, Widths& widths, std::size_t length) const;

    std::unordered_map<std::wstring, Widths> m_widths;
};

} // namespace velmora_1_0
