#pragma once
// Paints inclusive boxes on one DC, one colour after the other, without anti-aliasing.
//
// Where the DC draws into an image whose pixels can be written directly (PixelTarget), opaque
// boxes are written as they come, touching boxes on the same lines merged first (shapes along a
// row overlap many times over): no set-up per box. Otherwise boxes of one colour can be painted in any order, so they are collected until a box of another
// colour arrives or the painter is flushed. A handful goes out box by box; past that the boxes
// are merged into a coverage mask of the DC's area, which goes out as the few rectangles that
// cover the same pixels. Thousands of overlapping marker shapes thus cost a few DC calls instead
// of one pen and brush swap and one fill each. The DC's pen and brush are left as found.
//
// Renderer makes a short-lived painter for each shape it is asked to paint, or keeps one open for
// the length of a Renderer::Batch.
#include <wx/brush.h>
#include <wx/colour.h>
#include <wx/gdicmn.h>
#include <wx/pen.h>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class wxDC;

namespace tarquel_1_0 {

class PixelTarget;

class BoxPainter {
public:
    explicit BoxPainter(wxDC& dc);
    ~BoxPainter();
    BoxPainter(const BoxPainter&) = delete;
    BoxPainter& operator=(const BoxPainter&) = delete;

    wxDC& dc() const { return m_dc; }
    bool paintsOn(const wxDC& dc) const { return &m_dc == &dc; }
    // The colour of the boxes added from now on.
    void use(const wxColour& colour);
    // Corners inclusive, in any order.
    void add(int x1, int y1, int x2, int y2);
    // Paints everything collected so far.
    void flush();
    // The DC's pixels, for writing beside the boxes (ok() false where they cannot be written).
    PixelTarget& pixels() { return *m_pixels; }
    // The DC's drawing area in logical coordinates.
    const wxRect& area();
    static wxRect areaOf(const wxDC& dc);

private:
    struct Box {
        int x1, y1, x2, y2;
    };
    // Up to this many boxes are painted one by one.
    static constexpr size_t kListedBoxes = 16;
    // Boxes waiting to be covered in the mask, by their lines (a power of two).
    static constexpr size_t kWaitingSlots = 64;
    static constexpr Box kNoBox{0, 1, 0, 0};

    // Paints what waits, without telling the image yet (no other drawing comes in between).
    void paintPending();
    void startMask();
    void cover(const Box& box);
    // Writes a box that left the waiting slots, or covers it in the mask.
    void release(const Box& box);
    void releaseWaiting();
    void paintBoxes();
    void paintMask();
    void select();

    wxDC& m_dc;
    const std::unique_ptr<PixelTarget> m_pixels;
    bool m_direct = false;     // the current colour is written straight into m_pixels
    std::uint32_t m_pixel = 0; // the current colour as written there
    const wxPen m_pen;
    const wxBrush m_brush;
    bool m_touched = false; // pen and brush must be restored
    wxColour m_colour;
    std::array<Box, kListedBoxes> m_listed;
    size_t m_listedCount = 0;
    wxRect m_area; // known once asked for
    bool m_areaKnown = false;
    // Coverage of the area, one byte per pixel, once the list overflowed.
    bool m_masking = false;
    std::vector<unsigned char> m_mask;
    // A box on the same lines as one waiting here that touches it joins it: shapes drawn from
    // left to right along a row then reach the mask as one box per band of lines.
    std::array<Box, kWaitingSlots> m_waiting;
    std::uint64_t m_occupied = 0; // bit i: slot i holds a box
    static_assert(kWaitingSlots <= 64, "one bit of m_occupied per slot");
    int m_firstRow = 0; // rows of the mask covered since the last flush
    int m_lastRow = -1;
};

} // namespace tarquel_1_0
