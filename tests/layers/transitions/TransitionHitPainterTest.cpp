#include "layers/TransitionHitPainter.h"

#include "layers/TransitionSegment.h"

#include <tarquel_1_0/Renderer.h>

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

using velmora_1_0::TransitionHitPainter;
using velmora_1_0::TransitionSegment;

namespace {

constexpr int kHitImageWidth = 64;
constexpr int kHitImageHeight = 48;

TransitionSegment segment(int x1, int y1, int x2, int y2)
{
    return TransitionSegment{x1, x2, y1, y2};
}

wxColour colourAt(const wxImage& image, int x, int y)
{
    return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
}

// How far the centre of pixel (x, y) lies from the outline of the line's 2-pixel stroke.
double distanceToOutline(const TransitionSegment& line, int x, int y)
{
    const double dx = line.x2 - line.x1;
    const double dy = line.y2 - line.y1;
    const double length = std::hypot(dx, dy);
    const double cx = x + 0.5 - line.x1;
    const double cy = y + 0.5 - line.y1;
    const double along = (cx * dx + cy * dy) / length;
    const double across = std::abs(cx * dy - cy * dx) / length;
    return std::min({std::abs(along), std::abs(along - length), std::abs(across - 1.0)});
}

} // namespace

TEST(TransitionHitPainter, PaintsEachImageInItsExactColourAndTheLastLineWins)
{
    wxImage low(kHitImageWidth, kHitImageHeight, true);
    wxImage high(kHitImageWidth, kHitImageHeight, true);
    const wxColour firstLow(0, 0, 10);
    const wxColour firstHigh(0, 0, 0);
    const wxColour secondLow(31, 7, 1);
    const wxColour secondHigh(0, 0, 1);
    TransitionHitPainter(low, high).paint(segment(3, 4, 60, 40), firstLow, firstHigh);
    // Images share their pixels when copied; the next batch's painting must not reach the copy.
    const wxImage firstOnly = low;
    TransitionHitPainter(low, high).paint(segment(60, 2, 5, 45), secondLow, secondHigh); // crosses the first
    int first = 0;
    int second = 0;
    int crossing = 0;
    for (int y = 0; y < kHitImageHeight; ++y)
        for (int x = 0; x < kHitImageWidth; ++x) {
            const wxColour l = colourAt(low, x, y);
            const wxColour h = colourAt(high, x, y);
            // No blending: a pixel is untouched or carries one line's pair of colours.
            if (l == firstLow && h == firstHigh)
                ++first;
            else if (l == secondLow && h == secondHigh)
                ++second;
            else
                ASSERT_TRUE(l == *wxBLACK && h == *wxBLACK) << x << "," << y;
            const wxColour before = colourAt(firstOnly, x, y);
            ASSERT_TRUE(before == firstLow || before == *wxBLACK) << x << "," << y;
            crossing += before == firstLow && l == secondLow;
        }
    EXPECT_GT(first, 100);
    EXPECT_GT(second, 100);
    EXPECT_GT(crossing, 0);
}

TEST(TransitionHitPainter, CoversThePixelsOfTheRenderersHitTestLine)
{
    // The renderer's line on a memory DC is the shape users hover; the painted one may differ
    // only on pixels whose centre lies on its outline, where rounding decides.
    tarquel_1_0::Renderer renderer;
    renderer.setLineWidth(TransitionHitPainter::kLineWidth);
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coordinate(-10, kHitImageWidth + 10);
    int differing = 0;
    int covered = 0;
    for (int n = 0; n < 200; ++n) {
        const TransitionSegment line =
            segment(coordinate(random), coordinate(random), coordinate(random), coordinate(random));
        wxImage low(kHitImageWidth, kHitImageHeight, true);
        wxImage high(kHitImageWidth, kHitImageHeight, true);
        TransitionHitPainter(low, high).paint(line, *wxRED, *wxRED);
        wxBitmap bitmap(wxImage(kHitImageWidth, kHitImageHeight, true));
        {
            wxMemoryDC dc(bitmap);
            renderer.drawTransition(dc, line.x1, line.y1, line.x2, line.y2, *wxRED);
        }
        const wxImage drawn = bitmap.ConvertToImage();
        for (int y = 0; y < kHitImageHeight; ++y)
            for (int x = 0; x < kHitImageWidth; ++x) {
                const bool byRenderer = colourAt(drawn, x, y) == *wxRED;
                covered += byRenderer;
                if (byRenderer == (colourAt(low, x, y) == *wxRED))
                    continue;
                ++differing;
                EXPECT_LT(distanceToOutline(line, x, y), 0.02)
                    << "line " << line.x1 << "," << line.y1 << " " << line.x2 << "," << line.y2 << " at " << x
                    << "," << y;
            }
    }
    EXPECT_LT(differing, covered / 100);
}
