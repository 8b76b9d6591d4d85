#include "LabelImages.h"

#include "PixelTarget.h"

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

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

wxSize LabelImages::paint(wxDC& dc, PixelTarget& target, const wxString& text, int x, int y, const wxColour& colour,
                          const wxColour& background)
{
    const wxFont& font = dc.GetFont();
    wxString key = font.GetFaceName();
    key << '\n' << font.GetFractionalPointSize() << ' ' << font.GetNumericWeight() << ' ' << int(font.GetStyle()) << ' '
        << int(font.GetFamily()) << ' ' << colour.GetRGBA() << ' ' << background.GetRGBA() << '\n' << text;
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
