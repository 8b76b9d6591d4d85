#include "WxTestMain.h"

#include <tarquel_1_0/MarkerStrip.h>
#include <tarquel_1_0/Renderer.h>

#include <gtest/gtest.h>

#include <wx/bitmap.h>
#include <wx/dcmemory.h>

#include <functional>
#include <random>
#include <vector>

using namespace tarquel_1_0;

namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 70;

struct Marker {
    int x1, x2;
    bool duration;
};

// One strip's markers and the lines it stands on.
struct Row {
    int pinTop, barTop;
    std::vector<Marker> markers;
};

// Rows of random pins and bars, some crowded, some reaching past both edges; the first two rows
// overlap, and the last stands on the canvas's bottom line as the ruler's markers do.
std::vector<Row> randomRows()
{
    std::mt19937 random(11);
    std::uniform_int_distribution<int> x(-20, kWidth + 20);
    std::uniform_int_distribution<int> length(0, 12);
    std::uniform_int_distribution<int> kind(0, 3);
    std::vector<Row> rows{{2, 2, {}}, {9, 9, {}}, {30, 30, {}}, {kHeight - 14, kHeight - 10, {}}};
    for (size_t r = 0; r < rows.size(); ++r)
        for (int i = 0; i < (r == 2 ? 400 : 25); ++i) {
            const int x1 = x(random);
            const bool duration = kind(random) == 0;
            rows[r].markers.push_back({x1, duration ? x1 + length(random) : x1, duration});
        }
    return rows;
}

wxImage paint(bool scaled, const std::function<void(wxMemoryDC&)>& draw)
{
    wxBitmap bitmap(kWidth, kHeight, 24);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    // Stripes under the markers: pixels no shape covers must keep them.
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(wxColour(90, 160, 90)));
    for (int x = 0; x < kWidth; x += 6)
        dc.DrawRectangle(x, 0, 3, kHeight);
    if (scaled)
        dc.SetUserScale(2.0, 2.0);
    draw(dc);
    dc.SelectObject(wxNullBitmap);
    return bitmap.ConvertToImage();
}

// Every border of every row, then every fill, shape by shape.
wxImage oneByOne(const std::vector<Row>& rows, const wxColour& border, const wxColour& fill, bool scaled)
{
    Renderer renderer;
    return paint(scaled, [&](wxMemoryDC& dc) {
        Renderer::Batch batch(renderer, dc);
        for (const bool inner : {false, true})
            for (const Row& row : rows)
                for (const Marker& m : row.markers) {
                    const int y = m.duration ? row.barTop : row.pinTop;
                    if (m.duration)
                        inner ? renderer.drawDurationMarkerFill(dc, m.x1, m.x2, y, fill, false)
                              : renderer.drawDurationMarkerBorder(dc, m.x1, m.x2, y, border, false);
                    else
                        inner ? renderer.drawEventMarkerFill(dc, m.x1, y, fill, false)
                              : renderer.drawEventMarkerBorder(dc, m.x1, y, border, false);
                }
    });
}

wxImage stripped(const std::vector<Row>& rows, const wxColour& border, const wxColour& fill, bool scaled)
{
    Renderer renderer;
    std::vector<MarkerStrip> strips;
    for (const Row& row : rows) {
        strips.emplace_back(-25, kWidth + 25, row.pinTop, row.barTop);
        for (const Marker& m : row.markers)
            m.duration ? strips.back().addDurationMarker(m.x1, m.x2) : strips.back().addEventMarker(m.x1);
    }
    return paint(scaled, [&](wxMemoryDC& dc) {
        Renderer::Batch batch(renderer, dc);
        MarkerStrip::paintAll(strips, renderer, dc, border, fill);
    });
}

void expectSamePixels(const wxImage& expected, const wxImage& actual)
{
    ASSERT_EQ(expected.GetSize(), actual.GetSize());
    for (int y = 0; y < expected.GetHeight(); ++y)
        for (int x = 0; x < expected.GetWidth(); ++x)
            ASSERT_TRUE(expected.GetRed(x, y) == actual.GetRed(x, y) && expected.GetGreen(x, y) == actual.GetGreen(x, y) &&
                        expected.GetBlue(x, y) == actual.GetBlue(x, y))
                << "at " << x << "," << y;
}

// Written straight into the image, drawn through a scaled DC, and with a fill the border shows
// through: always the pixels of the shapes one by one.
TEST(MarkerStrip, PaintsThePixelsOfItsMarkersDrawnOneByOne)
{
    const std::vector<Row> rows = randomRows();
    const wxColour border(10, 20, 30);
    const wxColour fill(250, 240, 120);
    expectSamePixels(oneByOne(rows, border, fill, false), stripped(rows, border, fill, false));
    expectSamePixels(oneByOne(rows, border, fill, true), stripped(rows, border, fill, true));
    const wxColour seeThrough(250, 40, 40, 128);
    expectSamePixels(oneByOne(rows, border, seeThrough, false), stripped(rows, border, seeThrough, false));
    // Rows that share no line: each strip in one pass.
    const std::vector<Row> apart(rows.begin() + 1, rows.end());
    expectSamePixels(oneByOne(apart, border, fill, false), stripped(apart, border, fill, false));
}

TEST(MarkerStrip, RectanglesAreTheRenderersAndAStripWithoutMarkersPaintsNothing)
{
    Renderer renderer;
    MarkerStrip strip(0, kWidth - 1, 7, 7);
    const wxImage image = paint(false, [&](wxMemoryDC& dc) {
        EXPECT_EQ(renderer.drawEventMarkerBorder(dc, 30, 7, *wxBLACK, true), strip.eventMarkerRect(30));
        EXPECT_EQ(renderer.drawDurationMarkerBorder(dc, 40, 41, 7, *wxBLACK, true), strip.durationMarkerRect(40, 41));
        EXPECT_EQ(renderer.drawDurationMarkerBorder(dc, 40, 90, 7, *wxBLACK, true), strip.durationMarkerRect(40, 90));
        std::vector<MarkerStrip> strips{strip};
        MarkerStrip::paintAll(strips, renderer, dc, *wxBLACK, *wxRED);
    });
    expectSamePixels(paint(false, [](wxMemoryDC&) {}), image);
}

} // namespace
