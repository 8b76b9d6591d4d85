#include "LabelImages.h"

#include "PixelTarget.h"

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

#include <algorithm>

namespace tarquel_1_0 {

LabelImages::Image LabelImages::render(wxDC& dc, const wxString& text, const wxColour& colour,
                                       const wxColour& background)
{
    Image image;
    const wxSize size = dc.GetTextExtent(text);
    image.width = size.x;
    image.height = size.y;
    if (size.x <= 0 || size.y <= 0)
        return image;
    wxBitmap bitmap(size.x, size.y, 24);
    {
        wxMemoryDC label(bitmap);
        label.SetBackground(wxBrush(background));
        label.Clear();
        label.SetFont(dc.GetFont());
        label.SetTextForeground(colour);
        label.DrawText(text, 0, 0);
    }
    const wxImage pixels = bitmap.ConvertToImage();
    const unsigned char* rgb = pixels.GetData();
    image.pixels.resize(static_cast<std::size_t>(size.x) * size.y);
    for (std::uint32_t& pixel : image.pixels) {
        PixelTarget::pixelOf(wxColour(rgb[0], rgb[1], rgb[2]), pixel);
        rgb += 3;
    }
    return image;
}

std::size_t LabelImages::KeyHash::operator()(const Key& key) const
{
    std::size_t hash = std::hash<wxString>()(key.text);
    for (const std::size_t part : {key.font, std::size_t(key.colour), std::size_t(key.background)})
        hash = hash * 1000003u ^ part;
    return hash;
}

std::size_t LabelImages::fontOf(const wxFont& font)
{
    // The same font object as last time: a pointer comparison.
    if (m_lastFont.IsOk() && font.IsSameAs(m_lastFont))
        return m_lastFontIndex;
    wxString description = font.GetFaceName();
    description << '\n' << font.GetFractionalPointSize() << ' ' << font.GetNumericWeight() << ' '
                << int(font.GetStyle()) << ' ' << int(font.GetFamily());
    const auto known = std::find(m_fonts.begin(), m_fonts.end(), description);
    m_lastFontIndex = static_cast<std::size_t>(known - m_fonts.begin());
    if (known == m_fonts.end())
        m_fonts.push_back(std::move(description));
    m_lastFont = font;
    return m_lastFontIndex;
}

wxSize LabelImages::paint(wxDC& dc, PixelTarget& target, const wxString& text, int x, int y, const wxColour& colour,
                          const wxColour& background)
{
    Key key{fontOf(dc.GetFont()), colour.GetRGBA(), background.GetRGBA(), text};
    auto found = m_images.find(key);
    if (found == m_images.end()) {
        if (m_images.size() >= kMaxLabels)
            m_images.clear();
        found = m_images.emplace(std::move(key), render(dc, text, colour, background)).first;
    }
    const Image& image = found->second;
    target.copy(x, y, image.pixels.data(), image.width, image.height, image.width);
    return wxSize(image.width, image.height);
}

} // namespace tarquel_1_0
