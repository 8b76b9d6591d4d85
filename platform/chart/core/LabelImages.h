#pragma once
// Texts as the DC paints them, kept as pixels: the same labels are written on every repaint (a
// slice's name in its box), and shaping and painting a text costs far more than copying the
// few hundred pixels it covers. A label is painted once on its background into a small image of
// its own, with the same font and colours, and copied from then on.
//
// One per Renderer, UI thread only. Holds at most kMaxLabels texts; past that it starts afresh.
#include <wx/colour.h>
#include <wx/gdicmn.h>
#include <wx/string.h>

#include <cstdint>
#include <unordered_map>
#include <vector>

class wxDC;

namespace tarquel_1_0 {

class PixelTarget;

class LabelImages {
public:
    // Paints `text` at (x, y) in the DC's font, `colour` over a box of `background` as large as
    // the text's extent; the extent is returned.
    wxSize paint(wxDC& dc, PixelTarget& target, const wxString& text, int x, int y, const wxColour& colour,
                 const wxColour& background);

private:
    struct Image {
        int width = 0;
        int height = 0;
        std::vector<std::uint32_t> pixels; // by line
    };
    static constexpr std::size_t kMaxLabels = 4096;

    static Image render(wxDC& dc, const wxString& text, const wxColour& colour, const wxColour& background);

    std::unordered_map<wxString, Image> m_images; // by font, colours and text
};

} // namespace tarquel_1_0
