#include "WxTestMain.h"

#include <tarquel_1_0/Renderer.h>

#include <gtest/gtest.h>

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/graphics.h>

#include <functional>

using namespace tarquel_1_0;

namespace {

const wxColour kBorder(10, 20, 30);
const wxColour kFill(200, 150, 100);

wxColour at(const wxImage& image, int x, int y)
{
    return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
}

wxImage paint(const std::function<void(wxMemoryDC&)>& draw)
{
    wxBitmap bitmap(40, 40, 24);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    draw(dc);
    dc.SelectObject(wxNullBitmap);
    return bitmap.ConvertToImage();
}

int count(const wxImage& image, const wxColour& colour)
{
    int n = 0;
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
            n += at(image, x, y) == colour;
    return n;
}

TEST(Renderer, BoxesPointsAndStraightLinesIncludeTheirEnds)
{
    Renderer renderer;
    const wxImage image = paint([&](wxMemoryDC& dc) {
        renderer.setColour(dc, kFill);
        renderer.fillBox(dc, 12, 8, 10, 5); // corners in any order
        renderer.drawPoint(dc, 30, 30);
        renderer.drawLine(dc, 20, 2, 20, 6);
        renderer.drawLine(dc, 25, 10, 34, 10);
    });
    EXPECT_EQ(3 * 4 + 1 + 5 + 10, count(image, kFill));
    EXPECT_EQ(kFill, at(image, 10, 5));
    EXPECT_EQ(kFill, at(image, 12, 8));
    EXPECT_EQ(*wxWHITE, at(image, 13, 8));
    EXPECT_EQ(kFill, at(image, 20, 6));
    EXPECT_EQ(kFill, at(image, 34, 10));
}

TEST(Renderer, EventMarkerIsABorderedPinWhoseBordersComeFirst)
{
    Renderer renderer;
    wxRect measured;
    wxRect border;
    wxRect fill;
    const wxImage image = paint([&](wxMemoryDC& dc) {
        measured = renderer.drawEventMarkerBorder(dc, 20, 5, kBorder, true);
        border = renderer.drawEventMarkerBorder(dc, 20, 5, kBorder, false);
        fill = renderer.drawEventMarkerFill(dc, 20, 5, kFill, false);
    });
    EXPECT_EQ(wxRect(16, 5, 9, 11), measured);
    EXPECT_EQ(measured, border);
    EXPECT_EQ(measured, fill);
    // 7 full lines of 9, then 7, 5, 3, 1 pixels down to the tip.
    EXPECT_EQ(7 * 9 + 7 + 5 + 3 + 1, count(image, kBorder) + count(image, kFill));
    EXPECT_EQ(6 * 7 + 5 + 3 + 1, count(image, kFill));
    EXPECT_EQ(kBorder, at(image, 16, 5));
    EXPECT_EQ(kBorder, at(image, 20, 15)) << "tip";
    EXPECT_EQ(kFill, at(image, 20, 14));
    EXPECT_EQ(kFill, at(image, 17, 6));
    EXPECT_EQ(*wxWHITE, at(image, 15, 5));
    EXPECT_EQ(*wxWHITE, at(image, 20, 16));
}

// The pin is painted in merged boxes; a row-by-row pin of one-pixel boxes is the reference, and
// the DC's own pen and brush must come back unchanged for the caller's next shape.
TEST(Renderer, PinMatchesRowByRowReferenceAndKeepsTheDcPenAndBrush)
{
    const int halfWidths[Renderer::EVENT_MARKER_HEIGHT] = {4, 4, 4, 4, 4, 4, 4, 3, 2, 1, 0};
    Renderer renderer;
    wxColour penAfter;
    wxColour brushAfter;
    const wxImage drawn = paint([&](wxMemoryDC& dc) {
        renderer.setColour(dc, *wxRED);
        renderer.drawEventMarker(dc, 20, 5, true, wxEmptyString, kFill, kBorder, wxNullImage, false);
        renderer.drawEventMarkerFill(dc, 7, 25, kFill, false);
        penAfter = dc.GetPen().GetColour();
        brushAfter = dc.GetBrush().GetColour();
    });
    const wxImage reference = paint([&](wxMemoryDC& dc) {
        const auto pin = [&](int x, int y, int inset, const wxColour& colour) {
            renderer.setColour(dc, colour);
            for (int line = inset; line < Renderer::EVENT_MARKER_HEIGHT; ++line)
                for (int dx = -(halfWidths[line] - inset); dx <= halfWidths[line] - inset; ++dx)
                    renderer.drawPoint(dc, x + dx, y + line);
        };
        pin(20, 5, 0, kBorder);
        pin(20, 5, 1, kFill);
        pin(7, 25, 1, kFill);
    });
    for (int y = 0; y < drawn.GetHeight(); ++y)
        for (int x = 0; x < drawn.GetWidth(); ++x)
            ASSERT_EQ(at(reference, x, y), at(drawn, x, y)) << x << "," << y;
    EXPECT_EQ(*wxRED, penAfter);
    EXPECT_EQ(*wxRED, brushAfter);
}

TEST(Renderer, MeasuringPaintsNothing)
{
    Renderer renderer;
    wxRect event;
    wxRect duration;
    const wxImage image = paint([&](wxMemoryDC& dc) {
        event = renderer.drawEventMarker(dc, 10, 2, true, "label", kFill, kBorder, wxNullImage, true);
        duration = renderer.drawDurationMarker(dc, 5, 30, 20, kFill, kBorder, true);
        renderer.drawEventMarkerFill(dc, 10, 2, kFill, true);
        renderer.drawDurationMarkerFill(dc, 5, 30, 20, kFill, true);
    });
    EXPECT_EQ(40 * 40, count(image, *wxWHITE));
    EXPECT_EQ(6, event.x);
    EXPECT_GT(event.width, Renderer::EVENT_MARKER_WIDTH) << "the label is part of the marker";
    EXPECT_EQ(wxRect(5, 20, 26, Renderer::DURATION_MARKER_HEIGHT), duration);
}

TEST(Renderer, DurationMarkerIsAtLeastThreeWideWithItsFillInside)
{
    Renderer renderer;
    wxRect narrow;
    const wxImage image = paint([&](wxMemoryDC& dc) {
        renderer.drawDurationMarker(dc, 2, 11, 3, kFill, kBorder, false);
        narrow = renderer.drawDurationMarker(dc, 20, 20, 3, kFill, kBorder, false);
    });
    EXPECT_EQ(wxRect(20, 3, 3, 7), narrow);
    EXPECT_EQ(8 * 5 + 1 * 5, count(image, kFill));
    EXPECT_EQ(10 * 7 + 3 * 7 - 45, count(image, kBorder));
    EXPECT_EQ(kBorder, at(image, 2, 3));
    EXPECT_EQ(kFill, at(image, 3, 4));
    EXPECT_EQ(kBorder, at(image, 11, 9));
}

// Hit-test images decode colours pixel by pixel: a line must not leave blended pixels.
TEST(Renderer, TransitionOnADcPaintsOnlyTheExactColour)
{
    Renderer renderer;
    renderer.setLineWidth(2);
    const wxColour code(0, 8, 17);
    const wxImage image = paint([&](wxMemoryDC& dc) { renderer.drawTransition(dc, 1, 3, 37, 33, code); });
    const int painted = count(image, code);
    EXPECT_GT(painted, 36 * 2 - 4);
    EXPECT_EQ(40 * 40, painted + count(image, *wxWHITE));
}

TEST(Renderer, TransitionOnAGraphicsContextFollowsThePen)
{
    Renderer renderer;
    const wxImage image = paint([&](wxMemoryDC& dc) {
        std::unique_ptr<wxGraphicsContext> gc(wxGraphicsContext::Create(dc));
        gc->SetAntialiasMode(wxANTIALIAS_NONE);
        renderer.drawTransition(*gc, 0, 20, 39, 20, gc->CreatePen(wxPen(kFill, 2)));
    });
    EXPECT_EQ(kFill, at(image, 20, 20));
    EXPECT_EQ(*wxWHITE, at(image, 20, 10));
}

} // namespace
