#include <tarquel_1_0/Renderer.h>

#include <algorithm>

#include <wx/dc.h>
#include <wx/graphics.h>
#include <wx/image.h>

namespace tarquel_1_0 {

namespace {

// Turns anti-aliasing off while shapes are painted, where the DC draws through a graphics
// context, so every painted pixel carries exactly the chosen colour.
class ExactPixels {
public:
    explicit ExactPixels(wxDC& dc) : m_context(dc.GetGraphicsContext())
    {
        if (m_context) {
            m_mode = m_context->GetAntialiasMode();
            m_context->SetAntialiasMode(wxANTIALIAS_NONE);
        }
    }
    ~ExactPixels()
    {
        if (m_context)
            m_context->SetAntialiasMode(m_mode);
    }
    ExactPixels(const ExactPixels&) = delete;
    ExactPixels& operator=(const ExactPixels&) = delete;

private:
    wxGraphicsContext* m_context;
    wxAntialiasMode m_mode = wxANTIALIAS_DEFAULT;
};

// Paints inclusive boxes in one colour. The DC's pen and brush are swapped once for the whole
// shape rather than per box: the swap, not the fill, dominates the cost of small boxes.
class BoxPainter {
public:
    BoxPainter(wxDC& dc, const wxColour& colour) : m_dc(dc), m_pen(dc.GetPen()), m_brush(dc.GetBrush())
    {
        m_dc.SetPen(*wxTRANSPARENT_PEN);
        m_dc.SetBrush(wxBrush(colour));
    }
    ~BoxPainter()
    {
        m_dc.SetPen(m_pen);
        m_dc.SetBrush(m_brush);
    }
    BoxPainter(const BoxPainter&) = delete;
    BoxPainter& operator=(const BoxPainter&) = delete;

    void paint(int x1, int y1, int x2, int y2)
    {
        m_dc.DrawRectangle(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1) + 1, std::abs(y2 - y1) + 1);
    }

private:
    wxDC& m_dc;
    const wxPen m_pen;
    const wxBrush m_brush;
};

void paintBox(wxDC& dc, int x1, int y1, int x2, int y2, const wxColour& colour)
{
    BoxPainter(dc, colour).paint(x1, y1, x2, y2);
}

// The pin of an event marker, row by row: half-widths from the top edge down to the tip.
const int kPinHalfWidths[Renderer::EVENT_MARKER_HEIGHT] = {4, 4, 4, 4, 4, 4, 4, 3, 2, 1, 0};

wxRect pinRect(int x, int y)
{
    return wxRect(x - Renderer::EVENT_MARKER_WIDTH / 2, y, Renderer::EVENT_MARKER_WIDTH,
                  Renderer::EVENT_MARKER_HEIGHT);
}

// Paints the pin shrunk by `inset` pixels on every side. Rows of equal width go out as one box:
// the same pixels in fewer calls, since painting is exact and never blends.
void paintPin(wxDC& dc, int x, int y, int inset, const wxColour& colour)
{
    ExactPixels exact(dc);
    BoxPainter painter(dc, colour);
    int line = inset;
    while (line < Renderer::EVENT_MARKER_HEIGHT) {
        const int half = kPinHalfWidths[line] - inset;
        int last = line;
        while (last + 1 < Renderer::EVENT_MARKER_HEIGHT && kPinHalfWidths[last + 1] == kPinHalfWidths[line])
            ++last;
        if (half >= 0)
            painter.paint(x - half, y + line, x + half, y + last);
        line = last + 1;
    }
}

wxRect barRect(int x1, int x2, int y)
{
    const int right = std::max(x2, x1 + 2);
    return wxRect(x1, y, right - x1 + 1, Renderer::DURATION_MARKER_HEIGHT);
}

} // namespace

void Renderer::setColour(wxDC& dc, const wxColour& colour)
{
    dc.SetPen(wxPen(colour, m_lineWidth, wxPENSTYLE_SOLID));
    dc.SetBrush(wxBrush(colour, wxBRUSHSTYLE_SOLID));
}

void Renderer::setLineWidth(int width)
{
    m_lineWidth = std::max(1, width);
}

void Renderer::drawLine(wxDC& dc, int x1, int y1, int x2, int y2)
{
    const wxColour colour = dc.GetPen().GetColour();
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
    ExactPixels exact(dc);
    paintBox(dc, x1, y1, x2, y2, dc.GetBrush().GetColour());
}

void Renderer::drawPoint(wxDC& dc, int x, int y)
{
    ExactPixels exact(dc);
    paintBox(dc, x, y, x, y, dc.GetPen().GetColour());
}

void Renderer::drawTransition(wxDC& dc, int x1, int y1, int x2, int y2, const wxColour& colour)
{
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
    if (!measureOnly)
        paintPin(dc, x, y, 0, border);
    return pinRect(x, y);
}

wxRect Renderer::drawEventMarkerFill(wxDC& dc, int x, int y, const wxColour& fill, bool measureOnly)
{
    if (!measureOnly)
        paintPin(dc, x, y, 1, fill);
    return pinRect(x, y);
}

wxRect Renderer::drawDurationMarkerBorder(wxDC& dc, int x1, int x2, int y, const wxColour& border, bool measureOnly)
{
    const wxRect bar = barRect(x1, x2, y);
    if (!measureOnly) {
        ExactPixels exact(dc);
        paintBox(dc, bar.GetLeft(), bar.GetTop(), bar.GetRight(), bar.GetBottom(), border);
    }
    return bar;
}

wxRect Renderer::drawDurationMarkerFill(wxDC& dc, int x1, int x2, int y, const wxColour& fill, bool measureOnly)
{
    const wxRect bar = barRect(x1, x2, y);
    if (!measureOnly) {
        ExactPixels exact(dc);
        paintBox(dc, bar.GetLeft() + 1, bar.GetTop() + 1, bar.GetRight() - 1, bar.GetBottom() - 1, fill);
    }
    return bar;
}

wxRect Renderer::drawEventMarker(wxDC& dc, int x, int y, bool withBorder, const wxString& label,
                                 const wxColour& fill, const wxColour& border, const wxImage& icon, bool measureOnly)
{
    wxRect all = withBorder ? drawEventMarkerBorder(dc, x, y, border, measureOnly)
                            : drawEventMarkerFill(dc, x, y, fill, measureOnly);
    if (withBorder)
        drawEventMarkerFill(dc, x, y, fill, measureOnly);
    if (icon.IsOk()) {
        const wxRect box(all.x + 1, all.y + 1, all.width - 2, all.height - 4);
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

wxRect Renderer::drawDurationMarker(wxDC& dc, int x1, int x2, int y, const wxColour& fill, const wxColour& border,
                                    bool measureOnly)
{
    drawDurationMarkerBorder(dc, x1, x2, y, border, measureOnly);
    return drawDurationMarkerFill(dc, x1, x2, y, fill, measureOnly);
}

} // namespace tarquel_1_0
