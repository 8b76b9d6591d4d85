#include "layers/TransitionHitPainter.h"

#include "layers/TransitionSegment.h"

#include <wx/colour.h>
#include <wx/image.h>

namespace velmora_1_0 {

namespace {

// Writes straight into the image: SetRGB would check bounds and sharing for every run, and that
// costs more than the two or three pixels of a steep line's run. Setting one pixel first makes
// the image's pixels its own, so a copy of the image (a copied layer holds one) keeps its pixels.
unsigned char* ownPixels(wxImage& image)
{
    image.SetRGB(0, 0, image.GetRed(0, 0), image.GetGreen(0, 0), image.GetBlue(0, 0));
    return image.GetData();
}

struct Rgb {
    explicit Rgb(const wxColour& colour) : red(colour.Red()), green(colour.Green()), blue(colour.Blue()) {}
    unsigned char red;
    unsigned char green;
    unsigned char blue;
};

void fill(unsigned char* pixel, int count, const Rgb& colour)
{
    for (unsigned char* end = pixel + 3 * count; pixel != end; pixel += 3) {
        pixel[0] = colour.red;
        pixel[1] = colour.green;
        pixel[2] = colour.blue;
    }
}

} // namespace

TransitionHitPainter::TransitionHitPainter(wxImage& low, wxImage& high)
    : m_width(low.GetWidth()), m_low(ownPixels(low)), m_high(ownPixels(high)),
      m_plotter(low.GetWidth(), low.GetHeight(), kLineWidth)
{
}

void TransitionHitPainter::paint(const TransitionSegment& line, const wxColour& lowColour,
                                 const wxColour& highColour)
{
    m_plotter.plot(line.x1, line.y1, line.x2, line.y2, m_spans);
    const Rgb low(lowColour);
    const Rgb high(highColour);
    for (const LinePlotter::Span& span : m_spans) {
        const std::size_t offset = 3 * (static_cast<std::size_t>(span.y) * m_width + span.xFirst);
        const int count = span.xLast - span.xFirst + 1;
        fill(m_low + offset, count, low);
        fill(m_high + offset, count, high);
    }
}

} // namespace velmora_1_0
