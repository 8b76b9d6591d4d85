#pragma once
// Texts as the DC paints them, kept as pixels: the same labels are written on every repaint (a
// slice's name in its box), and shaping and painting a text costs far more than copying the
// few hundred pixels it covers. A label is painted once on its background into a small image of
// its own, with the same font and colours, and copied from then on.
//
// One per Renderer, UI thread only. Holds at most kMaxLabels texts; past that it starts afresh.
#include <wx/colour.h>
#include <wx/font.h>
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
    // What a label looks like: its font (an index into m_fonts), colours and text.
    struct Key {
        std::size_t font;
        std::uint32_t colour;
        std::uint32_t background;
        wxString text;
        bool operator==(const Key& other) const
        {
            return font == other.font && colour == other.colour && background == other.background &&
                   text == other.text;
        }
    };
    struct KeyHash {
        std::size_t operator()(const Key& key) const;
    };
    static constexpr std::size_t kMaxLabels = 4096;

    static Image render(wxDC& dc, const wxString& text, const wxColour& colour, const wxColour& background);
    // The index of the DC's font among those met: described once per font, since asking a font
    // for its face and size costs more than copying a label.
    std::size_t fontOf(const wxFont& font);

    std::unordered_map<Key, Image, KeyHash> m_images;
    std::vector<wxString> m_fonts; // descriptions of the fonts met
    wxFont m_lastFont;             // the font fontOf was asked about last, and its index
    std::size_t m_lastFontIndex = 0;
};

} // namespace tarquel_1_0
