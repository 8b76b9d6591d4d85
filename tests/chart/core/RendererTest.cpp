#include "WxTestMain.h"

#include <tarquel_1_0/Renderer.h>

#include <gtest/gtest.h>

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/graphics.h>

#include <functional>
#include <vector>

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
    EXPECT_EQ(wxRect(15, 5, 11, 14), measured);
    EXPECT_EQ(measured, border);
    EXPECT_EQ(measured, fill);
    // 9 full lines of 11, then two of 7, two of 3 and the tip.
    EXPECT_EQ(9 * 11 + 2 * 7 + 2 * 3 + 1, count(image, kBorder) + count(image, kFill));
    EXPECT_EQ(8 * 9 + 2 * 5 + 2 * 1, count(image, kFill));
    EXPECT_EQ(kBorder, at(image, 15, 5));
    EXPECT_EQ(kBorder, at(image, 20, 18)) << "tip";
    EXPECT_EQ(kFill, at(image, 20, 17));
    EXPECT_EQ(kFill, at(image, 16, 6));
    EXPECT_EQ(*wxWHITE, at(image, 14, 5));
    EXPECT_EQ(*wxWHITE, at(image, 20, 19));
}

// The pin is painted in merged boxes; a line-by-line pin of one-pixel boxes is the reference, and
// the DC's own pen and brush must come back unchanged for the caller's next shape.
TEST(Renderer, PinMatchesLineByLineReferenceAndKeepsTheDcPenAndBrush)
{
    const int halfWidths[Renderer::EVENT_MARKER_HEIGHT] = {5, 5, 5, 5, 5, 5, 5, 5, 5, 3, 3, 1, 1, 0};
    Renderer renderer;
    wxColour penAfter;
    wxColour brushAfter;
    const wxImage drawn = paint([&](wxMemoryDC& dc) {
        renderer.setColour(dc, *wxRED);
        renderer.drawEventMarker(dc, 20, 5, true, wxEmptyString, kFill, kBorder, wxNullImage, false);
        renderer.drawEventMarkerFill(dc, 7, 22, kFill, false);
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
        pin(7, 22, 1, kFill);
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
    EXPECT_EQ(5, event.x);
    EXPECT_GT(event.width, Renderer::EVENT_MARKER_WIDTH) << "the label is part of the marker";
    EXPECT_EQ(wxRect(5, 20, 26, Renderer::DURATION_MARKER_HEIGHT), duration);
}

TEST(Renderer, DurationMarkerIsAtLeastFiveWideWithItsFillInside)
{
    Renderer renderer;
    wxRect narrow;
    const wxImage image = paint([&](wxMemoryDC& dc) {
        renderer.drawDurationMarker(dc, 2, 11, 3, kFill, kBorder, false);
        narrow = renderer.drawDurationMarker(dc, 20, 20, 3, kFill, kBorder, false);
    });
    EXPECT_EQ(wxRect(20, 3, 5, 10), narrow);
    EXPECT_EQ(8 * 8 + 3 * 8, count(image, kFill));
    EXPECT_EQ(10 * 10 + 5 * 10 - 88, count(image, kBorder));
    EXPECT_EQ(kBorder, at(image, 2, 3));
    EXPECT_EQ(kFill, at(image, 3, 4));
    EXPECT_EQ(kBorder, at(image, 11, 12));
}

// The ruler draws its markers on its bottom line: hanging from it, only one line would show.
TEST(Renderer, ShapeAnchoredOnTheLastLineStandsOnIt)
{
    Renderer renderer;
    wxRect pin;
    wxRect bar;
    const wxImage image = paint([&](wxMemoryDC& dc) {
        pin = renderer.drawEventMarker(dc, 10, 39, true, wxEmptyString, kFill, kBorder, wxNullImage, false);
        bar = renderer.drawDurationMarker(dc, 20, 35, 39, kFill, kBorder, false);
    });
    EXPECT_EQ(wxRect(5, 26, 11, 14), pin);
    EXPECT_EQ(wxRect(20, 30, 16, 10), bar);
    EXPECT_EQ(kBorder, at(image, 10, 39)) << "the tip is on the line";
    EXPECT_EQ(kFill, at(image, 10, 30));
    EXPECT_EQ(kFill, at(image, 25, 35));
}

// Thousands of overlapping shapes go out merged; the pixels must be those of shape-by-shape
// painting, colours in the order asked for, and the colour chosen meanwhile must reach the DC.
TEST(Renderer, BatchPaintsTheSamePixelsAsShapeByShape)
{
    const auto scene = [](Renderer& renderer, wxDC& dc) {
        for (int pass = 0; pass < 2; ++pass) {
            const wxColour& colour = pass == 0 ? kBorder : kFill;
            for (int i = 0; i < 300; ++i) {
                const int x = (i * 7) % 45 - 3;
                const int y = (i * 11) % 43 - 4;
                if (i % 3 == 0) {
                    pass == 0 ? renderer.drawDurationMarkerBorder(dc, x, x + i % 9, y, colour, false)
                              : renderer.drawDurationMarkerFill(dc, x, x + i % 9, y, colour, false);
                } else {
                    pass == 0 ? renderer.drawEventMarkerBorder(dc, x, y, colour, false)
                              : renderer.drawEventMarkerFill(dc, x, y, colour, false);
                }
            }
        }
        renderer.setColour(dc, *wxRED);
        renderer.fillBox(dc, 0, 0, 2, 2);
    };
    Renderer renderer;
    const wxImage single = paint([&](wxMemoryDC& dc) { scene(renderer, dc); });
    wxColour penAfter;
    const wxImage batched = paint([&](wxMemoryDC& dc) {
        {
            Renderer::Batch batch(renderer, dc);
            Renderer::Batch joined(renderer, dc);
            scene(renderer, dc);
        }
        penAfter = dc.GetPen().GetColour();
    });
    for (int y = 0; y < single.GetHeight(); ++y)
        for (int x = 0; x < single.GetWidth(); ++x)
            ASSERT_EQ(at(single, x, y), at(batched, x, y)) << x << "," << y;
    EXPECT_EQ(*wxRED, at(batched, 1, 1));
    EXPECT_EQ(*wxRED, penAfter);
}

// Boxes are written straight into a memory DC's image where it maps whole pixels: they must land
// where the DC's origin puts them, stay inside its clip, blend when not opaque, and a scaled DC,
// drawn through its context instead, must still get them at its scale.
TEST(Renderer, BoxesFollowTheOriginClipScaleAndAlphaOfTheDc)
{
    Renderer renderer;
    const wxImage moved = paint([&](wxMemoryDC& dc) {
        dc.SetDeviceOrigin(5, 3);
        dc.SetClippingRegion(0, 0, 20, 10);
        Renderer::Batch batch(renderer, dc);
        renderer.setColour(dc, kFill);
        renderer.fillBox(dc, -4, -2, 29, 4); // clipped to x 0..19, y 0..4
        renderer.fillBox(dc, 2, 12, 3, 14);  // below the clip
    });
    EXPECT_EQ(20 * 5, count(moved, kFill));
    EXPECT_EQ(kFill, at(moved, 5, 3));
    EXPECT_EQ(kFill, at(moved, 24, 7));
    EXPECT_EQ(*wxWHITE, at(moved, 4, 3));
    EXPECT_EQ(*wxWHITE, at(moved, 25, 7));
    EXPECT_EQ(*wxWHITE, at(moved, 5, 8));

    const wxImage scaled = paint([&](wxMemoryDC& dc) {
        dc.SetUserScale(2.0, 2.0);
        renderer.setColour(dc, kFill);
        renderer.fillBox(dc, 1, 1, 2, 2);
    });
    EXPECT_EQ(4 * 4, count(scaled, kFill));
    EXPECT_EQ(kFill, at(scaled, 2, 2));
    EXPECT_EQ(kFill, at(scaled, 5, 5));

    const wxColour halfRed(255, 0, 0, 128);
    const wxImage blended = paint([&](wxMemoryDC& dc) {
        renderer.setColour(dc, halfRed);
        renderer.fillBox(dc, 0, 0, 9, 9);
    });
    const wxColour mixed = at(blended, 5, 5);
    EXPECT_EQ(255, mixed.Red());
    EXPECT_GT(mixed.Green(), 100);
    EXPECT_LT(mixed.Green(), 155);
}

// A line of colours painted over a band: each colour's columns on every line, transparent columns
// untouched, whether the pixels are written directly (moved origin, clip), drawn through a scaled
// DC, or blended where a colour is not opaque.
TEST(Renderer, LinesPaintTheirColumnsOnEveryLineAndKeepTransparentOnes)
{
    const std::uint32_t fill = Renderer::lineColour(kFill);
    const std::uint32_t border = Renderer::lineColour(kBorder);
    const std::vector<std::uint32_t> line{fill, fill, 0, border, 0, 0, fill, border, border, 0, fill};
    const auto byBoxes = [&](wxMemoryDC& dc, Renderer& renderer) {
        for (size_t i = 0; i < line.size(); ++i)
            if (line[i] != 0) {
                renderer.setColour(dc, line[i] == fill ? kFill : kBorder);
                renderer.fillBox(dc, 3 + static_cast<int>(i), 2, 3 + static_cast<int>(i), 6);
            }
    };
    const auto byLines = [&](wxMemoryDC& dc, Renderer& renderer) {
        renderer.fillLines(dc, 3, 2, 6, line.data(), static_cast<int>(line.size()));
    };
    for (const auto& setUp : std::vector<std::function<void(wxMemoryDC&)>>{
             [](wxMemoryDC& dc) {
                 dc.SetDeviceOrigin(5, 3);
                 dc.SetClippingRegion(4, 0, 20, 5);
             },
             [](wxMemoryDC& dc) { dc.SetUserScale(2.0, 2.0); }}) {
        Renderer renderer;
        const auto under = [&](wxMemoryDC& dc) {
            renderer.setColour(dc, *wxRED);
            renderer.fillBox(dc, 0, 0, 39, 39);
        };
        const wxImage expected = paint([&](wxMemoryDC& dc) {
            setUp(dc);
            under(dc);
            byBoxes(dc, renderer);
        });
        const wxImage actual = paint([&](wxMemoryDC& dc) {
            setUp(dc);
            Renderer::Batch batch(renderer, dc);
            under(dc); // still waiting in the batch: the line must go over it
            byLines(dc, renderer);
        });
        for (int y = 0; y < expected.GetHeight(); ++y)
            for (int x = 0; x < expected.GetWidth(); ++x)
                ASSERT_EQ(at(expected, x, y), at(actual, x, y)) << x << "," << y;
        EXPECT_GT(count(actual, kFill), 0);
        EXPECT_GT(count(actual, *wxRED), 0);
    }
    const std::uint32_t halfRed = Renderer::lineColour(wxColour(255, 0, 0, 128));
    Renderer renderer;
    const wxImage blended = paint([&](wxMemoryDC& dc) { renderer.fillLines(dc, 0, 0, 9, &halfRed, 1); });
    EXPECT_EQ(255, at(blended, 0, 5).Red());
    EXPECT_GT(at(blended, 0, 5).Green(), 100);
    EXPECT_LT(at(blended, 0, 5).Green(), 155);
    EXPECT_EQ(*wxWHITE, at(blended, 1, 5));
}

// A label is painted once and copied after that: every copy must be what writing the text over a
// box of its background paints, and a label must not reach past its extent.
TEST(Renderer, LabelsAreTheTextOverItsBackgroundEveryTime)
{
    const wxColour background(120, 200, 160);
    const wxString text = "lane_label";
    wxSize extent;
    const wxImage reference = paint([&](wxMemoryDC& dc) {
        dc.SetFont(wxFont(wxFontInfo(8).Family(wxFONTFAMILY_SWISS)));
        extent = dc.GetTextExtent(text);
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(wxBrush(background));
        dc.DrawRectangle(3, 4, extent.x, extent.y);
        dc.SetTextForeground(*wxBLACK);
        dc.DrawText(text, 3, 4);
    });
    Renderer renderer;
    for (int time = 0; time < 2; ++time) {
        wxSize painted;
        const wxImage label = paint([&](wxMemoryDC& dc) {
            dc.SetFont(wxFont(wxFontInfo(8).Family(wxFONTFAMILY_SWISS)));
            Renderer::Batch batch(renderer, dc);
            renderer.setColour(dc, kFill);
            renderer.fillBox(dc, 0, 0, 39, 1);
            painted = renderer.drawLabel(dc, text, 3, 4, *wxBLACK, background);
        });
        EXPECT_EQ(extent, painted);
        EXPECT_EQ(40 * 2, count(label, kFill)) << "the boxes before the label stay";
        for (int y = 2; y < 40; ++y)
            for (int x = 0; x < 40; ++x)
                ASSERT_EQ(at(reference, x, y), at(label, x, y)) << "time " << time << " at " << x << "," << y;
    }
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

// The spans of a graph row, overlapping and reaching past the clip: written straight into the
// image (moved origin, clip) or drawn through a scaled DC, they paint what a box per span paints;
// in a colour that blends, a pixel under two spans is painted once.
TEST(Renderer, SpansPaintWhatABoxPerSpanPaintsAndEachPixelOnce)
{
    const std::vector<Renderer::ColumnSpan> spans{{3, 2, 6}, {3, 4, 9}, {4, 0, 3}, {5, 5, 5}, {-2, 1, 4}, {19, 3, 30}};
    for (const auto& setUp : std::vector<std::function<void(wxMemoryDC&)>>{
             [](wxMemoryDC& dc) {
                 dc.SetDeviceOrigin(5, 3);
                 dc.SetClippingRegion(-1, 0, 21, 8);
             },
             [](wxMemoryDC& dc) { dc.SetUserScale(2.0, 2.0); }}) {
        Renderer renderer;
        const wxImage expected = paint([&](wxMemoryDC& dc) {
            setUp(dc);
            renderer.setColour(dc, kFill);
            for (const Renderer::ColumnSpan& span : spans)
                renderer.fillBox(dc, span.x, span.top, span.x, span.bottom);
        });
        const wxImage actual = paint([&](wxMemoryDC& dc) {
            setUp(dc);
            renderer.fillSpans(dc, spans.data(), static_cast<int>(spans.size()), Renderer::lineColour(kFill));
        });
        for (int y = 0; y < expected.GetHeight(); ++y)
            for (int x = 0; x < expected.GetWidth(); ++x)
                ASSERT_EQ(at(expected, x, y), at(actual, x, y)) << x << "," << y;
        EXPECT_GE(count(actual, kFill), 16); // the spans inside the clip of the first set-up
    }
    Renderer renderer;
    const wxImage blended = paint([&](wxMemoryDC& dc) {
        renderer.fillSpans(dc, spans.data(), static_cast<int>(spans.size()), Renderer::lineColour(wxColour(255, 0, 0, 128)));
    });
    const wxColour once = at(blended, 3, 2);
    EXPECT_EQ(255, once.Red());
    EXPECT_GT(once.Green(), 100);
    EXPECT_LT(once.Green(), 155);
    EXPECT_EQ(once, at(blended, 3, 5)); // under both spans of column 3
    EXPECT_EQ(*wxWHITE, at(blended, 3, 10));
}

} // namespace
