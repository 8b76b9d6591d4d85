#include <tarquel_1_0/Renderer.h>

#include "BoxPainter.h"
#include "ExactPixels.h"
#include "LabelImages.h"
#include "MarkerShape.h"
#include "PixelTarget.h"

#include <algorithm>
#include <vector>

#include <wx/dc.h>
#include <wx/graphics.h>
#include <wx/image.h>

namespace tarquel_1_0 {

namespace {

const auto& kPinHalfWidths = MarkerShape::kPinHalfWidths;
constexpr int kPinBoxLines = MarkerShape::kPinBoxLines;
static_assert(MarkerShape::kPinLines == Renderer::EVENT_MARKER_HEIGHT, "one half-width per line of the pin");

// Paints with the open batch's painter, or with one made for this shape alone.
template <typename Paint>
void paintWith(BoxPainter* batch, wxDC& dc, const wxColour& colour, const Paint& paint)
{
    if (batch) {
        batch->use(colour);
        paint(*batch);
        return;
    }
    BoxPainter own(dc);
    own.use(colour);
    paint(own);
}

} // namespace

int Renderer::shapeTop(const wxDC& dc, int y, int height) const
{
    // On the DC's last line only the first line of a hanging shape would show.
    const int lastLine = batchOn(dc) ? m_batchLastLine : BoxPainter::areaOf(dc).GetBottom();
    return y == lastLine ? y - height + 1 : y;
}

wxRect Renderer::pinRect(const wxDC& dc, int x, int y) const
{
    return wxRect(x - EVENT_MARKER_WIDTH / 2, shapeTop(dc, y, EVENT_MARKER_HEIGHT), EVENT_MARKER_WIDTH,
                  EVENT_MARKER_HEIGHT);
}

wxRect Renderer::barRect(const wxDC& dc, int x1, int x2, int y) const
{
    const int right = std::max(x2, x1 + DURATION_MARKER_MIN_WIDTH - 1);
    return wxRect(x1, shapeTop(dc, y, DURATION_MARKER_HEIGHT), right - x1 + 1, DURATION_MARKER_HEIGHT);
}

Renderer::Batch::Batch(Renderer& renderer, wxDC& dc) : m_renderer(renderer)
{
    if (renderer.m_batch)
        return;
    m_painter = std::make_unique<BoxPainter>(dc);
    renderer.m_batch = m_painter.get();
    renderer.m_batchColour = wxColour();
    renderer.m_batchLastLine = m_painter->area().GetBottom();
}

Renderer::Batch::~Batch()
{
    if (!m_painter)
        return;
    wxDC& dc = m_painter->dc();
    m_painter.reset(); // paints, and gives the DC its pen and brush back
    m_renderer.m_batch = nullptr;
    if (m_renderer.m_batchColour.IsOk())
        m_renderer.setColour(dc, m_renderer.m_batchColour);
}

Renderer::Renderer(const Renderer& other) : m_lineWidth(other.m_lineWidth) {}

Renderer& Renderer::operator=(const Renderer& other)
{
    m_lineWidth = other.m_lineWidth;
    return *this;
}

BoxPainter* Renderer::batchOn(const wxDC& dc) const
{
    return m_batch && m_batch->paintsOn(dc) ? m_batch : nullptr;
}

void Renderer::flushBatch(const wxDC& dc)
{
    if (BoxPainter* batch = batchOn(dc))
        batch->flush();
}

wxColour Renderer::chosenColour(const wxDC& dc, const wxColour& selected) const
{
    return batchOn(dc) && m_batchColour.IsOk() ? m_batchColour : selected;
}

void Renderer::paintBox(wxDC& dc, int x1, int y1, int x2, int y2, const wxColour& colour)
{
    paintWith(batchOn(dc), dc, colour, [&](BoxPainter& painter) { painter.add(x1, y1, x2, y2); });
}

// Paints the pin shrunk by `inset` pixels on every side. Lines of equal width go out as one box.
void Renderer::paintPin(wxDC& dc, int x, int top, int inset, const wxColour& colour)
{
    paintWith(batchOn(dc), dc, colour, [&](BoxPainter& painter) {
        int line = inset;
        while (line < EVENT_MARKER_HEIGHT) {
            const int half = kPinHalfWidths[line] - inset;
            int last = line;
            while (last + 1 < EVENT_MARKER_HEIGHT && kPinHalfWidths[last + 1] == kPinHalfWidths[line])
                ++last;
            if (half >= 0)
                painter.add(x - half, top + line, x + half, top + last);
            line = last + 1;
        }
    });
}

void Renderer::setColour(wxDC& dc, const wxColour& colour)
{
    if (batchOn(dc)) {
        m_batchColour = colour;
        return;
    }
    dc.SetPen(wxPen(colour, m_lineWidth, wxPENSTYLE_SOLID));
    dc.SetBrush(wxBrush(colour, wxBRUSHSTYLE_SOLID));
}

void Renderer::setLineWidth(int width)
{
    m_lineWidth = std::max(1, width);
}

void Renderer::drawLine(wxDC& dc, int x1, int y1, int x2, int y2)
{
    const wxColour colour = chosenColour(dc, dc.GetPen().GetColour());
    if (x1 == x2 || y1 == y2) {
        // Straight lines are boxes: exact, and both end points included.
        const int low = (m_lineWidth - 1) / 2;
        const int high = m_lineWidth / 2;
        if (x1 == x2)
            paintBox(dc, x1 - low, y1, x1 + high, y2, colour);
        else
            paintBox(dc, x1, y1 - low, x2, y1 + high, colour);
        return;
    }
    drawTransition(dc, x1, y1, x2, y2, colour);
}

void Renderer::fillBox(wxDC& dc, int x1, int y1, int x2, int y2)
{
    paintBox(dc, x1, y1, x2, y2, chosenColour(dc, dc.GetBrush().GetColour()));
}

void Renderer::drawPoint(wxDC& dc, int x, int y)
{
    paintBox(dc, x, y, x, y, chosenColour(dc, dc.GetPen().GetColour()));
}

void Renderer::drawTransition(wxDC& dc, int x1, int y1, int x2, int y2, const wxColour& colour)
{
    flushBatch(dc);
    ExactPixels exact(dc);
    const wxPen pen = dc.GetPen();
    wxPen line(colour, m_lineWidth, wxPENSTYLE_SOLID);
    line.SetCap(wxCAP_BUTT);
    dc.SetPen(line);
    dc.DrawLine(x1, y1, x2, y2);
    dc.SetPen(pen);
}

void Renderer::drawTransition(wxGraphicsContext& gc, int x1, int y1, int x2, int y2, const wxGraphicsPen& pen)
{
    gc.SetPen(pen);
    gc.StrokeLine(x1, y1, x2, y2);
}

wxRect Renderer::drawEventMarkerBorder(wxDC& dc, int x, int y, const wxColour& border, bool measureOnly)
{
    const wxRect pin = pinRect(dc, x, y);
    if (!measureOnly)
        paintPin(dc, x, pin.y, 0, border);
    return pin;
}

wxRect Renderer::drawEventMarkerFill(wxDC& dc, int x, int y, const wxColour& fill, bool measureOnly)
{
    const wxRect pin = pinRect(dc, x, y);
    if (!measureOnly)
        paintPin(dc, x, pin.y, 1, fill);
    return pin;
}

wxRect Renderer::drawDurationMarkerBorder(wxDC& dc, int x1, int x2, int y, const wxColour& border, bool measureOnly)
{
    const wxRect bar = barRect(dc, x1, x2, y);
    if (!measureOnly)
        paintBox(dc, bar.GetLeft(), bar.GetTop(), bar.GetRight(), bar.GetBottom(), border);
    return bar;
}

wxRect Renderer::drawDurationMarkerFill(wxDC& dc, int x1, int x2, int y, const wxColour& fill, bool measureOnly)
{
    const wxRect bar = barRect(dc, x1, x2, y);
    if (!measureOnly)
        paintBox(dc, bar.GetLeft() + 1, bar.GetTop() + 1, bar.GetRight() - 1, bar.GetBottom() - 1, fill);
    return bar;
}

wxRect Renderer::drawEventMarker(wxDC& dc, int x, int y, bool withBorder, const wxString& label,
                                 const wxColour& fill, const wxColour& border, const wxImage& icon, bool measureOnly)
{
    wxRect all = withBorder ? drawEventMarkerBorder(dc, x, y, border, measureOnly)
                            : drawEventMarkerFill(dc, x, y, fill, measureOnly);
    if (withBorder)
        drawEventMarkerFill(dc, x, y, fill, measureOnly);
    if (!measureOnly && (icon.IsOk() || !label.empty()))
        flushBatch(dc); // the icon and label go on top of the pin
    if (icon.IsOk()) {
        const wxRect box(all.x + 1, all.y + 1, all.width - 2, kPinBoxLines - 2);
        const wxPoint at(box.x + (box.width - icon.GetWidth()) / 2, box.y + (box.height - icon.GetHeight()) / 2);
        if (!measureOnly)
            dc.DrawBitmap(wxBitmap(icon), at, true);
        all.Union(wxRect(at, icon.GetSize()));
    }
    if (!label.empty()) {
        const wxSize text = dc.GetTextExtent(label);
        const wxPoint at(all.GetRight() + 3, all.y + (all.height - text.y) / 2);
        if (!measureOnly) {
            dc.SetTextForeground(border);
            dc.DrawText(label, at);
        }
        all.Union(wxRect(at, text));
    }
    return all;
}

wxSize Renderer::drawLabel(wxDC& dc, const wxString& text, int x, int y, const wxColour& colour,
                           const wxColour& background)
{
    if (!m_labels)
        m_labels = std::make_shared<LabelImages>();
    BoxPainter* batch = batchOn(dc);
    std::unique_ptr<PixelTarget> own;
    PixelTarget* target = batch ? &batch->pixels() : (own = std::make_unique<PixelTarget>(dc)).get();
    if (batch)
        batch->flush();
    if (target->ok() && PixelTarget::opaque(colour) && PixelTarget::opaque(background))
        return m_labels->paint(dc, *target, text, x, y, colour, background);
    const wxSize size = dc.GetTextExtent(text);
    paintBox(dc, x, y, x + size.x - 1, y + size.y - 1, background);
    flushBatch(dc);
    dc.SetTextForeground(colour);
    dc.DrawText(text, x, y);
    return size;
}

std::uint32_t Renderer::lineColour(const wxColour& colour)
{
    if (!colour.IsOk())
        return 0;
    return (static_cast<std::uint32_t>(colour.Alpha()) << 24) | (static_cast<std::uint32_t>(colour.Red()) << 16) |
           (static_cast<std::uint32_t>(colour.Green()) << 8) | colour.Blue();
}

void Renderer::fillLines(wxDC& dc, int x, int y1, int y2, const std::uint32_t* colours, int count, int stride)
{
    if (count <= 0 || y1 > y2)
        return;
    const int lines = stride == 0 ? 1 : y2 - y1 + 1;
    const std::uint32_t* const end = colours + static_cast<std::ptrdiff_t>(lines - 1) * stride + count;
    BoxPainter* batch = batchOn(dc);
    if (PixelTarget::opaqueOrClear(colours, static_cast<std::size_t>(end - colours))) {
        std::unique_ptr<PixelTarget> own;
        PixelTarget* target = batch ? &batch->pixels() : (own = std::make_unique<PixelTarget>(dc)).get();
        if (target->ok()) {
            if (batch)
                batch->flush(); // boxes asked for before go under the lines
            target->copyLines(x, y1, y2, colours, count, stride);
            return;
        }
    }
    // Runs of one colour: over every line when the lines are alike, else one line each.
    struct Run {
        std::uint32_t colour;
        int x1, x2, y1, y2;
    };
    std::vector<Run> runs;
    for (int k = 0; k < lines; ++k) {
        const std::uint32_t* line = colours + static_cast<std::ptrdiff_t>(k) * stride;
        const int top = stride == 0 ? y1 : y1 + k;
        const int bottom = stride == 0 ? y2 : top;
        for (int i = 0; i < count;) {
            int last = i;
            while (last + 1 < count && line[last + 1] == line[i])
                ++last;
            if ((line[i] >> 24) != 0)
                runs.push_back({line[i], x + i, x + last, top, bottom});
            i = last + 1;
        }
    }
    // Runs of different colours never share a pixel: one colour after the other, few switches.
    std::stable_sort(runs.begin(), runs.end(), [](const Run& a, const Run& b) { return a.colour < b.colour; });
    for (size_t first = 0; first < runs.size();) {
        size_t last = first;
        while (last < runs.size() && runs[last].colour == runs[first].colour)
            ++last;
        const std::uint32_t c = runs[first].colour;
        const wxColour colour(static_cast<unsigned char>(c >> 16), static_cast<unsigned char>(c >> 8),
                              static_cast<unsigned char>(c), static_cast<unsigned char>(c >> 24));
        paintWith(batch, dc, colour, [&](BoxPainter& painter) {
            for (size_t i = first; i < last; ++i)
                painter.add(runs[i].x1, runs[i].y1, runs[i].x2, runs[i].y2);
        });
        first = last;
    }
}

void Renderer::fillSpans(wxDC& dc, const ColumnSpan* spans, int count, std::uint32_t colour)
{
    if (count <= 0 || (colour >> 24) == 0)
        return;
    BoxPainter* batch = batchOn(dc);
    if ((colour >> 24) == 0xff) {
        std::unique_ptr<PixelTarget> own;
        PixelTarget* target = batch ? &batch->pixels() : (own = std::make_unique<PixelTarget>(dc)).get();
        if (target->ok()) {
            if (batch)
                batch->flush(); // boxes asked for before go under the spans
            target->fillSpans(spans, count, colour);
            return;
        }
    }
    // Laid into a block of lines first: a pixel under several spans is painted once, which a
    // colour that blends needs.
    int left = spans[0].x;
    int right = left;
    int top = spans[0].top;
    int bottom = spans[0].bottom;
    for (int i = 0; i < count; ++i) {
        left = std::min(left, spans[i].x);
        right = std::max(right, spans[i].x);
        top = std::min(top, spans[i].top);
        bottom = std::max(bottom, spans[i].bottom);
    }
    if (top > bottom)
        return;
    const int width = right - left + 1;
    m_spanBlock.assign(static_cast<size_t>(width) * static_cast<size_t>(bottom - top + 1), 0);
    for (int i = 0; i < count; ++i) {
        const ColumnSpan& span = spans[i];
        std::uint32_t* pixel = m_spanBlock.data() + static_cast<size_t>(span.top - top) * width + (span.x - left);
        for (int y = span.top; y <= span.bottom; ++y, pixel += width)
            *pixel = colour;
    }
    fillLines(dc, left, top, bottom, m_spanBlock.data(), width, width);
}

wxRect Renderer::drawDurationMarker(wxDC& dc, int x1, int x2, int y, const wxColour& fill, const wxColour& border,
                                    bool measureOnly)
{
    drawDurationMarkerBorder(dc, x1, x2, y, border, measureOnly);
    return drawDurationMarkerFill(dc, x1, x2, y, fill, measureOnly);
}

} // namespace tarquel_1_0
