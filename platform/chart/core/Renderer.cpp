#include <tarquel_1_0/Renderer.h>

#include "BoxPainter.h"
#include "ExactPixels.h"
#include "LabelImages.h"
#include "PixelTarget.h"

#include <algorithm>

#include <wx/dc.h>
#include <wx/graphics.h>
#include <wx/image.h>

namespace tarquel_1_0 {

namespace {

// The pin of an event marker, line by line: half-widths from the top edge down to the tip. The
// point narrows in steps of two lines: fewer boxes per pin, and pins are drawn by the thousand.
const int kPinHalfWidths[Renderer::EVENT_MARKER_HEIGHT] = {5, 5, 5, 5, 5, 5, 5, 5, 5, 3, 3, 1, 1, 0};
// Lines of the pin's box, above the point; an icon goes inside its border.
constexpr int kPinBoxLines = 9;

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

wxRect Renderer::drawDurationMarker(wxDC& dc, int x1, int x2, int y, const wxColour& fill, const wxColour& border,
                                    bool measureOnly)
{
    drawDurationMarkerBorder(dc, x1, x2, y, border, measureOnly);
    return drawDurationMarkerFill(dc, x1, x2, y, fill, measureOnly);
}

} // namespace tarquel_1_0
