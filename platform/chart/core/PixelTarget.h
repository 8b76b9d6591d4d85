#pragma once
// Direct access to the pixels behind a DC that draws into an image in memory, so that solid
// boxes are written as runs of pixels instead of going through the graphics library's fill path
// (a fill call costs microseconds of set-up, and a repaint makes tens of thousands of them).
//
// Only where writing the pixels is provably the same as filling: the DC draws through a graphics
// context onto a 24- or 32-bit image, maps logical to device pixels by a whole-pixel shift, and
// clips to at most one rectangle; boxes are opaque and copied as they are. Elsewhere (window DCs,
// scaled or rotated DCs, odd clip regions) ok() is false and the caller paints through the DC.
//
// Made for the length of a run of boxes, on the thread that owns the DC; the image is told which
// of its pixels changed when the target goes or when marked() is called, before the DC draws again.
#include <tarquel_1_0/Renderer.h>

#include <wx/colour.h>
#include <wx/gdicmn.h>

#include <cstddef>
#include <cstdint>

class wxDC;
typedef struct _cairo_surface cairo_surface_t;

namespace tarquel_1_0 {

class PixelTarget {
public:
    explicit PixelTarget(wxDC& dc);
    ~PixelTarget();
    PixelTarget(const PixelTarget&) = delete;
    PixelTarget& operator=(const PixelTarget&) = delete;

    bool ok() const { return m_data != nullptr; }
    // Only opaque colours are written directly; the others must blend.
    static bool opaque(const wxColour& colour) { return colour.IsOk() && colour.Alpha() == wxALPHA_OPAQUE; }
    // The pixel value of `colour`; false for a colour that is not opaque.
    static bool pixelOf(const wxColour& colour, std::uint32_t& pixel);
    // True when every pixel is opaque or has alpha 0 (those copyLines leaves): nothing to blend.
    static bool opaqueOrClear(const std::uint32_t* pixels, std::size_t count);
    // Corners inclusive, in logical coordinates, x1 <= x2 and y1 <= y2; clipped to the DC.
    void fill(int x1, int y1, int x2, int y2, std::uint32_t pixel);
    // Copies `width` x `height` pixels (rows `stride` pixels apart) with their top left corner at
    // (x, y), clipped to the DC.
    void copy(int x, int y, const std::uint32_t* pixels, int width, int height, int stride);
    // Writes `count` pixels from column x on each line y1..y2, clipped to the DC: line y1 + k
    // takes pixels + k * stride (stride 0: every line the same). A pixel whose alpha byte is 0
    // keeps what the image holds.
    void copyLines(int x, int y1, int y2, const std::uint32_t* pixels, int count, int stride);
    // Writes `pixel` over each span's lines in its column, clipped to the DC.
    void fillSpans(const Renderer::ColumnSpan* spans, int count, std::uint32_t pixel);
    // Tells the image about the pixels written so far.
    void marked();

private:
    // Clips a box (logical, inclusive) to the DC, in device pixels; false when nothing is left.
    bool clipped(int& x1, int& y1, int& x2, int& y2) const;
    void written(int x1, int y1, int x2, int y2);

    cairo_surface_t* m_surface = nullptr;
    unsigned char* m_data = nullptr; // null: not writable directly
    int m_stride = 0;                // bytes per line
    int m_shiftX = 0;                // device = logical + shift
    int m_shiftY = 0;
    wxRect m_clip;                   // in device pixels
    // Bounds of what was written since the last marked(), device pixels, inclusive; none while
    // m_writtenLeft > m_writtenRight.
    int m_writtenLeft = 1;
    int m_writtenTop = 1;
    int m_writtenRight = 0;
    int m_writtenBottom = 0;
};

} // namespace tarquel_1_0
