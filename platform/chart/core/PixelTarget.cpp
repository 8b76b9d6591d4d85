#include "PixelTarget.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <cairo.h>

#include <wx/dc.h>
#include <wx/graphics.h>

namespace tarquel_1_0 {

namespace {

// Four pixels in one vector register (GCC and Clang vector extension); comparisons give all ones
// for true, so they serve as masks.
typedef std::uint32_t Pixels4 __attribute__((vector_size(16)));

bool whole(double value)
{
    return value == std::floor(value) && std::abs(value) < 1e9;
}

// The one rectangle the context clips to, in user coordinates (empty when everything is clipped
// away); false when the clip is not one rectangle of whole pixels. Without a clip the context
// gives the image's own extent.
bool clipRectangle(cairo_t* cr, wxRect& clip)
{
    cairo_rectangle_list_t* list = cairo_copy_clip_rectangle_list(cr);
    bool one = list->status == CAIRO_STATUS_SUCCESS && list->num_rectangles <= 1;
    if (one && list->num_rectangles == 1) {
        const cairo_rectangle_t& r = list->rectangles[0];
        one = whole(r.x) && whole(r.y) && whole(r.width) && whole(r.height);
        clip = wxRect(static_cast<int>(r.x), static_cast<int>(r.y), static_cast<int>(r.width),
                      static_cast<int>(r.height));
    } else {
        clip = wxRect();
    }
    cairo_rectangle_list_destroy(list);
    return one;
}

} // namespace

PixelTarget::PixelTarget(wxDC& dc)
{
    wxGraphicsContext* context = dc.GetGraphicsContext();
    if (!context || dc.GetLogicalFunction() != wxCOPY || context->GetRenderer() != wxGraphicsRenderer::GetCairoRenderer())
        return;
    auto* cr = static_cast<cairo_t*>(context->GetNativeContext());
    if (!cr || cairo_status(cr) != CAIRO_STATUS_SUCCESS)
        return;
    cairo_surface_t* surface = cairo_get_target(cr);
    if (cairo_get_group_target(cr) != surface || cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE)
        return;
    const cairo_format_t format = cairo_image_surface_get_format(surface);
    if (format != CAIRO_FORMAT_RGB24 && format != CAIRO_FORMAT_ARGB32)
        return;
    double offsetX = 0.0;
    double offsetY = 0.0;
    cairo_surface_get_device_offset(surface, &offsetX, &offsetY);
    double scaleX = 1.0;
    double scaleY = 1.0;
    cairo_surface_get_device_scale(surface, &scaleX, &scaleY);
    cairo_matrix_t m;
    cairo_get_matrix(cr, &m);
    if (offsetX != 0.0 || offsetY != 0.0 || scaleX != 1.0 || scaleY != 1.0 || m.xx != 1.0 || m.yy != 1.0 ||
        m.xy != 0.0 || m.yx != 0.0 || !whole(m.x0) || !whole(m.y0))
        return;
    wxRect clip;
    if (!clipRectangle(cr, clip))
        return;
    m_shiftX = static_cast<int>(m.x0);
    m_shiftY = static_cast<int>(m.y0);
    const wxRect image(0, 0, cairo_image_surface_get_width(surface), cairo_image_surface_get_height(surface));
    m_clip = wxRect(clip.x + m_shiftX, clip.y + m_shiftY, clip.width, clip.height).Intersect(image);
    // Whatever the context still holds for the image must be in it before pixels are written.
    cairo_surface_flush(surface);
    m_surface = surface;
    m_stride = cairo_image_surface_get_stride(surface);
    m_data = cairo_image_surface_get_data(surface);
}

PixelTarget::~PixelTarget()
{
    marked();
}

bool PixelTarget::pixelOf(const wxColour& colour, std::uint32_t& pixel)
{
    if (!opaque(colour))
        return false;
    // Both image formats keep a pixel as one native word, alpha (or unused) in the top byte.
    pixel = 0xff000000u | (static_cast<std::uint32_t>(colour.Red()) << 16) |
            (static_cast<std::uint32_t>(colour.Green()) << 8) | colour.Blue();
    return true;
}

bool PixelTarget::clipped(int& x1, int& y1, int& x2, int& y2) const
{
    x1 = std::max(x1 + m_shiftX, m_clip.x);
    y1 = std::max(y1 + m_shiftY, m_clip.y);
    x2 = std::min(x2 + m_shiftX, m_clip.GetRight());
    y2 = std::min(y2 + m_shiftY, m_clip.GetBottom());
    return x1 <= x2 && y1 <= y2;
}

void PixelTarget::fill(int x1, int y1, int x2, int y2, std::uint32_t pixel)
{
    if (!m_data || !clipped(x1, y1, x2, y2))
        return;
    written(x1, y1, x2, y2);
    const int count = x2 - x1 + 1;
    unsigned char* line = m_data + static_cast<std::ptrdiff_t>(y1) * m_stride;
    for (int y = y1; y <= y2; ++y, line += m_stride)
        std::fill_n(reinterpret_cast<std::uint32_t*>(line) + x1, count, pixel);
}

void PixelTarget::copy(int x, int y, const std::uint32_t* pixels, int width, int height, int stride)
{
    int x1 = x;
    int y1 = y;
    int x2 = x + width - 1;
    int y2 = y + height - 1;
    if (!m_data || width <= 0 || height <= 0 || !clipped(x1, y1, x2, y2))
        return;
    written(x1, y1, x2, y2);
    const std::uint32_t* from = pixels + static_cast<std::ptrdiff_t>(y1 - y - m_shiftY) * stride + (x1 - x - m_shiftX);
    unsigned char* line = m_data + static_cast<std::ptrdiff_t>(y1) * m_stride;
    for (int row = y1; row <= y2; ++row, line += m_stride, from += stride)
        std::memcpy(reinterpret_cast<std::uint32_t*>(line) + x1, from, sizeof(std::uint32_t) * (x2 - x1 + 1));
}

void PixelTarget::copyLines(int x, int y1, int y2, const std::uint32_t* pixels, int count, int stride)
{
    int x1 = x;
    int x2 = x + count - 1;
    const int top = y1;
    if (!m_data || count <= 0 || !clipped(x1, y1, x2, y2))
        return;
    written(x1, y1, x2, y2);
    const std::uint32_t* from =
        pixels + static_cast<std::ptrdiff_t>(y1 - top - m_shiftY) * stride + (x1 - x - m_shiftX);
    const int width = x2 - x1 + 1;
    unsigned char* line = m_data + static_cast<std::ptrdiff_t>(y1) * m_stride;
    for (int y = y1; y <= y2; ++y, line += m_stride, from += stride) {
        std::uint32_t* to = reinterpret_cast<std::uint32_t*>(line) + x1;
        int i = 0;
        // Four pixels at a time, a select instead of a branch: lines are thousands of pixels.
        for (; i + 4 <= width; i += 4) {
            Pixels4 source;
            Pixels4 target;
            std::memcpy(&source, from + i, sizeof source);
            std::memcpy(&target, to + i, sizeof target);
            const Pixels4 painted = (source >> 24) != 0;
            target = (source & painted) | (target & ~painted);
            std::memcpy(to + i, &target, sizeof target);
        }
        for (; i < width; ++i)
            to[i] = (from[i] >> 24) != 0 ? from[i] : to[i];
    }
}

void PixelTarget::fillSpans(const Renderer::ColumnSpan* spans, int count, std::uint32_t pixel)
{
    if (!m_data)
        return;
    // Clipped here rather than through clipped(): a row has a span per column.
    const int clipLeft = m_clip.x;
    const int clipRight = m_clip.GetRight();
    const int clipTop = m_clip.y;
    const int clipBottom = m_clip.GetBottom();
    int left = clipRight + 1;
    int right = clipLeft - 1;
    int top = clipBottom + 1;
    int bottom = clipTop - 1;
    for (int i = 0; i < count; ++i) {
        const int x = spans[i].x + m_shiftX;
        const int y1 = std::max(spans[i].top + m_shiftY, clipTop);
        const int y2 = std::min(spans[i].bottom + m_shiftY, clipBottom);
        if (x < clipLeft || x > clipRight || y1 > y2)
            continue;
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y1);
        bottom = std::max(bottom, y2);
        unsigned char* line = m_data + static_cast<std::ptrdiff_t>(y1) * m_stride + sizeof(std::uint32_t) * x;
        for (int y = y1; y <= y2; ++y, line += m_stride)
            *reinterpret_cast<std::uint32_t*>(line) = pixel;
    }
    if (left <= right)
        written(left, top, right, bottom);
}

bool PixelTarget::opaqueOrClear(const std::uint32_t* pixels, std::size_t count)
{
    std::size_t i = 0;
    Pixels4 mixed{};
    for (; i + 4 <= count; i += 4) {
        Pixels4 four;
        std::memcpy(&four, pixels + i, sizeof four);
        const Pixels4 alpha = four >> 24;
        mixed |= (alpha != 0) & (alpha != 0xff);
    }
    bool ok = (mixed[0] | mixed[1] | mixed[2] | mixed[3]) == 0;
    for (; i < count; ++i)
        ok = ok && ((pixels[i] >> 24) == 0 || (pixels[i] >> 24) == 0xff);
    return ok;
}

void PixelTarget::written(int x1, int y1, int x2, int y2)
{
    if (m_writtenLeft > m_writtenRight) {
        m_writtenLeft = x1;
        m_writtenTop = y1;
        m_writtenRight = x2;
        m_writtenBottom = y2;
        return;
    }
    m_writtenLeft = std::min(m_writtenLeft, x1);
    m_writtenTop = std::min(m_writtenTop, y1);
    m_writtenRight = std::max(m_writtenRight, x2);
    m_writtenBottom = std::max(m_writtenBottom, y2);
}

void PixelTarget::marked()
{
    if (!m_surface || m_writtenLeft > m_writtenRight)
        return;
    cairo_surface_mark_dirty_rectangle(m_surface, m_writtenLeft, m_writtenTop, m_writtenRight - m_writtenLeft + 1,
                                       m_writtenBottom - m_writtenTop + 1);
    m_writtenLeft = 1;
    m_writtenRight = 0;
}

} // namespace tarquel_1_0
